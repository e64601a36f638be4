#include "QtOperator.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace ql {
namespace {

QMessageBox::Icon ToQtIcon(Operator::Icon icon) {
  switch (icon) {
    case Operator::Icon::Exclamation: return QMessageBox::Warning;
    case Operator::Icon::Question: return QMessageBox::Question;
    case Operator::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    // "ZR Host Setup (*.zrh)" already names its pattern.
    filters << (description.contains("(" + pattern + ")") ? description : QString("%1 (%2)").arg(description, pattern));
  }
  return filters;
}

void QtOperator::Warning(const std::string& caption, const std::string& text) {
  if (openWarnings_ >= kMaxOpenWarnings) return;
  QApplication::beep();
  ShowOkBox(caption, text, true);
}

void QtOperator::Notice(const std::string& caption, const std::string& text) {
  ShowOkBox(caption, text, false);
}

void QtOperator::ShowOkBox(const std::string& caption, const std::string& text, bool exclamation) {
  auto* box = new QMessageBox(exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                              QString::fromStdString(caption), QString::fromStdString(text),
                              QMessageBox::Ok, parent_);
  box->setAttribute(Qt::WA_DeleteOnClose);
  if (exclamation) {
    ++openWarnings_;
    QObject::connect(box, &QObject::destroyed, [this] { --openWarnings_; });
  }
  if (tickRunning_) {
    box->setModal(false);
    box->show();
  } else {
    box->exec();
  }
}

Operator::Answer QtOperator::Ask(const Question& q) {
  if (q.beepFirst) QApplication::beep();
  QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
  if (q.buttons == Buttons::YesNo) buttons = QMessageBox::Yes | QMessageBox::No;
  if (q.buttons == Buttons::YesNoCancel) buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  QMessageBox box(ToQtIcon(q.icon), QString::fromStdString(q.caption), QString::fromStdString(q.text),
                  buttons, parent_);
  switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
  }
}

std::optional<std::string> QtOperator::ChooseFile(const FileDialog& d) {
  QFileDialog dialog(parent_, QString::fromStdString(d.title));
  const bool save = d.kind == FileDialog::Kind::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save || !d.mustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !d.overwritePrompt);
  if (!d.filter.empty()) dialog.setNameFilters(QtNameFilters(d.filter));
  // "*.raw" names the extension a typed name without one receives.
  const QString extension = QString::fromStdString(d.defaultExtension).remove("*.");
  if (!extension.isEmpty()) dialog.setDefaultSuffix(extension);
  if (!d.fileName.empty()) dialog.selectFile(QString::fromStdString(d.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace ql

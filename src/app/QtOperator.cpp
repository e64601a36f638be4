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

QString QtNameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    const QString ending = " (" + patterns + ")";
    filters << (parts[i].endsWith(ending) ? parts[i] : parts[i] + ending);
  }
  return filters.join(";;");
}

std::optional<std::string> QtOperator::OpenFile(const FileDialog& dialog) { return RunFileDialog(dialog, false); }

std::optional<std::string> QtOperator::SaveFile(const FileDialog& dialog) { return RunFileDialog(dialog, true); }

std::optional<std::string> QtOperator::RunFileDialog(const FileDialog& d, bool save) {
  QFileDialog box(parent_, QString::fromStdString(d.title));
  box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  box.setNameFilter(QtNameFilters(d.filter));
  QString suffix = QString::fromStdString(d.defaultExtension);
  if (suffix.startsWith("*.")) suffix.remove(0, 2);
  box.setDefaultSuffix(suffix);
  box.setOption(QFileDialog::DontConfirmOverwrite, !d.overwritePrompt);
  if (!d.fileName.empty()) box.selectFile(QString::fromStdString(d.fileName));
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
  return box.selectedFiles().front().toStdString();
}

}  // namespace ql

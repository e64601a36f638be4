#include "TSleepForm.h"

#include <QGridLayout>
#include <QLabel>

namespace ql {
namespace {

QLabel* Named(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

void SetIfChanged(QLabel* label, const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (label->text() != t) label->setText(t);
}

}  // namespace

TSleepForm::TSleepForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SleepForm");
  setWindowTitle("Sleep Options");
  setModal(false);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Host Time and Date:", this), 0, 0);
  hostTime_ = Named(this, "HostTime", "HH:MM:SS");
  hostDate_ = Named(this, "HostDate", "MM/DD/YY");
  grid->addWidget(hostTime_, 0, 1);
  grid->addWidget(hostDate_, 0, 2);
  grid->addWidget(new QLabel("Meter Time and Date:", this), 1, 0);
  sleepTime_ = Named(this, "SleepTime", "HH:MM:SS");
  sleepDate_ = Named(this, "SleepDate", "MM/DD/YY");
  grid->addWidget(sleepTime_, 1, 1);
  grid->addWidget(sleepDate_, 1, 2);
}

void TSleepForm::SetHostTime(const std::string& time, const std::string& date) {
  SetIfChanged(hostTime_, time);
  SetIfChanged(hostDate_, date);
}

void TSleepForm::SetLoggerTime(const std::string& time, const std::string& date) {
  SetIfChanged(sleepTime_, time);
  SetIfChanged(sleepDate_, date);
}

}  // namespace ql

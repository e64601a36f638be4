#include "TSleepForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "DialogButton.h"
#include "cycle/HostState.h"
#include "loggertools/SleepRequest.h"

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

QLineEdit* Edit(QWidget* parent, const char* name, const char* text) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  return edit;
}

}  // namespace

TSleepForm::TSleepForm(HostState& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      host_(host) {
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

  auto* group = new QGroupBox("Moored Mode Sleep Option", this);
  group->setObjectName("MooredSleepGB");
  auto* inner = new QGridLayout(group);
  METime_ = Edit(group, "METime", "HH:MM:SS");
  MEDate_ = Edit(group, "MEDate", "MM/DD/YY");
  inner->addWidget(new QLabel("Sleep Until:", group), 0, 0);
  inner->addWidget(METime_, 0, 1);
  inner->addWidget(new QLabel("on", group), 0, 2);
  inner->addWidget(MEDate_, 0, 3);
  inner->addWidget(new QLabel("Dates are MM/DD/YY", group), 1, 3);
  inner->addWidget(new QLabel("Note:  All times are in a 24-hour format.  (00:00:00-23-59:59)", group), 2, 0, 1, 4);
  inner->addWidget(Named(group, "warninglabel", "Don't Forget about Daylight Savings Time Changes"), 3, 0, 1, 4);
  QPushButton* sleep = DialogButton(group, "SleepButton", "SLEEP");
  QPushButton* cancel = DialogButton(group, "CancelButton", "CANCEL");
  inner->addWidget(sleep, 4, 1);
  inner->addWidget(cancel, 4, 3);
  grid->addWidget(group, 2, 0, 1, 3);

  connect(sleep, &QPushButton::clicked, this, &TSleepForm::SleepButtonClick);
  connect(cancel, &QPushButton::clicked, this, &TSleepForm::CancelButtonClick);
}

void TSleepForm::SetHostTime(const std::string& time, const std::string& date) {
  SetIfChanged(hostTime_, time);
  SetIfChanged(hostDate_, date);
}

void TSleepForm::SetLoggerTime(const std::string& time, const std::string& date) {
  SetIfChanged(sleepTime_, time);
  SetIfChanged(sleepDate_, date);
}

void TSleepForm::SleepButtonClick() {
  if (ql::SleepButtonClick(METime_->text().toStdString(), MEDate_->text().toStdString(), host_.pc.daylight,
                           host_.clock, host_.op, host_.sender)) {
    hide();
  }
}

void TSleepForm::CancelButtonClick() { hide(); }

}  // namespace ql

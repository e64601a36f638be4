#include "TAnnotationForm.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "archive/Annotation.h"
#include "cycle/HostState.h"
#include "cycle/RecordActions.h"

namespace ql {
namespace {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

void SetLabel(QLabel* label, const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (label->text() != t) label->setText(t);
}

}  // namespace

TAnnotationForm::TAnnotationForm(HostState& host, QWidget* parent) : QDialog(parent), host_(host) {
  setObjectName("AnnotationForm");
  setWindowTitle("Annotate Archive File");
  setModal(false);
  setWindowFlag(Qt::WindowStaysOnTopHint);

  LBAnnotation = Named(new QLabel("Last Annotation...", this), "LBAnnotation");
  AnnotateDANDT = Named(new QLabel("Date and Time", this), "AnnotateDANDT");
  LBNext = Named(new QLabel("Next Water Sample:  1", this), "LBNext");
  UDNext = Named(new QSpinBox(this), "UDNext");
  UDNext->setRange(1, Annotation::kHighestSample);
  UDNext->setValue(1);
  EDITAnnotation = Named(new QLineEdit("Annotate Here", this), "EDITAnnotation");
  // What the operator types always fits behind the time stamp.
  EDITAnnotation->setMaxLength(Annotation::kLongestMark);
  BTStart = Named(new QPushButton("Start Water Sample", this), "BTStart");
  BTEnd = Named(new QPushButton("End Water Sample", this), "BTEnd");
  BTSend = Named(new QPushButton("Insert Annotation", this), "BTSend");
  BTReset = Named(new QPushButton("Reset Sample Count", this), "BTReset");
  BTClose = Named(new QPushButton("Close", this), "BTClose");

  auto* grid = new QGridLayout(this);
  grid->addWidget(LBAnnotation, 0, 0, 1, 3);
  grid->addWidget(AnnotateDANDT, 1, 0, 1, 3);
  grid->addWidget(LBNext, 2, 0, 1, 2);
  grid->addWidget(UDNext, 2, 2);
  grid->addWidget(BTStart, 3, 0);
  grid->addWidget(BTEnd, 3, 1);
  grid->addWidget(BTReset, 3, 2);
  grid->addWidget(EDITAnnotation, 4, 0, 1, 2);
  grid->addWidget(BTSend, 4, 2);
  grid->addWidget(BTClose, 5, 2);

  connect(BTStart, &QPushButton::clicked, this, &TAnnotationForm::BTStartClick);
  connect(BTEnd, &QPushButton::clicked, this, &TAnnotationForm::BTEndClick);
  connect(BTSend, &QPushButton::clicked, this, &TAnnotationForm::BTSendClick);
  connect(BTReset, &QPushButton::clicked, this, &TAnnotationForm::BTResetClick);
  connect(BTClose, &QPushButton::clicked, this, &QDialog::hide);
  connect(UDNext, &QSpinBox::valueChanged, this, &TAnnotationForm::UDNextClick);
}

void TAnnotationForm::ShowCentred() {
  Sync();
  adjustSize();
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  show();
  raise();
}

void TAnnotationForm::Sync() {
  const Annotation& a = host_.recording.annotation;
  SetLabel(LBAnnotation, a.lastMark);
  SetLabel(AnnotateDANDT, a.markTime);
  SetLabel(LBNext, a.nextLabel);
  if (UDNext->value() != a.next) {
    const QSignalBlocker quiet(UDNext);
    UDNext->setValue(a.next);
  }
}

void TAnnotationForm::BTStartClick() {
  host_.recording.annotation.StartSample(PcTimeTextNow(host_), host_.op);
  Sync();
}

void TAnnotationForm::BTEndClick() {
  host_.recording.annotation.EndSample(PcTimeTextNow(host_), host_.op);
  Sync();
}

void TAnnotationForm::BTSendClick() {
  const std::string text = EDITAnnotation->text().toStdString();
  EDITAnnotation->clear();
  host_.recording.annotation.InsertText(text, PcTimeTextNow(host_), host_.op);
  Sync();
}

void TAnnotationForm::BTResetClick() {
  host_.recording.annotation.ResetCount();
  Sync();
}

void TAnnotationForm::UDNextClick(int position) {
  host_.recording.annotation.NextMoved(position);
  Sync();
}

}  // namespace ql

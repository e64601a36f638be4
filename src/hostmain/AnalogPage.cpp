#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include "Controls.h"
#include "cycle/FactoryActions.h"
#include "TForm1.h"
#include "dialogs/WidgetColour.h"

namespace ql {

using namespace controls;

namespace {

// A masked edit of so many digits; the blanks of a "%5d" text are kept.
QLineEdit* DigitsEdit(QWidget* parent, const QString& name, int digits) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QString("^ *[0-9]{0,%1}$").arg(digits)), edit));
  edit->setMaximumWidth(80);
  return edit;
}

QString ChannelCaption(int channel) { return channel == 0 ? "Battery" : QString("Analog Port %1").arg(channel + 8); }

}  // namespace

void TForm1::BuildAnalogPage() {
  AnalogPageControls& p = analog_;
  QWidget* page = p.TSAnalog = pages_[kTSAnalog];
  auto* grid = new QGridLayout(page);

  p.AnalogPanel = Panel(page, "AnalogPanel", AnalogPageState::kPanelText);
  ApplyColour(p.AnalogPanel, kYellow, kButtonFace);
  p.BTGetAnalog = Button(page, "BTGetAnalog", "Get Analog Calibration");
  p.BTSendAnalogCalibration = Button(page, "BTSendAnalogCalibration", "Send Analog Calibration");
  p.ALGPassword = new QLineEdit(Text(host_.factory.analog.password), page);
  p.ALGPassword->setObjectName("ALGPassword");
  p.PasswordLabel = Label(page, "ALGPasswordLabel", QString("Password=%1").arg(FactoryPassword::kPassword));
  p.BTLoadAnalogFile = Button(page, "BTLoadAnalogFile", "Load Analog Calibration File");
  p.BTSaveAnalogFile = Button(page, "BTSaveAnalogFile", "Save Analog Calibration File");
  p.BTDoneWithAnalog = Button(page, "BTDoneWithAnalog", "Done");

  grid->addWidget(p.AnalogPanel, 0, 0, 1, 3);
  grid->addWidget(Label(page, "OffsetLB", "Offset"), 1, 1);
  grid->addWidget(Label(page, "ScaleLB", "Scale"), 1, 2);
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    p.MEOffset[i] = DigitsEdit(page, QString("MEOffset%1").arg(ch), 4);
    p.MEScale[i] = DigitsEdit(page, QString("MEScale%1").arg(ch), 5);
    grid->addWidget(Label(page, QString("ChannelLB%1").arg(ch), ChannelCaption(ch)), 2 + ch, 0);
    grid->addWidget(p.MEOffset[i], 2 + ch, 1);
    grid->addWidget(p.MEScale[i], 2 + ch, 2);
  }
  grid->addWidget(p.BTGetAnalog, 0, 4);
  grid->addWidget(p.PasswordLabel, 1, 4);
  grid->addWidget(p.ALGPassword, 2, 4);
  grid->addWidget(p.BTSendAnalogCalibration, 3, 4);
  grid->addWidget(p.BTLoadAnalogFile, 5, 4);
  grid->addWidget(p.BTSaveAnalogFile, 6, 4);
  grid->addWidget(p.BTDoneWithAnalog, 8, 4);
  grid->setColumnMinimumWidth(3, 24);
  grid->setColumnStretch(5, 1);
  grid->setRowStretch(10, 1);

  for (size_t i = 0; i < p.MEOffset.size(); ++i) {
    connect(p.MEOffset[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
      AnalogEdit([&] { host_.factory.analog.controls.TypeOffset(i, text.toStdString()); });
    });
    connect(p.MEScale[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
      AnalogEdit([&] { host_.factory.analog.controls.TypeScale(i, text.toStdString()); });
    });
  }
  connect(p.ALGPassword, &QLineEdit::textChanged, this,
          [this](const QString& text) { host_.factory.analog.password = text.toStdString(); });
  connect(p.BTGetAnalog, &QPushButton::clicked, this, [this] { BTGetSetup1Click(SetupButton::kGetAnalog); });
  connect(p.BTSendAnalogCalibration, &QPushButton::clicked, this, &TForm1::BTSendAnalogCalibrationClick);
  connect(p.BTLoadAnalogFile, &QPushButton::clicked, this, &TForm1::BTLoadAnalogFileClick);
  connect(p.BTSaveAnalogFile, &QPushButton::clicked, this, &TForm1::BTSaveAnalogFileClick);
  connect(p.BTDoneWithAnalog, &QPushButton::clicked, this, &TForm1::AnalogCalClick);
  SyncAnalogPage();
}

template <typename Edit>
void TForm1::AnalogEdit(Edit edit) {
  edit();
  AnalogEdited(host_);
  SyncAnalogPage();
}

void TForm1::BTSendAnalogCalibrationClick() { ql::BTSendAnalogCalibrationClick(host_); }

void TForm1::BTSaveAnalogFileClick() { ql::BTSaveAnalogFileClick(host_); }

void TForm1::BTLoadAnalogFileClick() {
  ql::BTLoadAnalogFileClick(host_);
  SyncAnalogPage();
}

void TForm1::AnalogCalClick() { TogglePage(analog_.TSAnalog, analog_.AnalogCal, kAnalogToggle); }

void TForm1::SyncAnalogPage() {
  AnalogPageState& s = host_.factory.analog;
  AnalogPageControls& p = analog_;
  for (size_t i = 0; i < p.MEOffset.size(); ++i) {
    SetText(p.MEOffset[i], s.controls.offset[i]);
    SetText(p.MEScale[i], s.controls.scale[i]);
  }
  SetVisible(p.AnalogPanel, !s.current);
  host_.factory.analogPageChanged = false;
}

}  // namespace ql

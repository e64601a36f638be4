#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include "Controls.h"
#include "TForm1.h"
#include "dialogs/TMuxIDForm.h"
#include "dialogs/TTestPortForm.h"
#include "loggertools/ClockSync.h"

namespace ql {

using namespace controls;

void TForm1::ConnectLoggerTools() {
  if (dialogs_.testPortForm == nullptr) return;
  connect(dialogs_.testPortForm, &TTestPortForm::ShowRawLoggerData, this, &TForm1::ShowRawLoggerData);
  connect(dialogs_.testPortForm, &TTestPortForm::BTStopTestClick, this, &TForm1::BTStopClick);
  connect(dialogs_.testPortForm, &TTestPortForm::FormClose, this, &TForm1::TestPortFormClose);
}

void TForm1::MenuAutoTimeUpdateClick() {
  ql::MenuAutoTimeUpdateClick(host_.clockSync);
  SyncClockMenus();
}

void TForm1::MenuUpdateTimeNowClick() {
  ql::MenuUpdateTimeNowClick(host_.clockSync);
  SyncClockMenus();
}

void TForm1::MooredTimeUpdatesClick() {
  ql::MooredTimeUpdatesClick(host_.clockSync);
  SetVisible(loggerControl_.TimeSourceLB, host_.clockSync.mooredTimeSource);
  SetVisible(loggerControl_.TimeSourceCB, host_.clockSync.mooredTimeSource);
  SyncClockMenus();
}

void TForm1::SyncClockMenus() {
  // A click on a check item toggles its mark by itself; the marks show the state only.
  menus_.MenuAutoTimeUpdate->setChecked(host_.clockSync.autoSync);
  menus_.MenuUpdateTimeNow->setChecked(host_.clockSync.syncNow);
  menus_.MenuMooredTimeUpdate->setChecked(host_.clockSync.mooredTimeSource);
}

void TForm1::MenuTestOneSerialPortClick() {
  if (dialogs_.testPortForm != nullptr) dialogs_.testPortForm->show();
}

void TForm1::MenuChangeLoggerIDClick() {
  if (dialogs_.muxIdForm != nullptr) dialogs_.muxIdForm->show();
}

void TForm1::ShowRawLoggerData() {
  Tabs->setTabVisible(kTSRealTime, true);
  Tabs->setCurrentWidget(realTime_.TSRealTime);
  SetIndex(realTime_.RawSourceCB, RealTimeDisplay::kRawLoggerData);
  RawPortCBChange();
}

void TForm1::TestPortFormClose() {
  if (host_.hostMode == kMooredLogging || host_.hostMode == kProfileLogging) Tabs->setTabVisible(kTSRealTime, false);
}

}  // namespace ql

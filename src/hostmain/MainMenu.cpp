#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "TForm1.h"
#include "dialogs/TAnnotationForm.h"
#include "cycle/LinkHealth.h"
#include "dialogs/TRS422Form.h"
#include "serial/CommandFrame.h"
#include "serial/CommandSender.h"

namespace ql {
namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* action = menu->addAction(QString::fromLatin1(caption));
  action->setObjectName(name);
  return action;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(name);
  return separator;
}

QMenu* AddMenu(QMenu* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

}  // namespace

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName("MainMenu1");
  auto topMenu = [bar](const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
  };

  QMenu* files = topMenu("Files1", "&Files");
  connect(AddItem(files, "LoadHostSetupFile", "Load Host Setup File"), &QAction::triggered, this,
          &TForm1::LoadHostSetupFileClick);
  connect(AddItem(files, "StoreHostSetupFile", "Store Host Setup File"), &QAction::triggered, this,
          &TForm1::StoreHostSetupFileClick);
  AddSeparator(files, "NReplay");
  menus_.FilesReplayArchive = AddItem(files, "FilesReplayArchive", "Replay Archive...");
  menus_.FilesReplayContinuous = AddItem(files, "FilesReplayContinuous", "Replay Archive Continuously...");
  connect(menus_.FilesReplayArchive, &QAction::triggered, this, [this] { FilesReplayClick(false); });
  connect(menus_.FilesReplayContinuous, &QAction::triggered, this, [this] { FilesReplayClick(true); });
  AddSeparator(files, "N4");
  QAction* exit = AddItem(files, "Exit1", "E&xit");

  QMenu* modes = topMenu("Modes1", "&Modes");
  struct ModeItem {
    const char* name;
    const char* caption;
    int mode;
  };
  const ModeItem modeItems[] = {
      {"Menubx5PassThru", "bx5 Pass Thru", kBx5PassThru}, {"MenuMoored", "Moored Logging", kMooredLogging},
      {"MenuProfile", "Profile Logging", kProfileLogging}, {"MenuRealTimeOutput", "Real Time Output", kRealTimeData},
      {nullptr, nullptr, 0},                               {"MenuAnalog", "Analog Output", kAnalogOutput},
      {"MenuAdvanced", "Advanced User", kAdvancedUser},    {"PCLogger", "PC-Logger", kPcLogger},
      {"MenuSCT3", "SCT 3 Output", kSct3Output},
  };
  for (const ModeItem& item : modeItems) {
    if (item.name == nullptr) {
      AddSeparator(modes, "N7");
      continue;
    }
    QAction* action = AddItem(modes, item.name, item.caption);
    const int mode = item.mode;
    connect(action, &QAction::triggered, this, [this, mode] { ModesMenuClick(mode); });
  }
  modes->findChild<QAction*>("MenuSCT3")->setVisible(false);
  QAction* replay = AddItem(modes, "MenuReplay", "Replay Data");
  replay->setVisible(false);

  QMenu* commands = topMenu("CommandsMenu", "&Commands");
  QMenu* factory = AddMenu(commands, "MenuFactorySettings", "Access Factory Settings");
  QAction* resetToMonitor = AddItem(factory, "ResetToMonitor", "Reset To Monitor");
  AddSeparator(factory, "N9");
  QAction* changeLoggerId = AddItem(factory, "MenuChangeLoggerID", "Change Logger ID");
  AddSeparator(factory, "N2");
  analog_.AnalogCal = AddItem(factory, "AnalogCal", kAnalogToggle.initial);
  hardware_.HardwareConfig = AddItem(factory, "HardwareConfig", kHardwareToggle.initial);
  AddSeparator(factory, "N11");
  QAction* loadDefaults = AddItem(factory, "LoadDefaultFlashSetup", "Load Default Flash Setup");
  menus_.ToggleDebug = AddItem(factory, "ToggleDebug", "Write Debug File");
  menus_.ToggleDebug->setCheckable(true);
  AddSeparator(commands, "N1");
  QAction* annotate = AddItem(commands, "MenuAnnotateFile", "Annotate Archive File");
  QMenu* timeUpdate = AddMenu(commands, "MenuLoggerTimeUpdate", "Synchronize Logger Time");
  menus_.MenuAutoTimeUpdate = AddItem(timeUpdate, "MenuAutoTimeUpdate", "Automatic Time Sync");
  menus_.MenuAutoTimeUpdate->setCheckable(true);
  menus_.MenuAutoTimeUpdate->setChecked(host_.clockSync.autoSync);
  menus_.MenuUpdateTimeNow = AddItem(timeUpdate, "MenuUpdateTimeNow", "Synchronize Time Now");
  menus_.MenuUpdateTimeNow->setCheckable(true);
  menus_.MenuMooredTimeUpdate = AddItem(commands, "MenuMooredTimeUpdate", "Moored Time Source");
  menus_.MenuMooredTimeUpdate->setCheckable(true);
  AddSeparator(commands, "N5");
  QAction* testPort = AddItem(commands, "MenuTestOneSerialPort", "Test One Logger Port");

  menus_.MenuLoggerPortSetup = topMenu("MenuLoggerPortSetup", "&Logger_Port");
  menus_.ShowLoggerPortSetup = AddItem(menus_.MenuLoggerPortSetup, "ShowLoggerPortSetup", "Show Logger Port Setup");
  menus_.HostPortStats = AddItem(menus_.MenuLoggerPortSetup, "HostPortStats", "Show Logger Port Statistics");
  AddSeparator(menus_.MenuLoggerPortSetup, "N3");
  menus_.AutoBaudRateDetection =
      AddItem(menus_.MenuLoggerPortSetup, "AutoBaudRateDetection", "Auto Baud Rate Detection");
  menus_.AutoBaudRateDetection->setCheckable(true);
  AddSeparator(menus_.MenuLoggerPortSetup, "N10");
  QAction* changeInterface =
      AddItem(menus_.MenuLoggerPortSetup, "ChangeHostInterface", "Change Logger Interface Type");

  QMenu* help = topMenu("Help1", "Help");
  AddItem(help, "ShowHints", "Show Hints")->setVisible(false);
  AddItem(help, "HelpContact", "Logger support: see the telephone number in the QL-9 manual");

  for (int item = 0; item < kModeMenuItemCount; ++item) {
    const char* name = ModeMenuItemName(static_cast<ModeMenuItem>(item));
    menus_.byMode[static_cast<size_t>(item)] = bar->findChild<QAction*>(name);
  }

  connect(exit, &QAction::triggered, this, &TForm1::BTExitClick);
  connect(replay, &QAction::triggered, this, &TForm1::MenuReplayClick);
  connect(annotate, &QAction::triggered, this, &TForm1::MenuAnnotateFileClick);
  connect(resetToMonitor, &QAction::triggered, this, &TForm1::ResetToMonitorClick);
  connect(loadDefaults, &QAction::triggered, this, &TForm1::LoadDefaultLoggerSetupClick);
  connect(analog_.AnalogCal, &QAction::triggered, this, &TForm1::AnalogCalClick);
  connect(hardware_.HardwareConfig, &QAction::triggered, this, &TForm1::HardwareConfigClick);
  connect(menus_.ToggleDebug, &QAction::triggered, this, &TForm1::ToggleDebugClick);
  connect(changeLoggerId, &QAction::triggered, this, &TForm1::MenuChangeLoggerIDClick);
  connect(menus_.MenuAutoTimeUpdate, &QAction::triggered, this, &TForm1::MenuAutoTimeUpdateClick);
  connect(menus_.MenuUpdateTimeNow, &QAction::triggered, this, &TForm1::MenuUpdateTimeNowClick);
  connect(menus_.MenuMooredTimeUpdate, &QAction::triggered, this, &TForm1::MooredTimeUpdatesClick);
  connect(testPort, &QAction::triggered, this, &TForm1::MenuTestOneSerialPortClick);
  connect(menus_.ShowLoggerPortSetup, &QAction::triggered, this, &TForm1::ShowLoggerPortSetupClick);
  connect(menus_.HostPortStats, &QAction::triggered, this, &TForm1::HostPortStatsClick);
  connect(menus_.AutoBaudRateDetection, &QAction::triggered, this, &TForm1::AutoBaudRateDetectionClick);
  connect(changeInterface, &QAction::triggered, this, &TForm1::ChangeHostPortType1Click);
}

void TForm1::MenuAnnotateFileClick() {
  if (dialogs_.annotationForm != nullptr) dialogs_.annotationForm->ShowCentred();
}

void TForm1::AutoBaudRateDetectionClick() {
  ql::AutoBaudRateDetectionClick(host_);
  SyncAfterEvent();
}

void TForm1::ChangeHostPortType1Click() {
  if (dialogs_.rs422Form != nullptr) dialogs_.rs422Form->show();
}

void TForm1::HostPortStatsClick() {
  host_.stats.StatsClose();
  host_.stats.StatsOpen(StatsBoard::kLoggerPortOwner, StatsBoard::kLines, "Host Port Statistics");
  SyncDialogs();
}

void TForm1::ResetToMonitorClick() { ConfirmAndSend(host_.sender, host_.op, CmdResetToMonitor); }

void TForm1::LoadDefaultLoggerSetupClick() { ql::LoadDefaultLoggerSetupClick(host_); }

void TForm1::ToggleDebugClick() {
  host_.debugFile = !host_.debugFile;
  menus_.ToggleDebug->setChecked(host_.debugFile);
}

}  // namespace ql

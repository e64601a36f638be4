#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "TForm1.h"
#include "cycle/LinkHealth.h"

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

}  // namespace

void TForm1::BuildMenus() {
  menuBar()->setObjectName("MainMenu1");
  menus_.MenuLoggerPortSetup = menuBar()->addMenu("&Logger_Port");
  menus_.MenuLoggerPortSetup->setObjectName("MenuLoggerPortSetup");
  menus_.ShowLoggerPortSetup = AddItem(menus_.MenuLoggerPortSetup, "ShowLoggerPortSetup", "Show Logger Port Setup");
  menus_.HostPortStats = AddItem(menus_.MenuLoggerPortSetup, "HostPortStats", "Show Logger Port Statistics");
  AddSeparator(menus_.MenuLoggerPortSetup, "N3");
  menus_.AutoBaudRateDetection =
      AddItem(menus_.MenuLoggerPortSetup, "AutoBaudRateDetection", "Auto Baud Rate Detection");
  menus_.AutoBaudRateDetection->setCheckable(true);

  connect(menus_.ShowLoggerPortSetup, &QAction::triggered, this, &TForm1::ShowLoggerPortSetupClick);
  connect(menus_.HostPortStats, &QAction::triggered, this, &TForm1::HostPortStatsClick);
  connect(menus_.AutoBaudRateDetection, &QAction::triggered, this, &TForm1::AutoBaudRateDetectionClick);
}

void TForm1::AutoBaudRateDetectionClick() {
  ql::AutoBaudRateDetectionClick(host_);
  SyncAfterEvent();
}

void TForm1::HostPortStatsClick() {
  host_.stats.StatsClose();
  host_.stats.StatsOpen(StatsBoard::kLoggerPortOwner, StatsBoard::kLines, "Host Port Statistics");
  SyncDialogs();
}

}  // namespace ql

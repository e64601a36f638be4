#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>

#include "Controls.h"
#include "HostSetupActions.h"
#include "TForm1.h"
#include "common/Operator.h"
#include "setupfile/HostSetupStore.h"

namespace ql {

using namespace controls;

namespace {

// Record 5's places, by page; places 7 and 8 are unused.
constexpr std::array<int, 12> kPageFlagPlaces = {kTSPortSetup, kTSLoggerControl, kTSDataStatus, kTSUpload,
                                                 kTSRealTime,  kTSRecord,        kTSPCLogger,   -1,
                                                 -1,           kTSPlotSetup,     kTSHardware,   kTSAnalog};

// Menu items whose visible (or check) flag a record keeps.
struct MenuFlag {
  SetupField field;
  const char* item;
  bool checked;
};
const MenuFlag kMenuFlags[] = {
    {zrh::kMenubx5PassThruVisible, "Menubx5PassThru", false},
    {zrh::kMenuAnnotateFileVisible, "MenuAnnotateFile", false},
    {zrh::kMenuLoggerTimeUpdateVisible, "MenuLoggerTimeUpdate", false},
    {zrh::kMenuAutoTimeUpdateVisible, "MenuAutoTimeUpdate", false},
    {zrh::kMenuAutoTimeUpdateChecked, "MenuAutoTimeUpdate", true},
    {zrh::kMenuUpdateTimeNowVisible, "MenuUpdateTimeNow", false},
    {zrh::kMenuChangeLoggerIDVisible, "MenuChangeLoggerID", false},
    {zrh::kMenuMooredTimeUpdateVisible, "MenuMooredTimeUpdate", false},
    {zrh::kMenuMooredTimeUpdateChecked, "MenuMooredTimeUpdate", true},
};

}  // namespace

bool TForm1::LoadHostSetup(const std::filesystem::path& file, bool explicitLoad) {
  // Pass 1: the whole file is checked before anything changes.
  const std::optional<HostSetupFile> read = ReadHostSetup(file, host_.op);
  if (!read) return false;
  // Pass 2: each record is applied in file order.
  const HostSetupFile& f = *read;
  LoadLoggerPortRecord(host_, f, explicitLoad);
  if (const std::optional<ModeDisplay> display = LoadHostModeRecord(host_, f)) ApplyModeDisplay(*display);
  LoadWindowRecord(f);
  LoadMenuFlags(f, 6);
  LoadHostModeLayout(host_);
  LoadMenuFlags(f, 8);
  // The clock menu's check marks follow the clock state.
  host_.clockSync.autoSync = f.Get(zrh::kMenuAutoTimeUpdateChecked) != 0;
  host_.clockSync.mooredTimeSource = f.Get(zrh::kMenuMooredTimeUpdateChecked) != 0;
  SetVisible(loggerControl_.TimeSourceLB, f.Get(zrh::kTimeSourceVisible) != 0);
  SetVisible(loggerControl_.TimeSourceCB, f.Get(zrh::kTimeSourceVisible) != 0);
  LoadTimeSourceRecord(host_, f);
  SetVisible(loggerControl_.CBAutoStart, true);
  LoadAutoStartRecord(host_, f);
  LoadLoggerPortMenuRecord(host_, f);
  LoadRealTimeRecord(host_, f);
  LoadDeckRateRecord(host_, f);
  for (int record = 15; record <= 19; ++record) LoadDeckRowsRecord(host_, f, record);
  LoadReplayRecord(host_, f);
  LoadSetupCombosVisibility(f);
  LoadSetupCombosRecord(host_, f);
  ReapplyDeckSetup(host_);

  SyncSetupPages();
  SyncAfterEvent();
  return true;
}

void TForm1::LoadWindowRecord(const HostSetupFile& f) {
  switch (f.Get(zrh::kWindowState)) {
    case 0: setWindowState(Qt::WindowNoState); break;
    case 1: setWindowState(Qt::WindowMinimized); break;
    case 2: setWindowState(Qt::WindowMaximized); break;
    default: break;
  }
  if (f.Get(zrh::kWindowHeight) > 0) resize(width(), f.Get(zrh::kWindowHeight));
  if (f.Get(zrh::kWindowWidth) > 0) resize(f.Get(zrh::kWindowWidth), height());
}

void TForm1::LoadMenuFlags(const HostSetupFile& f, int record) {
  for (const MenuFlag& flag : kMenuFlags) {
    if (flag.field.record != record) continue;
    QAction* action = menuBar()->findChild<QAction*>(flag.item);
    if (flag.checked) {
      action->setChecked(f.Get(flag.field) != 0);
    } else {
      action->setVisible(f.Get(flag.field) != 0);
    }
  }
}

void TForm1::LoadSetupCombosVisibility(const HostSetupFile& f) {
  LoggerControlPage& l = loggerControl_;
  for (auto [field, label, combo] : {std::tuple{zrh::kModeCBVisible, l.ModeLB, l.ModeCB},
                                     std::tuple{zrh::kFileCBVisible, l.FileLB, l.FileCB},
                                     std::tuple{zrh::kOutputCBVisible, l.OutputLB, l.OutputCB}}) {
    SetVisible(label, f.Get(field) != 0);
    SetVisible(combo, f.Get(field) != 0);
  }
}

HostSetupFile TForm1::HostSetupNow() const {
  // Records and places the host keeps no control for are written as zeros, whatever the
  // file last read held there.
  HostSetupFile f;
  StoreHostState(host_, f);
  f.Set(zrh::kWindowState, isMinimized() ? 1 : isMaximized() ? 2 : 0);
  f.Set(zrh::kWindowHeight, height());
  f.Set(zrh::kWindowWidth, width());
  for (size_t place = 0; place < kPageFlagPlaces.size(); ++place) {
    const int page = kPageFlagPlaces[place];
    f.Set(zrh::kPageFlag(static_cast<int>(place)), page >= 0 && Tabs->isTabVisible(page));
  }
  for (const MenuFlag& flag : kMenuFlags) {
    const QAction* action = menuBar()->findChild<QAction*>(flag.item);
    f.Set(flag.field, flag.checked ? action->isChecked() : action->isVisible());
  }
  const LoggerControlPage& l = loggerControl_;
  f.Set(zrh::kTimeSourceVisible, !l.TimeSourceCB->isHidden());
  f.Set(zrh::kModeCBVisible, !l.ModeCB->isHidden());
  f.Set(zrh::kFileCBVisible, !l.FileCB->isHidden());
  f.Set(zrh::kOutputCBVisible, !l.OutputCB->isHidden());
  return f;
}

void TForm1::StoreHostSetup(const std::filesystem::path& file) {
  ql::StoreHostSetup(file, HostSetupNow());
}

namespace {

Operator::FileDialog HostSetupDialog(const char* title) {
  Operator::FileDialog dialog;
  dialog.title = title;
  dialog.filter = "ZR Host Setup (*.zrh)|*.zrh";
  dialog.defaultExtension = "*.zrh";
  return dialog;
}

}  // namespace

void TForm1::LoadHostSetupFileClick() {
  const std::optional<std::string> name = host_.op.OpenFile(HostSetupDialog("Open ZR Host Program Setup"));
  if (name) LoadHostSetup(*name, true);
}

void TForm1::StoreHostSetupFileClick() {
  // No overwrite question: a host setup file is the host's own, small and made again at
  // any time. A store that fails is reported rather than passed over in silence.
  const std::optional<std::string> name = host_.op.SaveFile(HostSetupDialog("Save ZR Host Program Setup"));
  if (!name) return;
  if (!ql::StoreHostSetup(*name, HostSetupNow())) host_.op.Warning("File Error", "Unable to write " + *name);
}

}  // namespace ql

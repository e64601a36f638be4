#include "TForm1.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QApplication>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "Controls.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "cycle/Cycle.h"
#include "cycle/ExitQuestion.h"
#include "cycle/LinkHealth.h"
#include "PlotPage.h"
#include "dialogs/TAnnotationForm.h"
#include "dialogs/TSleepForm.h"
#include "plot/PlotSetupFile.h"
#include "dialogs/TStatsForm.h"
#include "flash/RunUpload.h"

namespace ql {

using namespace controls;

namespace {

// Design-time size of the page control; the window never shrinks it below this.
constexpr QSize kTabsDesignSize(720, 500);

// Tabs with half the style's space beside their captions: the pages of the fullest host
// mode all fit beside the left column on a 1024-pixel screen.
class CompactTabStyle : public QProxyStyle {
 public:
  explicit CompactTabStyle(QStyle* base) : QProxyStyle(base) {}
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int value = QProxyStyle::pixelMetric(metric, option, widget);
    return metric == PM_TabBarTabHSpace ? value / 2 : value;
  }
};

}  // namespace

TForm1::TForm1(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op, std::filesystem::path startDirectory,
               QWidget* parent)
    : QMainWindow(parent), startDirectory_(std::move(startDirectory)), host_(std::move(deviceFactory), clock, op) {
  setObjectName("Form1");
  setWindowTitle("ZR Logger Host v7");
  central_ = new QWidget(this);
  setCentralWidget(central_);
  Tabs = new QTabWidget(central_);
  Tabs->setObjectName("Tabs");
  Tabs->resize(kTabsDesignSize);
  // Every page stays one click away: no scroll arrows; a caption that does not fit is cut.
  Tabs->setUsesScrollButtons(false);
  Tabs->setElideMode(Qt::ElideRight);
  auto* tabStyle = new CompactTabStyle(QStyleFactory::create(QApplication::style()->name()));
  tabStyle->setParent(Tabs);
  Tabs->tabBar()->setStyle(tabStyle);

  BuildMenus();
  BuildLeftColumn();
  BuildPages();
  BuildStatusBar();
  ConnectSetupControls();
  BuildTimers();
  resize(1200, 680);
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FitToScreen() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) return;
  const QSize room = screen->availableGeometry().size();
  if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
}

void TForm1::AttachDialogs(const Dialogs& dialogs) {
  dialogs_ = dialogs;
  ConnectLoggerTools();
  SyncDialogs();
}

void TForm1::BuildPages() {
  for (int i = 0; i < kPageCount; ++i) {
    auto* page = new QWidget;
    page->setObjectName(Pages()[static_cast<size_t>(i)].name);
    Tabs->addTab(page, Pages()[static_cast<size_t>(i)].caption);
    pages_[static_cast<size_t>(i)] = page;
  }
  BuildPortSetupPage();
  BuildLoggerControlPage();
  BuildDataStatusPage();
  BuildRealTimePage();
  BuildUploadPage();
  BuildHardwarePage();
  BuildAnalogPage();
  auto* plotLayout = new QVBoxLayout(pages_[kTSPlotSetup]);
  plotLayout->setContentsMargins(0, 0, 0, 0);
  plotPage_ = new PlotPage(host_.plot, host_.op, [this] { return host_.pc.UtcSeconds(); },
                           startDirectory_ / kPlotSetupFileName, pages_[kTSPlotSetup]);
  plotLayout->addWidget(plotPage_);
  BuildPCLoggerPage();
  BuildRecordPage();
  // The factory pages open only from "Access Factory Settings", whatever the host mode,
  // including the modes whose display leaves the pages as they are.
  Tabs->setTabVisible(kTSHardware, false);
  Tabs->setTabVisible(kTSAnalog, false);
  connect(Tabs, &QTabWidget::currentChanged, this, &TForm1::TabsChange);
  OnResize(Tabs, [this] {
    TabsChange();
    FitRecordingTab();
  });
}

void TForm1::BuildTimers() {
  auto make = [this](const char* name, int interval, void (TForm1::*handler)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(interval);
    timer->setTimerType(Qt::PreciseTimer);
    if (handler != nullptr) connect(timer, &QTimer::timeout, this, handler);
    return timer;
  };
  timers_.Timer10ms = make("Timer10ms", 5, &TForm1::Timer10msTimer);
  timers_.Timer475ms = make("Timer475ms", 1000, &TForm1::Timer475msTimer);
  timers_.Timer1000ms = make("Timer1000ms", 1000, &TForm1::Timer1000msTimer);
  timers_.TTimeout = make("TTimeout", 1500, &TForm1::TTimeoutTimer);
  timers_.StatusBarTimer = make("StatusBarTimer", 250, &TForm1::StatusBarTimer);
}

void TForm1::FormCreate() {
  // 1. The page control never gets smaller than its design size.
  tabsMinimum_ = Tabs->size();
  // 2, 9, 10: the setup state starts in the non-moored layout with the once-per-hour
  // boxes and headings hidden; the status group shows only its caption, on yellow.
  // 3. The port table: every slot closed at 9600.
  host_.ports.InitPortTable();
  // 4, 6. Real-time page defaults and the first page.
  ql::RawPortCBChange(host_.display, RealTimeDisplay::kParsedData, 0, realTime_.RawMuxIDUD->value());
  Tabs->setCurrentWidget(portSetup_.TSPortSetup);
  // 7.
  SetSetupCurrent(host_, false);
  // 11. No logger port yet; the COM mapping of this PC sits beside the host setup.
  host_.loggerPort.comIndex = 0;
  host_.loggerPort.lineIndex = kLine9600;
  host_.ports.SetComPortFile(startDirectory_ / ComPortMap::kFileName);
  // 12. The host setup of the last session, or no host mode.
  if (!LoadHostSetup(startDirectory_ / kLastSetupFile, false)) SetupDisplayMode(kNoHostMode);
  // 13.
  if ((host_.loggerPort.comIndex == 0 || host_.loggerPort.lineIndex == 0) && !host_.loggerPort.groupVisible) {
    ShowLoggerPortSetup(host_);
  }
  SyncAfterEvent();
  // 14, 15.
  FormResize();
  timers_.Timer10ms->start();
  timers_.Timer1000ms->start();
  timers_.Timer475ms->start();
  timers_.TTimeout->start();
  timers_.StatusBarTimer->start();
  host_.flash.upload.timeoutEnabled = true;
}

namespace {

// Marks one tick of the window as running for as long as it lasts, and gives the
// operator's boxes back the state they had before.
class TickScope {
 public:
  TickScope(int& depth, Operator& op) : depth_(depth), op_(op), wasRunning_(depth > 0) {
    ++depth_;
    op_.SetTickRunning(true);
  }
  ~TickScope() {
    --depth_;
    op_.SetTickRunning(wasRunning_);
  }
  TickScope(const TickScope&) = delete;
  TickScope& operator=(const TickScope&) = delete;

 private:
  int& depth_;
  Operator& op_;
  bool wasRunning_;
};

}  // namespace

template <typename Step>
bool TForm1::RunTick(Step step) {
  // One tick at a time: a question asked inside a tick keeps the message loop running,
  // and a tick started from there would share the receiver's buffer and the half-done
  // work of the one it interrupts. It is skipped; the timer fires again soon.
  if (tickDepth_ > 0) return false;
  const TickScope scope(tickDepth_, host_.op);
  step(host_);
  return true;
}

void TForm1::Timer10msTimer() {
  if (!RunTick([](HostState& h) { ql::Timer10msTimer(h); })) return;
  if (!(host_.loggerPort == portShown_) || host_.pc.secondShown != secondShown_) SyncLeftColumn();
  // Directory lines and upload progress arrive with the fast tick; a page out of sight
  // is brought up to date when it is chosen.
  if (Tabs->currentWidget() == upload_.TSUpload) SyncUploadPage();
  SyncUploadTimer();
  if (host_.factory.analogPageChanged) SyncAnalogPage();
  // A replay that reached its end has stopped: the start buttons come back at once.
  if (record_.BTRecordArchive->isEnabled() != host_.recording.StartButtonsEnabled()) SyncRecordPage();
  if (statsRefresh_.Due(host_.pc.UtcMilliseconds())) SyncDialogs();
}

void TForm1::Timer475msTimer() {
  if (!RunTick([](HostState& h) { ql::Timer475msTimer(h); })) return;
  setWindowTitle(Text(host_.caption));
  SyncHardwarePage();
  ApplyPendingDisplay();
  SyncAfterEvent();
}

void TForm1::Timer1000msTimer() {
  if (!RunTick([this](HostState& h) {
        ql::Timer1000msTimer(h);
        loggerKeeper_.Second(h);
      })) {
    return;
  }
  SyncAfterEvent();
}

void TForm1::TTimeoutTimer() {
  if (!RunTick([](HostState& h) { ql::TTimeoutTimer(h.flash); })) return;
  SyncUploadTimer();
}

void TForm1::SyncDialogs() {
  // The annotation window brings itself up to date when it opens.
  if (dialogs_.annotationForm != nullptr && dialogs_.annotationForm->isVisible()) dialogs_.annotationForm->Sync();
  if (dialogs_.statsForm == nullptr) return;
  dialogs_.statsForm->Sync();
  statsRefresh_.Refreshed(host_.pc.UtcMilliseconds());
}

void TForm1::SyncAfterEvent() {
  ApplyPendingDisplay();
  SyncLeftColumn();
  SyncRealTimePage();
  SyncUploadPage();
  SyncUploadTimer();
  SyncPCLoggerPage();
  SyncRecordPage();
  SyncDialogs();
  SyncClockMenus();
  if (host_.layoutDirty) FormResize();
}

void TForm1::SetupDisplayMode(int pendingMode) {
  if (const std::optional<ModeDisplay> display = ql::SetupDisplayMode(host_, pendingMode)) ApplyModeDisplay(*display);
  SyncSetupPages();
  SyncAfterEvent();
}

void TForm1::ModesMenuClick(int hostMode) {
  if (const std::optional<ModeDisplay> display = ChooseHostMode(host_, hostMode)) ApplyModeDisplay(*display);
  SyncSetupPages();
  SyncAfterEvent();
}

void TForm1::ApplyModeDisplay(const ModeDisplay& d) {
  for (int i = 0; i < kPageCount; ++i) Tabs->setTabVisible(i, d.pages[static_cast<size_t>(i)]);
  LoggerControlPage& l = loggerControl_;
  for (auto [label, combo, setting] : {std::tuple{l.ModeLB, l.ModeCB, d.modeCB}, std::tuple{l.FileLB, l.FileCB, d.fileCB},
                                       std::tuple{l.OutputLB, l.OutputCB, d.outputCB}}) {
    SetVisible(label, setting.visible);
    SetVisible(combo, setting.visible);
  }
  SetVisible(l.TimeSourceLB, false);
  SetVisible(l.TimeSourceCB, false);
  SetVisible(l.CBAutoStart, true);
  SetVisible(left_.PStore, d.store);
  SetVisible(left_.FlashPanel, false);
  SetVisible(left_.RemoteHostPanel, false);
  SetVisible(left_.LoggerStatusGB, d.loggerStatus);
  SetVisible(left_.LBPower, d.power);
  SetVisible(left_.LBRunStop, d.runStop);
  SetVisible(left_.LBRunNumber, d.runNumber);
  if (const auto menus = MenusForMode(host_.hostMode)) {
    for (size_t i = 0; i < menus_.byMode.size(); ++i) menus_.byMode[i]->setVisible((*menus)[i]);
  }
  // Replay is offered wherever its data can be watched.
  menus_.FilesReplayArchive->setVisible(d.pages[kTSRealTime]);
  menus_.FilesReplayContinuous->setVisible(d.pages[kTSRealTime]);
  RefreshPageToggles();
}

void TForm1::TabsChange() {
  // Ctrl+Tab walks over hidden pages too; a page the mode (or the factory password)
  // keeps hidden is passed over in the direction of travel.
  const int current = Tabs->currentIndex();
  if (current >= 0 && !Tabs->isTabVisible(current)) {
    const int count = Tabs->count();
    const int step = (current - shownTab_ + count) % count <= count / 2 ? 1 : count - 1;
    for (int next = (current + step) % count; next != current; next = (next + step) % count) {
      if (Tabs->isTabVisible(next)) {
        Tabs->setCurrentIndex(next);
        return;
      }
    }
    return;
  }
  shownTab_ = current;
  // The run list is emptied; the directory table keeps its entries.
  if (Tabs->currentWidget() == upload_.TSUpload) host_.flash.page.profiles.clear();
  SyncUploadPage();
  StopDisplay(host_.display);
  SyncRealTimePage();
}

void TForm1::BTSleepClick() {
  if (dialogs_.sleepForm != nullptr) dialogs_.sleepForm->show();
}

void TForm1::BTExitClick() {
  if (host_.op.Ask(ExitQuestion(host_)) != Operator::Answer::Ok) return;
  // Always beside the program's start, whatever folder the file dialogs visited since.
  StoreHostSetup(startDirectory_ / kLastSetupFile);
  for (int slot = 0; slot < PortTable::kSlots; ++slot) host_.ports.ClosePort(slot);
  exiting_ = true;
  close();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The window's own close box ends the program the same way as "E&xit".
  if (!exiting_) {
    event->ignore();
    BTExitClick();
    return;
  }
  QMainWindow::closeEvent(event);
}

}  // namespace ql

#include "TForm1.h"

#include <QTabWidget>
#include <QTimer>

#include "common/Format.h"
#include "common/Operator.h"
#include "cycle/Cycle.h"
#include "cycle/LinkHealth.h"
#include "dialogs/TStatsForm.h"

namespace ql {
namespace {

// Design-time size of the page control; the window never shrinks it below this.
constexpr QSize kTabsDesignSize(760, 520);

}  // namespace

TForm1::TForm1(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
               std::filesystem::path startDirectory, QWidget* parent)
    : QMainWindow(parent), startDirectory_(std::move(startDirectory)), host_(std::move(deviceFactory), clock, op) {
  setObjectName("Form1");
  setWindowTitle("ZR Logger Host v7");
  central_ = new QWidget(this);
  setCentralWidget(central_);
  Tabs = new QTabWidget(central_);
  Tabs->setObjectName("Tabs");
  Tabs->resize(kTabsDesignSize);

  BuildMenus();
  BuildLeftColumn();
  BuildRealTimePage();
  BuildTimers();
  FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::BuildTimers() {
  auto make = [this](const char* name, int interval, void (TForm1::*handler)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(interval);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, handler);
    return timer;
  };
  timers_.Timer10ms = make("Timer10ms", 5, &TForm1::Timer10msTimer);
  timers_.Timer475ms = make("Timer475ms", 1000, &TForm1::Timer475msTimer);
  timers_.Timer1000ms = make("Timer1000ms", 1000, &TForm1::Timer1000msTimer);
  timers_.TTimeout = new QTimer(this);
  timers_.TTimeout->setObjectName("TTimeout");
  timers_.TTimeout->setInterval(1500);
}

void TForm1::FormCreate() {
  tabsMinimum_ = Tabs->size();
  host_.ports.InitPortTable();
  ComPortMap map;
  map.LoadFile(startDirectory_ / ComPortMap::kFileName);
  host_.ports.SetComPortMap(map);
  host_.loggerPort.comIndex = 0;
  host_.loggerPort.lineIndex = kLine9600;
  if (!map.Problems().empty()) {
    std::string text = "These lines of comports.txt were not understood and are ignored:\n";
    for (const std::string& p : map.Problems()) text += p + "\n";
    host_.op.Warning("COM Port Mapping", text);
  }
  if (host_.loggerPort.comIndex == 0 || host_.loggerPort.lineIndex == 0) {
    if (!host_.loggerPort.groupVisible) ShowLoggerPortSetup(host_);
  }
  SyncAfterEvent();
  FormResize();
  timers_.Timer10ms->start();
  timers_.Timer1000ms->start();
  timers_.Timer475ms->start();
  timers_.TTimeout->start();
}

template <typename Step>
void TForm1::RunTick(Step step) {
  // A tick never runs inside another: boxes raised in a tick do not block it, so the
  // only way to nest would be a modal dialog opened from a tick, and none is.
  static thread_local bool inTick = false;
  if (inTick) return;
  inTick = true;
  host_.op.SetTickRunning(true);
  step(host_);
  host_.op.SetTickRunning(false);
  inTick = false;
}

void TForm1::Timer10msTimer() {
  RunTick([](HostState& h) { ql::Timer10msTimer(h); });
  SyncLeftColumn();
  SyncDialogs();
}

void TForm1::Timer475msTimer() {
  RunTick([](HostState& h) { ql::Timer475msTimer(h); });
  setWindowTitle(QString::fromStdString(host_.caption));
  SyncAfterEvent();
}

void TForm1::Timer1000msTimer() {
  RunTick([](HostState& h) { ql::Timer1000msTimer(h); });
  SyncAfterEvent();
}

void TForm1::SyncDialogs() {
  if (dialogs_.statsForm != nullptr) dialogs_.statsForm->Sync();
}

void TForm1::SyncAfterEvent() {
  SyncLeftColumn();
  SyncRealTimePage();
  SyncDialogs();
  if (host_.layoutDirty) FormResize();
}

}  // namespace ql

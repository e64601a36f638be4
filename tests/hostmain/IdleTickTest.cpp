#include <QApplication>
#include <QEvent>
#include <QTabWidget>
#include <QTimer>
#include <string>
#include <vector>

#include "MainWindowFixture.h"

namespace ql {
namespace {

// Sees every piece of work Qt is asked to do for a widget of the program: a repaint, a
// layout pass, a move or resize, a show or hide, a new palette or title.
class WidgetWork : public QObject {
 public:
  WidgetWork() { QApplication::instance()->installEventFilter(this); }
  ~WidgetWork() override { QApplication::instance()->removeEventFilter(this); }
  WidgetWork(const WidgetWork&) = delete;
  WidgetWork& operator=(const WidgetWork&) = delete;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched->isWidgetType() && IsWork(event->type())) {
      seen.push_back(watched->objectName().toStdString() + " event " + std::to_string(event->type()));
      if (event->type() == QEvent::LayoutRequest) ++layoutPasses;
    }
    return false;
  }

  std::vector<std::string> seen;
  int layoutPasses = 0;

 private:
  static bool IsWork(QEvent::Type type) {
    switch (type) {
      case QEvent::UpdateRequest:
      case QEvent::Paint:
      case QEvent::LayoutRequest:
      case QEvent::Resize:
      case QEvent::Move:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::PaletteChange:
      case QEvent::EnabledChange:
      case QEvent::WindowTitleChange:
        return true;
      default:
        return false;
    }
  }
};

// The whole window on screen (offscreen), its fast tick driven through most of one PC
// second in which nothing new arrives.
struct IdleTickTest : test::MainWindowFixture {
  void SetUp() override {
    MainWindowFixture::SetUp();
    Form().show();
  }
  // The test drives every tick itself; the window's own timers stay still.
  void StopTimers() {
    for (QTimer* timer : Form().findChildren<QTimer*>()) timer->stop();
  }

  // Settles whatever the set-up changed, then starts a new PC second: its first tick
  // rightly shows the new time.
  void SettleToANewSecond() {
    StopTimers();
    Second();
    Second();
    // A layout pass may ask for a repaint, which a later pass of the loop delivers.
    for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
    clock.utcMillis += 1000 - clock.utcMillis % 1000;
    Form().Timer10msTimer();
    QApplication::processEvents();
  }

  // Work done for the widgets by the fast ticks of the next 900 ms.
  std::vector<std::string> WorkOfQuietTicks() {
    SettleToANewSecond();
    WidgetWork work;
    for (int tick = 0; tick < 180; ++tick) {
      Elapse(5);
      Form().Timer10msTimer();
      QApplication::processEvents();
    }
    return work.seen;
  }
};

TEST_F(IdleTickTest, QuietFastTicksTouchNoWidget) {
  // No logger port.
  EXPECT_EQ(WorkOfQuietTicks(), std::vector<std::string>{});
  EXPECT_EQ(Host().cycle.loops, 181);

  // The logger port open, the logger silent, the statistics window open.
  Choose("LoggerSetupCB", 11);
  Choose("LoggerPortCB", 1);
  Action("HostPortStats")->trigger();
  ASSERT_TRUE(Host().ports.IsPortOpen(0));
  EXPECT_EQ(WorkOfQuietTicks(), std::vector<std::string>{});

  // The Upload page and the Real Time Data page in sight.
  Action("MenuAdvanced")->trigger();
  for (const char* page : {"TSUpload", "TSRealTime"}) {
    Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>(page));
    EXPECT_EQ(WorkOfQuietTicks(), std::vector<std::string>{}) << page;
  }
}

// What changes is shown, and nothing else: a new PC second repaints the host time
// without a layout pass of the column around it.
TEST_F(IdleTickTest, ANewSecondShowsTheNewTimeWithoutALayoutPass) {
  SettleToANewSecond();
  QLabel* time = Find<QLabel>("LBHostDandT");
  const QString before = time->text();
  WidgetWork work;
  clock.utcMillis += 1000;
  Form().Timer10msTimer();
  QApplication::processEvents();
  EXPECT_NE(time->text(), before);
  EXPECT_FALSE(work.seen.empty());
  EXPECT_EQ(work.layoutPasses, 0);
  EXPECT_GE(time->width(), time->fontMetrics().horizontalAdvance(time->text()));
}

// At line rate the counts change every second or faster: the statistics window's packet
// count, the status bar's records and the Real Time Data page's records of a sender
// repaint their own labels, and no window or page is laid out again for a new figure.
struct LineRateTickTest : test::SimulatedWindowFixture {
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) {
      Second();
      Form().StatusBarTimer();
      QApplication::processEvents();
    }
  }
};

TEST_F(LineRateTickTest, ChangingCountsRepaintTheirLabelsWithoutALayoutPass) {
  Form().show();
  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSRealTime"));
  Action("HostPortStats")->trigger();
  for (QTimer* timer : Form().findChildren<QTimer*>()) timer->stop();
  Seconds(3);
  std::vector<QLabel*> counts = {Find<QLabel>("StatusLoss"), Find<QLabel>("LBUnit2")};
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "StatsForm") counts.push_back(w->findChild<QLabel*>("SFLB5"));
  }
  ASSERT_EQ(counts.size(), 3u);
  std::vector<QString> before;
  for (QLabel* label : counts) before.push_back(label->text());

  WidgetWork work;
  Seconds(2);
  std::string passes;
  for (const std::string& seen : work.seen) {
    const bool ours = seen.rfind("StatsForm ", 0) == 0 || seen.rfind("StatusBar ", 0) == 0 ||
                      seen.rfind("Form1 ", 0) == 0 || seen.rfind("TSRealTime ", 0) == 0;
    if (ours && seen.find(" event " + std::to_string(QEvent::LayoutRequest)) != std::string::npos) passes += seen + "; ";
  }
  EXPECT_EQ(passes, "");
  for (size_t i = 0; i < counts.size(); ++i) {
    EXPECT_NE(counts[i]->text(), before[i]) << counts[i]->objectName().toStdString();
    EXPECT_GE(counts[i]->width(), counts[i]->fontMetrics().horizontalAdvance(counts[i]->text()))
        << counts[i]->objectName().toStdString();
  }
}

}  // namespace
}  // namespace ql

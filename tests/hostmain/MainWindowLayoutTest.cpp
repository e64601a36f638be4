#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <set>
#include <QLabel>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>

#include "MainWindowFixture.h"

namespace ql {
namespace {

// Everything that is wrong with the layout of one page, one line each.
struct LayoutFaults {
  std::vector<std::string> lines;

  void Check(const QWidget* widget) {
    for (const QObject* object : widget->children()) {
      const auto* child = qobject_cast<const QWidget*>(object);
      if (child == nullptr || !child->isVisible() || child->isWindow()) continue;
      const QRect inside(QPoint(0, 0), widget->size());
      if (!inside.contains(child->geometry())) {
        lines.push_back(Name(child) + " lies outside " + Name(widget));
      }
      if (const auto* label = qobject_cast<const QLabel*>(child)) CheckLabel(label);
      // Their insides scroll, or belong to the control itself.
      if (qobject_cast<const QAbstractScrollArea*>(child) != nullptr || qobject_cast<const QComboBox*>(child) != nullptr ||
          qobject_cast<const QAbstractSpinBox*>(child) != nullptr) {
        continue;
      }
      Check(child);
    }
  }
  void CheckLabel(const QLabel* label) {
    if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText) return;
    const int room = label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
    const int needed = label->fontMetrics().boundingRect(QRect(), Qt::TextExpandTabs, label->text()).width();
    if (needed > room) {
      lines.push_back(Name(label) + " \"" + label->text().toStdString() + "\" needs " + std::to_string(needed) +
                      " px, has " + std::to_string(room));
    }
  }
  static std::string Name(const QWidget* w) {
    const std::string name = w->objectName().toStdString();
    return (name.empty() ? std::string(w->metaObject()->className()) : name);
  }
};

// With the simulated logger: its status fills the left column, its data the pages.
struct MainWindowLayoutTest : test::SimulatedWindowFixture {
  void SetUp() override { MainWindowFixture::SetUp(); }  // no host mode and no port yet
  QTabWidget* Tabs() { return Find<QTabWidget>("Tabs"); }
  void Seconds(int n) {
    for (int i = 0; i < n; ++i) Second();
    Form().StatusBarTimer();
  }

  void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  // Every page the mode shows, one after the other, at the deck laptop's screen size.
  void CheckEveryPage(const std::string& mode, bool factoryPages = false) {
    Form().resize(1024, 768);
    Settle();
    EXPECT_EQ(Form().size(), QSize(1024, 768)) << mode << ": the window cannot be that small";
    QTabWidget* tabs = Tabs();
    // Every tab is in sight: no scroll arrows. The host modes leave room for every
    // caption (the recording caption is cut on purpose and given whole in its tooltip);
    // the factory pages on top of them may cut the others too.
    EXPECT_FALSE(tabs->tabBar()->usesScrollButtons());
    for (int page = 0; page < tabs->count(); ++page) {
      if (!tabs->isTabVisible(page)) continue;
      EXPECT_TRUE(QRect(QPoint(0, 0), tabs->tabBar()->size()).contains(tabs->tabBar()->tabRect(page))) << mode << page;
    }
    // The captions as set, the recording's cut to the room left, all fit whole.
    if (!factoryPages) EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->width()) << mode;
    EXPECT_TRUE(QRect(QPoint(0, 0), Form().centralWidget()->size()).contains(tabs->geometry())) << mode;
    for (int page = 0; page < tabs->count(); ++page) {
      if (!tabs->isTabVisible(page)) continue;
      tabs->setCurrentIndex(page);
      Settle();
      LayoutFaults faults;
      faults.Check(&Form());
      for (const std::string& line : faults.lines) ADD_FAILURE() << mode << ", page " << tabs->tabText(page).toStdString() << ": " << line;
    }
  }
};

TEST_F(MainWindowLayoutTest, EveryPageOfEveryHostModeFitsADeckLaptopScreen) {
  Form().show();
  Choose("LoggerPortCB", 1);
  Seconds(3);
  CheckEveryPage("no host mode");
  const std::pair<const char*, const char*> modes[] = {
      {"MenuAnalog", "Analog Output"},     {"MenuMoored", "Moored Logging"}, {"MenuProfile", "Profile Logging"},
      {"MenuRealTimeOutput", "Real Time"}, {"PCLogger", "PC-Logger"},        {"MenuAdvanced", "Advanced User"},
  };
  for (const auto& [item, mode] : modes) {
    Action(item)->trigger();
    Seconds(2);
    CheckEveryPage(mode);
  }
  // A daily series' caption is longer than the idle one: the recording tab gives way,
  // never the others, at this size and after the window grows again.
  person.ScriptFile((startDir / "castB").string());
  Find<QPushButton>("BTRecord1Day")->click();
  Seconds(2);
  ASSERT_EQ(Host().recording.state, kRecordDaily);
  CheckEveryPage("Advanced User recording a daily series");
  const int recordTab = Tabs()->indexOf(Find<QWidget>("TSRecord"));
  EXPECT_NE(Tabs()->tabText(recordTab), Find<QLabel>("LBRecordStatus")->text()) << "no room for it whole at 1024";
  Form().resize(1600, 1000);
  Settle();
  EXPECT_EQ(Tabs()->tabText(recordTab), Find<QLabel>("LBRecordStatus")->text()) << "room for it whole at 1600";
  Find<QPushButton>("BTStopRecord")->click();

  // The factory pages on top of the most pages any mode shows, and the longest
  // recording caption there is.
  Action("HardwareConfig")->trigger();
  Action("AnalogCal")->trigger();
  Host().recording.replay.controlsVisible.fill(true);
  Action("MenuReplay")->trigger();
  Choose("LoggerPortCB", 1);
  person.files.push_back("/dev/full");
  Find<QPushButton>("BTRecordArchive")->click();
  Seconds(2);
  ASSERT_TRUE(Host().recording.failing);
  CheckEveryPage("Advanced User with the factory pages", true);
  const int record = Tabs()->indexOf(Find<QWidget>("TSRecord"));
  EXPECT_EQ(Tabs()->tabToolTip(record), Find<QLabel>("LBRecordStatus")->text());
}

TEST_F(MainWindowLayoutTest, CtrlTabPassesOverHiddenPages) {
  Action("PCLogger")->trigger();
  QTabWidget* tabs = Tabs();
  std::vector<int> seen;
  auto press = [tabs](Qt::KeyboardModifiers modifiers) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Tab, modifiers);
    QApplication::sendEvent(tabs, &key);
  };
  for (int i = 0; i < tabs->count(); ++i) {
    press(Qt::ControlModifier);
    seen.push_back(tabs->currentIndex());
  }
  for (int i = 0; i < tabs->count(); ++i) {
    press(Qt::ControlModifier | Qt::ShiftModifier);
    seen.push_back(tabs->currentIndex());
  }
  std::set<int> pages(seen.begin(), seen.end());
  // Real Time Data, Recording, PC-Logger and Plot Setup, both ways round; never the
  // factory pages or the logger's setup pages.
  EXPECT_EQ(pages, (std::set<int>{kTSRealTime, kTSRecord, kTSPCLogger, kTSPlotSetup}));
}

}  // namespace
}  // namespace ql

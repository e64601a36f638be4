#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QImage>
#include <QLineSeries>
#include <QTabWidget>
#include <QTimer>
#include <fstream>

#include "MainWindowFixture.h"
#include "hostmain/PlotPage.h"
#include "loggersim/SimulatedSerialDevice.h"

namespace ql {
namespace {

// The plot page of the whole window, fed by the simulated logger in Advanced User mode.
struct PlotPageTest : test::SimulatedWindowFixture {
  PlotPage* Page() { return Find<PlotPage>("PlotPage"); }
  QLineSeries* Line(const QString& name) {
    for (QAbstractSeries* s : Find<QChartView>("PlotChart")->chart()->series()) {
      if (s->name() == name) return static_cast<QLineSeries*>(s);
    }
    return nullptr;
  }
};

TEST_F(PlotPageTest, DrawsOnlyWhileShownFromStatusesAndInstrumentLines) {
  // Before any data the time axis already spans a real window, or it would never draw.
  auto* timeAxis = qobject_cast<QDateTimeAxis*>(
      Find<QChartView>("PlotChart")->chart()->axes(Qt::Horizontal).value(0));
  ASSERT_NE(timeAxis, nullptr);
  EXPECT_LT(timeAxis->min(), timeAxis->max());
  Form().show();
  QTimer* redraw = Page()->findChild<QTimer*>("PlotRedraw");
  ASSERT_NE(redraw, nullptr);
  EXPECT_FALSE(redraw->isActive()) << "the hidden page must not redraw";
  for (int i = 0; i < 5; ++i) Second();

  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSPlotSetup"));
  EXPECT_TRUE(redraw->isActive());
  Page()->Redraw();
  // Battery volts are chosen from the start; the CTD on port 1 of logger 2 names T, C and P.
  ASSERT_NE(Line("Battery V"), nullptr);
  EXPECT_GE(Line("Battery V")->count(), 4);
  EXPECT_NEAR(Line("Battery V")->at(0).y(), 12.5, 1.0);
  for (const char* box : {"Plot T", "Plot C", "Plot P", "Plot Analog 1 V", "Plot Port 8 Bytes/s"}) {
    EXPECT_NE(Page()->findChild<QCheckBox*>(box), nullptr) << box;
  }
  EXPECT_EQ(Line("T"), nullptr);
  Page()->findChild<QCheckBox*>("Plot T")->click();
  ASSERT_NE(Line("T"), nullptr);
  EXPECT_GE(Line("T")->count(), 5);
  EXPECT_NEAR(Line("T")->at(0).y(), 12.3, 2.0);

  // Another port forgets the CTD's series.
  Choose("PlotPortCB", 2);
  Page()->Redraw();
  EXPECT_EQ(Page()->findChild<QCheckBox*>("Plot T"), nullptr);
  EXPECT_EQ(Line("T"), nullptr);

  Find<QTabWidget>("Tabs")->setCurrentWidget(Find<QWidget>("TSRealTime"));
  EXPECT_FALSE(redraw->isActive());
}

TEST_F(PlotPageTest, StoreAndLoadKeepTheChoiceAndABadFileIsRefused) {
  Choose("PlotSpanCB", 2);
  Choose("PlotPortCB", 3);
  Find<QPushButton>("BTStorePlotSetup")->click();
  ASSERT_TRUE(std::filesystem::exists(startDir / "Last.plt"));
  Choose("PlotSpanCB", 0);
  Find<QPushButton>("BTLoadPlotSetup")->click();
  EXPECT_EQ(Find<QComboBox>("PlotSpanCB")->currentIndex(), 2);
  EXPECT_EQ(Find<QComboBox>("PlotPortCB")->currentIndex(), 3);
  EXPECT_EQ(Host().plot.Port(), 4);
  EXPECT_TRUE(person.boxes.empty());

  { std::ofstream(startDir / "Last.plt") << "not a plot setup\n"; }
  Find<QPushButton>("BTLoadPlotSetup")->click();
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "Plot Setup");
  EXPECT_EQ(Host().plot.SpanMinutes(), 60);

  const QString png = QString::fromStdString((startDir / "plot.png").string());
  EXPECT_TRUE(Page()->SavePlot(png));
  EXPECT_GT(std::filesystem::file_size(startDir / "plot.png"), 100u);
  // The title strip sits above the chart.
  const QImage saved(png);
  const QWidget* chart = Page()->findChild<QWidget*>("PlotChart");
  EXPECT_EQ(saved.width(), chart->width());
  EXPECT_GT(saved.height(), chart->height() + 10);
}

}  // namespace
}  // namespace ql

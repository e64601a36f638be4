#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QDateTimeAxis;
class QLabel;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QTimer;
class QScrollArea;
class QValueAxis;

namespace ql {

class Operator;
class PlotState;

// The "Plot Setup" page: a live chart of the chosen series of the plot state. It draws
// only while it is on screen, a few times a second, from the rings the core keeps.
class PlotPage : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRedrawMs = 250;
  static constexpr int kPointsPerLine = 600;

  // `now` gives the present time in UTC seconds; `setupFile` is Last.plt beside last.zrh.
  PlotPage(PlotState& plot, Operator& op, std::function<double()> now, std::filesystem::path setupFile,
           QWidget* page);

  // Draws what came since the last call; public so that tests need not wait for the timer.
  void Redraw();
  bool SavePlot(const QString& file);

  void BTSavePlotClick();
  void BTStorePlotSetupClick();
  void BTLoadPlotSetupClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void RebuildSeriesBoxes();
  void SyncControls();
  void InstrumentChanged();
  void DrawSeries(const std::string& name, bool chosen, double now);

  PlotState& plot_;
  Operator& op_;
  std::function<double()> now_;
  std::filesystem::path setupFile_;
  QTimer* redrawTimer_ = nullptr;
  QChart* chart_ = nullptr;
  QChartView* PlotChart = nullptr;
  QDateTimeAxis* timeAxis_ = nullptr;
  QValueAxis* valueAxis_ = nullptr;
  std::map<std::string, QLineSeries*> lines_;
  QScrollArea* seriesList_ = nullptr;
  QComboBox* PlotPortCB = nullptr;
  QSpinBox* PlotMuxIDUD = nullptr;
  QLabel* PlotMuxIDLB = nullptr;
  QComboBox* PlotSpanCB = nullptr;
  QPushButton* BTSavePlot = nullptr;
  QPushButton* BTStorePlotSetup = nullptr;
  QPushButton* BTLoadPlotSetup = nullptr;
};

}  // namespace ql

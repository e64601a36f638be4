#include "PlotPage.h"

#include <QChart>
#include <QChartView>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QGridLayout>
#include <QLineSeries>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <limits>

#include "Controls.h"
#include "common/Format.h"
#include "common/Operator.h"
#include "plot/PlotSetupFile.h"
#include "plot/PlotState.h"
#include "plot/PlotTitle.h"

namespace ql {

using namespace controls;

namespace {

QString MuxIdLabel(int id) { return Text(Format("Logger ID:  %3d", id)); }

}  // namespace

PlotPage::PlotPage(PlotState& plot, Operator& op, std::function<double()> now, std::filesystem::path setupFile,
                   QWidget* page)
    : QWidget(page), plot_(plot), op_(op), now_(std::move(now)), setupFile_(std::move(setupFile)) {
  setObjectName("PlotPage");
  QStringList ports;
  for (int port = 1; port <= 8; ++port) ports << QString("Plot Port %1").arg(port);
  PlotPortCB = Combo(this, "PlotPortCB", ports);
  PlotMuxIDUD = UpDown(this, "PlotMuxIDUD", 1, 4, 2);
  PlotMuxIDLB = Label(this, "PlotMuxIDLB", MuxIdLabel(2));
  PlotSpanCB = Combo(this, "PlotSpanCB", {"1 Minute", "10 Minutes", "60 Minutes"});
  BTSavePlot = Button(this, "BTSavePlot", "Save Plot as PNG");
  BTStorePlotSetup = Button(this, "BTStorePlotSetup", "Store Plot Setup");
  BTLoadPlotSetup = Button(this, "BTLoadPlotSetup", "Load Plot Setup");

  chart_ = new QChart;
  chart_->legend()->setAlignment(Qt::AlignBottom);
  timeAxis_ = new QDateTimeAxis;
  timeAxis_->setFormat("HH:mm:ss");
  timeAxis_->setTitleText("PC time");
  // The axis starts with an empty range (both ends at 1970); laid out like that while the
  // page is small or hidden, it never draws again. Start it on the window it will show.
  const auto startMs = static_cast<qint64>(now_() * 1000);
  timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(startMs - plot_.SpanMinutes() * 60'000LL),
                      QDateTime::fromMSecsSinceEpoch(startMs));
  valueAxis_ = new QValueAxis;
  chart_->addAxis(timeAxis_, Qt::AlignBottom);
  chart_->addAxis(valueAxis_, Qt::AlignLeft);
  PlotChart = new QChartView(chart_, this);
  PlotChart->setObjectName("PlotChart");
  PlotChart->setRenderHint(QPainter::Antialiasing);

  seriesList_ = new QScrollArea(this);
  seriesList_->setObjectName("PlotSeriesList");
  seriesList_->setWidgetResizable(true);
  seriesList_->setMinimumWidth(170);

  auto* grid = new QGridLayout(this);
  grid->addWidget(PlotPortCB, 0, 0);
  grid->addWidget(PlotMuxIDLB, 0, 1);
  grid->addWidget(PlotMuxIDUD, 0, 2);
  grid->addWidget(PlotSpanCB, 0, 3);
  grid->addWidget(BTSavePlot, 0, 4);
  grid->addWidget(BTStorePlotSetup, 0, 5);
  grid->addWidget(BTLoadPlotSetup, 0, 6);
  grid->addWidget(seriesList_, 1, 0, 1, 2);
  grid->addWidget(PlotChart, 1, 2, 1, 6);
  grid->setColumnStretch(7, 1);  // the buttons keep their size; the space is left after them
  grid->setRowStretch(1, 1);

  redrawTimer_ = new QTimer(this);
  redrawTimer_->setObjectName("PlotRedraw");
  redrawTimer_->setInterval(kRedrawMs);
  connect(redrawTimer_, &QTimer::timeout, this, &PlotPage::Redraw);

  connect(PlotPortCB, &QComboBox::currentIndexChanged, this, &PlotPage::InstrumentChanged);
  connect(PlotMuxIDUD, &QSpinBox::valueChanged, this, &PlotPage::InstrumentChanged);
  connect(PlotSpanCB, &QComboBox::currentIndexChanged, this,
          [this](int index) { plot_.SetSpanMinutes(PlotState::kSpans[std::clamp(index, 0, 2)]); });
  connect(BTSavePlot, &QPushButton::clicked, this, &PlotPage::BTSavePlotClick);
  connect(BTStorePlotSetup, &QPushButton::clicked, this, &PlotPage::BTStorePlotSetupClick);
  connect(BTLoadPlotSetup, &QPushButton::clicked, this, &PlotPage::BTLoadPlotSetupClick);

  // The series chosen last time come back quietly; a missing file is the first run.
  if (std::filesystem::exists(setupFile_)) LoadPlotSetup(plot_, setupFile_);
  SyncControls();
}

void PlotPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Redraw();
  redrawTimer_->start();
}

void PlotPage::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  redrawTimer_->stop();
}

void PlotPage::InstrumentChanged() {
  plot_.ChooseInstrument(PlotPortCB->currentIndex() + 1, PlotMuxIDUD->value());
  PlotMuxIDLB->setText(MuxIdLabel(plot_.LoggerId()));
}

void PlotPage::SyncControls() {
  SetIndex(PlotPortCB, plot_.Port() - 1);
  SetValue(PlotMuxIDUD, plot_.LoggerId());
  PlotMuxIDLB->setText(MuxIdLabel(plot_.LoggerId()));
  const auto* span = std::find(std::begin(PlotState::kSpans), std::end(PlotState::kSpans), plot_.SpanMinutes());
  SetIndex(PlotSpanCB, static_cast<int>(span - std::begin(PlotState::kSpans)));
  RebuildSeriesBoxes();
}

void PlotPage::RebuildSeriesBoxes() {
  // A fresh list replaces the old one, which goes with its boxes.
  auto* holder = new QWidget;
  auto* boxes = new QVBoxLayout(holder);
  boxes->setContentsMargins(2, 2, 2, 2);
  for (const auto& series : plot_.AllSeries()) {
    const std::string name = series->name;
    QCheckBox* box = CheckBox(holder, Text("Plot " + name), Text(name));
    box->setChecked(series->chosen);
    connect(box, &QCheckBox::toggled, this, [this, name](bool on) {
      plot_.Choose(name, on);
      Redraw();
    });
    boxes->addWidget(box);
  }
  boxes->addStretch();
  seriesList_->setWidget(holder);
}

void PlotPage::Redraw() {
  if (plot_.TakeSeriesListChanged()) {
    RebuildSeriesBoxes();
    for (auto it = lines_.begin(); it != lines_.end();) {
      if (plot_.Find(it->first) == nullptr) {
        chart_->removeSeries(it->second);
        delete it->second;
        it = lines_.erase(it);
      } else {
        ++it;
      }
    }
  }
  if (!plot_.TakeChanged()) return;
  const double now = now_();
  for (const auto& series : plot_.AllSeries()) DrawSeries(series->name, series->chosen, now);

  double low = std::numeric_limits<double>::max(), high = std::numeric_limits<double>::lowest();
  for (const auto& [name, line] : lines_) {
    for (const QPointF& p : line->points()) {
      low = std::min(low, p.y());
      high = std::max(high, p.y());
    }
  }
  if (low > high) low = 0, high = 1;
  const double margin = std::max((high - low) * 0.05, 0.5);
  valueAxis_->setRange(low - margin, high + margin);
  valueAxis_->applyNiceNumbers();  // ticks on round values
  const auto end = static_cast<qint64>(now * 1000);
  timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(end - plot_.SpanMinutes() * 60'000LL),
                      QDateTime::fromMSecsSinceEpoch(end));
}

void PlotPage::DrawSeries(const std::string& name, bool chosen, double now) {
  auto it = lines_.find(name);
  if (!chosen) {
    if (it != lines_.end()) {
      chart_->removeSeries(it->second);
      delete it->second;
      lines_.erase(it);
    }
    return;
  }
  if (it == lines_.end()) {
    auto* line = new QLineSeries;
    line->setName(Text(name));
    chart_->addSeries(line);
    line->attachAxis(timeAxis_);
    line->attachAxis(valueAxis_);
    it = lines_.emplace(name, line).first;
  }
  QList<QPointF> points;
  const auto* series = plot_.Find(name);
  for (const SeriesRing::Point& p : series->ring.Window(now, plot_.SpanMinutes() * 60.0, kPointsPerLine)) {
    points.append(QPointF(p.seconds * 1000.0, p.value));
  }
  it->second->replace(points);
}

bool PlotPage::SavePlot(const QString& file) {
  const QPixmap chart = PlotChart->grab();
  const QString title = Text(PlotTitle(plot_, timeAxis_->max().toSecsSinceEpoch()));
  QFont font = PlotChart->font();
  font.setBold(true);
  // A long list of series wraps instead of being cut.
  const int flags = Qt::AlignCenter | Qt::TextWordWrap;
  const QRect text = QFontMetrics(font).boundingRect(QRect(0, 0, chart.width() - 16, 10'000), flags, title);
  const int strip = text.height() + 12;
  QPixmap picture(chart.width(), chart.height() + strip);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setFont(font);
  painter.drawText(QRect(8, 0, chart.width() - 16, strip), flags, title);
  painter.drawPixmap(0, strip, chart);
  painter.end();
  return picture.save(file, "PNG");
}

void PlotPage::BTSavePlotClick() {
  const QString file = QFileDialog::getSaveFileName(this, "Save Plot", "plot.png", "PNG Images (*.png)");
  if (file.isEmpty()) return;
  if (!SavePlot(file)) op_.Warning("Plot", "Could not write " + file.toStdString());
}

void PlotPage::BTStorePlotSetupClick() {
  const std::string error = StorePlotSetup(plot_, setupFile_);
  if (!error.empty()) op_.Warning("Plot Setup", error);
}

void PlotPage::BTLoadPlotSetupClick() {
  const std::string error = LoadPlotSetup(plot_, setupFile_);
  if (!error.empty()) {
    op_.Warning("Plot Setup", error);
    return;
  }
  SyncControls();
  Redraw();
}

}  // namespace ql

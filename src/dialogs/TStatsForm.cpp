#include "TStatsForm.h"

#include <QCloseEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "SteadyLabel.h"
#include "WidgetColour.h"

namespace ql {
namespace {

constexpr int kLineWidth = 220;  // the least width of a line

}  // namespace

TStatsForm::TStatsForm(StatsBoard& board, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), board_(board) {
  setObjectName("StatsForm");
  setWindowTitle("Statistics Form");
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < StatsBoard::kLostInputLine; ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(i < StatsBoard::kLines ? QString("SFLB%1").arg(i + 1) : QString("SFLBLostInput"));
    label->hide();
    layout->addWidget(label);
    lines_[static_cast<size_t>(i)] = label;
  }
  setMinimumWidth(240);
}

void TStatsForm::Sync() {
  if (board_.Revision() == revisionShown_) return;
  revisionShown_ = board_.Revision();
  const QString caption = QString::fromStdString(board_.Caption());
  if (windowTitle() != caption) setWindowTitle(caption);
  for (int i = 0; i < StatsBoard::kLostInputLine; ++i) {
    QLabel* label = lines_[static_cast<size_t>(i)];
    const StatsBoard::Line& line = board_.At(i + 1);
    const QString text = QString::fromStdString(line.text);
    SetSteadyText(label, text, kLineWidth);
    ApplyColour(label, line.colour, kButtonFace);
    if (label->isHidden() == line.visible) label->setVisible(line.visible);
  }
  if (isHidden() == board_.WindowVisible()) setVisible(board_.WindowVisible());
}

void TStatsForm::closeEvent(QCloseEvent* event) {
  board_.HideWindow();
  QWidget::closeEvent(event);
}

}  // namespace ql

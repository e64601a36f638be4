#pragma once

#include <QWidget>
#include <array>

#include "cycle/StatsBoard.h"

class QLabel;

namespace ql {

// The small always-on-top statistics window: nine lines that mirror the statistics
// board, and below them the logger port's lost-input line once there is one. Its own
// close box only hides it.
class TStatsForm : public QWidget {
  Q_OBJECT

 public:
  explicit TStatsForm(StatsBoard& board, QWidget* parent = nullptr);

  // Copies the board's caption, lines, colours and visibility into the window when the
  // board has changed since the last copy.
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  StatsBoard& board_;
  std::array<QLabel*, StatsBoard::kLostInputLine> lines_{};
  uint32_t revisionShown_ = UINT32_MAX;
};

}  // namespace ql

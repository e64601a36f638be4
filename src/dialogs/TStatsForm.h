#pragma once

#include <QWidget>
#include <array>

class QLabel;

namespace ql {

class StatsBoard;

// The small always-on-top statistics window: nine lines that mirror the statistics
// board. Its own close box only hides it.
class TStatsForm : public QWidget {
  Q_OBJECT

 public:
  explicit TStatsForm(StatsBoard& board, QWidget* parent = nullptr);

  // Copies the board's caption, lines, colours and visibility into the window.
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  StatsBoard& board_;
  std::array<QLabel*, 9> lines_{};
};

}  // namespace ql

#pragma once

#include <QDialog>

class QComboBox;

namespace ql {

class HostState;

// "Test One Logger  Port": puts the logger into a test mode that connects one port
// straight through to the host link. Not modal; keeps its choices between openings.
// Closing it does not end the test: "Stop Test" (or the main window's "Stop") does.
class TTestPortForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTestPortForm(HostState& host, QWidget* parent = nullptr);

  void BTTestPortClick();

 signals:
  // "Start Test" passed its checks: the main window shows the raw logger data before
  // the record goes out.
  void ShowRawLoggerData();
  // "Stop Test": the main window's stop sequence.
  void BTStopTestClick();
  // The dialog was closed.
  void FormClose();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  HostState& host_;
  QComboBox* CBTestPort = nullptr;
  QComboBox* CBTestPortSetup = nullptr;
  QComboBox* CBHostPortSetup = nullptr;
};

}  // namespace ql

#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <memory>

#include "cycle/HostState.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTimer;

namespace ql {

class TStatsForm;

// The dialogs the main window shows and hides; created after it, before the first tick.
struct Dialogs {
  TStatsForm* statsForm = nullptr;
};

// The main window: the left-hand column of status panels, the tabbed pages and the
// main menu. It owns the host state, drives the four timers and mirrors the state into
// its controls; the behaviour itself lives in the core.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op,
         std::filesystem::path startDirectory, QWidget* parent = nullptr);
  ~TForm1() override;

  HostState& Host() { return host_; }
  void AttachDialogs(const Dialogs& dialogs) { dialogs_ = dialogs; }

  // Tick handlers, public so that tests drive them instead of waiting for timers.
  void Timer10msTimer();
  void Timer475msTimer();
  void Timer1000msTimer();

  // Operator actions.
  void LoggerPortCBChange();
  void ShowLoggerPortSetupClick();
  void AutoBaudRateDetectionClick();
  void BTDisplayRawClick();
  void RawPortCBChange();
  void HostPortStatsClick();
  void BTResetCountersClick();
  void EditSendTextKeyDown();
  void BTSendTextClick();
  void FormResize();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct LeftColumn {
    QLabel* FlashPanel = nullptr;
    QGroupBox* HostStatusGB = nullptr;
    QLabel* LBHostDandT = nullptr;
    QLabel* HostMode = nullptr;
    QLabel* COMStatus = nullptr;
    QLabel* PLoggerPort = nullptr;
    QGroupBox* LoggerPortGB = nullptr;
    QComboBox* LoggerPortCB = nullptr;
    QComboBox* LoggerSetupCB = nullptr;
    QPushButton* CloseLoggerPortSetup = nullptr;
  };
  struct RealTimePage {
    QWidget* TSRealTime = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* BTDisplayRaw = nullptr;
    QComboBox* RawSourceCB = nullptr;
    QComboBox* RawPortCB = nullptr;
    QSpinBox* RawMuxIDUD = nullptr;
    QLabel* RawMuxIDLB = nullptr;
    QLabel* LBTimeUnit = nullptr;
    std::array<QLabel*, 4> LBUnit{};
    QPushButton* BTResetCounters = nullptr;
    QLineEdit* EditSendText = nullptr;
    QPushButton* BTSendText = nullptr;
  };
  struct Menus {
    QMenu* MenuLoggerPortSetup = nullptr;
    QAction* ShowLoggerPortSetup = nullptr;
    QAction* HostPortStats = nullptr;
    QAction* AutoBaudRateDetection = nullptr;
  };
  struct Timers {
    QTimer* Timer10ms = nullptr;
    QTimer* Timer475ms = nullptr;
    QTimer* Timer1000ms = nullptr;
    QTimer* TTimeout = nullptr;
  };

  void BuildMenus();
  void BuildLeftColumn();
  void BuildRealTimePage();
  void BuildTimers();
  void FormCreate();

  // Mirroring the host state into the controls.
  void SyncLeftColumn();
  void SyncRealTimePage();
  void SyncDialogs();
  void SyncAfterEvent();

  template <typename Step>
  void RunTick(Step step);

  std::filesystem::path startDirectory_;
  HostState host_;
  QWidget* central_ = nullptr;
  QTabWidget* Tabs = nullptr;
  QSize tabsMinimum_;
  LeftColumn left_;
  RealTimePage realTime_;
  Menus menus_;
  Timers timers_;
  Dialogs dialogs_;
};

}  // namespace ql

#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>

#include "RecordPage.h"
#include "SetupActions.h"
#include "cycle/HostState.h"

class QAction;
class QCheckBox;
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

class PlotPage;
class TAnnotationForm;
class TForm2;
class TMuxIDForm;
class TSleepForm;
class TStatsForm;

// The dialogs the main window shows and hides; created after it, before the first tick.
struct Dialogs {
  TForm2* form2 = nullptr;
  TSleepForm* sleepForm = nullptr;
  TStatsForm* statsForm = nullptr;
  TMuxIDForm* muxIdForm = nullptr;
  TAnnotationForm* annotationForm = nullptr;
};

// The main window: the left-hand column of status panels, the tabbed pages and the
// main menu. It owns the host state, drives the four timers and mirrors the state into
// its controls; the behaviour itself lives in the core.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  TForm1(SerialDeviceFactory deviceFactory, Clock& clock, Operator& op, std::filesystem::path startDirectory,
         QWidget* parent = nullptr);
  ~TForm1() override;

  HostState& Host() { return host_; }
  void AttachDialogs(const Dialogs& dialogs);

  // Tick handlers, public so that tests drive them instead of waiting for timers.
  void Timer10msTimer();
  void Timer475msTimer();
  void Timer1000msTimer();

  // Operator actions.
  void LoggerPortCBChange();
  void ShowLoggerPortSetupClick();
  void AutoBaudRateDetectionClick();
  void HostPortStatsClick();
  void BTDisplayRawClick();
  void RawPortCBChange();
  void BTResetCountersClick();
  void EditSendTextKeyDown();
  void BTSendTextClick();
  void BTSendSetup1Click();
  void BTGetSetup1Click(SetupButton sender);
  void BTStopClick();
  void Button1Click(bool wake);
  void BTSleepClick();
  void LoadDefaultLoggerSetupClick();
  void ResetToMonitorClick();
  void ToggleDebugClick();
  void ModesMenuClick(int hostMode);
  void TabsChange();
  void BTExitClick();
  void FormResize();
  void MenuAnnotateFileClick();
  void MenuReplayClick();

  // SetupDisplayMode: applies the pending host mode to the state and the window.
  void SetupDisplayMode(int pendingMode);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  struct SerialPortRow {
    QLabel* LBS = nullptr;
    QComboBox* ComboMeter = nullptr;
    QComboBox* CBPortSetup = nullptr;
    QCheckBox* SOPH = nullptr;
  };
  struct AnalogPortRow {
    QLabel* LBAnalog = nullptr;
    QComboBox* CBAnalog = nullptr;
    QCheckBox* AOPH = nullptr;
  };
  struct PumpRow {
    QLabel* LBPump = nullptr;
    QComboBox* CBPump = nullptr;
    QCheckBox* POPH = nullptr;
  };
  struct TimeRow {
    QLabel* label = nullptr;
    QSpinBox* UD = nullptr;  // its edit is named like DelayEdit
    QComboBox* Combo = nullptr;
  };
  struct HeadingPair {
    QLabel* once = nullptr;
    QLabel* perHour = nullptr;
  };
  struct PortSetupPage {
    QWidget* TSPortSetup = nullptr;
    std::array<SerialPortRow, 8> serial{};
    std::array<AnalogPortRow, 7> analog{};
    std::array<PumpRow, 4> pumps{};
    HeadingPair serialHeadings, analogHeadings, pumpHeadings;
    QLabel* LBSerial = nullptr;
    QLabel* LBAnalogSetup = nullptr;
    QLabel* LBPump = nullptr;
    QLabel* HostType = nullptr;
    QComboBox* CBHostPortSetup = nullptr;
    QPushButton* BTSendSetup1 = nullptr;
    QPushButton* BTGetSetup1 = nullptr;
  };
  struct LoggerControlPage {
    QWidget* TSLoggerControl = nullptr;
    QLabel* ModeLB = nullptr;
    QComboBox* ModeCB = nullptr;
    QLabel* OutputLB = nullptr;
    QComboBox* OutputCB = nullptr;
    QLabel* FileLB = nullptr;
    QComboBox* FileCB = nullptr;
    QLabel* TimeSourceLB = nullptr;
    QComboBox* TimeSourceCB = nullptr;
    std::array<TimeRow, 6> times{};
    QSpinBox* UDLVCutOff = nullptr;
    QLabel* LBLowVoltage = nullptr;
    QSpinBox* UDAnalogRate = nullptr;
    QLabel* LBAnalogRate = nullptr;
    QCheckBox* CBAutoStart = nullptr;
    QGroupBox* GroupBox7 = nullptr;
    QPushButton* BTBegin = nullptr;
    QPushButton* BTStop = nullptr;
    QPushButton* BTSleep = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* BTSendSetup2 = nullptr;
    QPushButton* BTGetSetup2 = nullptr;
  };
  struct StatusPortRow {
    QLabel* MLabel = nullptr;
    QLabel* MBPSLabel = nullptr;
    QLabel* MFSLabel = nullptr;
    QLabel* MTypeLabel = nullptr;
    QLabel* MStatusLabel = nullptr;
    QLabel* MFileSizeLabel = nullptr;
  };
  struct DataStatusPage {
    QWidget* TSDataStatus = nullptr;
    std::array<StatusPortRow, 8> ports{};
    std::array<QLabel*, 7> LBA{};
    std::array<QLabel*, 7> Analog{};
    QLabel* LBAnalog = nullptr;
    QLabel* AnalogFS = nullptr;
    QLabel* AnalogFileSizeLabel = nullptr;
  };
  struct LeftColumn {
    QLabel* PStore = nullptr;
    QLabel* FlashPanel = nullptr;
    QLabel* RemoteHostPanel = nullptr;
    QGroupBox* HostStatusGB = nullptr;
    QLabel* LBHostDandT = nullptr;
    QLabel* HostMode = nullptr;
    QLabel* COMStatus = nullptr;
    QLabel* PLoggerPort = nullptr;
    QGroupBox* LoggerPortGB = nullptr;
    QComboBox* LoggerPortCB = nullptr;
    QComboBox* LoggerSetupCB = nullptr;
    QPushButton* CloseLoggerPortSetup = nullptr;
    QGroupBox* LoggerStatusGB = nullptr;
    QLabel* LoggerMode = nullptr;
    QLabel* LBOperation = nullptr;
    QLabel* LBDandT = nullptr;
    QLabel* LBDrift = nullptr;
    QLabel* LBTimeLeft = nullptr;
    QLabel* LBRunNumber = nullptr;
    QLabel* LBRunSize = nullptr;
    QLabel* LBCurrentV = nullptr;
    QLabel* LBStartV = nullptr;
    QLabel* LBEndV = nullptr;
    QLabel* LBFreeDisk = nullptr;
    QLabel* LBTotalDisk = nullptr;
    QLabel* LBPower = nullptr;
    QLabel* LBRunStop = nullptr;
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
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
  };
  struct Menus {
    QMenu* MenuLoggerPortSetup = nullptr;
    QAction* ShowLoggerPortSetup = nullptr;
    QAction* HostPortStats = nullptr;
    QAction* AutoBaudRateDetection = nullptr;
    QAction* ToggleDebug = nullptr;
    std::array<QAction*, kModeMenuItemCount> byMode{};  // items whose visibility follows the host mode
  };
  struct Timers {
    QTimer* Timer10ms = nullptr;
    QTimer* Timer475ms = nullptr;
    QTimer* Timer1000ms = nullptr;
    QTimer* TTimeout = nullptr;
  };

  void BuildMenus();
  void BuildLeftColumn();
  void BuildPages();
  void BuildPortSetupPage();
  void BuildLoggerControlPage();
  void BuildDataStatusPage();
  void BuildRealTimePage();
  void BuildRecordPage();
  void BuildTimers();
  void ConnectSetupControls();
  void FormCreate();

  // Mirroring the host state into the controls.
  void SyncLeftColumn();
  void SyncSetupPages();
  void SyncRealTimePage();
  void SyncRecordPage();
  void SyncDialogs();
  void ApplyPendingDisplay();
  void ApplyReceivedSetup(const ReceivedSetupView& view);
  void ApplyStatus(const StatusDisplay& status);
  void ApplyModeDisplay(const ModeDisplay& display);
  void SyncAfterEvent();

  // A setup control was edited: write it into the setup state, then run the action.
  template <typename Edit, typename Action>
  void SetupEdit(Edit edit, Action action);

  // Runs one tick's step unless another tick of this window is still running.
  template <typename Step>
  bool RunTick(Step step);

  std::filesystem::path startDirectory_;
  HostState host_;
  QWidget* central_ = nullptr;
  QTabWidget* Tabs = nullptr;
  std::array<QWidget*, kPageCount> pages_{};
  bool exiting_ = false;
  int tickDepth_ = 0;  // ticks of this window now running
  // What the left column last showed of the fast-changing state, so that the 5 ms tick
  // touches the controls only when something changed.
  LoggerPortControls portShown_;
  int64_t secondShown_ = -1;
  QSize tabsMinimum_;
  LeftColumn left_;
  PortSetupPage portSetup_;
  LoggerControlPage loggerControl_;
  DataStatusPage dataStatus_;
  RealTimePage realTime_;
  PlotPage* plotPage_ = nullptr;
  RecordPageControls record_;
  Menus menus_;
  Timers timers_;
  Dialogs dialogs_;
};

}  // namespace ql

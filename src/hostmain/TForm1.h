#pragma once

#include <QMainWindow>
#include <array>
#include <filesystem>

#include "PCLoggerPage.h"
#include "FactoryPageControls.h"
#include "RecordPage.h"
#include "cycle/SetupActions.h"
#include "UploadPageControls.h"
#include "cycle/HostState.h"
#include "setupfile/HostSetupFile.h"
#include "cycle/RefreshGate.h"
#include "reconnect/LoggerPortKeeper.h"
#include "statusbar/StatusBar.h"

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
class TRS422Form;
class TSleepForm;
class TStatsForm;
class TabStopLabel;
class TTestPortForm;

// The dialogs the main window shows and hides; created after it, before the first tick.
struct Dialogs {
  TForm2* form2 = nullptr;
  TSleepForm* sleepForm = nullptr;
  TRS422Form* rs422Form = nullptr;
  TTestPortForm* testPortForm = nullptr;
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
  // The status bar's refresh, a few times a second.
  void StatusBarTimer();

  // Operator actions.
  void LoggerPortCBChange();
  void ShowLoggerPortSetupClick();
  void AutoBaudRateDetectionClick();
  void ChangeHostPortType1Click();
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
  void BTGetDirectoryClick();
  void BTClearMemoryClick();
  void BTUploadClick();
  void BTCancelUploadClick();
  void BTExtractClick();
  void TTimeoutTimer();
  // The logger's clock, port test and ID (LoggerToolsMenu.cpp).
  void MenuAutoTimeUpdateClick();
  void MenuUpdateTimeNowClick();
  void MooredTimeUpdatesClick();
  void MenuTestOneSerialPortClick();
  void MenuChangeLoggerIDClick();
  void ModesMenuClick(int hostMode);
  void TabsChange();
  void BTExitClick();
  // The PC-Logger page: the row boxes and up-downs of deck port n, the rate, the buttons.
  void PortType1CBChange(int port);
  void UDDeckType1Click(int port);
  void UDOutPort1Click(int port);
  void UDDeckRateClick();
  void BTLoadDeckClick();
  void BTRestoreDeckClick();
  void CloseAllSurfacePortsClick();
  void FormResize();
  // A window set for a larger screen shrinks to this one's working area.
  void FitToScreen();
  void MenuAnnotateFileClick();
  void MenuReplayClick();
  // Files menu: the Recording page's replay, from wherever the operator is.
  void FilesReplayClick(bool continuous);

  // The host setup file: checked whole, then applied record by record; false (and
  // nothing changed) when it is missing or faulty. An explicit load keeps a chosen
  // logger port. Storing writes what the controls hold now.
  bool LoadHostSetup(const std::filesystem::path& file, bool explicitLoad);
  void StoreHostSetup(const std::filesystem::path& file);
  // Files menu: a host setup file chosen by the operator.
  void LoadHostSetupFileClick();
  void StoreHostSetupFileClick();
  HostSetupFile HostSetupNow() const;
  static constexpr const char* kLastSetupFile = "last.zrh";

  // SetupDisplayMode: applies the pending host mode to the state and the window.
  void SetupDisplayMode(int pendingMode);

  // The hardware configuration and analog calibration pages; their requests go
  // through BTGetSetup1Click.
  void BTSendHardwareSetupClick();
  void BTSaveHardwareFileClick();
  void BTLoadHardwareFileClick();
  void BTSendAnalogCalibrationClick();
  void BTSaveAnalogFileClick();
  void BTLoadAnalogFileClick();
  // The menu items HardwareConfig and AnalogCal and the pages' "Done" buttons.
  void HardwareConfigClick();
  void AnalogCalClick();

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
    std::array<TabStopLabel*, 4> LBUnit{};
    std::array<QLabel*, 2> LBUnitHeadings{};  // over units 1 and 3, and over units 2 and 4
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
    QAction* MenuAutoTimeUpdate = nullptr;
    QAction* MenuUpdateTimeNow = nullptr;
    QAction* MenuMooredTimeUpdate = nullptr;
    QAction* FilesReplayArchive = nullptr;     // "Replay Archive..."
    QAction* FilesReplayContinuous = nullptr;  // "Replay Archive Continuously..."
    std::array<QAction*, kModeMenuItemCount> byMode{};  // items whose visibility follows the host mode
  };
  struct Timers {
    QTimer* Timer10ms = nullptr;
    QTimer* Timer475ms = nullptr;
    QTimer* Timer1000ms = nullptr;
    QTimer* TTimeout = nullptr;
    QTimer* StatusBarTimer = nullptr;
  };
  struct StatusBarLabels {
    QLabel* link = nullptr;
    QLabel* loss = nullptr;
    QLabel* recording = nullptr;
    QLabel* upload = nullptr;
  };

  void BuildMenus();
  void BuildLeftColumn();
  void BuildPages();
  void BuildPortSetupPage();
  void BuildLoggerControlPage();
  void BuildDataStatusPage();
  void BuildRealTimePage();
  void BuildUploadPage();
  void BuildPCLoggerPage();
  void BuildRecordPage();
  void BuildTimers();
  void BuildStatusBar();
  void ShowRecordingStatus();  // the recording text, cut in the middle to fit
  void ConnectSetupControls();
  void ConnectLoggerTools();
  void FormCreate();

  // Mirroring the host state into the controls.
  void SyncLeftColumn();
  void SyncSetupPages();
  void SyncRealTimePage();
  void SyncUploadPage();
  void SyncUploadTimer();  // TTimeout runs while the upload state says so
  void SyncPCLoggerPage();
  void SyncRecordPage();
  void FitRecordingTab();
  void SyncDialogs();
  void SyncClockMenus();
  // The port test dialog: its start shows the raw logger data; closing it in the
  // moored and profile modes hides the Real Time Data page again.
  void ShowRawLoggerData();
  void TestPortFormClose();
  void ApplyPendingDisplay();
  void ApplyReceivedSetup(const ReceivedSetupView& view);
  void ApplyStatus(const StatusDisplay& status);
  void ApplyModeDisplay(const ModeDisplay& display);
  void LoadWindowRecord(const HostSetupFile& file);
  void LoadMenuFlags(const HostSetupFile& file, int record);
  void LoadSetupCombosVisibility(const HostSetupFile& file);
  void SyncAfterEvent();

  // A setup control was edited: write it into the setup state, then run the action.
  template <typename Edit, typename Action>
  void SetupEdit(Edit edit, Action action);

  // Runs one tick's step unless another tick of this window is still running.
  template <typename Step>
  bool RunTick(Step step);

  // The factory pages (HardwarePage.cpp, AnalogPage.cpp, PageToggle.cpp).
  void BuildHardwarePage();
  void BuildAnalogPage();
  void SyncHardwarePage();
  void SyncAnalogPage();
  // A factory page control was edited: write it into the state, mark the page edited.
  template <typename Edit>
  void HardwareEdit(Edit edit);
  template <typename Edit>
  void AnalogEdit(Edit edit);
  void TogglePage(QWidget* page, QAction* menuItem, const PageToggleCaptions& captions);
  void RefreshPageToggles();

  std::filesystem::path startDirectory_;
  HostState host_;
  QWidget* central_ = nullptr;
  QTabWidget* Tabs = nullptr;
  int shownTab_ = 0;  // the page last shown
  // What the recording tab's caption was last fitted to.
  struct RecordingTabFit {
    QString caption;
    int barWidth = 0;
    uint32_t pagesShown = 0;
    bool operator==(const RecordingTabFit&) const = default;
  };
  RecordingTabFit recordingTabFit_;
  // The tab widget's frame beside its tab bar.
  static constexpr int kTabBarSlack = 4;
  std::array<QWidget*, kPageCount> pages_{};
  bool exiting_ = false;
  int tickDepth_ = 0;  // ticks of this window now running
  // What the left column last showed of the fast-changing state, so that the 5 ms tick
  // touches the controls only when something changed.
  LoggerPortControls portShown_;
  int64_t secondShown_ = -1;
  // The statistics window's lines change with every packet; it redraws at display rate.
  RefreshGate statsRefresh_;
  QSize tabsMinimum_;
  LeftColumn left_;
  PortSetupPage portSetup_;
  LoggerControlPage loggerControl_;
  DataStatusPage dataStatus_;
  RealTimePage realTime_;
  HardwarePageControls hardware_;
  AnalogPageControls analog_;
  PlotPage* plotPage_ = nullptr;
  UploadPageControls upload_;
  PCLoggerPage pcLogger_;
  RecordPageControls record_;
  Menus menus_;
  Timers timers_;
  StatusBar statusBar_;
  LoggerPortKeeper loggerKeeper_;
  StatusBarLabels statusLabels_;
  Dialogs dialogs_;
};

}  // namespace ql

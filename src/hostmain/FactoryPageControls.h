#pragma once

#include <array>

#include "setup/AnalogCalibration.h"
#include "setup/HardwareConfig.h"

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QWidget;

namespace ql {

// The controls of the "Hardware Configuration" page.
struct HardwarePageControls {
  QWidget* TSHardware = nullptr;
  QPushButton* BTGetHardware = nullptr;
  QPushButton* BTSendHardwareSetup = nullptr;
  QLineEdit* HWPassword = nullptr;
  QLabel* PasswordLabel = nullptr;
  QComboBox* DeviceTypeCB = nullptr;
  QSpinBox* UDSerialNumber = nullptr;  // its edit is SNEdit
  QComboBox* RunStopCB = nullptr;
  QComboBox* StatusLEDCB = nullptr;
  QGroupBox* RelayGroup = nullptr;  // "Relay Assignments"
  std::array<QComboBox*, kRelayBoxCount> relays{};  // RelaySP1..8, RelayAP1..7, RelayPP1..4
  QPushButton* BTLoadHardwareFile = nullptr;
  QPushButton* BTSaveHardwareFile = nullptr;
  QPushButton* BTDoneWithHardware = nullptr;
  QPushButton* BTQL9Defaults = nullptr;
  QLabel* HardwarePanel = nullptr;
  QAction* HardwareConfig = nullptr;  // the menu item that shows and hides the page
};

// The controls of the "Analog Calibration" page.
struct AnalogPageControls {
  QWidget* TSAnalog = nullptr;
  QPushButton* BTGetAnalog = nullptr;
  QPushButton* BTSendAnalogCalibration = nullptr;
  QLineEdit* ALGPassword = nullptr;
  QLabel* PasswordLabel = nullptr;
  std::array<QLineEdit*, kCalibrationChannels> MEOffset{};
  std::array<QLineEdit*, kCalibrationChannels> MEScale{};
  QPushButton* BTLoadAnalogFile = nullptr;
  QPushButton* BTSaveAnalogFile = nullptr;
  QPushButton* BTDoneWithAnalog = nullptr;
  QLabel* AnalogPanel = nullptr;
  QAction* AnalogCal = nullptr;  // the menu item that shows and hides the page
};

}  // namespace ql

#pragma once

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace ql {

// The controls of one deck port row of the PC-Logger page.
struct DeckPortControls {
  QComboBox* PortTypeCB = nullptr;
  QComboBox* DeckPortCB = nullptr;
  QComboBox* DeckSetupCB = nullptr;
  QLabel* LBDeckType = nullptr;
  QSpinBox* UDDeckType = nullptr;
  QLabel* PCOutPort = nullptr;
  QSpinBox* UDOutPort = nullptr;
  QLabel* PCPort = nullptr;
  QLabel* DSPCPort = nullptr;  // on the Data Status page
};

// The page TSPCLogger "PC-Logger" and the deck port labels of the Data Status page.
struct PCLoggerPage {
  QWidget* TSPCLogger = nullptr;
  std::array<DeckPortControls, 9> rows{};  // deck ports 1..8; entry 0 unused
  QSpinBox* UDDeckRate = nullptr;
  QLabel* LBDeckRate = nullptr;
  QLabel* LBDeckInterval = nullptr;
  QCheckBox* CBRecordPCTime = nullptr;
  QPushButton* BTLoadDeck = nullptr;
  QPushButton* BTRestoreDeck = nullptr;
  QPushButton* BTClearDeck = nullptr;
  QLabel* PCLoggerPanel = nullptr;
  QLabel* PCInHdr = nullptr;
  QLabel* PCOutHdr = nullptr;
  QLabel* DSPCPorts = nullptr;  // on the Data Status page
};

}  // namespace ql

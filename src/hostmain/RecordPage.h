#pragma once

#include <array>

class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace ql {

// The controls of the Recording page (TSRecord).
struct RecordPageControls {
  QWidget* TSRecord = nullptr;
  QPushButton* BTRecordArchive = nullptr;
  QPushButton* BTRecord1Hour = nullptr;
  QPushButton* BTRecord1Day = nullptr;
  QPushButton* BTRecordRaw = nullptr;  // laid out hidden
  QPushButton* BTStopRecord = nullptr;
  QPushButton* ReplayArchiveBT = nullptr;
  QPushButton* ReplayContinuousBT = nullptr;
  QLabel* ReplaySpeedLB1 = nullptr;
  QLabel* ReplaySpeedLB2 = nullptr;
  QSpinBox* ReplaySpeedUD = nullptr;  // its edit is ReplaySpeedEdit
  QLabel* LBRecordStatus = nullptr;
  QLabel* LBArchiveFileName = nullptr;
  QLabel* LBArchiveFileSize = nullptr;

  // Disabled together while anything records or replays.
  std::array<QPushButton*, 6> StartButtons() const {
    return {BTRecordArchive, BTRecordRaw, BTRecord1Hour, BTRecord1Day, ReplayArchiveBT, ReplayContinuousBT};
  }
};

}  // namespace ql

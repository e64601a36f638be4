#pragma once

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace ql {

// The controls of the page TSUpload ("Upload Logger Data"): the run list, the upload's
// progress and the buttons that ask for the directory, clear the flash and upload.
struct UploadPageControls {
  QWidget* TSUpload = nullptr;
  QLabel* Label31 = nullptr;   // "Voltage", above the two voltage columns
  QLabel* LBHeader = nullptr;  // the list's column header
  QListWidget* LBProfiles = nullptr;
  QGroupBox* ExtractFilesRG = nullptr;
  QButtonGroup* extractChoices = nullptr;  // its two items, by item index
  QPushButton* BTGetDirectory = nullptr;
  QPushButton* BTClearMemory = nullptr;
  QPushButton* BTUpload = nullptr;
  QPushButton* BTCancelUpload = nullptr;
  QPushButton* BTExtract = nullptr;
  QProgressBar* UpLoadPB = nullptr;
  QLabel* UpLoadRun = nullptr;
  QLabel* UpLoadSize = nullptr;
  QLabel* CSError = nullptr;
};

}  // namespace ql

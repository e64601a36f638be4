#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace ql {

class HostState;

// Water-sample and free-text marks for the recorded archive. Not modal; closing only
// hides it, and the sample number and a waiting mark survive.
class TAnnotationForm : public QDialog {
  Q_OBJECT

 public:
  explicit TAnnotationForm(HostState& host, QWidget* parent = nullptr);

  // MenuAnnotateFileClick: shown on top, centred on the main window.
  void ShowCentred();
  // Copies the marks' texts and the next sample number into the controls.
  void Sync();

  void BTStartClick();
  void BTEndClick();
  void BTSendClick();
  void BTResetClick();
  void UDNextClick(int position);

 private:
  HostState& host_;
  QLabel* LBAnnotation = nullptr;
  QLabel* AnnotateDANDT = nullptr;
  QLabel* LBNext = nullptr;
  QSpinBox* UDNext = nullptr;
  QLineEdit* EDITAnnotation = nullptr;
  QPushButton* BTStart = nullptr;
  QPushButton* BTEnd = nullptr;
  QPushButton* BTSend = nullptr;
  QPushButton* BTReset = nullptr;
  QPushButton* BTClose = nullptr;
};

}  // namespace ql

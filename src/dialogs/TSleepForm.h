#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ql {

class HostState;

// "Sleep Options": the PC's and the logger's clocks, and the moored sleep controls. Not
// modal, so the clocks keep moving; the texts typed stay between openings.
class TSleepForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSleepForm(HostState& host, QWidget* parent = nullptr);
  void SetHostTime(const std::string& time, const std::string& date);
  void SetLoggerTime(const std::string& time, const std::string& date);

  void SleepButtonClick();
  void CancelButtonClick();

 private:
  HostState& host_;
  QLabel* hostTime_ = nullptr;
  QLabel* hostDate_ = nullptr;
  QLabel* sleepTime_ = nullptr;
  QLabel* sleepDate_ = nullptr;
  QLineEdit* METime_ = nullptr;
  QLineEdit* MEDate_ = nullptr;
};

}  // namespace ql

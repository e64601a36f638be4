#pragma once

#include <QDialog>
#include <string>

class QLabel;

namespace ql {

// "Sleep Options": the PC's and the logger's clocks, and the moored sleep controls.
class TSleepForm : public QDialog {
  Q_OBJECT

 public:
  explicit TSleepForm(QWidget* parent = nullptr);
  void SetHostTime(const std::string& time, const std::string& date);
  void SetLoggerTime(const std::string& time, const std::string& date);

 private:
  QLabel* hostTime_ = nullptr;
  QLabel* hostDate_ = nullptr;
  QLabel* sleepTime_ = nullptr;
  QLabel* sleepDate_ = nullptr;
};

}  // namespace ql

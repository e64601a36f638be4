#pragma once

#include <QDialog>

class QPushButton;

namespace ql {

class CommandSender;

// "Changing Host Port Interface Protocol": switches the logger's host interface between
// RS-232 and RS-422. The logger does not answer; the PC port keeps its line setting.
class TRS422Form : public QDialog {
  Q_OBJECT

 public:
  explicit TRS422Form(CommandSender& sender, QWidget* parent = nullptr);

  void RS232ButtonClick();
  void RS422ButtonClick();
  void RS422CancelClick();

 private:
  CommandSender& sender_;
};

}  // namespace ql

#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QSpinBox;

namespace ql {

class HostState;

// "Set Logger ID": shows the ID the last status reported and gives the logger a new one.
class TMuxIDForm : public QDialog {
  Q_OBJECT

 public:
  explicit TMuxIDForm(HostState& host, QWidget* parent = nullptr);
  void SetCurrentId(const std::string& text);

  void UDMuxIDClick();
  void BTSendMuxIDClick();

 private:
  HostState& host_;
  QLabel* LBCurrentMuxID = nullptr;
  QLabel* LBNewMuxID = nullptr;
  QSpinBox* UDMuxID = nullptr;
};

}  // namespace ql

#include "TMuxIDForm.h"

#include <QLabel>
#include <QVBoxLayout>

namespace ql {

TMuxIDForm::TMuxIDForm(QWidget* parent) : QDialog(parent) {
  setObjectName("MuxIDForm");
  setWindowTitle("Set Logger ID");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  current_ = new QLabel("Current Logger ID:  XXX", this);
  current_->setObjectName("LBCurrentMuxID");
  layout->addWidget(current_);
}

void TMuxIDForm::SetCurrentId(const std::string& text) {
  const QString t = QString::fromStdString(text);
  if (current_->text() != t) current_->setText(t);
}

}  // namespace ql

#include "TForm2.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "WidgetColour.h"

namespace ql {

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName("Form2");
  setWindowTitle("WARNING!!!");
  setModal(false);
  ApplyColour(this, kRed, kButtonFace);
  auto* layout = new QVBoxLayout(this);
  label_ = new QLabel(this);
  label_->setObjectName("Label1");
  label_->setWordWrap(true);
  QFont bold = label_->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  label_->setFont(bold);
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("BitBtn1");
  layout->addWidget(label_);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  connect(ok, &QPushButton::clicked, this, &QWidget::hide);
  resize(380, 140);
}

void TForm2::ShowWarning(const std::string& text) {
  label_->setText(QString::fromStdString(text));
  show();
}

}  // namespace ql

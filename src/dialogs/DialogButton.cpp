#include "DialogButton.h"

#include <QPushButton>

namespace ql {

QPushButton* DialogButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace ql

#include "SteadyLabel.h"

#include <QLabel>

#include <algorithm>

namespace ql {

void SetSteadyText(QLabel* label, const QString& text, int minimumWidth) {
  if (label->text() == text) return;
  // A label of fixed size asks for no layout pass when its text changes.
  label->setText(text);
  const QSize hint = label->sizeHint();
  const int width = std::max(minimumWidth, hint.width());
  const bool fixed = label->minimumWidth() == label->maximumWidth() && label->minimumHeight() == label->maximumHeight();
  const int now = label->maximumWidth();
  if (!fixed || width > now || 3 * width < 2 * now || label->maximumHeight() != hint.height()) {
    label->setFixedSize(width, hint.height());
  }
}

}  // namespace ql

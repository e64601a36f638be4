#include "SteadyLabel.h"

#include <QLabel>

#include <algorithm>

namespace ql {

void SetSteadyText(QLabel* label, const QString& text, int minimumWidth) {
  if (label->text() == text) return;
  // A label of fixed size asks for no layout pass when its text changes.
  label->setText(text);
  // The label's own size hint never falls below the width held fixed here, so the text
  // is measured instead.
  const QMargins m = label->contentsMargins();
  const int frame = 2 * (label->frameWidth() + label->margin());
  const QRect box = label->fontMetrics().boundingRect(QRect(), Qt::TextExpandTabs, text);
  const int width = std::max(minimumWidth, box.width() + m.left() + m.right() + frame);
  const int height = std::max(box.height(), label->fontMetrics().height()) + m.top() + m.bottom() + frame;
  KeepSteadySize(label, {width, height});
}

void KeepSteadySize(QLabel* label, QSize wanted) {
  const bool fixed = label->minimumWidth() == label->maximumWidth() && label->minimumHeight() == label->maximumHeight();
  const int now = label->maximumWidth();
  // A few characters of slack before it narrows: a figure going from 100 back to 99 does
  // not move what follows it.
  const int slack = 4 * label->fontMetrics().averageCharWidth();
  if (!fixed || wanted.width() > now || wanted.width() + slack < now || label->maximumHeight() != wanted.height()) {
    label->setFixedSize(wanted);
  }
}

}  // namespace ql

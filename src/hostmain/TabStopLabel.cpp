#include "TabStopLabel.h"

#include <QPainter>
#include <QTextOption>
#include <vector>

#include "dialogs/SteadyLabel.h"

namespace ql {

TabStopLabel::TabStopLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void TabStopLabel::SetTabStops(const QList<int>& stops) {
  stops_ = stops;
  updateGeometry();
  update();
}

void TabStopLabel::SetSteadyText(const QString& text) {
  if (this->text() == text) return;
  setText(text);
  KeepSteadySize(this, sizeHint());
}

QSize TabStopLabel::sizeHint() const {
  std::vector<int> stops(stops_.begin(), stops_.end());
  stops.push_back(0);  // the list's end
  const QRect text = fontMetrics().boundingRect(QRect(), Qt::TextExpandTabs, this->text(), 0, stops.data());
  const QMargins m = contentsMargins();
  return {text.width() + m.left() + m.right() + 2 * margin(), text.height() + m.top() + m.bottom() + 2 * margin()};
}

QSize TabStopLabel::minimumSizeHint() const { return sizeHint(); }

void TabStopLabel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
  QList<qreal> stops;
  for (int stop : stops_) stops.append(stop);
  option.setTabArray(stops);
  option.setWrapMode(QTextOption::NoWrap);
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(QRectF(contentsRect().adjusted(margin(), margin(), -margin(), -margin())), text(), option);
}

}  // namespace ql

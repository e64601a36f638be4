#pragma once

#include <QLabel>
#include <QList>

namespace ql {

// A label whose tabs stop at given places, so that the numbers of several labels (and
// the headings above them) line up in columns whatever their widths.
class TabStopLabel : public QLabel {
 public:
  TabStopLabel(const QString& text, QWidget* parent);

  // Pixels from the left edge of the text; a tab goes to the first stop past the text
  // before it.
  void SetTabStops(const QList<int>& stops);

  // Sets counts that change every second at line rate without laying out the page again:
  // the label keeps its size while the new text fits.
  void SetSteadyText(const QString& text);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QList<int> stops_;
};

}  // namespace ql

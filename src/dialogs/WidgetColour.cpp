#include "WidgetColour.h"

#include <QApplication>
#include <QPalette>
#include <QVariant>

namespace ql {
namespace {

constexpr const char* kColourProperty = "qlColour";

}  // namespace

QColor ToQColor(Colour colour) {
  if (colour == kWindowColour) return QApplication::palette().color(QPalette::Base);
  if (colour == kButtonFace) return QApplication::palette().color(QPalette::Button);
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

Colour AppliedColour(const QWidget* widget, Colour natural) {
  const QVariant v = widget->property(kColourProperty);
  return v.isValid() ? static_cast<Colour>(v.toUInt()) : natural;
}

void ApplyColour(QWidget* widget, Colour colour, Colour natural) {
  if (AppliedColour(widget, natural) == colour) return;
  widget->setProperty(kColourProperty, QVariant::fromValue(static_cast<uint>(colour)));
  if (colour == natural) {
    widget->setPalette(QPalette());
    widget->setAutoFillBackground(false);
    return;
  }
  QPalette palette = widget->palette();
  const QColor c = ToQColor(colour);
  palette.setColor(QPalette::Window, c);
  palette.setColor(QPalette::Base, c);
  palette.setColor(QPalette::Button, c);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

}  // namespace ql

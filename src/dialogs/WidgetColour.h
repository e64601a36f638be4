#pragma once

#include <QColor>
#include <QWidget>

#include "common/Colour.h"

namespace ql {

QColor ToQColor(Colour colour);

// Colours a control's background. The control's natural colour restores its default
// palette; a colour already applied is not applied again.
void ApplyColour(QWidget* widget, Colour colour, Colour natural);

// The colour last applied with ApplyColour (the natural one when none was).
Colour AppliedColour(const QWidget* widget, Colour natural);

}  // namespace ql

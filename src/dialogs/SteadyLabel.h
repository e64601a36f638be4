#pragma once

#include <QSize>
#include <QString>

class QLabel;

namespace ql {

// Sets a plain label's text (one line, no tab stops of its own) while keeping the label's size fixed, so that a count changing
// several times a second repaints that label alone instead of laying out its whole
// window again. The width is fitted anew only when the text no longer fits, or would
// leave more than a few characters empty; it is never below `minimumWidth`.
void SetSteadyText(QLabel* label, const QString& text, int minimumWidth = 0);

// Holds a label, whose text has just been set, at a fixed size that fits `wanted`, by the
// same rule: refitted only when too small or more than a few characters too wide.
void KeepSteadySize(QLabel* label, QSize wanted);

}  // namespace ql

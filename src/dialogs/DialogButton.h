#pragma once

class QPushButton;
class QWidget;

namespace ql {

// A named push button of a small dialog that Enter in the dialog's edits does not press:
// the operator confirms what was typed only with a deliberate click.
QPushButton* DialogButton(QWidget* parent, const char* name, const char* text);

}  // namespace ql

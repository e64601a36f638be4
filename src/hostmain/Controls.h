#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QString>
#include <functional>
#include <string>

// Making and setting controls the way the main window needs them: every control named
// after its role, and values set from the host state without raising change events.
namespace ql::controls {

inline QString Text(const std::string& s) { return QString::fromStdString(s); }

QLabel* Label(QWidget* parent, const QString& name, const QString& text);
QLabel* Panel(QWidget* parent, const QString& name, const QString& text);
QPushButton* Button(QWidget* parent, const QString& name, const QString& text);
QCheckBox* CheckBox(QWidget* parent, const QString& name, const QString& text);
QComboBox* Combo(QWidget* parent, const QString& name, const QStringList& items);
QSpinBox* UpDown(QWidget* parent, const QString& name, int minimum, int maximum, int value, int step = 1);

template <typename Items>
QStringList ItemList(const Items& items) {
  QStringList list;
  for (const auto& item : items) list << QString::fromStdString(std::string(item));
  return list;
}

// Runs `onClick` when the widget (a panel that is not a button) is clicked.
void OnClick(QWidget* widget, std::function<void()> onClick);
// Runs `onResize` whenever the widget changes size.
void OnResize(QWidget* widget, std::function<void()> onResize);

void SetIndex(QComboBox* combo, int index);
void SetValue(QSpinBox* upDown, int value);
void SetChecked(QCheckBox* box, bool checked);
void SetText(QLabel* label, const std::string& text);
void SetText(QPushButton* button, const std::string& text);
void SetText(QLineEdit* edit, const std::string& text);
void SetVisible(QWidget* widget, bool visible);

}  // namespace ql::controls

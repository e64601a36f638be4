#include "Controls.h"

#include <QEvent>

namespace ql::controls {

QLabel* Label(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QLabel* Panel(QWidget* parent, const QString& name, const QString& text) {
  QLabel* panel = Label(parent, name, text);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setAlignment(Qt::AlignCenter);
  panel->setAutoFillBackground(true);
  return panel;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

QCheckBox* CheckBox(QWidget* parent, const QString& name, const QString& text) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  return box;
}

QComboBox* Combo(QWidget* parent, const QString& name, const QStringList& items) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->addItems(items);
  return combo;
}

QSpinBox* UpDown(QWidget* parent, const QString& name, int minimum, int maximum, int value, int step) {
  auto* upDown = new QSpinBox(parent);
  upDown->setObjectName(name);
  upDown->setRange(minimum, maximum);
  upDown->setSingleStep(step);
  upDown->setValue(value);
  return upDown;
}

namespace {

// Calls back on one kind of event of the widget it watches.
class EventHook : public QObject {
 public:
  EventHook(QObject* parent, QEvent::Type type, std::function<void()> callback)
      : QObject(parent), type_(type), callback_(std::move(callback)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_) callback_();
    return QObject::eventFilter(watched, event);
  }

 private:
  QEvent::Type type_;
  std::function<void()> callback_;
};

}  // namespace

void OnClick(QWidget* widget, std::function<void()> onClick) {
  widget->installEventFilter(new EventHook(widget, QEvent::MouseButtonRelease, std::move(onClick)));
}

void OnResize(QWidget* widget, std::function<void()> onResize) {
  widget->installEventFilter(new EventHook(widget, QEvent::Resize, std::move(onResize)));
}

void SetIndex(QComboBox* combo, int index) {
  if (combo->currentIndex() == index) return;
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(index);
}

void SetValue(QSpinBox* upDown, int value) {
  if (upDown->value() == value) return;
  const QSignalBlocker block(upDown);
  upDown->setValue(value);
}

void SetChecked(QCheckBox* box, bool checked) {
  if (box->isChecked() == checked) return;
  const QSignalBlocker block(box);
  box->setChecked(checked);
}

void SetText(QLabel* label, const std::string& text) {
  const QString t = Text(text);
  if (label->text() != t) label->setText(t);
}

void SetText(QPushButton* button, const std::string& text) {
  const QString t = Text(text);
  if (button->text() != t) button->setText(t);
}

void SetText(QLineEdit* edit, const std::string& text) {
  const QString t = Text(text);
  if (edit->text() == t) return;
  const QSignalBlocker block(edit);
  edit->setText(t);
}

void SetVisible(QWidget* widget, bool visible) {
  if (widget->isHidden() == visible) widget->setVisible(visible);
}

}  // namespace ql::controls

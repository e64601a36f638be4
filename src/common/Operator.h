#pragma once

#include <optional>
#include <string>

namespace ql {

// Everything the host asks of, or tells, the person at the keyboard. The window
// implementation shows real boxes; tests answer from a script and keep a record.
class Operator {
 public:
  enum class Buttons { OkCancel, YesNo, YesNoCancel };
  enum class Icon { None, Exclamation, Question };
  enum class Answer { Ok, Cancel, Yes, No };

  struct Question {
    std::string caption;
    std::string text;
    Buttons buttons = Buttons::OkCancel;
    Icon icon = Icon::None;
    bool beepFirst = false;
    bool questionBeep = false;
  };

  // An open or save dialog. filter and defaultExtension are written as the host has
  // always written them: "Raw Files|*.raw|All Files|*.*" and "*.raw"; empty for none.
  struct FileDialog {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string fileName;          // the name proposed, if any
    bool overwritePrompt = false;  // save: ask before replacing an existing file
    bool mustExist = false;        // open: the path and the file must exist
  };

  virtual ~Operator() = default;

  // The one warning routine: exclamation beep and a box with an OK button. While ten
  // such boxes are open a further one is dropped.
  virtual void Warning(const std::string& caption, const std::string& text) = 0;

  // A plain box with an OK button, no icon and no beep (serial port open/close errors).
  virtual void Notice(const std::string& caption, const std::string& text) = 0;

  virtual Answer Ask(const Question& question) = 0;

  // The name the operator chose, taken literally; nothing when the dialog was cancelled.
  // An operator that cannot show dialogs cancels them.
  virtual std::optional<std::string> ChooseFile(const FileDialog& dialog) { return std::nullopt; }
  // The same for a file that must exist, and for one to write.
  virtual std::optional<std::string> OpenFile(FileDialog dialog) {
    dialog.kind = FileDialog::Kind::Open;
    dialog.mustExist = true;
    return ChooseFile(dialog);
  }
  virtual std::optional<std::string> SaveFile(FileDialog dialog) {
    dialog.kind = FileDialog::Kind::Save;
    return ChooseFile(dialog);
  }

  // A box raised from inside a timer tick must not hold the tick up; the window says
  // when a tick is running so that such boxes are shown without blocking.
  virtual void SetTickRunning(bool running) {}
};

}  // namespace ql

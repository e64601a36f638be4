// zrhsetup FILE [--mode N] [--com N] [--line N]
// Builds the main window off screen, chooses the host mode and the logger port as the
// operator would, and stores the host setup to FILE: the file the program itself would
// write at Exit after those choices. Used by scripts/demo to start in a working mode.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "app/SystemClock.h"
#include "common/Operator.h"
#include "cycle/LinkHealth.h"
#include "hostmain/HostWindows.h"

namespace {

// Boxes go to the terminal; nothing here waits for an answer.
class TerminalOperator : public ql::Operator {
 public:
  void Warning(const std::string& caption, const std::string& text) override { Print(caption, text); }
  void Notice(const std::string& caption, const std::string& text) override { Print(caption, text); }
  Answer Ask(const Question& question) override {
    Print(question.caption, question.text);
    return Answer::Ok;
  }

 private:
  static void Print(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "zrhsetup: %s: %s\n", caption.c_str(), text.c_str());
  }
};

int Usage() {
  std::fprintf(stderr, "usage: zrhsetup FILE [--mode 1..8] [--com 0..12] [--line 0..11]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return Usage();
  const std::filesystem::path file = argv[1];
  int mode = ql::kAdvancedUser;
  int com = 1;
  int line = ql::kLine9600;
  for (int i = 2; i + 1 < argc; i += 2) {
    const int value = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--mode") == 0) {
      mode = value;
    } else if (std::strcmp(argv[i], "--com") == 0) {
      com = value;
    } else if (std::strcmp(argv[i], "--line") == 0) {
      line = value;
    } else {
      return Usage();
    }
  }
  if ((argc - 2) % 2 != 0) return Usage();

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  TerminalOperator person;
  ql::SystemClock clock;
  // A start directory of its own, so no earlier last.zrh or comports.txt is read; no
  // port is opened, so no device is ever made.
  const std::filesystem::path scratch = std::filesystem::temp_directory_path() /
                                        ("zrhsetup-" + std::to_string(QCoreApplication::applicationPid()));
  std::filesystem::create_directories(scratch);
  ql::HostWindows windows = ql::CreateHostWindows([] { return nullptr; }, clock, person, scratch);
  ql::TForm1& form = *windows.form1;
  form.ModesMenuClick(mode);
  form.Host().loggerPort.comIndex = com;
  form.Host().loggerPort.lineIndex = line;
  form.StoreHostSetup(file);
  std::filesystem::remove_all(scratch);
  if (!std::filesystem::exists(file)) {
    std::fprintf(stderr, "zrhsetup: could not write %s\n", file.string().c_str());
    return 1;
  }
  return 0;
}

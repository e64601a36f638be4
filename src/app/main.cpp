#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>

#include "CommandLine.h"
#include "QtOperator.h"
#include "SystemClock.h"
#include "hostmain/HostWindows.h"
#include "serial/QtSerialDevice.h"

int main(int argc, char** argv) {
  // Read before any window exists, so --help and --version work without a display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  ql::CommandLine line = ql::ParseCommandLine(arguments, std::filesystem::current_path());
  if (line.outcome == ql::CommandLine::Outcome::Run) ql::EnterStartDirectory(line);
  if (line.outcome != ql::CommandLine::Outcome::Run) {
    const bool refused = line.outcome == ql::CommandLine::Outcome::Refuse;
    std::fputs(line.text.c_str(), refused ? stderr : stdout);
    return refused ? 2 : 0;
  }

  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setWindowIcon(QIcon::fromTheme("ql9host"));
  ql::QtOperator person;
  ql::SystemClock clock;
  try {
    ql::HostWindows windows = ql::CreateHostWindows([] { return std::make_unique<ql::QtSerialDevice>(); },
                                                    clock, person, line.startDirectory);
    person.SetParent(windows.form1.get());
    windows.form1->FitToScreen();
    windows.form1->show();
    return QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "ZR Logger Host", QString::fromLocal8Bit(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, "ZR Logger Host", "An unexpected error ended the program.");
  }
  return 1;
}

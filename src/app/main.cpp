#include <QApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <exception>
#include <filesystem>
#include <memory>

#include "QtOperator.h"
#include "SystemClock.h"
#include "hostmain/HostWindows.h"
#include "serial/QtSerialDevice.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  ql::QtOperator person;
  ql::SystemClock clock;
  try {
    ql::HostWindows windows = ql::CreateHostWindows([] { return std::make_unique<ql::QtSerialDevice>(); },
                                                    clock, person, std::filesystem::current_path());
    person.SetParent(windows.form1.get());
    windows.form1->show();
    return QApplication::exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "ZR Logger Host", QString::fromLocal8Bit(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, "ZR Logger Host", "An unexpected error ended the program.");
  }
  return 1;
}

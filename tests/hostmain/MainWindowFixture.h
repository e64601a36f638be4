#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <filesystem>

#include "hostmain/HostWindows.h"
#include "loggersim/SimulatedSerialDevice.h"
#include "support/FakeClock.h"
#include "support/FakeOperator.h"
#include "support/MemorySerialDevice.h"

QT_BEGIN_NAMESPACE
// Readable failure messages for texts of controls.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace ql::test {

// A whole host window set over an in-memory logger port, in a fresh start directory.
struct MainWindowFixture : ::testing::Test {
  std::shared_ptr<MemoryWire> wire = std::make_shared<MemoryWire>();
  FakeClock clock;
  FakeOperator person;
  std::filesystem::path startDir;
  HostWindows windows;

  void SetUp() override {
    startDir = std::filesystem::temp_directory_path() /
               ("ql9host-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(startDir);
    std::filesystem::create_directories(startDir);
    PrepareStartDirectory();
    windows = CreateHostWindows(MakeFactory(), clock, person, startDir);
  }
  void TearDown() override {
    windows = HostWindows{};
    std::filesystem::remove_all(startDir);
  }
  virtual void PrepareStartDirectory() {}
  virtual SerialDeviceFactory MakeFactory() { return MemoryFactory(wire); }
  // Time passing on the far side of the logger port as well.
  virtual void Elapse(int ms) { clock.AdvanceMs(ms); }

  TForm1& Form() { return *windows.form1; }
  HostState& Host() { return windows.form1->Host(); }

  template <typename T>
  T* Find(const char* name) {
    T* w = windows.form1->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QAction* Action(const char* name) { return Find<QAction>(name); }

  // The operator picks an item, as a click in the list would.
  void Choose(const char* combo, int index) {
    QComboBox* c = Find<QComboBox>(combo);
    c->setCurrentIndex(index);
    emit c->activated(index);
  }

  void FastTicks(int n) {
    for (int i = 0; i < n; ++i) {
      Elapse(5);
      Form().Timer10msTimer();
    }
  }
  // One second, ending with the one-second ticks: what the far side sent during the
  // second has been read by then.
  void Second() {
    Elapse(20);
    for (int i = 0; i < 10; ++i) {
      Elapse(98);
      Form().Timer10msTimer();
      Form().Timer10msTimer();
    }
    Form().Timer475msTimer();
    Form().Timer1000msTimer();
  }
};

// The whole window against the simulated logger, in Advanced User mode on COM1, with
// the logger's time moving with the host's.
struct SimulatedWindowFixture : MainWindowFixture {
  std::shared_ptr<sim::LoggerModel> logger;

  // Sampling in real-time mode, unless a suite wants the logger in Standby.
  virtual bool LoggerSamples() const { return true; }

  SerialDeviceFactory MakeFactory() override {
    sim::LoggerModel::Options options;
    options.clockSeconds = clock.utcMillis / 1000;
    options.sampling = LoggerSamples();
    logger = std::make_shared<sim::LoggerModel>(options);
    return sim::SimulatedFactory(logger);
  }
  void Elapse(int ms) override {
    clock.AdvanceMs(ms);
    logger->Advance(ms);
  }
  void SetUp() override {
    MainWindowFixture::SetUp();
    Action("MenuAdvanced")->trigger();
    Choose("LoggerPortCB", 1);
  }
};

}  // namespace ql::test

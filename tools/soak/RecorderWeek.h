#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "DeliveryLedger.h"
#include "SoakChecks.h"
#include "headless/HeadlessHost.h"
#include "headless/JobDriver.h"
#include "loggersim/LoggerModel.h"
#include "support/FakeClock.h"

namespace ql::soak {

// The unattended recorder ("ql9ctl record --hourly") against the simulated logger for
// `hours` simulated hours, as fast as the machine allows: in each seventh of the time
// the cable is pulled for two minutes, and in every other one the disk is full for three
// (a file-size limit of one byte stands in for it), the recorder left to find its way
// back each time. Prints the records sent, accepted and recorded and the memory held
// at the start and the end, and checks that nothing that reached the host was lost or
// recorded twice.
class RecorderWeek {
 public:
  RecorderWeek(double hours, uint64_t seed, Checks& checks);
  ~RecorderWeek();
  void Run();

 private:
  struct Told {
    int lost = 0, back = 0, diskFull = 0, writingAgain = 0, filesOpened = 0, other = 0;
  };

  void Step();
  void SetAdapterOut(bool out);
  void SetDiskFull(bool full);
  void OnSent(const sim::Bytes& packet, bool intact);
  void Tell(const std::string& line);
  void Judge(int64_t written, int64_t refused, int64_t refusedOutsideSpells, const Digest& writtenDigest);

  double hours_;
  Checks& checks_;
  test::FakeClock clock_;
  std::shared_ptr<sim::LoggerModel> logger_;
  HeadlessHost host_;
  DeliveryLedger ledger_;
  std::filesystem::path folder_;
  JobDriver* driver_ = nullptr;
  int64_t nowMs_ = 0;
  int64_t lastChangeMs_ = 0;
  bool portOpen_ = false;
  bool diskFull_ = false;
  int pulls_ = 0;
  int fullSpells_ = 0;
  int64_t sent_ = 0;
  int64_t accepted_ = 0;
  Told told_;
  long residentStartKb_ = 0;
  long residentEndKb_ = 0;
};

}  // namespace ql::soak

#pragma once

#include <string>

#include "StatusJob.h"

namespace ql {

// "sleep --until": once a status has shown the logger is there, the sleep dialog's
// checks and command with the wake-up moment typed as "YYYY-MM-DD HH:MM:SS".
class SleepJob : public Job {
 public:
  SleepJob(std::string timeText, std::string dateText, int64_t timeoutMs)
      : time_(std::move(timeText)), date_(std::move(dateText)), gate_(timeoutMs) {}
  Outcome Poll(HeadlessHost& host) override;

 private:
  std::string time_;  // "HH:MM:SS", as the dialog's SleepTime
  std::string date_;  // "MM/DD/YYYY", as the dialog's SleepDate
  StatusGate gate_;
};

// Splits "YYYY-MM-DD HH:MM:SS" into the dialog's time and date texts; false when the
// text has another shape.
bool SplitWakeUpMoment(const std::string& text, std::string& timeText, std::string& dateText);

}  // namespace ql

#pragma once

#include <string>

namespace ql {

class Operator;

// The gate in front of every change of the logger's factory records. The failure
// count is shared by the hardware and calibration pages and never reset, so only the
// very first wrong entry gets the explanation.
class FactoryPassword {
 public:
  static constexpr const char* kPassword = "GrayMoose";

  // CheckPassword: passes when the entry begins with the password (case-sensitive);
  // otherwise warns the operator and fails.
  bool CheckPassword(const std::string& entered, Operator& op);

  int Failures() const { return failures_; }

 private:
  int failures_ = 0;
};

}  // namespace ql

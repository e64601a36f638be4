#include "FactoryPassword.h"

#include <string_view>

#include "common/Operator.h"

namespace ql {

bool FactoryPassword::CheckPassword(const std::string& entered, Operator& op) {
  if (std::string_view(entered).starts_with(kPassword)) return true;
  op.Warning("Password Error", failures_ == 0
                                   ? "You Must Enter a Valid Password to Change the Hardware Configuration or "
                                     "Analog Calibration"
                                   : "An Invalid Password Was Entered -- Please Check Caps Lock");
  ++failures_;
  return false;
}

}  // namespace ql

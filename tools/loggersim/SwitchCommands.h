#pragma once

#include <string>
#include <vector>

#include "LoggerModel.h"

namespace ql::sim {

// The simulator's switches by name, shared by the command line ("--noise 0.3",
// "--silent") and the commands typed while it runs ("noise 0.3", "silent on").
struct SwitchInfo {
  const char* name;
  const char* argument;  // "on|off" for a switch that is only on or off
  const char* help;
};

const std::vector<SwitchInfo>& Switches();
bool IsSwitch(const std::string& name);
// On the command line such a switch is given without a value and means "on".
bool IsOnOffSwitch(const std::string& name);

// Sets a switch; returns an empty string, or what is wrong with the name or the value.
std::string ApplySwitch(LoggerModel& model, const std::string& name, const std::string& value);

// One line per switch with its present value.
std::string DescribeSwitches(const LoggerModel& model);

}  // namespace ql::sim

#include "headless/SetupToml.h"

#include <gtest/gtest.h>

#include "setup/ReceivedSetup.h"
#include "setup/SetupItems.h"

namespace ql {
namespace {

// A moored setup with something in every kind of control.
SetupControls MooredSetup() {
  SetupControls c;
  c.mode = kMooredMode;
  c.output = 0;
  c.file = 1;
  c.timeSource = 0;
  c.autoStart = true;
  c.lowVoltageCutoff = 72;
  c.analogRate = 4;
  c.times = {{{10, kMinutes}, {0, kSeconds}, {30, kSeconds}, {5, kSeconds}, {2, kMinutes}, {1, kHours}}};
  c.hostPortLine = 11;
  c.meter = {3, 0, 9, 0, 0, 0, 6, 0};
  c.portLine = {7, 0, 6, 0, 0, 0, 6, 0};
  c.serialOncePerHour[2] = true;
  c.analog = {1, 0, 2, 0, 0, 0, 0};
  c.analogOncePerHour[0] = true;
  c.pump = {1, 0, 0, 5};
  c.pumpOncePerHour[3] = true;
  return c;
}

// The line of the file holding `key = ` inside its section.
int LineOf(const std::string& text, const std::string& section, const std::string& key) {
  int line = 0;
  std::string current;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    const std::string l = text.substr(start, end - start);
    line += 1;
    if (!l.empty() && l[0] == '[') current = l.substr(1, l.size() - 2);
    if (current == section && l.rfind(key + " = ", 0) == 0) return line;
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return -1;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(SetupTomlTest, TheFileShowsThePagesTextsAndReadsBackToTheSameControls) {
  const SetupControls c = MooredSetup();
  const std::string text = SetupToToml(c);
  for (const char* line : {"mode = \"Moored Mode\"\n", "delay = \"10 Minutes\"\n", "interval = \"1 Hours\"\n",
                           "low_voltage_cutoff = \"7.2 V\"\n", "analog_rate = 4\n", "auto_start = true\n",
                           "[port1]\ndevice = \"ASCII\"\nline = \"9600,7,E,1\"\n", "[host_port]\nline = \"115200\"\n",
                           "[port3]\ndevice = \"SBE-37 SM\"\nline = \"9600\"\nonce_per_hour = true\n",
                           "[analog3]\nsetting = \"Pump ON\"\n", "[pump4]\nsetting = \"Purge 2000 ms\"\n",
                           "# Serial port 1: instrument, line, sampled once per hour (moored modes)\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
  const SetupFileReading back = ParseSetupToml(text, "moored.toml");
  ASSERT_TRUE(back.controls) << (back.errors.empty() ? "" : back.errors.front());
  EXPECT_EQ(*back.controls, c);
  EXPECT_TRUE(CompareSetups(c, *back.controls).empty());
}

TEST(SetupTomlTest, EachValueTheWindowWouldNotTakeIsRefusedWithItsLineAndWhatIsAllowed) {
  const std::string good = SetupToToml(MooredSetup());
  struct Case {
    std::string from, to, section, key, allowed;
  };
  const std::vector<Case> cases = {
      {"delay = \"10 Minutes\"", "delay = \"101 Minutes\"", "", "delay", "allowed: 0..100 followed by Seconds, Minutes or Hours"},
      {"sample = \"2 Minutes\"", "sample = \"0 Minutes\"", "", "sample", "allowed: 1..10000"},
      {"delay = \"10 Minutes\"", "delay = \"10 Days\"", "", "delay", "Seconds, Minutes or Hours"},
      {"low_voltage_cutoff = \"7.2 V\"", "low_voltage_cutoff = \"6.4 V\"", "", "low_voltage_cutoff", "\"6.5 V\"..\"14.0 V\""},
      {"low_voltage_cutoff = \"7.2 V\"", "low_voltage_cutoff = \"7.25 V\"", "", "low_voltage_cutoff", "steps of 0.1 V"},
      {"analog_rate = 4", "analog_rate = 21", "", "analog_rate", "allowed: 1..20 (Hz)"},
      {"analog_rate = 4", "analog_rate = \"4\"", "", "analog_rate", "allowed: 1..20"},
      {"auto_start = true", "auto_start = \"yes\"", "", "auto_start", "allowed: true, false"},
      {"mode = \"Moored Mode\"", "mode = \"moored\"", "", "mode", "\"Profile Mode\", \"Moored Mode\""},
      {"device = \"ASCII\"", "device = \"CTD\"", "port1", "port1.device", "\"OFF\", \"BX5\""},
      {"line = \"115200\"", "line = \"ON\"", "host_port", "host_port.line", "\"57600\", \"115200\""},
      {"setting = \"Purge 2000 ms\"", "setting = \"Purge 9000 ms\"", "pump4", "pump4.setting", "\"Purge 5000 ms\""},
  };
  for (const Case& c : cases) {
    const int line = LineOf(good, c.section, c.key.substr(c.key.find('.') + 1));
    const SetupFileReading r = ParseSetupToml(Replace(good, c.from, c.to), "f.toml");
    EXPECT_FALSE(r.controls) << c.to;
    ASSERT_EQ(r.errors.size(), 1u) << c.to;
    EXPECT_EQ(r.errors[0].rfind("f.toml:" + std::to_string(line) + ": " + c.key + ": ", 0), 0u) << r.errors[0];
    EXPECT_NE(r.errors[0].find(c.allowed), std::string::npos) << r.errors[0];
  }
}

TEST(SetupTomlTest, UnknownMissingAndHiddenControlsAndBrokenFilesAreRefused) {
  const std::string good = SetupToToml(MooredSetup());
  SetupFileReading r = ParseSetupToml(good + "\n[port9]\ndevice = \"OFF\"\n", "f.toml");
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_NE(r.errors[0].find("port9.device: no such control"), std::string::npos) << r.errors[0];

  r = ParseSetupToml(Replace(good, "warmup = \"30 Seconds\"\n", ""), "f.toml");
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0], "f.toml: warmup is missing");

  // Once-per-hour boxes show only in the moored modes.
  const std::string realTime = Replace(good, "mode = \"Moored Mode\"", "mode = \"Real Time Mode\"");
  r = ParseSetupToml(realTime, "f.toml");
  ASSERT_EQ(r.errors.size(), 3u);
  EXPECT_NE(r.errors[0].find("port3.once_per_hour: allowed: false outside"), std::string::npos) << r.errors[0];

  r = ParseSetupToml("mode = \n", "broken.toml");
  ASSERT_EQ(r.errors.size(), 1u);
  EXPECT_EQ(r.errors[0].rfind("broken.toml:1: ", 0), 0u) << r.errors[0];
}

TEST(SetupTomlTest, AComboWithoutSelectionIsWrittenEmptyAndRefusedOnReading) {
  SetupControls c = MooredSetup();
  c.meter[1] = 13;  // a type the logger reports and the page does not offer
  c.output = 12;
  const std::string text = SetupToToml(c);
  EXPECT_NE(text.find("[port2]\ndevice = \"\"\n"), std::string::npos);
  const SetupFileReading r = ParseSetupToml(text, "f.toml");
  EXPECT_FALSE(r.controls);
  EXPECT_EQ(r.errors.size(), 2u);
  const std::vector<SetupDifference> d = CompareSetups(MooredSetup(), c);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0], (SetupDifference{"output", "Status", ""}));
  EXPECT_EQ(d[1], (SetupDifference{"port2.device", "OFF", ""}));
}

}  // namespace
}  // namespace ql

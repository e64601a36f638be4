#include "SetupToml.h"

#include <cmath>
#include <functional>
#include <map>
#include <toml++/toml.h>

#include "common/Format.h"
#include "setup/PortDeviceType.h"
#include "setup/PortLineSetting.h"
#include "setup/SetupItems.h"

namespace ql {
namespace {

enum class Kind { kText, kInteger, kBool };

// One control: where it sits in the file, how the page shows it and how a file's value
// is taken back (nothing, or why it was refused with what is allowed).
struct Field {
  std::string section;  // empty: top level
  std::string name;
  Kind kind = Kind::kText;
  std::string comment;  // a line above the key, where a group of keys starts
  std::function<std::string(SetupControls&)> show;
  std::function<std::optional<std::string>(SetupControls&, const toml::node&)> take;

  std::string Key() const { return section.empty() ? name : section + "." + name; }
};

Field MakeField(std::string section, std::string name, Kind kind = Kind::kText, std::string comment = {}) {
  Field f;
  f.section = std::move(section);
  f.name = std::move(name);
  f.kind = kind;
  f.comment = std::move(comment);
  return f;
}

std::vector<std::string> Items(const auto& list) { return std::vector<std::string>(list.begin(), list.end()); }

std::string Quoted(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "\"" : ", \"") + item + "\"";
  return out;
}

Field Combo(std::string section, std::string name, std::vector<std::string> items,
            std::function<int&(SetupControls&)> at) {
  Field f = MakeField(std::move(section), std::move(name));
  f.show = [items, at](SetupControls& c) {
    const int i = at(c);
    return HasSelection(i, items.size()) ? items[static_cast<size_t>(i)] : std::string();
  };
  f.take = [items, at](SetupControls& c, const toml::node& node) -> std::optional<std::string> {
    if (const auto text = node.value<std::string>()) {
      for (size_t i = 0; i < items.size(); ++i) {
        if (*text == items[i]) {
          at(c) = static_cast<int>(i);
          return std::nullopt;
        }
      }
    }
    return "allowed: " + Quoted(items);
  };
  return f;
}

Field Check(std::string section, std::string name, std::function<bool&(SetupControls&)> at) {
  Field f = MakeField(std::move(section), std::move(name), Kind::kBool);
  f.show = [at](SetupControls& c) { return std::string(at(c) ? "true" : "false"); };
  f.take = [at](SetupControls& c, const toml::node& node) -> std::optional<std::string> {
    if (!node.is_boolean()) return std::string("allowed: true, false");
    at(c) = node.value<bool>().value_or(false);
    return std::nullopt;
  };
  return f;
}

// "10 Minutes": the up-down's number and the unit combo's item.
Field Time(std::string name, int field, std::string comment = {}) {
  Field f = MakeField("", std::move(name), Kind::kText, std::move(comment));
  f.show = [field](SetupControls& c) {
    const TimeSetting& t = c.times[static_cast<size_t>(field)];
    return HasSelection(t.unit, kTimeUnitItems.size()) ? Format("%d %s", t.position, kTimeUnitItems[t.unit])
                                                        : Format("%d", t.position);
  };
  f.take = [field](SetupControls& c, const toml::node& node) -> std::optional<std::string> {
    const TimeRange& range = kTimeRanges[static_cast<size_t>(field)];
    const std::string allowed = Format("allowed: %d..%d followed by Seconds, Minutes or Hours", range.min, range.max);
    const auto text = node.value<std::string>();
    if (!text) return allowed;
    long number = 0;
    char unit[16] = {};
    char extra = 0;
    if (std::sscanf(text->c_str(), "%ld %15s %c", &number, unit, &extra) != 2) return allowed;
    if (number < range.min || number > range.max) return allowed;
    for (size_t u = 0; u < kTimeUnitItems.size(); ++u) {
      if (std::string(unit) == kTimeUnitItems[u]) {
        c.times[static_cast<size_t>(field)] = {static_cast<int>(number), static_cast<int>(u)};
        return std::nullopt;
      }
    }
    return allowed;
  };
  return f;
}

// LBLowVoltage: the cut-off in volts, "6.5 V".
Field Cutoff() {
  Field f = MakeField("", "low_voltage_cutoff");
  f.show = [](SetupControls& c) { return Format("%.1f V", c.lowVoltageCutoff * 0.1); };
  f.take = [](SetupControls& c, const toml::node& node) -> std::optional<std::string> {
    const std::string allowed = Format("allowed: \"%.1f V\"..\"%.1f V\" in steps of 0.1 V", kLowestCutoff * 0.1,
                                       kHighestCutoff * 0.1);
    const auto text = node.value<std::string>();
    double volts = 0;
    char v = 0;
    char extra = 0;
    if (!text || std::sscanf(text->c_str(), "%lf %c %c", &volts, &v, &extra) != 2 || v != 'V') return allowed;
    const double tenths = volts * 10;
    const long rounded = std::lround(tenths);
    if (std::fabs(tenths - static_cast<double>(rounded)) > 1e-6) return allowed;
    if (rounded < kLowestCutoff || rounded > kHighestCutoff) return allowed;
    c.lowVoltageCutoff = static_cast<int>(rounded);
    return std::nullopt;
  };
  return f;
}

// UDAnalogRate: samples a second.
Field AnalogRate() {
  Field f = MakeField("", "analog_rate", Kind::kInteger);
  f.show = [](SetupControls& c) { return Format("%d", c.analogRate); };
  f.take = [](SetupControls& c, const toml::node& node) -> std::optional<std::string> {
    const auto rate = node.is_integer() ? node.value<int64_t>() : std::nullopt;
    if (!rate || *rate < kLowestAnalogRate || *rate > kHighestAnalogRate) {
      return Format("allowed: %d..%d (Hz)", kLowestAnalogRate, kHighestAnalogRate);
    }
    c.analogRate = static_cast<int>(*rate);
    return std::nullopt;
  };
  return f;
}

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = [] {
    std::vector<Field> f;
    f.push_back(Combo("", "mode", Items(kModeItems), [](SetupControls& c) -> int& { return c.mode; }));
    f.push_back(Combo("", "output", Items(kOutputItems), [](SetupControls& c) -> int& { return c.output; }));
    f.push_back(Combo("", "file", Items(kFileItems), [](SetupControls& c) -> int& { return c.file; }));
    f.push_back(Combo("", "time_source", Items(kTimeSourceItems), [](SetupControls& c) -> int& { return c.timeSource; }));
    f.push_back(Check("", "auto_start", [](SetupControls& c) -> bool& { return c.autoStart; }));
    f.push_back(Cutoff());
    f.push_back(AnalogRate());
    f.push_back(Time("delay", kDelay, "# Sampling times: a whole number and Seconds, Minutes or Hours"));
    f.push_back(Time("pre_flush", kPreFlush));
    f.push_back(Time("warmup", kWarmup));
    f.push_back(Time("flush", kFlush));
    f.push_back(Time("sample", kSample));
    f.push_back(Time("interval", kInterval));
    std::vector<std::string> hostLines(kPortLineItems.begin(), kPortLineItems.begin() + kHostPortLineCount);
    f.push_back(Combo("host_port", "line", hostLines, [](SetupControls& c) -> int& { return c.hostPortLine; }));
    for (size_t i = 0; i < kSerialPortCount; ++i) {
      const std::string s = Format("port%zu", i + 1);
      f.push_back(Combo(s, "device", Items(kDeviceTypeItems), [i](SetupControls& c) -> int& { return c.meter[i]; }));
      f.push_back(Combo(s, "line", Items(kPortLineItems), [i](SetupControls& c) -> int& { return c.portLine[i]; }));
      f.push_back(Check(s, "once_per_hour", [i](SetupControls& c) -> bool& { return c.serialOncePerHour[i]; }));
    }
    for (size_t i = 0; i < kAnalogPortCount; ++i) {
      const std::string s = Format("analog%zu", i + 1);
      f.push_back(Combo(s, "setting", Items(kAnalogItems), [i](SetupControls& c) -> int& { return c.analog[i]; }));
      f.push_back(Check(s, "once_per_hour", [i](SetupControls& c) -> bool& { return c.analogOncePerHour[i]; }));
    }
    for (size_t i = 0; i < kPumpCount; ++i) {
      const std::string s = Format("pump%zu", i + 1);
      f.push_back(Combo(s, "setting", PumpItems(static_cast<int>(i)), [i](SetupControls& c) -> int& { return c.pump[i]; }));
      f.push_back(Check(s, "once_per_hour", [i](SetupControls& c) -> bool& { return c.pumpOncePerHour[i]; }));
    }
    return f;
  }();
  return fields;
}

std::string SectionComment(const std::string& section) {
  if (section.empty()) return "# Logger Control page";
  if (section == "host_port") return "# Port Setup page: the logger's own port to this host";
  const auto number = section.substr(section.find_first_of("0123456789"));
  if (section.rfind("port", 0) == 0) return "# Serial port " + number + ": instrument, line, sampled once per hour (moored modes)";
  if (section.rfind("analog", 0) == 0) return "# Analog input " + number;
  return "# Pump " + number;
}

std::string Literal(const Field& field, const std::string& text) {
  if (field.kind != Kind::kText) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string Where(const std::string& fileName, const toml::source_region& at) {
  return Format("%s:%u", fileName.c_str(), static_cast<unsigned>(at.begin.line));
}

// Once-per-hour sampling exists only in the moored modes: the page hides the boxes
// in every other mode.
bool OncePerHourShown(const SetupControls& c) { return IsMooredMode(c.mode); }

}  // namespace

std::vector<SetupValue> SetupValues(const SetupControls& controls) {
  SetupControls c = controls;
  std::vector<SetupValue> values;
  for (const Field& f : Fields()) values.push_back({f.Key(), f.show(c)});
  return values;
}

std::string SetupToToml(const SetupControls& controls) {
  SetupControls c = controls;
  std::string out = "# QL-9 logger setup: one key per control of the Port Setup and Logger Control pages\n";
  std::string section = "-";
  for (const Field& f : Fields()) {
    if (f.section != section) {
      section = f.section;
      out += "\n" + SectionComment(section) + "\n";
      if (!section.empty()) out += "[" + section + "]\n";
    }
    if (!f.comment.empty()) out += f.comment + "\n";
    out += f.name + " = " + Literal(f, f.show(c)) + "\n";
  }
  return out;
}

SetupFileReading ParseSetupToml(const std::string& text, const std::string& fileName) {
  SetupFileReading reading;
  toml::table table;
  try {
    table = toml::parse(text, fileName);
  } catch (const toml::parse_error& e) {
    reading.errors.push_back(Where(fileName, e.source()) + ": " + std::string(e.description()));
    return reading;
  }
  SetupControls controls;
  std::map<std::string, const Field*> byKey;
  for (const Field& f : Fields()) byKey[f.Key()] = &f;
  std::map<std::string, toml::source_region> lines;
  auto takeValue = [&](const std::string& key, const toml::node& node) {
    const auto found = byKey.find(key);
    if (found == byKey.end()) {
      reading.errors.push_back(Where(fileName, node.source()) + ": " + key + ": no such control on the setup pages");
      return;
    }
    lines[key] = node.source();
    if (const auto refused = found->second->take(controls, node)) {
      reading.errors.push_back(Where(fileName, node.source()) + ": " + key + ": " + *refused);
    }
  };
  for (const auto& [name, node] : table) {
    const std::string key(name.str());
    if (const toml::table* section = node.as_table()) {
      for (const auto& [inner, value] : *section) takeValue(key + "." + std::string(inner.str()), value);
    } else {
      takeValue(key, node);
    }
  }
  for (const Field& f : Fields()) {
    if (lines.count(f.Key()) == 0) reading.errors.push_back(fileName + ": " + f.Key() + " is missing");
  }
  if (reading.errors.empty() && !OncePerHourShown(controls)) {
    for (const Field& f : Fields()) {
      if (f.name == "once_per_hour" && f.show(controls) == "true") {
        reading.errors.push_back(Where(fileName, lines[f.Key()]) + ": " + f.Key() +
                                 ": allowed: false outside \"Moored Mode\" and \"Polled Moored Mode\"");
      }
    }
  }
  if (reading.errors.empty()) reading.controls = controls;
  return reading;
}

std::vector<SetupDifference> CompareSetups(const SetupControls& left, const SetupControls& right) {
  const std::vector<SetupValue> a = SetupValues(left);
  const std::vector<SetupValue> b = SetupValues(right);
  std::vector<SetupDifference> differences;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text) differences.push_back({a[i].key, a[i].text, b[i].text});
  }
  return differences;
}

}  // namespace ql

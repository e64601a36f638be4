#include "SwitchCommands.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "common/Format.h"

namespace ql::sim {
namespace {

constexpr const char* kOnOff = "on|off";

bool ParseDouble(const std::string& text, double low, double high, double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && *end == '\0' && std::isfinite(value) && value >= low && value <= high;
}

bool ParseInt(const std::string& text, long low, long high, long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool ParseOnOff(const std::string& text, bool& value) {
  if (text == "on" || text == "1" || text == "yes" || text == "true") {
    value = true;
    return true;
  }
  if (text == "off" || text == "0" || text == "no" || text == "false") {
    value = false;
    return true;
  }
  return false;
}

bool ParseSenders(const std::string& text, long& first, long& last) {
  const size_t dash = text.find('-', 1);
  if (dash == std::string::npos) {
    if (!ParseInt(text, 0, 255, first)) return false;
    last = first;
    return true;
  }
  return ParseInt(text.substr(0, dash), 0, 255, first) && ParseInt(text.substr(dash + 1), 0, 255, last) &&
         first <= last;
}

bool* OnOffField(Faults& f, FlashFaults& flash, const std::string& name) {
  if (name == "silent-start") return &flash.silentStart;
  if (name == "silent") return &f.silent;
  if (name == "wrong-speed") return &f.wrongSpeed;
  if (name == "duplicates") return &f.duplicates;
  if (name == "gaps") return &f.gaps;
  if (name == "high-senders") return &f.highSenders;
  if (name == "old-firmware") return &f.oldFirmware;
  return nullptr;
}

double* BlockShare(FlashFaults& flash, const std::string& name) {
  if (name == "drop-blocks") return &flash.droppedBlocks;
  if (name == "repeat-blocks") return &flash.repeatedBlocks;
  if (name == "delay-blocks") return &flash.delayedBlocks;
  return nullptr;
}

const char* OnOffText(bool on) { return on ? "on" : "off"; }

}  // namespace

const std::vector<SwitchInfo>& Switches() {
  static const std::vector<SwitchInfo> list = {
      {"rate", "N", "data packets per second while sampling in real-time mode (0..1000)"},
      {"noise", "SHARE", "random bytes after each packet, as a share of its length (0..10; 0.3 = 30 %)"},
      {"bursts", "N", "after every 10th packet a run of N bytes 0x08, the data packet type (0..4096)"},
      {"bad-checksums", "SHARE", "share of packets sent with a wrong checksum (0..1)"},
      {"silent", kOnOff, "send nothing at all (still listens and samples)"},
      {"wrong-speed", kOnOff, "talk at a speed no host setting matches (all bytes garbled)"},
      {"senders", "ID|A-B", "sender IDs of the data packets, in turn, each with its own sequence"},
      {"instruments", "plain|mixed",
       "data packets carry plain port lines, or each sender's own instruments (text, binary, analog)"},
      {"duplicates", kOnOff, "send every 5th data packet twice"},
      {"gaps", kOnOff, "skip a sequence number every 7th data packet"},
      {"high-senders", kOnOff, "after every 4th data packet send one from sender 5..8"},
      {"bad-flash", "N", "report this bad-flash count in a short message each second (0 = none)"},
      {"old-firmware", kOnOff, "report firmware 6.95 instead of 7.12"},
      {"drift", "SECONDS", "logger clock ahead (+) or behind (-) the time it was set to"},
      {"drop-blocks", "SHARE", "share of upload blocks lost on the line (0..1)"},
      {"repeat-blocks", "SHARE", "share of upload blocks sent twice (0..1)"},
      {"delay-blocks", "SHARE", "share of upload blocks held back for 2 s (0..1)"},
      {"silent-start", kOnOff, "leave the first start request of each run's upload unanswered"},
      {"empty-run", "N", "upload this run as an empty file, its listed size unchanged (-1 = none)"},
      {"drift-rate", "SECONDS", "seconds the logger clock gains (+) or loses (-) each minute (-600..600)"},
  };
  return list;
}

bool IsSwitch(const std::string& name) {
  for (const SwitchInfo& s : Switches()) {
    if (name == s.name) return true;
  }
  return false;
}

bool IsOnOffSwitch(const std::string& name) {
  Faults probe;
  FlashFaults flashProbe;
  return OnOffField(probe, flashProbe, name) != nullptr;
}

std::string ApplySwitch(LoggerModel& model, const std::string& name, const std::string& value) {
  Faults& f = model.faults();
  FlashFaults& flash = model.flash().faults();
  const auto bad = [&](const char* expected) {
    return Format("%s: \"%s\" is not %s", name.c_str(), value.c_str(), expected);
  };
  double d = 0;
  long n = 0;
  long m = 0;
  bool on = false;
  if (bool* field = OnOffField(f, flash, name)) {
    if (!ParseOnOff(value, on)) return bad("on or off");
    *field = on;
  } else if (name == "rate") {
    if (!ParseDouble(value, 0, 1000, d)) return bad("a rate of 0 to 1000 per second");
    model.SetDataRate(d);
  } else if (name == "noise") {
    if (!ParseDouble(value, 0, 10, d)) return bad("a share from 0 to 10");
    f.noise = d;
  } else if (name == "bursts") {
    if (!ParseInt(value, 0, 4096, n)) return bad("a number of bytes from 0 to 4096");
    f.typeBursts = static_cast<int>(n);
  } else if (name == "bad-checksums") {
    if (!ParseDouble(value, 0, 1, d)) return bad("a share from 0 to 1");
    f.badChecksums = d;
  } else if (name == "senders") {
    if (!ParseSenders(value, n, m)) return bad("a sender ID 0..255 or a range such as 1-4");
    model.SetSenders(static_cast<int>(n), static_cast<int>(m));
  } else if (name == "instruments") {
    if (value != "plain" && value != "mixed") return bad("plain or mixed");
    model.SetMixedInstruments(value == "mixed");
  } else if (name == "bad-flash") {
    if (!ParseInt(value, -32768, 32767, n)) return bad("a count from -32768 to 32767");
    f.badFlash = static_cast<int>(n);
  } else if (name == "drift") {
    if (!ParseInt(value, -100'000'000, 100'000'000, n)) return bad("a number of seconds");
    f.driftSeconds = static_cast<int>(n);
  } else if (double* share = BlockShare(flash, name)) {
    if (!ParseDouble(value, 0, 1, d)) return bad("a share from 0 to 1");
    *share = d;
  } else if (name == "empty-run") {
    if (!ParseInt(value, -1, 32767, n)) return bad("a run number, or -1 for none");
    flash.emptyRun = static_cast<int>(n);
  } else if (name == "drift-rate") {
    if (!ParseDouble(value, -600, 600, d)) return bad("a number of seconds a minute from -600 to 600");
    f.driftPerMinute = d;
  } else {
    return Format("unknown switch \"%s\"", name.c_str());
  }
  return {};
}

std::string DescribeSwitches(const LoggerModel& model) {
  const Faults& f = model.faults();
  const FlashFaults& flash = model.flash().faults();
  std::string text;
  text += Format("rate %g\n", model.DataRate());
  text += Format("noise %g\n", f.noise);
  text += Format("bursts %d\n", f.typeBursts);
  text += Format("bad-checksums %g\n", f.badChecksums);
  text += Format("silent %s\n", OnOffText(f.silent));
  text += Format("wrong-speed %s\n", OnOffText(f.wrongSpeed));
  if (model.FirstSender() == model.LastSender()) {
    text += Format("senders %d\n", model.FirstSender());
  } else {
    text += Format("senders %d-%d\n", model.FirstSender(), model.LastSender());
  }
  text += Format("instruments %s\n", model.MixedInstruments() ? "mixed" : "plain");
  text += Format("duplicates %s\n", OnOffText(f.duplicates));
  text += Format("gaps %s\n", OnOffText(f.gaps));
  text += Format("high-senders %s\n", OnOffText(f.highSenders));
  text += Format("bad-flash %d\n", f.badFlash);
  text += Format("old-firmware %s\n", OnOffText(f.oldFirmware));
  text += Format("drift %d\n", f.driftSeconds);
  text += Format("drop-blocks %g\n", flash.droppedBlocks);
  text += Format("repeat-blocks %g\n", flash.repeatedBlocks);
  text += Format("delay-blocks %g\n", flash.delayedBlocks);
  text += Format("silent-start %s\n", OnOffText(flash.silentStart));
  text += Format("empty-run %d\n", flash.emptyRun);
  text += Format("drift-rate %g\n", f.driftPerMinute);
  return text;
}

}  // namespace ql::sim

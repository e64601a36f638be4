#include "Ql9ctlOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "archive/RecordState.h"
#include "headless/RunSelection.h"
#include "headless/SleepJob.h"

namespace ql9ctl {
namespace {

constexpr const char* kDescription =
    "ql9ctl: the QL-9 logger from the command line, with the same rules as the window.\n"
    "Exit status: 0 done, 1 the logger or the operation failed, 2 a command line it cannot use.";

struct Texts {
  std::string port, device, line = "9600", startDir = ".", runs, until, hourly, daily, continuous, raw;
  bool all = false;
};

void AddCommonOptions(CLI::App& app, Options& o, Texts& t) {
  app.add_option("--port", t.port, "logger port COM1..COM12, mapped through comports.txt of --start-dir");
  app.add_option("--device", t.device, "logger port as a device path (instead of --port)");
  app.add_option("--line", t.line, "line as in \"Logger Port Setup\": 9600, 9600,7,E,1, 115200 ... or auto")
      ->capture_default_str();
  app.add_option("--start-dir", t.startDir, "folder holding comports.txt")->capture_default_str();
  app.add_flag("--json", o.json, "print JSON for scripts");
  app.add_option("--timeout", o.timeoutSeconds, "seconds to wait for the logger's answer")
      ->check(CLI::Range(1, 3600))
      ->capture_default_str();
}

// Port, line and the values of the chosen subcommand; an empty text when all is well.
std::string Settle(Options& o, const Texts& t) {
  if (!t.port.empty() && !t.device.empty()) return "give --port or --device, not both";
  if (t.port.empty() && t.device.empty()) return "no logger port: give --port COMn or --device PATH";
  if (!t.port.empty()) {
    const auto com = ql::ParseComName(t.port);
    if (!com) return "--port " + t.port + ": allowed COM1..COM12";
    o.port.com = *com;
  }
  o.port.device = t.device;
  o.port.startDirectory = t.startDir;
  if (t.line == "auto") {
    o.port.autoBaud = true;
  } else if (const auto line = ql::ParseLineText(t.line)) {
    o.port.lineIndex = *line;
  } else {
    return "--line " + t.line + ": allowed " + ql::LineTexts();
  }
  if (o.command == Options::Command::kUpload && !t.all) {
    if (t.runs.empty()) return "upload: give --runs LIST or --all";
    std::string error;
    o.runs = ql::ParseRunSelection(t.runs, error);
    if (!o.runs) return "--runs: " + error;
  }
  if (o.command == Options::Command::kSleep && !ql::SplitWakeUpMoment(t.until, o.wakeTime, o.wakeDate)) {
    return "--until \"" + t.until + "\": the form is \"YYYY-MM-DD HH:MM:SS\"";
  }
  o.until = t.until;
  if (o.command == Options::Command::kRecord) {
    int chosen = 0;
    for (const auto& [state, name] : {std::pair{ql::kRecordHourly, &t.hourly}, std::pair{ql::kRecordDaily, &t.daily},
                                      std::pair{ql::kRecordArchive, &t.continuous}, std::pair{ql::kRecordRaw, &t.raw}}) {
      if (name->empty()) continue;
      chosen += 1;
      o.recordState = state;
      o.recordName = *name;
    }
    if (chosen != 1) return "record: give one of --hourly BASE, --daily BASE, --continuous FILE, --raw FILE";
  }
  return {};
}

}  // namespace

Parsed ParseOptions(const std::vector<std::string>& args) {
  Parsed parsed;
  Options& o = parsed.options;
  Texts t;
  CLI::App app{kDescription, "ql9ctl"};
  app.require_subcommand(1);
  AddCommonOptions(app, o, t);
  using Command = Options::Command;
  std::vector<std::pair<CLI::App*, Command>> commands;
  auto sub = [&](CLI::App& parent, const char* name, const char* help, Command command) {
    CLI::App* s = parent.add_subcommand(name, help);
    s->fallthrough();
    commands.emplace_back(s, command);
    return s;
  };
  sub(app, "status", "wait for a status and show it", Command::kStatus)
      ->add_flag("--watch", o.watch, "one line per status until interrupted");
  CLI::App* setup = app.add_subcommand("setup", "the logger's setup as a TOML file");
  setup->require_subcommand(1);
  setup->fallthrough();
  sub(*setup, "get", "write the logger's setup (to FILE, or standard output)", Command::kSetupGet)
      ->add_option("FILE", o.file, "file to write");
  sub(*setup, "send", "check FILE, send it, and compare what the logger holds", Command::kSetupSend)
      ->add_option("FILE", o.file, "setup file")
      ->required();
  sub(*setup, "diff", "show where FILE differs from the logger's setup", Command::kSetupDiff)
      ->add_option("FILE", o.file, "setup file")
      ->required();
  sub(app, "clock", "show the logger clock's drift from the PC", Command::kClock)
      ->add_flag("--sync", o.sync, "set the logger clock from the PC and confirm it");
  sub(app, "dir", "list the runs in the logger's memory", Command::kDir);
  CLI::App* upload = sub(app, "upload", "upload runs into a folder and extract them", Command::kUpload);
  CLI::Option* runs = upload->add_option("--runs", t.runs, "run numbers, e.g. 1,3-5");
  upload->add_flag("--all", t.all, "every run")->excludes(runs);
  upload->add_option("--out", o.out, "folder for the run files")->required();
  upload->add_option("--extract", o.extract, "0 ZR Archive, 1 ZR Archive Plus Raw Files")
      ->check(CLI::Range(0, 1))
      ->capture_default_str();
  sub(app, "sleep", "put the logger to sleep until a moment", Command::kSleep)
      ->add_option("--until", t.until, "wake-up moment \"YYYY-MM-DD HH:MM:SS\" (PC local time)")
      ->required();

  CLI::App* record = sub(app, "record", "record real-time data as the window does, until SIGINT or SIGTERM", Command::kRecord);
  record->add_option("--hourly", t.hourly, "1 hour archive files named BASEyy_ddd.hhh");
  record->add_option("--daily", t.daily, "1 day archive files named BASEyy.ddd");
  record->add_option("--continuous", t.continuous, "one continuous archive file");
  record->add_option("--raw", t.raw, "a raw file of every byte from the logger");
  record->add_flag("--sync-clock", o.syncClock, "keep the logger clock set by the window's automatic rule");
  record->add_option("--udp", o.udp, "also send each accepted record's text lines, \"ID,PORT,LINE\", as UDP datagrams")
      ->type_name("HOST:PORT");

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    parsed.outcome = Parsed::Outcome::kShowText;
  } catch (const CLI::CallForAllHelp&) {
    parsed.outcome = Parsed::Outcome::kShowText;
  } catch (const CLI::ParseError& e) {
    parsed.outcome = Parsed::Outcome::kRefuse;
    parsed.text = e.what();
    return parsed;
  }
  if (parsed.outcome == Parsed::Outcome::kShowText) {
    // The help of the deepest subcommand named.
    const CLI::App* shown = &app;
    for (const CLI::App* s = &app; s != nullptr;) {
      shown = s;
      const auto chosen = s->get_subcommands();
      s = chosen.empty() ? nullptr : chosen.front();
    }
    parsed.text = shown->help();
    return parsed;
  }
  for (const auto& [s, command] : commands) {
    if (s->parsed()) o.command = command;
  }
  if (std::string why = Settle(o, t); !why.empty()) {
    parsed.outcome = Parsed::Outcome::kRefuse;
    parsed.text = why;
  }
  return parsed;
}

}  // namespace ql9ctl

// loggersim: the QL-9 logger simulated behind a pseudo-terminal, for running the host
// program without the instrument.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ComPortsFile.h"
#include "LoggerModel.h"
#include "PtyLink.h"
#include "SwitchCommands.h"
#include "common/Format.h"
#include "serial/LineSettings.h"

namespace {

using ql::sim::LoggerModel;
using ql::sim::PtyLink;

constexpr int kPollMs = 5;
// After a stall (the process stopped or suspended) the logger does not make up for the
// lost time in one burst.
constexpr int kLongestStepMs = 2000;

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) { g_stop = 1; }

struct ProgramOptions {
  LoggerModel::Options model;
  std::vector<std::pair<std::string, std::string>> switches;
  std::string comportsFile;
  int com = 1;
  bool stdinCommands = false;
};

std::string Usage() {
  std::string text =
      "Usage: loggersim [options]\n"
      "\n"
      "Simulates a QL-9 data logger on a pseudo-terminal. The terminal's path is printed\n"
      "on the first line of standard output; open it in the host program (through\n"
      "comports.txt) as the logger port.\n"
      "\n"
      "Line and start-up:\n"
      "  --baud N                   speed of the logger's host port, 600..115200 (default 9600)\n"
      "  --bits 7|8                 data bits (default 8)\n"
      "  --parity N|E|O             parity (default N)\n"
      "  --standby                  start in Standby instead of sampling\n"
      "  --seed N                   seed of the random numbers (default 1)\n"
      "  --comports FILE            write the terminal's path into this comports.txt\n"
      "  --com N                    COM number used in that file, 1..12 (default 1)\n"
      "  --stdin-commands           read commands from standard input; stop at its end\n"
      "  --help                     show this text\n"
      "\n"
      "Switches (also typed as commands while running, e.g. \"noise 0.3\", \"silent on\"):\n";
  for (const auto& s : ql::sim::Switches()) {
    const bool onOff = ql::sim::IsOnOffSwitch(s.name);
    const std::string option = onOff ? ql::Format("--%s", s.name) : ql::Format("--%s %s", s.name, s.argument);
    text += ql::Format("  %-26s %s\n", option.c_str(), s.help);
  }
  text +=
      "\n"
      "Typed commands: begin, stop, status, help, quit, and every switch with a value.\n"
      "Commands are read when standard input is a terminal or a pipe.\n";
  return text;
}

bool ParseInt(const std::string& text, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text.c_str(), &end, 10);
  return !text.empty() && *end == '\0' && value >= low && value <= high;
}

// 0: run; 1: help shown; 2: bad options (the message is in error).
int ParseArguments(int argc, char** argv, ProgramOptions& options, std::string& error) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    if (name.rfind("--", 0) != 0) {
      error = ql::Format("unexpected argument \"%s\"", name.c_str());
      return 2;
    }
    name = name.substr(2);
    if (const size_t eq = name.find('='); eq != std::string::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
      hasValue = true;
    }
    const bool flag = name == "help" || name == "standby" || name == "stdin-commands" || ql::sim::IsOnOffSwitch(name);
    const bool known = flag || name == "baud" || name == "bits" || name == "parity" || name == "seed" ||
                       name == "comports" || name == "com" || ql::sim::IsSwitch(name);
    if (!known) {
      error = ql::Format("unknown option --%s", name.c_str());
      return 2;
    }
    if (!hasValue && !flag) {
      if (i + 1 >= args.size()) {
        error = ql::Format("--%s needs a value", name.c_str());
        return 2;
      }
      value = args[++i];
    }
    long n = 0;
    if (name == "help") return 1;
    if (name == "standby") {
      options.model.sampling = false;
    } else if (name == "stdin-commands") {
      options.stdinCommands = true;
    } else if (name == "baud") {
      if (!ParseInt(value, 1, 115200, n) || !ql::LineSettingFor(static_cast<int>(n), 8)) {
        error = "--baud must be 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200";
      }
      options.model.line.baud = static_cast<int>(n);
    } else if (name == "bits") {
      if (value != "7" && value != "8") error = "--bits must be 7 or 8";
      options.model.line.dataBits = value == "7" ? 7 : 8;
    } else if (name == "parity") {
      if (value != "N" && value != "E" && value != "O") error = "--parity must be N, E or O";
      options.model.line.parity = value.empty() ? 'N' : value[0];
    } else if (name == "seed") {
      if (!ParseInt(value, 0, 0x7FFFFFFF, n)) error = "--seed needs a number";
      options.model.seed = static_cast<uint64_t>(n);
    } else if (name == "comports") {
      options.comportsFile = value;
    } else if (name == "com") {
      if (!ParseInt(value, 1, 12, n)) error = "--com must be 1..12";
      options.com = static_cast<int>(n);
    } else {
      options.switches.emplace_back(name, hasValue || !flag ? value : "on");
    }
    if (!error.empty()) return 2;
  }
  return 0;
}

bool WriteComports(const ProgramOptions& options, const std::string& device) {
  std::string existing;
  if (std::ifstream in(options.comportsFile); in) {
    std::stringstream text;
    text << in.rdbuf();
    existing = text.str();
  }
  std::ofstream out(options.comportsFile, std::ios::trunc);
  out << ql::sim::WithComPort(existing, options.com, device);
  return static_cast<bool>(out);
}

const char* StateName(int state) {
  switch (state) {
    case ql::sim::kStateSampling: return "Sampling";
    case ql::sim::kStateClearMemory: return "Clear Memory";
    case ql::sim::kStateSleeping: return "Sleeping";
    case ql::sim::kStateStandby: return "Standby";
    default: return "Other";
  }
}

void ShowStatus(const LoggerModel& model, const PtyLink& link) {
  const ql::LineParams me = model.Line();
  const ql::LineParams host = link.HostLine();
  std::fprintf(stderr, "state %s, run %d, logger clock %lld, line %d,%c,%d (host %d,%c,%d)\n",
               StateName(model.State()), model.RunNumber(), static_cast<long long>(model.LoggerSeconds()),
               me.baud, me.parity, me.dataBits, host.baud, host.parity, host.dataBits);
  std::fprintf(stderr, "%s", ql::sim::DescribeSwitches(model).c_str());
}

// Acts on one typed line; false when the operator asked to quit.
bool RunCommand(const std::string& line, LoggerModel& model, const PtyLink& link) {
  std::istringstream in(line);
  std::string word;
  std::string value;
  in >> word >> value;
  if (word.empty()) return true;
  if (word == "quit" || word == "exit") return false;
  if (word == "help") {
    std::fprintf(stderr, "%s", Usage().c_str());
  } else if (word == "status") {
    ShowStatus(model, link);
  } else if (word == "begin") {
    model.Begin();
  } else if (word == "stop") {
    model.Stop();
  } else {
    if (value.empty() && ql::sim::IsOnOffSwitch(word)) value = "on";
    const std::string problem = ql::sim::ApplySwitch(model, word, value);
    std::fprintf(stderr, "%s\n", problem.empty() ? "ok" : problem.c_str());
  }
  return true;
}

// The PC's local wall-clock time as seconds since 1970 counted as if it were UTC: the
// scale of the logger's clock.
int64_t HostSecondsNow() {
  const time_t utc = std::time(nullptr);
  tm local{};
  localtime_r(&utc, &local);
  return static_cast<int64_t>(utc) + local.tm_gmtoff;
}

bool StdinIsTerminalOrPipe() {
  struct stat info {};
  return isatty(STDIN_FILENO) != 0 || (fstat(STDIN_FILENO, &info) == 0 && S_ISFIFO(info.st_mode));
}

}  // namespace

int main(int argc, char** argv) {
  ProgramOptions options;
  std::string error;
  const int parsed = ParseArguments(argc, argv, options, error);
  if (parsed == 1) {
    std::printf("%s", Usage().c_str());
    return 0;
  }
  if (parsed == 2) {
    std::fprintf(stderr, "loggersim: %s\nTry 'loggersim --help'.\n", error.c_str());
    return 2;
  }

  options.model.clockSeconds = HostSecondsNow();
  LoggerModel model(options.model);
  for (const auto& [name, value] : options.switches) {
    const std::string problem = ql::sim::ApplySwitch(model, name, value);
    if (!problem.empty()) {
      std::fprintf(stderr, "loggersim: %s\nTry 'loggersim --help'.\n", problem.c_str());
      return 2;
    }
  }

  PtyLink link;
  if (!link.Open(model.Line(), error)) {
    std::fprintf(stderr, "loggersim: cannot open a pseudo-terminal: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s\n", link.SlavePath().c_str());
  std::fflush(stdout);
  if (!options.comportsFile.empty()) {
    if (!WriteComports(options, link.SlavePath())) {
      std::fprintf(stderr, "loggersim: cannot write %s\n", options.comportsFile.c_str());
      return 1;
    }
    std::fprintf(stderr, "loggersim: COM%d=%s written to %s\n", options.com, link.SlavePath().c_str(),
                 options.comportsFile.c_str());
  }

  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  bool readCommands = options.stdinCommands || StdinIsTerminalOrPipe();
  if (readCommands) std::fprintf(stderr, "loggersim: type 'help' for commands\n");
  std::string typed;
  auto last = std::chrono::steady_clock::now();
  while (g_stop == 0) {
    const int ready = link.Wait(kPollMs, readCommands ? STDIN_FILENO : -1);
    if ((ready & PtyLink::kOtherReady) != 0) {
      char buffer[512];
      const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
      if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN)) {
        if (options.stdinCommands) break;
        readCommands = false;  // input closed: go on without commands
      } else if (n > 0) {
        typed.append(buffer, static_cast<size_t>(n));
        for (size_t end; (end = typed.find('\n')) != std::string::npos;) {
          const std::string line = typed.substr(0, end);
          typed.erase(0, end + 1);
          if (!RunCommand(line, model, link)) g_stop = 1;
        }
      }
    }
    const auto now = std::chrono::steady_clock::now();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - last);
    last += elapsed;
    link.Service(model, static_cast<int>(std::min<long long>(elapsed.count(), kLongestStepMs)));
  }
  return 0;
}

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TempDirectory.h"

extern char** environ;

namespace {

// The simulated logger program on its pseudo-terminal, its path written into the
// comports.txt of the test's folder as COM1.
class LoggerProgram {
 public:
  explicit LoggerProgram(const std::string& comports) {
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::string program = LOGGERSIM_PATH;
    std::vector<std::string> args = {program, "--standby", "--comports", comports};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // Its first line names the terminal: it is ready then.
    FILE* in = fdopen(out[0], "r");
    char line[256] = {};
    if (in != nullptr && std::fgets(line, sizeof line, in) != nullptr) path_ = line;
    if (in != nullptr) std::fclose(in);
  }
  ~LoggerProgram() { Stop(); }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  bool Running() const { return pid_ > 0 && !path_.empty(); }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

struct Result {
  int exit = -1;
  std::string out;
};

// ql9ctl itself, as a script runs it; standard error goes to `err` in the folder.
Result Ql9ctl(const ql::test::TempDirectory& dir, const std::string& args) {
  const std::string command =
      std::string(QL9CTL_PATH) + " --start-dir " + dir.path.string() + " " + args + " 2>" + dir.File("err");
  Result r;
  FILE* p = popen(command.c_str(), "r");
  if (p == nullptr) return r;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;) r.out.append(buffer, n);
  const int status = pclose(p);
  r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

// A program started in the background, its standard error into a file; ended by SIGTERM.
class Background {
 public:
  Background(std::vector<std::string> args, const std::string& errFile) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Background() { Terminate(); }
  // SIGTERM, and the exit status.
  int Terminate() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
};

std::string ReadText(const std::string& file) {
  FILE* f = std::fopen(file.c_str(), "r");
  std::string text;
  if (f == nullptr) return text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
  std::fclose(f);
  return text;
}

// Waits for another process to get somewhere, polling: false after the limit.
bool WaitFor(const std::function<bool()>& done, int limitMs) {
  for (int waited = 0; waited < limitMs; waited += 100) {
    if (done()) return true;
    usleep(100'000);
  }
  return done();
}

QJsonObject Json(const std::string& text) { return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object(); }

TEST(Ql9ctlPtyTest, TheProgramTalksToTheSimulatedLoggerOverAPseudoTerminal) {
  ql::test::TempDirectory dir;
  LoggerProgram logger(dir.File("comports.txt"));
  ASSERT_TRUE(logger.Running());

  Result r = Ql9ctl(dir, "--port COM1 status --json");
  ASSERT_EQ(r.exit, 0) << r.out;
  EXPECT_EQ(Json(r.out)["state"].toString(), "Standby") << r.out;
  EXPECT_LE(std::abs(Json(r.out)["drift_seconds"].toInt()), 3);

  r = Ql9ctl(dir, "dir --json --port COM1");
  ASSERT_EQ(r.exit, 0);
  EXPECT_EQ(Json(r.out)["runs"].toArray().size(), 3) << r.out;

  const std::string file = dir.File("setup.toml");
  ASSERT_EQ(Ql9ctl(dir, "--port COM1 setup get " + file).exit, 0);
  r = Ql9ctl(dir, "--port COM1 setup send " + file);
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "Setup sent; the logger holds it.\n");

  // The logger gone: its terminal closes under the port.
  logger.Stop();
  r = Ql9ctl(dir, "--port COM1 --timeout 2 status");
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(Ql9ctl(dir, "status").exit, 2);
}

}  // namespace

namespace {

TEST(Ql9ctlPtyTest, TheRecorderKeepsItsFileWhileTheLoggerIsGoneAndGoesOnOnItsNewTerminal) {
  ql::test::TempDirectory dir;
  auto logger = std::make_unique<LoggerProgram>(dir.File("comports.txt"));
  ASSERT_TRUE(logger->Running());
  const std::string raw = dir.File("line.raw");
  const std::string events = dir.File("events");
  Background recorder({QL9CTL_PATH, "--start-dir", dir.path.string(), "--port", "COM1", "record", "--raw", raw}, events);
  auto size = [&raw] {
    std::error_code e;
    const auto n = std::filesystem::file_size(raw, e);
    return e ? 0 : static_cast<int64_t>(n);
  };
  ASSERT_TRUE(WaitFor([&] { return size() > 0; }, 10'000)) << ReadText(events);

  // The adapter pulled: the simulator ends, and starts again on a new terminal.
  logger.reset();
  ASSERT_TRUE(WaitFor([&] { return ReadText(events).find("link lost") != std::string::npos; }, 10'000)) << ReadText(events);
  const int64_t kept = size();
  logger = std::make_unique<LoggerProgram>(dir.File("comports.txt"));
  ASSERT_TRUE(logger->Running());
  ASSERT_TRUE(WaitFor([&] { return ReadText(events).find("link back") != std::string::npos; }, 20'000)) << ReadText(events);
  ASSERT_TRUE(WaitFor([&] { return size() > kept + 200; }, 10'000));
  EXPECT_EQ(recorder.Terminate(), 0);
  const std::string told = ReadText(events);
  EXPECT_NE(told.find("ql9ctl: started: recording a raw file "), std::string::npos) << told;
  EXPECT_LT(told.find("link lost"), told.find("link back")) << told;
  EXPECT_NE(told.find("ql9ctl: stopped: "), std::string::npos) << told;
  EXPECT_GE(size(), kept);
}

}  // namespace

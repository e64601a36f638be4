#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

#include "../flash/RunFileBytes.h"

namespace ql {
namespace {

struct ZrrunResult {
  int exitCode = -1;
  std::string out;
};

// Runs zrrun with the arguments (already quoted for the shell), stdout and stderr together;
// `before` are shell commands run first in the same shell (limits for zrrun).
ZrrunResult Zrrun(const std::string& arguments, const std::string& before = "") {
  ZrrunResult run;
  FILE* pipe = ::popen((before + "exec " + std::string(ZRRUN_PATH) + " " + arguments + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.out += buffer;
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(Zrrun, GoodDamagedAndMissingFiles) {
  test::TempFolder folder;
  const auto good = folder.Write("run.001", test::Concat({test::RunRecord(9, "bat"), test::RunRecord(1, "p1")}));
  const ZrrunResult ok = Zrrun("--out " + Quoted(folder.path() / "out") + " --choice 1 " + Quoted(good));
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.out, good.string() + ": 2 records read, wrote Battery.001, Port1.001\n");
  EXPECT_EQ(folder.ReadText("out/Port1.001"), "p1");

  const auto damaged = folder.Write("run.002", test::Concat({test::RunRecord(9, "bat"), test::Bytes{0xFF, 0xFF, 0xFF},
                                                             test::RunRecord(9, "two"), test::Bytes{4, 0, 9, 0, 'x'}}));
  const auto notRun = folder.Write("run.003", test::Bytes{0, 0, 0, 0, 1, 2, 3});
  const auto missing = folder.path() / "run.004";
  const ZrrunResult bad = Zrrun("--out " + Quoted(folder.path() / "out") + " " + Quoted(good) + " " + Quoted(damaged) + " " +
                        Quoted(notRun) + " " + Quoted(missing) + " " + Quoted(folder.path() / "cast.dat"));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, good.string() + ": 2 records read, wrote Battery.001\n" + damaged.string() +
                         ": 2 records read, wrote Battery.002; damaged: 3 bytes skipped in 1 place, last record cut "
                         "short (5 bytes)\n" +
                         notRun.string() + ": failed: not a run file (the first record header is not valid)\n" +
                         missing.string() + ": failed: cannot open the file: No such file or directory\n" + (folder.path() / "cast.dat").string() +
                         ": failed: no run number in the name (name.xxx, where xxx=000-999)\n");
}

TEST(Zrrun, AnOutputTheDiskRefusesIsSaidOnceWithTheSystemsReasonAndNeverAsWritten) {
  test::TempFolder folder;
  const auto run = folder.Write("run.009", test::Concat({test::RunRecord(9, "bat"), test::RunRecord(11, test::Bytes(256, 0)),
                                                         test::RunRecord(5, test::TimedBody(1, "mux"))}));
  std::filesystem::create_directory(folder.path() / "out");
  std::filesystem::create_symlink("/dev/full", folder.path() / "out/archive.009");
  std::filesystem::create_symlink("/dev/full", folder.path() / "out/Summary.009");
  const ZrrunResult full = Zrrun("--out " + Quoted(folder.path() / "out") + " " + Quoted(run));
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_EQ(full.out, run.string() +
                          ": 3 records read, wrote Battery.009; could not write Summary.009 (No space left on device), "
                          "archive.009 (No space left on device)\n");

  // The same through a file-size limit: the archive is cut off part-way.
  std::filesystem::remove(folder.path() / "out/archive.009");
  std::filesystem::remove(folder.path() / "out/Summary.009");
  test::Bytes big;
  for (uint32_t t = 0; t < 40; ++t) big = test::Concat({big, test::RunRecord(5, test::TimedBody(t * 50, std::string(2000, 'm')))});
  const auto bigRun = folder.Write("run.010", big);
  const ZrrunResult limited =
      Zrrun("--out " + Quoted(folder.path() / "out") + " " + Quoted(bigRun), "trap '' XFSZ; ulimit -f 40; ");
  EXPECT_EQ(limited.exitCode, 1);
  EXPECT_EQ(limited.out, bigRun.string() + ": 40 records read, wrote nothing; could not write archive.010 (File too large)\n");
  EXPECT_LE(std::filesystem::file_size(folder.path() / "out/archive.010"), 40u * 1024);
}

TEST(Zrrun, ARunFileThatCannotBeOpenedSaysWhy) {
  test::TempFolder folder;
  std::filesystem::create_directory(folder.path() / "run.011");
  const auto missing = folder.path() / "run.012";
  const ZrrunResult failed = Zrrun("--out " + Quoted(folder.path() / "out") + " " + Quoted(folder.path() / "run.011") +
                                   " " + Quoted(missing));
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.out, (folder.path() / "run.011").string() + ": failed: cannot open the file: it is a folder\n" +
                            missing.string() + ": failed: cannot open the file: No such file or directory\n");
}

TEST(Zrrun, ASecondRunFileWithTheSameRunNumberIsRefusedSoNoSetIsMixed) {
  test::TempFolder folder;
  std::filesystem::create_directories(folder.path() / "a");
  std::filesystem::create_directories(folder.path() / "b");
  const auto first = folder.Write("a/run.007", test::Concat({test::RunRecord(9, "A"), test::RunRecord(1, "port one")}));
  const auto second = folder.Write("b/run.7", test::RunRecord(9, "B"));
  const auto other = folder.Write("b/run.008", test::RunRecord(9, "C"));
  const ZrrunResult batch = Zrrun("--out " + Quoted(folder.path() / "out") + " --choice 1 " + Quoted(first) + " " +
                                  Quoted(second) + " " + Quoted(other));
  EXPECT_EQ(batch.exitCode, 1);
  EXPECT_EQ(batch.out, first.string() + ": 2 records read, wrote Battery.007, Port1.007\n" + second.string() +
                           ": refused: its run number is that of " + first.string() +
                           ", whose files this batch has written; extract it into another folder (--out DIR)\n" +
                           other.string() + ": 1 record read, wrote Battery.008\n");
  EXPECT_EQ(folder.ReadText("out/Battery.007"), "A");
  EXPECT_EQ(folder.ReadText("out/Port1.007"), "port one");
}

TEST(Zrrun, LogDatOnlyWithDebugAndPartialRunsAreCalledSo) {
  test::TempFolder folder;
  const auto run = folder.Write("run.013.part", test::RunRecord(9, "bat"));
  std::filesystem::create_directory(folder.path() / "out");
  const ZrrunResult quiet = Zrrun("--out " + Quoted(folder.path() / "out") + " " + Quoted(run));
  EXPECT_EQ(quiet.exitCode, 1);
  EXPECT_EQ(quiet.out, run.string() + ": partial run (its upload did not finish): 1 record read, wrote Battery.013\n");
  EXPECT_EQ(folder.ReadText("out/Battery.013"), "bat");
  EXPECT_FALSE(folder.Has("out/log.dat"));

  const ZrrunResult debug = Zrrun("--debug --out " + Quoted(folder.path() / "out") + " " + Quoted(run));
  EXPECT_EQ(debug.exitCode, 1);
  EXPECT_EQ(folder.ReadText("out/log.dat"), "Type 9 Size 3 ms 0\nBATTERY Size 3\r\n");
}

TEST(Zrrun, HelpAndUsageErrors) {
  const ZrrunResult help = Zrrun("--help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("Usage: zrrun [--out DIR] [--choice N] [--debug] [--format csv|netcdf]... RUNFILE...\n", 0), 0u);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);

  for (const char* arguments : {"", "--choice 2 run.001", "--out", "--verbose run.001"}) {
    const ZrrunResult usage = Zrrun(arguments);
    EXPECT_EQ(usage.exitCode, 2) << arguments;
    EXPECT_EQ(usage.out.rfind("zrrun: ", 0), 0u) << arguments;
  }
}

// --format writes the science files beside the usual outputs, taking the raw choice so
// that records stored under a header are in them; an archive given instead of a run
// gives its science files alone, named after it. A damaged archive says what was lost.

TEST(Zrrun, ScienceFilesOfRunsAndArchives) {
  test::TempFolder folder;
  const auto run = folder.Write("run.004", test::Concat({test::RunRecord(25, test::HeaderBody(2, 1, 1765000000)),
                                                         test::RunRecord(1, "T=1.5\r\n"), test::RunRecord(9, "bat")}));
  const ZrrunResult made = Zrrun("--out " + Quoted(folder.path() / "out") + " --format csv " + Quoted(run));
  EXPECT_EQ(made.exitCode, 1);  // "bat" is half a battery record
  EXPECT_EQ(made.out, run.string() + ": 3 records read, wrote archive.004, Port1.004, Battery.004\n" + run.string() +
                          ": wrote Port1.004.csv; damaged: a battery record cut short (3 bytes)\n");
  EXPECT_EQ(folder.ReadText("out/Port1.004.csv"), "time,logger_id,sequence,line,T\r\n2025-12-06T05:46:40Z,2,1,T=1.5,1.5\r\n");

  test::ArchiveFields fields;
  fields.sources[0] = "x\r\n";
  const test::Bytes record = test::ArchiveBytes(fields);
  const auto archive = folder.Write("archive.005", test::Concat({record, record}));
  const ZrrunResult fromArchive = Zrrun("--out " + Quoted(folder.path() / "out") + " --format csv " + Quoted(archive));
  EXPECT_EQ(fromArchive.exitCode, 0);
  EXPECT_EQ(fromArchive.out, archive.string() + ": wrote Port1.005.csv\n");
  EXPECT_TRUE(folder.Has("out/Port1.005.csv"));

  const auto cut = folder.Write("cast26_343.011", test::Concat({record, record, test::Bytes(record.begin(), record.end() - 1)}));
  const ZrrunResult damaged = Zrrun("--out " + Quoted(folder.path() / "out") + " --format csv " + Quoted(cut));
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_EQ(damaged.out, cut.string() + ": wrote Port1.cast26_343.011.csv; damaged: the last " +
                             std::to_string(record.size() - 1) +
                             " bytes of the archive unread (a record cut short or of impossible length)\n");

#if ZRRUN_NETCDF
  const ZrrunResult both = Zrrun("--out " + Quoted(folder.path() / "out") + " --format netcdf --format csv " + Quoted(archive));
  EXPECT_EQ(both.out, archive.string() + ": wrote Port1.005.csv, archive.005.nc\n");
#endif
  const ZrrunResult refused = Zrrun("--choice 0 --format csv " + Quoted(run));
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_EQ(refused.out.rfind("zrrun: --format needs --choice 1", 0), 0u);
  EXPECT_EQ(Zrrun("--format xls " + Quoted(run)).exitCode, 2);
}

}  // namespace
}  // namespace ql

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ScienceRun.h"
#include "loggersim/RunFileBuilder.h"
#include "science/RecordTime.h"

namespace ql {
namespace {

// Debian's own interpreter, which has xarray and netCDF4; another python3 on the PATH
// may not.
constexpr const char* kPython = "/usr/bin/python3";

std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// Runs the check script on the NetCDF file and the CSV files beside it; its output on
// failure.
testing::AssertionResult XarrayReads(const test::TempFolder& folder, const std::string& nc, const std::string& first,
                                     const std::string& last) {
  std::string command = std::string(kPython) + " " + Quoted(CHECK_NETCDF_SCRIPT) + " " + Quoted(folder.path() / nc) +
                        " " + first + " " + last;
  for (const std::string& name : folder.Names()) {
    if (name.size() > 4 && name.substr(name.size() - 4) == ".csv") command += " " + Quoted(folder.path() / name);
  }
  std::string output;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return testing::AssertionFailure() << "cannot run " << kPython;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = ::pclose(pipe);
  if (status != 0) return testing::AssertionFailure() << output;
  return testing::AssertionSuccess() << output;
}

// A run longer than one block of NetCDF rows, with every way of storing a sample, three
// instruments, two analog channels and battery records: xarray decodes its times to the
// logger's and reads the CSV's values in every row.
TEST(ScienceXarray, RunOpensWithTheCsvValues) {
  test::TempFolder folder;
  sim::SampleRunOptions options;
  options.samples = 1500;
  const sim::SampleRun run = sim::BuildSampleRun(options);
  const ScienceReport report = test::ExtractWithScience(folder, "run.001", run.bytes);
  ASSERT_FALSE(report.Failed()) << report.Describe();
  const std::string first = RecordTime{options.startTime, 0}.Iso();
  const std::string last = RecordTime{options.startTime + options.samples - 1, 0}.Iso();
  EXPECT_TRUE(XarrayReads(folder, "run.001.nc", first, last));
}

// A recorded archive of the host's own PC logger: times in hundredths of a second, the
// PC time text in the ninth source (whose figures the plot page reads as numbers too).
TEST(ScienceXarray, ArchiveInHundredthsOpensWithTheCsvValues) {
  test::TempFolder folder;
  test::Bytes archive;
  for (uint8_t k = 0; k < 5; ++k) {
    test::ArchiveFields record;
    record.timeUnit = 1;
    record.sender = 1;
    record.sequence = k;
    record.time = 100000 + 25u * k;
    record.sources[0] = "12.5, 7\r\n";
    record.sources[8] = "12/09/26\t07:00:00.000\r\n";
    const test::Bytes bytes = test::ArchiveBytes(record);
    archive.insert(archive.end(), bytes.begin(), bytes.end());
  }
  ScienceRequest request;
  request.archive = folder.Write("cast26_343.007", archive);
  request.outputFolder = folder.path();
  request.tag = request.datasetName = "cast26_343.007";
  request.csv = request.netcdf = true;
  const ScienceReport report = ExportScience(request);
  EXPECT_EQ(report.Describe(), "wrote Port1.cast26_343.007.csv, Port9.cast26_343.007.csv, cast26_343.007.nc");
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port9.cast26_343.007.csv")[2],
            (std::vector<std::string>{"1970-01-01T00:16:40.25Z", "1", "1", "12/09/26\t07:00:00.000", "12", "9", "26", "7",
                                      "0", "0"}));
  EXPECT_TRUE(XarrayReads(folder, "cast26_343.007.nc", "1970-01-01T00:16:40", "1970-01-01T00:16:41"));
}

}  // namespace
}  // namespace ql

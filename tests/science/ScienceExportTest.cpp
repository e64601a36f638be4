#include <gtest/gtest.h>
#include <netcdf.h>

#include <cmath>
#include <string>
#include <vector>

#include "ScienceRun.h"
#include "loggersim/RunFileBuilder.h"

namespace ql {
namespace {

using Rows = std::vector<std::vector<std::string>>;

constexpr uint32_t kStart = 1765000000;  // 2025-12-06T05:46:40Z

// A run that stores its samples in each of the logger's ways: under ARCHIVE HEADERs (one
// counting seconds, one hundredths), stamped ARCHIVEMUX records grouped by time, and a
// whole archive record; with a binary port, quoted text, analog channels and a battery
// record.
test::Bytes MixedRun() {
  sim::RunSummaryFields summary;
  summary.runNumber = 7;
  summary.serialNumber = 17;
  summary.startTime = kStart;
  sim::DataRecordFields whole;
  whole.sender = 2;
  whole.sequence = 7;
  whole.time = kStart + 200;
  whole.sources[0] = "T=14 C=1 P=2\r\n";
  whole.sources[2] = "hello, \"world\"\r\n";
  sim::RunFileBuilder b;
  b.ArchiveHeader(2, 5, kStart)
      .Meter(1, "T=12.5 C=35.1 P=100.2\r\nT=12.6 C=35.2 P=100.3\r\n")
      .Meter(2, std::string("\x01\x02\xff", 3))
      .Analog(test::Millivolts({1350, 1700}))
      .QlMux(whole)
      .ArchiveHeader(2, 6, 123456, true)
      .Meter(1, "T=12.7 C=35.3 P=100.4\r\n")
      .ArchiveMux(1, kStart + 100, "T=13.0 C=35.0 P=99.0\r\n")
      .ArchiveMux(1, kStart + 120, "T=13.1 C=35.0 P=99.1\r\n")
      .AnalogMux(kStart + 100, test::Millivolts({1400, -250}))
      .Battery(kStart + 300, 12480)
      .Summary(summary);
  return b.Take();
}

// Every record's bytes come out at the record's own time: lines of text with the
// numbers the plot page reads from them, binary bytes as hex, analog channels and the
// battery in volts. The rows follow the archive's order: the whole record comes where
// the logger stored it, a rebuilt one when the extraction closes it (at the next header).
TEST(ScienceExport, RunRoundTripsIntoCsv) {
  test::TempFolder folder;
  const ScienceReport report = test::ExtractWithScience(folder, "run.007", MixedRun());
  EXPECT_FALSE(report.Failed());
  EXPECT_FALSE(report.Damaged());
  EXPECT_EQ(report.Describe(),
            "wrote Port1.007.csv, Port3.007.csv, Port2.007.csv, analog.007.csv, Battery.007.csv, run.007.nc");

  EXPECT_EQ(test::ReadCsv(folder.path() / "Port1.007.csv"),
            (Rows{{"time", "logger_id", "sequence", "line", "T", "C", "P"},
                  {"2025-12-06T05:50:00Z", "2", "7", "T=14 C=1 P=2", "14", "1", "2"},
                  {"2025-12-06T05:46:40Z", "2", "5", "T=12.5 C=35.1 P=100.2", "12.5", "35.1", "100.2"},
                  {"2025-12-06T05:46:40Z", "2", "5", "T=12.6 C=35.2 P=100.3", "12.6", "35.2", "100.3"},
                  {"1970-01-01T00:20:34.56Z", "2", "6", "T=12.7 C=35.3 P=100.4", "12.7", "35.3", "100.4"},
                  {"2025-12-06T05:48:20Z", "2", "0", "T=13.0 C=35.0 P=99.0", "13", "35", "99"},
                  {"2025-12-06T05:48:20Z", "2", "0", "T=13.1 C=35.0 P=99.1", "13.1", "35", "99.1"}}));
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port2.007.csv"),
            (Rows{{"time", "logger_id", "sequence", "hex"}, {"2025-12-06T05:46:40Z", "2", "5", "0102ff"}}));
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port3.007.csv"),
            (Rows{{"time", "logger_id", "sequence", "line"}, {"2025-12-06T05:50:00Z", "2", "7", "hello, \"world\""}}));
  EXPECT_EQ(folder.ReadText("Port3.007.csv"),
            "time,logger_id,sequence,line\r\n2025-12-06T05:50:00Z,2,7,\"hello, \"\"world\"\"\"\r\n");
  EXPECT_EQ(test::ReadCsv(folder.path() / "analog.007.csv"),
            (Rows{{"time", "logger_id", "sequence", "analog1", "analog2"},
                  {"2025-12-06T05:46:40Z", "2", "5", "1.35", "1.7"},
                  {"2025-12-06T05:48:20Z", "2", "0", "1.4", "-0.25"}}));
  EXPECT_EQ(test::ReadCsv(folder.path() / "Battery.007.csv"),
            (Rows{{"time", "battery"}, {"2025-12-06T05:51:40Z", "12.48"}}));
  EXPECT_FALSE(folder.Has("Port1.007.csv.part"));
}

struct NetcdfFile {
  explicit NetcdfFile(const std::filesystem::path& path) { ok = nc_open(path.string().c_str(), NC_NOWRITE, &id) == NC_NOERR; }
  ~NetcdfFile() {
    if (ok) nc_close(id);
  }
  size_t Rows() const {
    int dim = -1;
    size_t rows = 0;
    nc_inq_dimid(id, "obs", &dim);
    nc_inq_dimlen(id, dim, &rows);
    return rows;
  }
  std::vector<double> Doubles(const char* name) const {
    std::vector<double> values(Rows());
    int var = -1;
    EXPECT_EQ(nc_inq_varid(id, name, &var), NC_NOERR) << name;
    nc_get_var_double(id, var, values.data());
    return values;
  }
  std::vector<std::string> Strings(const char* name) const {
    std::vector<char*> cells(Rows());
    int var = -1;
    EXPECT_EQ(nc_inq_varid(id, name, &var), NC_NOERR) << name;
    nc_get_var_string(id, var, cells.data());
    std::vector<std::string> values(cells.begin(), cells.end());
    nc_free_string(cells.size(), cells.data());
    return values;
  }
  std::string Text(int var, const char* attribute) const {
    size_t length = 0;
    if (nc_inq_attlen(id, var, attribute, &length) != NC_NOERR) return "(none)";
    std::string text(length, '\0');
    nc_get_att_text(id, var, attribute, text.data());
    return text;
  }
  bool Has(int var, const char* attribute) const { return nc_inq_attlen(id, var, attribute, nullptr) == NC_NOERR; }
  int Var(const char* name) const {
    int var = -1;
    nc_inq_varid(id, name, &var);
    return var;
  }
  int id = -1;
  bool ok = false;
};

// The same rows in the NetCDF file: each variable along `obs`, a row's source telling
// which port it is from, cells of other sources at their fill value; CF and ACDD
// attributes from the run's summary; no units on the instrument's own numbers.
TEST(ScienceExport, RunRoundTripsIntoNetcdf) {
  test::TempFolder folder;
  test::ExtractWithScience(folder, "run.007", MixedRun());
  const NetcdfFile nc(folder.path() / "run.007.nc");
  ASSERT_TRUE(nc.ok);
  ASSERT_EQ(nc.Rows(), 11u);  // 6 lines of port 1, 1 of ports 2 and 3, 2 analog rows, 1 battery row

  const std::vector<double> source = nc.Doubles("source");
  const std::vector<double> time = nc.Doubles("time");
  const std::vector<std::string> lines = nc.Strings("port1_line");
  const std::vector<double> temperature = nc.Doubles("port1_T");
  std::vector<std::pair<double, std::string>> port1;
  std::vector<double> port1T;
  for (size_t i = 0; i < nc.Rows(); ++i) {
    if (source[i] != 1) {
      EXPECT_EQ(lines[i], "") << i;
      EXPECT_TRUE(std::isnan(temperature[i])) << i;
      continue;
    }
    port1.emplace_back(time[i], lines[i]);
    port1T.push_back(temperature[i]);
  }
  EXPECT_EQ(port1, (std::vector<std::pair<double, std::string>>{{kStart + 200, "T=14 C=1 P=2"},
                                                               {kStart, "T=12.5 C=35.1 P=100.2"},
                                                               {kStart, "T=12.6 C=35.2 P=100.3"},
                                                               {1234.56, "T=12.7 C=35.3 P=100.4"},
                                                               {kStart + 100, "T=13.0 C=35.0 P=99.0"},
                                                               {kStart + 100, "T=13.1 C=35.0 P=99.1"}}));
  EXPECT_EQ(port1T, (std::vector<double>{14, 12.5, 12.6, 12.7, 13.0, 13.1}));
  const std::vector<std::string> hex = nc.Strings("port2_hex");
  EXPECT_NE(std::find(hex.begin(), hex.end(), "0102ff"), hex.end());
  const std::vector<double> battery = nc.Doubles("battery");
  EXPECT_EQ(battery.back(), 12.48);
  EXPECT_EQ(time.back(), kStart + 300);

  EXPECT_EQ(nc.Text(nc.Var("time"), "units"), "seconds since 1970-01-01T00:00:00Z");
  EXPECT_EQ(nc.Text(nc.Var("time"), "standard_name"), "time");
  EXPECT_EQ(nc.Text(nc.Var("time"), "axis"), "T");
  EXPECT_EQ(nc.Text(nc.Var("time"), "calendar"), "standard");
  EXPECT_EQ(nc.Text(nc.Var("analog2"), "units"), "V");
  EXPECT_EQ(nc.Text(nc.Var("battery"), "units"), "V");
  EXPECT_EQ(nc.Text(nc.Var("port1_T"), "long_name"), "T of port 1");
  EXPECT_FALSE(nc.Has(nc.Var("port1_T"), "units"));
  EXPECT_TRUE(nc.Has(nc.Var("port1_T"), "_FillValue"));
  EXPECT_EQ(nc.Text(NC_GLOBAL, "Conventions"), "CF-1.10, ACDD-1.3");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "featureType"), "timeSeries");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "title"), "QL-9 run 7, logger S/N 017");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "history"), "2026-12-09T07:00:00Z zrrun 7.06: run.007");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "date_created"), "2026-12-09T07:00:00Z");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "run_start_time"), "2025-12-06T05:46:40Z");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "time_coverage_start"), "1970-01-01T00:20:34.56Z");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "time_coverage_end"), "2025-12-06T05:51:40Z");
  EXPECT_EQ(nc.Text(NC_GLOBAL, "logger_setup").rfind("Run # 7:  Profile on 12/06/25 at 05:46:40\n", 0), 0u);
  int serial = 0;
  nc_get_att_int(nc.id, NC_GLOBAL, "logger_serial_number", &serial);
  EXPECT_EQ(serial, 17);
}

// Number columns only where every line with numbers names the same ones: a port whose
// lines change their names keeps its lines alone. Lines without numbers leave the cells
// empty.
TEST(ScienceExport, NumberColumnsOnlyForStableNames) {
  test::TempFolder folder;
  sim::RunFileBuilder b;
  b.ArchiveMux(1, kStart, "T=1 C=2\r\n").ArchiveMux(2, kStart, "A 1 2\r\n");
  b.ArchiveMux(1, kStart + 60, "T=3 S=4\r\n").ArchiveMux(2, kStart + 60, "== start ==\r\nA 5 6\r\n");
  const ScienceReport report = test::ExtractWithScience(folder, "run.001", b.Take());
  EXPECT_EQ(report.Describe(), "wrote Port1.001.csv, Port2.001.csv, run.001.nc");
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port1.001.csv")[0], (std::vector<std::string>{"time", "logger_id", "sequence", "line"}));
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port2.001.csv"),
            (Rows{{"time", "logger_id", "sequence", "line", "A", "#2"},
                  {"2025-12-06T05:46:40Z", "2", "0", "A 1 2", "1", "2"},
                  {"2025-12-06T05:47:40Z", "2", "1", "== start ==", "", ""},
                  {"2025-12-06T05:47:40Z", "2", "1", "A 5 6", "5", "6"}}));
  const NetcdfFile nc(folder.path() / "run.001.nc");
  EXPECT_GE(nc.Var("port2_number2"), 0);
  EXPECT_LT(nc.Var("port1_T"), 0);
}

// Outputs that cannot be written are named with the system's reason and never take the
// name of a whole file; archive records whose counts do not add up are counted as left
// out rather than split wrongly.
TEST(ScienceExport, FailedOutputsAndDamageAreSaid) {
  test::TempFolder folder;
  test::ArchiveFields fields;
  fields.sources[0] = "x\r\n";
  test::Bytes bad = test::ArchiveBytes(fields);
  bad[10] = 9;  // port 1 count beyond the data length
  const test::Bytes good = test::ArchiveBytes(fields);
  ScienceRequest request;
  request.archive = folder.Write("archive.003", test::Concat({good, bad, good}));
  request.outputFolder = folder.path() / "missing";
  request.tag = "003";
  request.datasetName = "archive.003";
  request.csv = request.netcdf = true;
  const ScienceReport report = ExportScience(request);
  EXPECT_TRUE(report.Failed());
  EXPECT_TRUE(report.Damaged());
  EXPECT_EQ(report.Describe(),
            "no science file written; failed: Port1.003.csv (No such file or directory); failed: archive.003.nc (No such "
            "file or directory); damaged: 1 archive records left out (their port counts do not add up)");

  request.outputFolder = folder.path();
  EXPECT_EQ(ExportScience(request).archive.records, 2u);
  EXPECT_EQ(test::ReadCsv(folder.path() / "Port1.003.csv").size(), 3u);

  request.archive = folder.path() / "archive.404";
  EXPECT_EQ(ExportScience(request).Describe(), "failed: cannot read the archive (No such file or directory)");
}

}  // namespace
}  // namespace ql

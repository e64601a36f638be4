#include "plot/StatusLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/ByteOrder.h"
#include "common/Calendar.h"

namespace ql {
namespace {

namespace fs = std::filesystem;

StatusBytes KnownStatus() {
  StatusBytes s{};
  PutU16LE(s.data() + 6, 12);  // run
  PutU32LE(s.data() + 8, static_cast<uint32_t>(FromCalendar(2026, 12, 8, 9, 30, 5)));
  PutU16LE(s.data() + 48, 12480);
  for (int input = 1; input <= 7; ++input) PutU16LE(s.data() + 56 + 2 * input, static_cast<uint16_t>(input * 1000 + 5));
  PutU32LE(s.data() + 72 + 4 * LoggerStatus::kFreeFlash, 51200);
  const LoggerStatus read(s);
  EXPECT_EQ(read.RunNumber(), 12);
  EXPECT_EQ(read.AnalogMillivolts(7), 7005);
  EXPECT_EQ(read.FileBytes(LoggerStatus::kFreeFlash), 51200);
  return s;
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(StatusLog, RowsHoldPcAndLoggerTimesStateVoltsAndMemory) {
  const int64_t pcMs = FromCalendar(2026, 12, 8, 9, 30, 6) * 1000 + 42;
  EXPECT_EQ(StatusLog::Row(pcMs, KnownStatus(), "Sampling"),
            "2026-12-08T09:30:06.042Z,2026-12-08T09:30:05,Sampling,12,12.480,1.005,2.005,3.005,4.005,5.005,6.005,"
            "7.005,50");
  // A state text with a comma or quote stays one field.
  const std::string row = StatusLog::Row(pcMs, KnownStatus(), "Stopped, \"low\"");
  EXPECT_NE(row.find(",\"Stopped, \"\"low\"\"\","), std::string::npos) << row;
  EXPECT_EQ(StatusLog::PathFor("cruise/cast.dat").string(), "cruise/cast.dat.status.csv");
}

TEST(StatusLog, HeaderOnceAppendsAcrossRunsAndAFailureIsReportedOnce) {
  const fs::path dir = fs::temp_directory_path() / "ql9-status-log";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "cast.status.csv";
  {
    StatusLog log;
    EXPECT_EQ(log.Append(file, 0, KnownStatus(), "Sampling"), "");
    EXPECT_EQ(log.Append(file, 1000, KnownStatus(), "Sampling"), "");
    log.Close();
  }
  StatusLog again;
  EXPECT_EQ(again.Append(file, 2000, KnownStatus(), "Standby"), "");
  const std::string text = ReadAll(file);
  EXPECT_EQ(text.rfind(std::string(StatusLog::kHeader) + "\r\n", 0), 0u);
  EXPECT_EQ(text.find("pc_time_utc", 1), std::string::npos) << "header repeated";
  size_t lines = 0;
  for (char c : text) lines += c == '\n';
  EXPECT_EQ(lines, 4u);

  const fs::path nowhere = dir / "missing" / "cast.status.csv";
  EXPECT_EQ(again.Append(nowhere, 3000, KnownStatus(), "Sampling"), "Could not open the status log " + nowhere.string());
  EXPECT_EQ(again.Append(nowhere, 4000, KnownStatus(), "Sampling"), "");
  EXPECT_FALSE(fs::exists(nowhere));
  // The next file of the recording logs again.
  EXPECT_EQ(again.Append(file, 5000, KnownStatus(), "Sampling"), "");
  EXPECT_EQ(ReadAll(file).size(), text.size() + StatusLog::Row(5000, KnownStatus(), "Sampling").size() + 2);
  again.Close();  // Windows removes no file that is still open
  fs::remove_all(dir);
}

}  // namespace
}  // namespace ql

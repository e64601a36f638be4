#include "flash/RunSummary.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "RunFileBytes.h"
#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "flash/RunExtraction.h"
#include "support/FakeOperator.h"

namespace ql {
namespace {

using test::Bytes;

// A run summary record filled from the field table, big-endian.
struct SummaryBody {
  Bytes b = Bytes(256, 0);
  SummaryBody& I16(int offset, int value) {
    PutU16BE(&b[static_cast<size_t>(offset)], static_cast<uint16_t>(value));
    return *this;
  }
  SummaryBody& U32(int offset, uint32_t value) {
    PutU32BE(&b[static_cast<size_t>(offset)], value);
    return *this;
  }
  std::string Text() const { return RunSummaryText(DecodeRunSummary(b.data())); }
};

SummaryBody FullRecord() {
  SummaryBody s;
  s.I16(0, 42).I16(2, 1).I16(4, 2).I16(6, 17).I16(8, 1).I16(10, 2);
  const int devices[9] = {0, 1, 0, 3, 13, 0, 0, 0, 14};
  for (int k = 0; k < 9; ++k) s.I16(12 + 2 * k, devices[k]);
  s.I16(30, 3860);
  const uint32_t bauds[9] = {115200, 9600, 0, 19200, 38400, 0, 0, 0, 4800};
  for (int k = 0; k < 9; ++k) s.U32(36 + 4 * k, bauds[k]);
  for (int k = 0; k < 9; ++k) s.I16(72 + 2 * k, k == 3 ? 7 : 8);
  const int parities[9] = {0, 1, 0, 2, 5, 0, 0, 0, 0};
  for (int k = 0; k < 9; ++k) s.I16(90 + 2 * k, parities[k]);
  s.I16(108, 99).I16(110, 105);
  const int analog[7] = {1, 0, 2, 0, 0, 0, 1};
  for (int k = 0; k < 7; ++k) s.I16(130 + 2 * k, analog[k]);
  s.I16(144, 0).I16(146, 1).I16(148, 0).I16(150, 3);
  s.U32(152, 0).U32(156, 90).U32(160, 120).U32(164, 7200).U32(168, 45).U32(172, 3600 * 24);
  s.U32(176, static_cast<uint32_t>(FromCalendar(2026, 12, 7, 13, 5, 9)));
  s.I16(188, 3).I16(190, 250).I16(192, 12345).I16(194, 11020);
  s.U32(200, 1024);
  const uint32_t portBytes[8] = {1025, 999, 5000, 123456, 0, 0, 0, 77};
  for (int k = 0; k < 8; ++k) s.U32(204 + 4 * k, portBytes[k]);
  s.U32(236, 52224).U32(240, 8 * 1024 * 1024);
  s.I16(244, 3).I16(246, 7).I16(248, 5).I16(250, 6).I16(252, 26);
  return s;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(RunSummary, FullRecordReadsLineByLineAsTheTableSays) {
  const std::vector<std::string> reference = {
      "Run # 42:  Moored on 12/07/26 at 13:05:09",
      "",
      "QL9 S/N-017",
      "",
      "Firmware Version  3.07   5/06/26",
      "",
      "60 % Power:  3860 kHz ",
      "",
      "File Format:  ZR Archive Files",
      "Output Format:  Real Time                  ",
      "",
      "Logger:",
      "Unit ID: 3",
      "Packet Rate: 4 Hz",
      "",
      "Active Pump Ports: \t2\t4",
      "",
      "Analog Ports: ",
      "1  On",
      "3  Pump On",
      "7  On",
      "",
      "Serial Ports: Type Baud     Size  Parity Stop",
      "Host Port: \t\t115200\t8\tN\t1",
      "Port 1:\t        bx5 9600  \t8\tO\t1",
      "Port 3:\t      ASCII 19200 \t7\tE\t1",
      "Port 4:\t  ZR-Logger 38400 \t8\t*\t1",
      "Port 8:\tInvalid Meter 4800  \t8\tN\t1",
      "",
      "Delay Before Start:  None",
      "Pre-Flush: 90 Seconds",
      "Warm Up: 2 Minutes",
      "Flush: 2 Hours",
      "Sample: 45 Seconds",
      "Interval: 24 Hours",
      "",
      "Starting Voltage: 12.3 V",
      "Final Voltage: 11.0 V",
      "Low Voltage Cutoff : 10.5",
      "",
      "Recorded File Sizes",
      "Analog:     1024",
      "Port 1:        1 K",
      "Port 3:        4 K",
      "Port 4:      120 K",
      "Port 8:       77 Bytes",
      "",
      "Total Disk Space: 8192 K",
      "Free Disk Space: 51 K at End of Sample",
  };
  EXPECT_EQ(Lines(FullRecord().Text()), reference);
}

TEST(RunSummary, PiecesFollowTheirRules) {
  // Profile runs print no interval; an unknown mode, meter and power use their forms.
  SummaryBody s = FullRecord();
  s.I16(2, 0);
  EXPECT_EQ(s.Text().find("Interval"), std::string::npos);
  s.I16(2, 5).I16(4, 9).I16(30, 1234).I16(10, 3).I16(8, 4);
  const std::string odd = s.Text();
  EXPECT_EQ(odd.rfind("Run # 42: Unknown Mode 5  on 12/07/26 at 13:05:09\n\n", 0), 0u);
  EXPECT_NE(odd.find("Unknown Meter Type 9 S/N-017\n\nFirmware Version"), std::string::npos);
  EXPECT_NE(odd.find("\nUnknown Power: 1234 kHz \n\n"), std::string::npos);
  EXPECT_NE(odd.find("Output Format:  Invalid Output Setting 3  \n\n"), std::string::npos);
  EXPECT_NE(odd.find("File Format:  Invalid File Format: 4\n"), std::string::npos);
  EXPECT_EQ(odd.find("Logger:"), std::string::npos);  // neither archive files nor real time

  s.I16(10, 11).I16(4, 3).I16(30, 16000);
  EXPECT_NE(s.Text().find("Output Format:  Logger 8                   \n\n"), std::string::npos);
  EXPECT_NE(s.Text().find("EXT Plus S/N=017"), std::string::npos);
  EXPECT_NE(s.Text().find("\nTurbo Power:  16000 kHz"), std::string::npos);

  // Packet periods outside the table print as they are: 20 in ms, 8 in Hz.
  s.I16(10, 1).I16(190, 20);
  EXPECT_NE(s.Text().find("Packet Rate: 20 ms\n"), std::string::npos);
  s.I16(190, 8);
  EXPECT_NE(s.Text().find("Packet Rate: 8 Hz\n"), std::string::npos);

  // 50 K free warns of an early end; 51 K does not. No pumps: "  None".
  const std::string warning = "***Warning*** This Run may have terminated early.  Out of Memory!!!\n\n";
  s.U32(236, 51200).I16(146, 0).I16(150, -1);
  EXPECT_NE(s.Text().find(warning), std::string::npos);
  EXPECT_NE(s.Text().find("Active Pump Ports:   None\n\n"), std::string::npos);
  s.U32(236, 52224);
  EXPECT_EQ(s.Text().find(warning), std::string::npos);
}

TEST(RunSummary, WrittenWithCrLfLineEndsDuringExtraction) {
  test::TempFolder folder;
  test::FakeOperator person;
  ExtractionMemory memory;
  ExtractionRequest request;
  request.runFile = folder.Write("run.042", test::RunRecord(11, FullRecord().b));
  request.outputFolder = folder.path();
  ExtractRun(request, memory, person);
  const std::string text = folder.ReadText("Summary.042");
  EXPECT_EQ(text, WithCrLf(FullRecord().Text()));
  EXPECT_EQ(text.rfind("Run # 42:  Moored on 12/07/26 at 13:05:09\r\n\r\nQL9", 0), 0u);
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
  EXPECT_TRUE(person.boxes.empty());
}

TEST(RunSummary, UncreatableSummaryFileIsReportedAndTheRestGoesOn) {
  test::TempFolder folder;
  test::FakeOperator person;
  ExtractionMemory memory;
  std::filesystem::create_directory(folder.path() / "Summary.043");  // in the way of the file
  ExtractionRequest request;
  request.runFile = folder.Write("run.043", test::Concat({test::RunRecord(11, FullRecord().b), test::RunRecord(9, "b")}));
  request.outputFolder = folder.path();
  const ExtractionReport report = ExtractRun(request, memory, person);
  ASSERT_EQ(person.boxes.size(), 1u);
  EXPECT_EQ(person.boxes[0].caption, "File Extraction Error");
  EXPECT_EQ(person.boxes[0].text, "Unable to create Summary File");
  EXPECT_EQ(folder.ReadText("Battery.043"), "b");
  ASSERT_EQ(report.failedOutputs.size(), 1u);
  EXPECT_EQ(report.failedOutputs[0].name, "Summary.043");
  EXPECT_FALSE(report.failedOutputs[0].reason.empty());  // the system's own words
}

}  // namespace
}  // namespace ql

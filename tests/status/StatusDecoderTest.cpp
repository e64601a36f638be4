#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "common/Calendar.h"
#include "status/StatusDecoder.h"

namespace ql {
namespace {

// Writes status fields at their offsets, as the logger lays them out.
struct StatusRecord {
  StatusBytes bytes{};

  StatusRecord() {
    bytes[0] = bytes[1] = 3;
    Id(7);
    Firmware(7, 6);
  }
  StatusRecord& State(int16_t v) { return I16(4, v); }
  StatusRecord& RunNumber(int16_t v) { return I16(6, v); }
  StatusRecord& Clock(int32_t v) { return I32(8, v); }
  StatusRecord& SecondsLeft(uint32_t v) { return I32(12, static_cast<int32_t>(v)); }
  StatusRecord& Meter(int16_t v) { return I16(18, v); }
  StatusRecord& Id(int16_t v) { return I16(20, v); }
  StatusRecord& Masks(uint16_t serial, uint16_t analog, uint16_t pump) {
    I16(22, static_cast<int16_t>(serial));
    I16(24, static_cast<int16_t>(analog));
    return I16(26, static_cast<int16_t>(pump));
  }
  StatusRecord& Rate(int port, int16_t v) { return I16(28 + 2 * port, v); }
  StatusRecord& Power(uint16_t v) { return I16(46, static_cast<int16_t>(v)); }
  StatusRecord& Millivolts(int16_t now, int16_t start, int16_t end) {
    I16(48, now);
    I16(50, start);
    return I16(52, end);
  }
  StatusRecord& RunStop(int16_t v) { return I16(54, v); }
  StatusRecord& Analog(int input, int16_t mv) { return I16(56 + 2 * input, mv); }
  StatusRecord& FileBytes(int entry, int32_t v) { return I32(72 + 4 * entry, v); }
  StatusRecord& Firmware(uint32_t major, uint32_t minor) {
    return I32(124, static_cast<int32_t>((major << 28) | (minor << 20) | (5u << 16) | (1u << 8) | 25u));
  }

  StatusRecord& I16(int at, int16_t v) {
    PutU16LE(bytes.data() + at, static_cast<uint16_t>(v));
    return *this;
  }
  StatusRecord& I32(int at, int32_t v) {
    PutU32LE(bytes.data() + at, static_cast<uint32_t>(v));
    return *this;
  }
};

StatusDisplay Decode(const StatusRecord& r, StatusMemory& memory, bool moored, int64_t hostSeconds) {
  StatusDisplay d = DecodeStatusToClock(r.bytes, memory, moored);
  DecodeStatusFromDrift(r.bytes, hostSeconds, d);
  return d;
}

TEST(StatusDecoderTest, OneStatusFillsEveryLabelAndHostVariable) {
  const int64_t clock = FromCalendar(2026, 3, 4, 5, 6, 7);
  StatusRecord r;
  r.State(6).RunNumber(12).Clock(static_cast<int32_t>(clock)).SecondsLeft(3725).Meter(2).Id(17);
  r.Power(0x05).Millivolts(12345, 13000, 0).RunStop(2);
  r.Rate(3, -120).Rate(8, 512).Analog(1, 1234).Analog(7, -250);
  for (int port = 1; port <= 8; ++port) r.FileBytes(port, 1000 * port);
  r.FileBytes(9, 2048).FileBytes(10, 3000).FileBytes(11, 512 * 1024).FileBytes(12, 4096 * 1024);
  r.FileBytes(0, 1 << 20);  // entry 0 is not part of the run

  StatusMemory memory;
  EXPECT_EQ(memory.loggerName, "???");
  const StatusDisplay d = Decode(r, memory, false, clock - 10);

  EXPECT_EQ(d.currentMuxId, "Current Logger ID:   17");
  EXPECT_FALSE(d.askLoggerId);
  ASSERT_TRUE(d.runStop.has_value());
  EXPECT_EQ(d.runStop->text, "Run/Stop Switch: RUN");
  EXPECT_EQ(d.runNumber, "Run Number:  012");
  EXPECT_EQ(d.runSize, "Run File Size:  40 K");  // (36000 + 2048 + 3000) / 1024
  EXPECT_EQ(d.power, "Power: 1010 0000");
  EXPECT_EQ(d.meterType, 2);
  EXPECT_EQ(memory.loggerState, 6);
  EXPECT_FALSE(d.firmwareWarning.has_value());
  ASSERT_TRUE(d.meterCaptions.has_value());
  EXPECT_STREQ(d.meterCaptions->clearMemory, "Clear QL-9 Memory");
  EXPECT_STREQ(d.meterCaptions->getDirectory, "Get QL-9 Directory");
  EXPECT_EQ(memory.loggerName, "QL-9");
  EXPECT_EQ(memory.loggerSeconds, clock);
  EXPECT_EQ(d.loggerDateTime, "03/04/26   05:06:07");
  EXPECT_EQ(d.sleepTime, "05:06:07");
  EXPECT_EQ(d.sleepDate, "03/04/26");
  EXPECT_EQ(d.drift, (DriftDisplay{true, "Drift:  00:00:10 Fast "}));
  EXPECT_EQ(d.operation, "Sampling");
  EXPECT_EQ(d.timeLeft, " 1:02:05");
  EXPECT_EQ(d.currentVolts, "12.3 V");
  EXPECT_EQ(d.startVolts, "13.0 V");
  EXPECT_EQ(d.endVolts, " 0.0 V");
  EXPECT_EQ(d.freeDisk, "512 K");
  EXPECT_EQ(d.totalDisk, "4096 K");
  EXPECT_EQ(d.analogValues[0], "1.234");
  EXPECT_EQ(d.analogValues[6], "-0.250");
  EXPECT_EQ(d.analogFileSize, "2 k");
  EXPECT_STREQ(d.portRows[2].rateCaption, "Bytes/Record:");
  EXPECT_EQ(d.portRows[2].rate, "120");
  EXPECT_STREQ(d.portRows[7].rateCaption, "Bytes/Second:");
  EXPECT_EQ(d.portRows[7].rate, "512");
  EXPECT_EQ(d.portRows[0].fileSize, "1000");
  EXPECT_EQ(d.portRows[7].fileSize, "7 K");

  // No run: the bare caption. An unknown meter leaves name and captions alone.
  r.RunNumber(-1).Meter(0);
  const StatusDisplay next = Decode(r, memory, false, clock);
  EXPECT_EQ(next.runNumber, "Run Number:");
  EXPECT_FALSE(next.meterCaptions.has_value());
  EXPECT_EQ(memory.loggerName, "QL-9");
  EXPECT_FALSE(next.drift.visible);
}

TEST(StatusDecoderTest, OldFirmwareIsWarnedOnceARun) {
  StatusMemory memory;
  StatusRecord r;
  r.Firmware(6, 95);
  const StatusDisplay first = Decode(r, memory, false, 0);
  ASSERT_TRUE(first.firmwareWarning.has_value());
  EXPECT_EQ(*first.firmwareWarning, "This Host Program is incompatible with Firmware Version 6.95");
  EXPECT_EQ(first.operation, "OFF");  // decoding goes on
  EXPECT_FALSE(Decode(r, memory, false, 0).firmwareWarning.has_value());

  StatusMemory current;
  r.Firmware(7, 0);
  EXPECT_FALSE(Decode(r, current, false, 0).firmwareWarning.has_value());
  EXPECT_FLOAT_EQ(current.firmwareVersion, 7.0f);
}

TEST(StatusDecoderTest, LoggerIdOutsideRangeAsksForTheIdDialogEveryTime) {
  StatusMemory memory;
  StatusRecord r;
  for (int16_t id : {0, 255, -3}) {
    r.Id(id);
    EXPECT_TRUE(Decode(r, memory, false, 0).askLoggerId) << id;
    EXPECT_TRUE(Decode(r, memory, false, 0).askLoggerId) << id;
  }
  for (int16_t id : {1, 254}) {
    r.Id(id);
    EXPECT_FALSE(Decode(r, memory, false, 0).askLoggerId) << id;
  }
}

TEST(StatusDecoderTest, RunStopSwitchAndRemoteHostChangeOnlyOnChange) {
  StatusMemory memory;
  StatusRecord r;
  r.RunStop(4);
  EXPECT_EQ(Decode(r, memory, false, 0).runStop, (RunStopDisplay{true, "Run/Stop Switch: Disabled"}));
  EXPECT_FALSE(Decode(r, memory, false, 0).runStop.has_value());
  r.RunStop(0);
  EXPECT_EQ(Decode(r, memory, false, 0).runStop, RunStopDisplay{});

  EXPECT_FALSE(Decode(r, memory, false, 0).remoteHostVisible.has_value());
  r.Masks(0x0200, 0, 0);
  EXPECT_EQ(Decode(r, memory, false, 0).remoteHostVisible, true);
  EXPECT_FALSE(Decode(r, memory, false, 0).remoteHostVisible.has_value());
  r.Masks(0, 0, 0);
  EXPECT_EQ(Decode(r, memory, false, 0).remoteHostVisible, false);
}

TEST(StatusDecoderTest, PortRowsFollowTheFittedPortsAndChangeOnlyWithThem) {
  StatusMemory memory;
  StatusRecord r;
  // Masks, power switches and layout as the cache starts: nothing to change.
  EXPECT_FALSE(Decode(r, memory, false, 0).ports.has_value());

  r.Masks(0x0103, 0x0041, 0x0002);
  const StatusDisplay d = Decode(r, memory, false, 0);
  ASSERT_TRUE(d.ports.has_value());
  const PortVisibility& v = *d.ports;
  EXPECT_EQ(v.hostType, "Host:  RS422");
  EXPECT_EQ(v.rows.serial, (std::array<bool, 8>{true, true, false, false, false, false, false, false}));
  EXPECT_EQ(v.rows.analog, (std::array<bool, 7>{true, false, false, false, false, false, true}));
  EXPECT_EQ(v.rows.pump, (std::array<bool, 4>{false, true, false, false}));
  EXPECT_EQ(v.oncePerHourBoxes, PortRowsShown{});  // not moored: no box whatever the masks
  EXPECT_EQ(v.headings, OncePerHourHeadings{});
  EXPECT_TRUE(v.uncheckOncePerHour);
  EXPECT_TRUE(v.analogFileSizeVisible);
  EXPECT_TRUE(v.serialCaptionVisible);
  EXPECT_TRUE(v.analogCaptionVisible);
  EXPECT_TRUE(v.pumpCaptionVisible);

  // The same status again changes no visibility.
  EXPECT_FALSE(Decode(r, memory, false, 0).ports.has_value());

  // The moored layout shows the once-per-hour boxes of fitted ports, and their headings.
  const StatusDisplay moored = Decode(r, memory, true, 0);
  ASSERT_TRUE(moored.ports.has_value());
  EXPECT_EQ(moored.ports->oncePerHourBoxes, moored.ports->rows);
  EXPECT_EQ(moored.ports->headings, (OncePerHourHeadings{true, true, true}));
  EXPECT_FALSE(moored.ports->uncheckOncePerHour);

  // A change of the power switches alone lays the rows out again.
  r.Power(0x01);
  EXPECT_TRUE(Decode(r, memory, true, 0).ports.has_value());

  // RS-232 host, only a bit beyond the analog ports: the group caption shows, the
  // analog file size does not.
  r.Masks(0x0004, 0x0080, 0);
  const StatusDisplay odd = Decode(r, memory, true, 0);
  ASSERT_TRUE(odd.ports.has_value());
  EXPECT_EQ(odd.ports->hostType, "Host:  RS232");
  EXPECT_FALSE(odd.ports->analogFileSizeVisible);
  EXPECT_TRUE(odd.ports->analogCaptionVisible);
  EXPECT_FALSE(odd.ports->pumpCaptionVisible);
  EXPECT_EQ(odd.ports->headings, (OncePerHourHeadings{true, false, false}));
}

TEST(StatusDecoderTest, RowCaptionsNameTheMeterPortWhenTheMeterTypeChanges) {
  StatusMemory memory;
  StatusRecord r;
  r.Meter(1);
  const StatusDisplay bx5 = Decode(r, memory, false, 0);
  ASSERT_TRUE(bx5.rowCaptions.has_value());
  EXPECT_EQ(
      *bx5.rowCaptions,
      (RowCaptions{"bx5:", "Port 1:", "Port 2:", "Port 3:", "Port 4:", "Port 5:", "Port 6:", "Port 7:"}));
  EXPECT_FALSE(Decode(r, memory, false, 0).rowCaptions.has_value());

  r.Meter(2);
  const StatusDisplay ql9 = Decode(r, memory, false, 0);
  ASSERT_TRUE(ql9.rowCaptions.has_value());
  EXPECT_EQ(
      *ql9.rowCaptions,
      (RowCaptions{"Port 1:", "Port 2:", "Port 3:", "Port 4:", "Port 5:", "Port 6:", "Port 7:", "Port 8:"}));

  r.Meter(0);
  EXPECT_FALSE(Decode(r, memory, false, 0).rowCaptions.has_value());
  r.Meter(3);
  const StatusDisplay ext = Decode(r, memory, false, 0);
  ASSERT_TRUE(ext.rowCaptions.has_value());
  EXPECT_EQ((*ext.rowCaptions)[0], "bx5:");
  EXPECT_EQ(memory.loggerName, "K-Plus");
}

}  // namespace
}  // namespace ql

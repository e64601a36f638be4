#include <gtest/gtest.h>

#include "common/ByteOrder.h"
#include "setup/LoggerSetup.h"
#include "setup/PortDeviceType.h"
#include "setup/PortLineSetting.h"
#include "setup/ReceivedSetup.h"
#include "setup/SetupItems.h"
#include "setup/SetupRecordBuilder.h"
#include "setup/SetupTime.h"

namespace ql {
namespace {

// Port labels of a logger with every port fitted.
PortRowsShown AllFitted() {
  PortRowsShown rows;
  rows.serial.fill(true);
  rows.analog.fill(true);
  rows.pump.fill(true);
  return rows;
}

// A setup every field of which differs from the defaults.
SetupControls MooredSetup() {
  SetupControls c;
  c.mode = kMooredMode;
  c.meter = {kDeviceAscii, kDeviceBx5,   kDeviceOff,        kDeviceGps,
             kDevicePump,  kDeviceSbe37, kDeviceWakeBinary, kDeviceZrTest};
  c.portLine = {2, 6, 0, 4, 12, 7, 11, 9};
  c.hostPortLine = 5;
  c.analog = {0, 1, 2, 1, 0, 0, 2};
  c.pump = {1, 0, 1, 7};
  c.serialOncePerHour[1] = true;
  c.analogOncePerHour[6] = true;
  c.pumpOncePerHour[3] = true;
  c.times = {{{10, kSeconds}, {2, kMinutes}, {3, kHours}, {45, kSeconds}, {5, kMinutes}, {2, kHours}}};
  c.lowVoltageCutoff = 105;
  c.analogRate = 4;
  c.output = 7;
  c.file = 1;
  c.autoStart = true;
  return c;
}

TEST(SetupCodecTest, TimesShowInTheLargestWholeUnit) {
  EXPECT_EQ(SecondsToUnit(7200), (TimeSetting{2, kHours}));
  EXPECT_EQ(SecondsToUnit(90), (TimeSetting{90, kSeconds}));
  EXPECT_EQ(SecondsToUnit(180), (TimeSetting{3, kMinutes}));
  EXPECT_EQ(SecondsToUnit(0), (TimeSetting{0, kSeconds}));
  EXPECT_EQ(SecondsToUnit(3600), (TimeSetting{1, kHours}));
  EXPECT_EQ(SecondsToUnit(120), (TimeSetting{2, kMinutes}));
  EXPECT_EQ(SecondsToUnit(40001), (TimeSetting{-25535, kSeconds}));  // the up-down is 16 bits wide

  EXPECT_EQ(UnitToSeconds(kHours, 3), 10800);
  EXPECT_EQ(UnitToSeconds(kMinutes, 5), 300);
  EXPECT_EQ(UnitToSeconds(kSeconds, 7), 7);
  EXPECT_EQ(UnitToSeconds(3, 5), 0);
  EXPECT_EQ(UnitToSeconds(-1, 5), 0);
}

TEST(SetupCodecTest, LineSettingsTravelAsBaudBitsAndParity) {
  for (int index = 0; index < static_cast<int>(kPortLineItems.size()); ++index) {
    const WireLine wire = LineSettingToWire(index);
    EXPECT_EQ(WireToLineSetting(wire.baud, wire.dataBits), index) << kPortLineItems[index];
  }
  EXPECT_EQ(LineSettingToWire(5), (WireLine{4800, 7, kParityEven}));
  EXPECT_EQ(LineSettingToWire(12), (WireLine{0, 7, kParityNone}));
  EXPECT_EQ(LineSettingToWire(13), (WireLine{9600, 8, kParityNone}));
  EXPECT_EQ(WireToLineSetting(14400, 8), 6);

  // The logger port is never off: baud 0, like any unknown baud, means 9600.
  EXPECT_EQ(LoggerPortLineSetting(0, 8), 6);
  EXPECT_EQ(LoggerPortLineSetting(0, 7), 6);
  EXPECT_EQ(LoggerPortLineSetting(14400, 8), 6);
  EXPECT_EQ(LoggerPortLineSetting(4800, 7), 5);
  EXPECT_EQ(LoggerPortLineSetting(115200, 8), 11);
}

TEST(SetupCodecTest, BuiltRecordHoldsEveryFieldAtItsOffset) {
  SetupControls c = MooredSetup();
  SetupBytes bytes{};
  BuildSetupRecord(c, kMeterQl9, bytes);
  const uint8_t* b = bytes.data();

  EXPECT_EQ(GetU16LE(b + 0), 257);
  EXPECT_EQ(GetI16LE(b + 2), kMooredMode);
  EXPECT_EQ(GetU32LE(b + 8), (1u << 1) | (1u << 14) | (1u << 19));
  const int32_t seconds[] = {10, 120, 10800, 45, 300, 7200};
  for (int f = 0; f < kTimeFieldCount; ++f) EXPECT_EQ(GetI32LE(b + 12 + 4 * f), seconds[f]) << f;
  // Logger port "4800,7,E,1", then ports 1..8.
  const int32_t baud[] = {4800, 1200, 9600, 0, 4800, 0, 9600, 115200, 38400};
  const int16_t bits[] = {7, 8, 8, 8, 8, 7, 7, 8, 8};
  const int16_t parity[] = {2, 0, 0, 0, 0, 0, 2, 0, 0};
  const int16_t type[] = {0, 3, 1, 0, 6, 7, 9, 12, 11};
  for (int port = 0; port < 9; ++port) {
    EXPECT_EQ(GetI32LE(b + 36 + 4 * port), baud[port]) << port;
    EXPECT_EQ(GetI16LE(b + 72 + 2 * port), type[port]) << port;
    EXPECT_EQ(GetI16LE(b + 90 + 2 * port), bits[port]) << port;
    EXPECT_EQ(GetI16LE(b + 108 + 2 * port), parity[port]) << port;
    EXPECT_EQ(GetI16LE(b + 126 + 2 * port), 105) << port;
  }
  const int16_t analog[] = {0, 0, 1, 2, 1, 0, 0, 2};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(GetI16LE(b + 144 + 2 * i), analog[i]) << i;
  const int16_t pump[] = {1, 0, 1, 7};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(GetI16LE(b + 160 + 2 * i), pump[i]) << i;
  EXPECT_EQ(GetI16LE(b + 170), 4);
  EXPECT_EQ(GetI16LE(b + 172), 7);
  EXPECT_EQ(GetI16LE(b + 174), 1);
  EXPECT_EQ(GetI16LE(b + 180), 1);
  EXPECT_EQ(GetI16LE(b + 186), 0);
  unsigned sum = 0;
  for (int i = 0; i < 190; ++i) sum += b[i];
  EXPECT_EQ(GetU16LE(b + 190), sum & 0xFFFF);
}

TEST(SetupCodecTest, SentSetupReadsBackIntoTheSameControls) {
  SetupControls sent = MooredSetup();
  SetupBytes bytes{};
  BuildSetupRecord(sent, kMeterQl9, bytes);

  SetupControls shown;
  const ReceivedSetupView view = ShowReceivedSetup(bytes, shown, AllFitted());
  EXPECT_EQ(shown, sent);
  EXPECT_TRUE(view.setupCurrent);
  EXPECT_EQ(view.loggerLineSetting, 5);
  EXPECT_EQ(view.lowVoltageText, "10.5 V");
  EXPECT_EQ(view.analogRateText, "4 Hz   250 ms");
  EXPECT_TRUE(view.layout.moored);
  EXPECT_EQ(view.layout.headings, (OncePerHourHeadings{true, true, true}));
  EXPECT_EQ(view.typeLabels[0], "ASCII");
  EXPECT_EQ(view.typeLabels[2], "Off");
  EXPECT_EQ(view.typeLabels[4], "Pump");
  EXPECT_EQ(view.typeLabels[5], "SBE16");
  EXPECT_EQ(view.statusLabels[7], "0");
  EXPECT_EQ(view.fileSizeLabels[7], "0 K");
  EXPECT_EQ(view.analogValues[6], "0.000");
}

TEST(SetupCodecTest, MeterPortOneRunsAt19200AsBx5UnlessOffOrBinary) {
  struct Case {
    int meterType;
    int comboMeter1;
    int16_t sentType;
  };
  const Case cases[] = {{kMeterBx5Plus, kDeviceAscii, 1},
                        {kMeterBx5Plus, kDeviceOff, 0},
                        {kMeterBx5Plus, kDeviceBinary, 4},
                        {kMeterExtPlus, kDeviceGps, 1},
                        {kMeterExtPlus, kDeviceSpk, 1}};
  for (const Case& k : cases) {
    SetupControls c = MooredSetup();
    c.meter[0] = k.comboMeter1;
    SetupBytes bytes{};
    BuildSetupRecord(c, k.meterType, bytes);
    LoggerSetup rec(bytes);
    EXPECT_EQ(rec.DeviceType(1), k.sentType) << k.meterType << "/" << k.comboMeter1;
    EXPECT_EQ(rec.Baud(1), 19200);
    EXPECT_EQ(rec.DataBits(1), 8);
    EXPECT_EQ(rec.Parity(1), 0);
    EXPECT_EQ(c.portLine[0], 8);  // the operator sees the forced line
  }
  // A plain QL-9, or a meter not yet known, leaves port 1 to the operator.
  for (int meterType : {kMeterUnknown, kMeterNone, kMeterQl9}) {
    SetupControls c = MooredSetup();
    SetupBytes bytes{};
    BuildSetupRecord(c, meterType, bytes);
    EXPECT_EQ(LoggerSetup(bytes).DeviceType(1), kDeviceAscii);
    EXPECT_EQ(LoggerSetup(bytes).Baud(1), 1200);
    EXPECT_EQ(c.portLine[0], 2);
  }
}

TEST(SetupCodecTest, OnlyAPumpPortIsSwitchedOnWithoutALine) {
  SetupControls c = MooredSetup();
  c.meter[1] = kDevicePump;
  c.portLine[1] = 1;  // "600" on a pump means "ON"
  c.meter[2] = kDeviceAscii;
  c.portLine[2] = kLineOnSetting;  // "ON" on an instrument means OFF
  SetupBytes bytes{};
  BuildSetupRecord(c, kMeterQl9, bytes);
  LoggerSetup rec(bytes);
  EXPECT_EQ((WireLine{rec.Baud(2), rec.DataBits(2), rec.Parity(2)}), (WireLine{0, 7, 0}));
  EXPECT_EQ((WireLine{rec.Baud(3), rec.DataBits(3), rec.Parity(3)}), (WireLine{0, 8, 0}));

  SetupControls shown;
  ShowReceivedSetup(bytes, shown, AllFitted());
  EXPECT_EQ(shown.portLine[1], kLineOnSetting);
  EXPECT_EQ(shown.portLine[2], kLineOffSetting);
}

TEST(SetupCodecTest, FastAnalogRatesOnlyInRealTimeAndAnalogModes) {
  for (int mode : {kProfileMode, kMooredMode, 4, kPolledMooredMode}) {
    SetupControls c = MooredSetup();
    c.mode = mode;
    c.analogRate = 12;
    SetupBytes bytes{};
    BuildSetupRecord(c, kMeterQl9, bytes);
    EXPECT_EQ(LoggerSetup(bytes).AnalogRateHz(), 8) << mode;
    EXPECT_EQ(c.analogRate, 8);
  }
  for (int mode : {kRealTimeMode, kAnalogMode}) {
    SetupControls c = MooredSetup();
    c.mode = mode;
    c.analogRate = 12;
    SetupBytes bytes{};
    BuildSetupRecord(c, kMeterQl9, bytes);
    EXPECT_EQ(LoggerSetup(bytes).AnalogRateHz(), 12) << mode;
    EXPECT_EQ(c.analogRate, 12);
  }
}

TEST(SetupCodecTest, OncePerHourMaskIsSentInMooredModesOnly) {
  SetupControls c = MooredSetup();
  c.serialOncePerHour.fill(true);
  c.analogOncePerHour.fill(true);
  c.pumpOncePerHour.fill(true);
  SetupBytes bytes{};
  c.mode = kPolledMooredMode;
  BuildSetupRecord(c, kMeterQl9, bytes);
  EXPECT_EQ(LoggerSetup(bytes).OncePerHourMask(), 0x000F7FFFu);
  c.mode = kRealTimeMode;
  BuildSetupRecord(c, kMeterQl9, bytes);
  EXPECT_EQ(LoggerSetup(bytes).OncePerHourMask(), 0u);
}

TEST(SetupCodecTest, ReceivedTimeSourceIsShownButTheHostSendsInternalTime) {
  SetupControls c = MooredSetup();
  SetupBytes bytes{};
  BuildSetupRecord(c, kMeterQl9, bytes);
  LoggerSetup(bytes).SetTimeSource(2);

  SetupControls shown;
  ShowReceivedSetup(bytes, shown, AllFitted());
  EXPECT_STREQ(kTimeSourceItems[shown.timeSource], "GPS Time");

  BuildSetupRecord(shown, kMeterQl9, bytes);
  EXPECT_EQ(LoggerSetup(bytes).TimeSource(), 0);
  EXPECT_EQ(shown.timeSource, 0);
}

TEST(SetupCodecTest, ReservedBytesGoBackToTheLoggerUnchanged) {
  SetupBytes received{};
  for (int i = 0; i < kSetupRecordSize; ++i) received[i] = static_cast<uint8_t>(0xA0 + i);
  SetupControls c;
  ShowReceivedSetup(received, c, AllFitted());
  c.mode = kProfileMode;
  c.output = 0;
  c.file = 0;

  SetupBytes sent = received;
  BuildSetupRecord(c, kMeterQl9, sent);
  for (int at : {4, 5, 6, 7, 168, 169, 176, 177, 178, 179, 182, 183, 184, 185, 188, 189}) {
    EXPECT_EQ(sent[at], received[at]) << "byte " << at;
  }
}

TEST(SetupCodecTest, ChecksumOfABareHeaderIsTwo) {
  SetupBytes bytes{};
  LoggerSetup rec(bytes);
  rec.SetHeader(LoggerSetup::kHeader);
  rec.Seal();
  EXPECT_EQ(rec.Checksum(), 2);
  EXPECT_EQ(bytes[190], 2);
  EXPECT_EQ(bytes[191], 0);
}

TEST(SetupCodecTest, ReceivedOddValuesShowAsTheLoggerSentThem) {
  SetupBytes bytes{};
  LoggerSetup rec(bytes);
  rec.SetMode(kProfileMode);
  rec.SetOutputFormat(12);  // beyond "Output Logger Por 8"
  rec.SetFileFormat(1);
  rec.SetBaud(0, 0);
  rec.SetDeviceType(1, kDeviceZrLogger);
  rec.SetBaud(1, 57600);
  rec.SetDataBits(1, 8);
  rec.SetDeviceType(2, 20);  // unknown
  rec.SetBaud(2, 9600);
  rec.SetDataBits(2, 8);
  rec.SetDeviceType(3, kDeviceGps);
  rec.SetBaud(3, 14400);  // unknown baud
  rec.SetDataBits(3, 8);
  for (int port = 0; port < 9; ++port) rec.SetLowVoltageCutoff(port, static_cast<int16_t>(60 + port));
  rec.SetLowVoltageCutoff(0, 130);  // the logger port's entry does not count
  rec.SetLowVoltageCutoff(4, 120);  // nor does a port with no instrument
  rec.SetAnalogSetting(1, 5);
  rec.SetPumpSetting(0, 9);
  rec.SetAnalogRateHz(0);
  rec.SetOncePerHourMask(0x1);

  SetupControls c;
  c.serialOncePerHour.fill(true);
  const ReceivedSetupView view = ShowReceivedSetup(bytes, c, AllFitted());
  EXPECT_EQ(c.output, 12);
  EXPECT_FALSE(HasSelection(c.output, kOutputItems.size()));
  EXPECT_EQ(view.loggerLineSetting, 6);
  EXPECT_EQ(c.hostPortLine, 6);
  EXPECT_EQ(c.meter[0], kDeviceZrLogger);
  EXPECT_EQ(c.portLine[0], 10);
  EXPECT_EQ(view.typeLabels[0], "ZR-Logger");
  EXPECT_EQ(c.meter[1], 20);
  EXPECT_EQ(c.portLine[1], 0);
  EXPECT_EQ(view.typeLabels[1], "OFF");
  EXPECT_EQ(c.portLine[2], 6);
  EXPECT_EQ(c.lowVoltageCutoff, 65);  // ports 1..3 hold 61..63, below the floor
  EXPECT_EQ(view.lowVoltageText, " 6.5 V");
  EXPECT_EQ(c.analog[0], 0);
  EXPECT_EQ(c.pump[0], 9);
  EXPECT_EQ(rec.AnalogRateHz(), 1);  // corrected in the record itself
  EXPECT_EQ(c.analogRate, 1);
  EXPECT_EQ(view.analogRateText, "1 Hz  1000 ms");
  // Profile Mode samples every port every time: the checked box is dropped again.
  EXPECT_FALSE(view.layout.moored);
  EXPECT_EQ(c.serialOncePerHour, (std::array<bool, 8>{}));
  EXPECT_EQ(view.layout.headings, OncePerHourHeadings{});

  rec.SetLowVoltageCutoff(3, 88);
  ShowReceivedSetup(bytes, c, AllFitted());
  EXPECT_EQ(c.lowVoltageCutoff, 88);
}

TEST(SetupCodecTest, OnlyTheFourthPumpOffersPurges) {
  const std::vector<std::string> pump4 = PumpItems(3);
  ASSERT_EQ(pump4.size(), PumpItemCount(3));
  EXPECT_EQ(pump4[1], "Pump 4 ON");
  EXPECT_EQ(pump4[2], "Purge 500 ms");
  EXPECT_EQ(pump4[11], "Purge 5000 ms");
  EXPECT_EQ(PumpItems(0), (std::vector<std::string>{"Pump 1 OFF", "Pump 1 ON"}));
}

}  // namespace
}  // namespace ql

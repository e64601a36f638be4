#include <QSpinBox>

#include "MainWindowFixture.h"
#include "dialogs/WidgetColour.h"
#include "setup/LoggerSetup.h"

namespace ql {
namespace {

using test::MainWindowFixture;

struct SetupPagesTest : MainWindowFixture {
  static constexpr std::array<const char*, kTimeFieldCount> kUpDowns = {
      "DelayUD", "PreFlushUD", "WarmupUD", "FlushUD", "SampleUD", "IntervalUD"};
  static constexpr std::array<const char*, kTimeFieldCount> kUnitCombos = {
      "DelayCombo", "PreFlushCombo", "WarmupCombo", "FlushCombo", "SampleCombo", "IntervalCombo"};

  // The logger answers Get Setup with this record; the next one-second tick shows it.
  void Receive(SetupBytes& bytes) {
    LoggerSetup(bytes).Seal();
    wire->Push(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    FastTicks(1);
    Form().Timer475msTimer();
  }
  SetupBytes SendSetup() {
    wire->TakeFromHost();
    Find<QPushButton>("BTSendSetup1")->click();
    const std::vector<uint8_t> sent = wire->TakeFromHost();
    SetupBytes bytes{};
    EXPECT_EQ(sent.size(), bytes.size());
    std::copy_n(sent.begin(), std::min(sent.size(), bytes.size()), bytes.begin());
    return bytes;
  }
  int Shown(const char* upDown) { return Find<QSpinBox>(upDown)->value(); }
  int32_t ShownSeconds(int field) {
    static constexpr std::array<int32_t, 3> kUnitSeconds = {1, 60, 3600};
    const int unit = Find<QComboBox>(kUnitCombos[static_cast<size_t>(field)])->currentIndex();
    return Shown(kUpDowns[static_cast<size_t>(field)]) * kUnitSeconds.at(static_cast<size_t>(unit));
  }
};

TEST_F(SetupPagesTest, RateAndCutOffLabelsFollowTheirUpDownsWithNoStatusFlowing) {
  auto* rate = Find<QLabel>("LBAnalogRate");
  Find<QSpinBox>("UDAnalogRate")->setValue(12);
  EXPECT_EQ(rate->text(), "12 Hz    83 ms");
  EXPECT_EQ(AppliedColour(rate, kSilver), kYellow);
  Find<QSpinBox>("UDAnalogRate")->setValue(3);
  EXPECT_EQ(rate->text(), "3 Hz   333 ms");
  EXPECT_EQ(AppliedColour(rate, kSilver), kSilver);

  Find<QSpinBox>("UDLVCutOff")->setValue(105);
  EXPECT_EQ(Find<QLabel>("LBLowVoltage")->text(), "10.5 V");
}

TEST_F(SetupPagesTest, ReceivedValuesBeyondTheUpDownsAreSentAsShown) {
  Choose("LoggerPortCB", 1);
  SetupBytes bytes{};
  LoggerSetup rec(bytes);
  rec.SetHeader(LoggerSetup::kHeader);
  rec.SetMode(2);  // real time: no 8 Hz cap on the rate
  rec.SetDeviceType(1, 3);
  rec.SetBaud(1, 9600);
  rec.SetDataBits(1, 8);
  rec.SetLowVoltageCutoff(1, 200);  // 20.0 V
  rec.SetAnalogRateHz(50);
  const std::array<int32_t, kTimeFieldCount> seconds = {200, 40001, 3600 * 20000, -60, 0, 10001 * 60};
  for (int f = 0; f < kTimeFieldCount; ++f) rec.SetSeconds(static_cast<TimeField>(f), seconds[static_cast<size_t>(f)]);
  Receive(bytes);
  ASSERT_TRUE(Host().setupPage.setupCurrent);
  EXPECT_EQ(Host().records.setup, bytes) << "the received record is kept as it came";
  EXPECT_EQ(Shown("DelayUD"), 100);
  EXPECT_EQ(Shown("UDLVCutOff"), 140);
  EXPECT_EQ(Find<QLabel>("LBLowVoltage")->text(), "14.0 V");
  EXPECT_EQ(Shown("UDAnalogRate"), 20);
  EXPECT_EQ(Find<QLabel>("LBAnalogRate")->text(), "20 Hz    50 ms");

  SetupBytes sentBytes = SendSetup();
  const LoggerSetup sent(sentBytes);
  for (int f = 0; f < kTimeFieldCount; ++f) {
    EXPECT_EQ(sent.Seconds(static_cast<TimeField>(f)), ShownSeconds(f)) << kUpDowns[static_cast<size_t>(f)];
  }
  EXPECT_EQ(sent.Seconds(kSample), 1);
  for (int port = 0; port < LoggerSetup::kPortEntries; ++port) EXPECT_EQ(sent.LowVoltageCutoff(port), 140);
  EXPECT_EQ(sent.AnalogRateHz(), 20);

  // A unit the operator picks multiplies the position the page shows.
  Choose("DelayCombo", kMinutes);
  EXPECT_EQ(Shown("DelayUD"), 100);
  sentBytes = SendSetup();
  EXPECT_EQ(sent.Seconds(kDelay), 100 * 60);
}

}  // namespace
}  // namespace ql

#include "LoggerStatus.h"

#include "common/ByteOrder.h"

namespace ql {
namespace {

constexpr int kStateAt = 4;
constexpr int kRunNumberAt = 6;
constexpr int kLoggerSecondsAt = 8;
constexpr int kSecondsLeftAt = 12;
constexpr int kMeterTypeAt = 18;
constexpr int kLoggerIdAt = 20;
constexpr int kSerialMaskAt = 22;
constexpr int kAnalogMaskAt = 24;
constexpr int kPumpMaskAt = 26;
constexpr int kPortRateAt = 28;  // i16[9]
constexpr int kPowerBitsAt = 46;
constexpr int kCurrentMvAt = 48;
constexpr int kStartMvAt = 50;
constexpr int kEndMvAt = 52;
constexpr int kRunStopAt = 54;
constexpr int kAnalogMvAt = 56;   // i16[8]
constexpr int kFileBytesAt = 72;  // i32[14]

}  // namespace

int16_t LoggerStatus::State() const { return GetI16LE(b_ + kStateAt); }
int16_t LoggerStatus::RunNumber() const { return GetI16LE(b_ + kRunNumberAt); }
int32_t LoggerStatus::LoggerSeconds() const { return GetI32LE(b_ + kLoggerSecondsAt); }
uint32_t LoggerStatus::SecondsLeft() const { return GetU32LE(b_ + kSecondsLeftAt); }
int16_t LoggerStatus::MeterType() const { return GetI16LE(b_ + kMeterTypeAt); }
int16_t LoggerStatus::LoggerId() const { return GetI16LE(b_ + kLoggerIdAt); }
uint16_t LoggerStatus::SerialMask() const { return GetU16LE(b_ + kSerialMaskAt); }
uint16_t LoggerStatus::AnalogMask() const { return GetU16LE(b_ + kAnalogMaskAt); }
uint16_t LoggerStatus::PumpMask() const { return GetU16LE(b_ + kPumpMaskAt); }
int16_t LoggerStatus::PortRate(int port) const { return GetI16LE(b_ + kPortRateAt + 2 * port); }
uint16_t LoggerStatus::PowerBits() const { return GetU16LE(b_ + kPowerBitsAt); }
int16_t LoggerStatus::CurrentMillivolts() const { return GetI16LE(b_ + kCurrentMvAt); }
int16_t LoggerStatus::StartMillivolts() const { return GetI16LE(b_ + kStartMvAt); }
int16_t LoggerStatus::EndMillivolts() const { return GetI16LE(b_ + kEndMvAt); }
int16_t LoggerStatus::RunStopSwitch() const { return GetI16LE(b_ + kRunStopAt); }
int16_t LoggerStatus::AnalogMillivolts(int input) const { return GetI16LE(b_ + kAnalogMvAt + 2 * input); }
int32_t LoggerStatus::FileBytes(int entry) const { return GetI32LE(b_ + kFileBytesAt + 4 * entry); }
uint32_t LoggerStatus::FirmwareWord() const { return GetU32LE(b_ + kFileBytesAt + 4 * kFirmwareWord); }

}  // namespace ql

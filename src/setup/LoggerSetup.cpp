#include "LoggerSetup.h"

#include "common/ByteOrder.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr int kModeAt = 2;
constexpr int kOncePerHourAt = 8;
constexpr int kSecondsAt = 12;  // six i32, delay first
constexpr int kBaudAt = 36;
constexpr int kDeviceTypeAt = 72;
constexpr int kDataBitsAt = 90;
constexpr int kParityAt = 108;
constexpr int kLowVoltageAt = 126;
constexpr int kAnalogSettingAt = 144;
constexpr int kPumpSettingAt = 160;
constexpr int kAnalogRateAt = 170;
constexpr int kOutputFormatAt = 172;
constexpr int kFileFormatAt = 174;
constexpr int kAutoStartAt = 180;
constexpr int kTimeSourceAt = 186;

}  // namespace

int16_t LoggerSetup::I16(int offset) const { return GetI16LE(b_ + offset); }
void LoggerSetup::PutI16(int offset, int16_t value) { PutU16LE(b_ + offset, static_cast<uint16_t>(value)); }
int32_t LoggerSetup::I32(int offset) const { return GetI32LE(b_ + offset); }
void LoggerSetup::PutI32(int offset, int32_t value) { PutU32LE(b_ + offset, static_cast<uint32_t>(value)); }

uint16_t LoggerSetup::Header() const { return GetU16LE(b_); }
void LoggerSetup::SetHeader(uint16_t value) { PutU16LE(b_, value); }
int16_t LoggerSetup::Mode() const { return I16(kModeAt); }
void LoggerSetup::SetMode(int16_t value) { PutI16(kModeAt, value); }
uint32_t LoggerSetup::OncePerHourMask() const { return GetU32LE(b_ + kOncePerHourAt); }
void LoggerSetup::SetOncePerHourMask(uint32_t value) { PutU32LE(b_ + kOncePerHourAt, value); }
int32_t LoggerSetup::Seconds(TimeField field) const { return I32(kSecondsAt + 4 * field); }
void LoggerSetup::SetSeconds(TimeField field, int32_t value) { PutI32(kSecondsAt + 4 * field, value); }
int32_t LoggerSetup::Baud(int port) const { return I32(kBaudAt + 4 * port); }
void LoggerSetup::SetBaud(int port, int32_t value) { PutI32(kBaudAt + 4 * port, value); }
int16_t LoggerSetup::DeviceType(int port) const { return I16(kDeviceTypeAt + 2 * port); }
void LoggerSetup::SetDeviceType(int port, int16_t value) { PutI16(kDeviceTypeAt + 2 * port, value); }
int16_t LoggerSetup::DataBits(int port) const { return I16(kDataBitsAt + 2 * port); }
void LoggerSetup::SetDataBits(int port, int16_t value) { PutI16(kDataBitsAt + 2 * port, value); }
int16_t LoggerSetup::Parity(int port) const { return I16(kParityAt + 2 * port); }
void LoggerSetup::SetParity(int port, int16_t value) { PutI16(kParityAt + 2 * port, value); }
int16_t LoggerSetup::LowVoltageCutoff(int port) const { return I16(kLowVoltageAt + 2 * port); }
void LoggerSetup::SetLowVoltageCutoff(int port, int16_t value) { PutI16(kLowVoltageAt + 2 * port, value); }
int16_t LoggerSetup::AnalogSetting(int entry) const { return I16(kAnalogSettingAt + 2 * entry); }
void LoggerSetup::SetAnalogSetting(int entry, int16_t value) { PutI16(kAnalogSettingAt + 2 * entry, value); }
int16_t LoggerSetup::PumpSetting(int pump) const { return I16(kPumpSettingAt + 2 * pump); }
void LoggerSetup::SetPumpSetting(int pump, int16_t value) { PutI16(kPumpSettingAt + 2 * pump, value); }
int16_t LoggerSetup::AnalogRateHz() const { return I16(kAnalogRateAt); }
void LoggerSetup::SetAnalogRateHz(int16_t value) { PutI16(kAnalogRateAt, value); }
int16_t LoggerSetup::OutputFormat() const { return I16(kOutputFormatAt); }
void LoggerSetup::SetOutputFormat(int16_t value) { PutI16(kOutputFormatAt, value); }
int16_t LoggerSetup::FileFormat() const { return I16(kFileFormatAt); }
void LoggerSetup::SetFileFormat(int16_t value) { PutI16(kFileFormatAt, value); }
int16_t LoggerSetup::AutoStart() const { return I16(kAutoStartAt); }
void LoggerSetup::SetAutoStart(int16_t value) { PutI16(kAutoStartAt, value); }
int16_t LoggerSetup::TimeSource() const { return I16(kTimeSourceAt); }
void LoggerSetup::SetTimeSource(int16_t value) { PutI16(kTimeSourceAt, value); }
uint16_t LoggerSetup::Checksum() const { return GetU16LE(b_ + kChecksumOffset); }

void LoggerSetup::Seal() { SealRecord(b_, kSetupRecordSize); }

}  // namespace ql

#include "AnalogCalibration.h"

#include <algorithm>
#include <cctype>

#include "common/ByteOrder.h"
#include "common/Format.h"
#include "serial/SetupChecksum.h"

namespace ql {
namespace {

constexpr int kFixedWordAt = 2;
constexpr int kFixedLongAt = 4;
constexpr int kOffsetsAt = 8;
constexpr int kScalesAt = 24;
constexpr int kReservedAt = 40;
constexpr uint16_t kFixedWord = 15;
constexpr uint32_t kFixedLong = 1;

size_t OffsetField(int channel) { return static_cast<size_t>(kOffsetsAt + 2 * channel); }
size_t ScaleField(int channel) { return static_cast<size_t>(kScalesAt + 2 * channel); }

std::string EditText(int value, int minimum) {
  return Format("%5d", std::clamp(value, minimum, kCalibrationMaximum));
}

}  // namespace

AnalogControls DefaultAnalogControls() {
  AnalogControls c;
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    c.offset[i] = EditText(ch == 0 ? 200 : 150, kOffsetMinimum);
    c.scale[i] = EditText(ch == 0 ? 790 : 5325, kScaleMinimum);
  }
  return c;
}

int ParseCalibrationEdit(const std::string& text, int minimum) {
  // Leading blanks and an optional sign, then digits; the first other character ends
  // the number. The value is capped while it is read, so no length of digits overflows.
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), 10L * kCalibrationMaximum);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp(value, static_cast<long>(minimum), static_cast<long>(kCalibrationMaximum)));
}

void BuildAnalogCalibration(const AnalogControls& c, AnalogCalibrationBytes& record) {
  PutU16LE(&record[0], kAnalogMarker);
  PutU16LE(&record[kFixedWordAt], kFixedWord);
  PutU32LE(&record[kFixedLongAt], kFixedLong);
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    PutU16LE(&record[OffsetField(ch)], static_cast<uint16_t>(ParseCalibrationEdit(c.offset[i], kOffsetMinimum)));
    PutU16LE(&record[ScaleField(ch)], static_cast<uint16_t>(ParseCalibrationEdit(c.scale[i], kScaleMinimum)));
  }
  PutU16LE(&record[kReservedAt], 0);
  SealRecord(record.data(), kAnalogCalibrationLength);
}

AnalogControls ReadAnalogCalibration(const AnalogCalibrationBytes& record) {
  AnalogControls c;
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    c.offset[i] = EditText(GetI16LE(&record[OffsetField(ch)]), kOffsetMinimum);
    c.scale[i] = EditText(GetI16LE(&record[ScaleField(ch)]), kScaleMinimum);
  }
  return c;
}

}  // namespace ql

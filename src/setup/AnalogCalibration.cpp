#include "AnalogCalibration.h"

#include <algorithm>
#include <cctype>
#include <utility>

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

std::string EditText(int value) { return Format("%5d", value); }

void PutEdit(const std::string& text, bool asShown, int minimum, uint8_t* field) {
  if (!asShown) PutU16LE(field, static_cast<uint16_t>(ParseCalibrationEdit(text, minimum)));
}

}  // namespace

void AnalogControls::TypeOffset(size_t channel, std::string text) {
  offset[channel] = std::move(text);
  offsetAsShown[channel] = false;
}

void AnalogControls::TypeScale(size_t channel, std::string text) {
  scale[channel] = std::move(text);
  scaleAsShown[channel] = false;
}

AnalogControls DefaultAnalogControls() {
  AnalogControls c;
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    c.offset[i] = EditText(ch == 0 ? 200 : 150);
    c.scale[i] = EditText(ch == 0 ? 790 : 5325);
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
    PutEdit(c.offset[i], c.offsetAsShown[i], kOffsetMinimum, &record[OffsetField(ch)]);
    PutEdit(c.scale[i], c.scaleAsShown[i], kScaleMinimum, &record[ScaleField(ch)]);
  }
  PutU16LE(&record[kReservedAt], 0);
  SealRecord(record.data(), kAnalogCalibrationLength);
}

AnalogControls ReadAnalogCalibration(const AnalogCalibrationBytes& record) {
  AnalogControls c;
  for (int ch = 0; ch < kCalibrationChannels; ++ch) {
    const auto i = static_cast<size_t>(ch);
    c.offset[i] = EditText(GetI16LE(&record[OffsetField(ch)]));
    c.scale[i] = EditText(GetI16LE(&record[ScaleField(ch)]));
  }
  c.offsetAsShown.fill(true);
  c.scaleAsShown.fill(true);
  return c;
}

}  // namespace ql

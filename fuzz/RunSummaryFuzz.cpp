// The run summary writer on arbitrary summary records.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "flash/RunSummary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::array<uint8_t, ql::RunSummaryRecord::kSize> body{};
  std::memcpy(body.data(), data, size < body.size() ? size : body.size());
  const std::string text = ql::WithCrLf(ql::RunSummaryText(ql::DecodeRunSummary(body.data())));
  if (text.empty()) __builtin_trap();
  return 0;
}

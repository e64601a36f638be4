// Arbitrary bytes as a host setup file: the check must end cleanly on anything, and a
// file it accepts must write back to text that reads as the same records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "setupfile/HostSetupText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ql::ParsedSetupFile parsed = ql::ParseHostSetup(text);
  if (parsed.file.has_value() == parsed.fault.has_value()) std::abort();
  if (parsed.file && parsed.file->currentVersion) {
    const ql::ParsedSetupFile again = ql::ParseHostSetup(ql::FormatHostSetup(*parsed.file));
    if (!again.file || !(*again.file == *parsed.file)) std::abort();
  }
  return 0;
}

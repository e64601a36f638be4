#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's run-time library (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace ql::soak {

// A running FNV-1a digest: the records the host accepted against the bytes it recorded.
struct Digest {
  uint64_t value = 1469598103934665603ull;
  int64_t bytes = 0;
  void Add(const uint8_t* data, size_t count) {
    for (size_t i = 0; i < count; ++i) value = (value ^ data[i]) * 1099511628211ull;
    bytes += static_cast<int64_t>(count);
  }
};

// The memory a long run must hold flat. Under AddressSanitizer the resident size grows
// with its quarantine of freed blocks for hundreds of megabytes, so there the heap the
// program itself holds is measured instead.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr const char* kMemoryMeasured = "heap in use";
inline long MemoryKb() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }
#else
inline constexpr const char* kMemoryMeasured = "resident memory";
inline long MemoryKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
#endif

// One line per check; the last line of the run counts them.
struct Checks {
  int passed = 0, failed = 0;
  void Check(bool ok, const std::string& what) {
    (ok ? passed : failed)++;
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  }
};

}  // namespace ql::soak

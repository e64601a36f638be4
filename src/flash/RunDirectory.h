#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ql {

// The runs the logger listed since the last directory request: entry i belongs to line
// i of LBProfiles. The table holds 512 entries; nothing is ever stored past them.
struct RunDirectory {
  static constexpr int kEntries = 512;

  std::array<int32_t, kEntries> runNumber{};
  std::array<int32_t, kEntries> uploadMark{};  // non-zero while the entry waits to be uploaded
  std::array<int64_t, kEntries> size{};        // run file size in bytes
  int entryCount = 0;

  bool Full() const { return entryCount >= kEntries; }
  void Add(int run, int64_t bytes);
  // The entry of a run number, or -1.
  int Find(int run) const;
  void Clear();
};

}  // namespace ql

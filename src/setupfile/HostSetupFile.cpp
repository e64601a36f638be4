#include "HostSetupFile.h"

namespace ql {
namespace {

constexpr std::array<int, HostSetupFile::kRecords + 1> kCounts = {0, 3, 1, 3, 0, 12, 11, 13, 4, 4, 8, 9,
                                                                  15, 4, 2, 8, 8, 8, 8, 8, 9, 8, 1};

}  // namespace

HostSetupFile::HostSetupFile() {
  for (int r = 1; r <= kRecords; ++r) values[static_cast<std::size_t>(r)].assign(static_cast<std::size_t>(Count(r)), 0);
}

int HostSetupFile::Count(int record, bool currentVersion) {
  if (record == 1 && !currentVersion) return 2;
  return kCounts[static_cast<std::size_t>(record)];
}

}  // namespace ql

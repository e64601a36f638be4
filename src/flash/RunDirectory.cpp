#include "RunDirectory.h"

namespace ql {

void RunDirectory::Add(int run, int64_t bytes) {
  if (Full()) return;
  const auto i = static_cast<size_t>(entryCount++);
  runNumber[i] = run;
  uploadMark[i] = 0;
  size[i] = bytes;
}

int RunDirectory::Find(int run) const {
  for (int i = 0; i < entryCount; ++i) {
    if (runNumber[static_cast<size_t>(i)] == run) return i;
  }
  return -1;
}

void RunDirectory::Clear() {
  runNumber.fill(0);
  uploadMark.fill(0);
  size.fill(0);
  entryCount = 0;
}

}  // namespace ql

#include "SetupItems.h"

#include "common/Format.h"

namespace ql {

std::vector<std::string> PumpItems(int pumpIndex) {
  const int pump = pumpIndex + 1;
  std::vector<std::string> items = {Format("Pump %d OFF", pump), Format("Pump %d ON", pump)};
  if (pumpIndex == 3) {
    for (int k = 2; k < kPump4ItemCount; ++k) items.push_back(Format("Purge %d ms", (k - 1) * 500));
  }
  return items;
}

std::size_t PumpItemCount(int pumpIndex) { return pumpIndex == 3 ? kPump4ItemCount : 2; }

}  // namespace ql

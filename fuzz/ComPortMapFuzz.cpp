// Feeds arbitrary text as the COM port mapping file a user writes by hand.
#include <cstdint>
#include <string>

#include "serial/ComPortMap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::ComPortMap map;
  map.Parse(std::string(reinterpret_cast<const char*>(data), size));
  for (int com = 0; com <= ql::ComPortMap::kHighestCom + 1; ++com) {
    if (map.DeviceName(com).empty()) __builtin_trap();
  }
  return 0;
}

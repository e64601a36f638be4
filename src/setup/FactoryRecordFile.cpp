#include "FactoryRecordFile.h"

#include <algorithm>
#include <fstream>
#include <vector>

namespace ql {

bool SaveRecordFile(const std::string& fileName, const uint8_t* record, int size) {
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file.write(reinterpret_cast<const char*>(record), size);
  file.close();
  return static_cast<bool>(file);
}

bool LoadRecordFile(const std::string& fileName, uint8_t* record, int size) {
  std::ifstream file(fileName, std::ios::binary);
  if (!file) return false;
  std::vector<char> bytes(static_cast<size_t>(size));
  file.read(bytes.data(), size);
  if (file.gcount() != size) return false;
  std::copy(bytes.begin(), bytes.end(), record);
  return true;
}

}  // namespace ql

#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ql {

// The .hdw and .alg files: one factory record, byte for byte, with no header.

// Writes the record; false when the file could not be created or written whole.
bool SaveRecordFile(const std::string& fileName, const uint8_t* record, int size);

// Reads the first `size` bytes of the file into `record`. A missing or unreadable file,
// or one shorter than a record, returns false and leaves `record` as it was: a failed
// load must not leave a half-replaced record behind.
bool LoadRecordFile(const std::string& fileName, uint8_t* record, int size);

template <size_t N>
bool SaveRecordFile(const std::string& fileName, const std::array<uint8_t, N>& record) {
  return SaveRecordFile(fileName, record.data(), static_cast<int>(N));
}
template <size_t N>
bool LoadRecordFile(const std::string& fileName, std::array<uint8_t, N>& record) {
  return LoadRecordFile(fileName, record.data(), static_cast<int>(N));
}

}  // namespace ql

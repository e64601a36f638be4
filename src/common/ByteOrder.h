#pragma once

#include <cstdint>

// Reading and writing fixed-width fields at byte offsets. The logger's records mix
// little-endian (frames, setup, status) and big-endian (data record headers) fields.
namespace ql {

inline uint16_t GetU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline int16_t GetI16LE(const uint8_t* p) { return static_cast<int16_t>(GetU16LE(p)); }
inline uint32_t GetU32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline int32_t GetI32LE(const uint8_t* p) { return static_cast<int32_t>(GetU32LE(p)); }

inline uint16_t GetU16BE(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline int16_t GetI16BE(const uint8_t* p) { return static_cast<int16_t>(GetU16BE(p)); }
inline uint32_t GetU32BE(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

inline void PutU16LE(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32LE(uint8_t* p, uint32_t v) {
  PutU16LE(p, static_cast<uint16_t>(v));
  PutU16LE(p + 2, static_cast<uint16_t>(v >> 16));
}
inline void PutU16BE(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v >> 8);
  p[1] = static_cast<uint8_t>(v);
}
inline void PutU32BE(uint8_t* p, uint32_t v) {
  PutU16BE(p, static_cast<uint16_t>(v >> 16));
  PutU16BE(p + 2, static_cast<uint16_t>(v));
}

// Swaps a 16-bit or 32-bit field in place (big-endian <-> little-endian).
inline void Swap16(uint8_t* p) {
  const uint8_t t = p[0];
  p[0] = p[1];
  p[1] = t;
}
inline void Swap32(uint8_t* p) {
  uint8_t t = p[0];
  p[0] = p[3];
  p[3] = t;
  t = p[1];
  p[1] = p[2];
  p[2] = t;
}

}  // namespace ql

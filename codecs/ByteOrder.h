// Little- and big-endian values from byte buffers the caller has checked.
#pragma once

#include <cstdint>

inline uint16_t ReadU16LE(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t ReadU32LE(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline int32_t ReadS32LE(const uint8_t* p) { return static_cast<int32_t>(ReadU32LE(p)); }
inline uint16_t ReadU16BE(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

inline void WriteU16LE(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void WriteU32LE(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// Byte order reversal, for the big-endian values of TrueType files.
#pragma once

#include <cstdint>

constexpr uint16_t SwapWord(uint16_t value) {
  return static_cast<uint16_t>((value >> 8) | (value << 8));
}

// The two halves exchanged, each with its bytes swapped.
constexpr uint32_t SwapLong(uint32_t value) {
  return (static_cast<uint32_t>(SwapWord(static_cast<uint16_t>(value))) << 16) |
         SwapWord(static_cast<uint16_t>(value >> 16));
}

// The platform's MulDiv, portable: a * b / c in 64-bit arithmetic, rounded
// to the nearest integer, -1 when c is 0. Sizes and progress scale by it.
#pragma once

#include <cstdint>

inline int ScaleMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  bool negative = (product < 0) != (c < 0);
  uint64_t magnitude = static_cast<uint64_t>(product < 0 ? -product : product);
  uint64_t divisor = static_cast<uint64_t>(c < 0 ? -static_cast<int64_t>(c) : c);
  uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > 0x7FFFFFFFu) return -1;
  return negative ? -static_cast<int>(quotient) : static_cast<int>(quotient);
}

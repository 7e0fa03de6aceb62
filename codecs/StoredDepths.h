// The pixel depths a format may store, asked by detection and by the
// format's reader alike.
#pragma once

inline bool IsBmpDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 ||
         bits == 32;
}

inline bool IsPcxDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24;
}

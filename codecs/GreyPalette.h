// Palettes for grey-scale images. An 8-bit grey image is shown through 236
// grey levels (leaving room for the system colours) while its bitmap keeps
// the true grey values: a 256-entry colour table maps each value to its
// level.
#pragma once

#include <cstdint>

constexpr int kGreyLevels = 236;

// Level i = trunc(i x 1.0851063829787233), levels 0 .. 254. Returns 236.
int MakeGreyLevels(uint8_t (*rgb)[3]);

// Entry v = trunc(v x 0.9215686274509804): the level that shows grey v.
void MakeGreyIndexTable(uint16_t table[256]);

// 2^bits evenly spaced greys, entry i = i x 255 / (2^bits - 1); bits 1..8.
// Returns the count.
int MakeGreyRamp(int bits, uint8_t (*rgb)[3]);

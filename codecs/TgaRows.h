// Targa pixel rows: stored or run-length encoded pixels of 8, 16, 24 or 32
// bits turned into the rows the decode pipeline takes (8-bit indices or
// grey values, or blue, green, red).
#pragma once

#include "codecs/BufferedInput.h"

#include <cstdint>

struct TgaRowFormat {
  int width = 0;
  int bitsPerPixel = 0;  // 8, 16, 24 or 32
  bool compressed = false;

  int BytesPerPixel() const { return bitsPerPixel / 8; }
  int Stride() const { return (width * bitsPerPixel + 7) / 8; }
};

// A 5-bit colour value widened to 8 bits: v x 255 / 31 in integer
// arithmetic (0, 8, 16, 24, 32, 41, ... 246, 255).
inline uint8_t TgaFiveToEight(unsigned v) { return static_cast<uint8_t>((v & 31) * 255 / 31); }

// Reads the next stored row into `row`, or skips it when `row` is null.
// Run-length packets are cut at the end of the row: pixels beyond it are
// dropped and the next row starts with the header that follows the packet's
// data. False when the input ends before the row is complete.
bool ReadTgaRow(BufferedInput& input, const TgaRowFormat& format, uint8_t* row);

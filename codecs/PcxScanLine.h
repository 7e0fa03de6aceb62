// PCX pixel data: run-length encoded scan lines and their conversion into
// the rows the decode pipeline takes.
#pragma once

#include "codecs/BufferedInput.h"

#include <cstdint>

// How a PCX file lays out one scan line.
struct PcxLayout {
  int width = 0;
  int planes = 0;
  int bitsPerPlane = 0;
  int bytesPerLine = 0;

  int EncodedLength() const { return planes * bytesPerLine; }
  // Bytes a conversion may look at; at least EncodedLength, more when the
  // header's bytes per line is too short for the width (the rest reads 0).
  int ConvertedSpan() const;
  // The combination is one that ConvertPcxRow knows.
  bool IsConvertible() const;
};

// Decodes the next scan line of `length` bytes into `line`, or skips it when
// `line` is null. A run that would cross the end of the line is cut there.
// False when the input ends first.
bool DecodePcxScanLine(BufferedInput& input, uint8_t* line, int length);

// Converts a decoded scan line (ConvertedSpan bytes) into a row: packed
// 1-bit pixels, one byte per pixel for 4- and 8-bit images, or blue, green,
// red for the rest. False for a combination of planes and bits it does not
// know.
bool ConvertPcxRow(const PcxLayout& layout, const uint8_t* line, uint8_t* row);

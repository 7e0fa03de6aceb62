#include "codecs/PcxScanLine.h"

#include <algorithm>
#include <cstring>

int PcxLayout::ConvertedSpan() const {
  int needed = 0;
  if (planes == 1) {
    switch (bitsPerPlane) {
      case 1:
        needed = (width + 7) / 8;
        break;
      case 4:
        needed = (width + 1) / 2;
        break;
      case 8:
        needed = width;
        break;
      case 15:
      case 16:
        needed = width * 2;
        break;
      case 24:
        needed = width * 3;
        break;
    }
  } else if (planes == 3 && bitsPerPlane == 8) {
    needed = 2 * bytesPerLine + width;
  } else if (planes >= 2 && planes <= 4 && bitsPerPlane == 1) {
    needed = (planes - 1) * bytesPerLine + (width + 7) / 8;
  }
  return std::max(needed, EncodedLength());
}

bool PcxLayout::IsConvertible() const {
  if (planes == 1)
    return bitsPerPlane == 1 || bitsPerPlane == 4 || bitsPerPlane == 8 || bitsPerPlane == 15 ||
           bitsPerPlane == 16 || bitsPerPlane == 24;
  if (planes == 3 && bitsPerPlane == 8) return true;
  return planes >= 2 && planes <= 4 && bitsPerPlane == 1;
}

bool DecodePcxScanLine(BufferedInput& input, uint8_t* line, int length) {
  int done = 0;
  while (done < length) {
    int byte = input.NextByte();
    if (byte < 0) return false;
    int count = 1;
    if (byte >= 192) {
      count = byte & 0x3F;
      byte = input.NextByte();
      if (byte < 0) return false;
    }
    count = std::min(count, length - done);
    if (line) std::memset(line + done, byte, count);
    done += count;
  }
  return true;
}

namespace {

void WordsToBgr(const uint8_t* line, int width, bool sixBitGreen, uint8_t* row) {
  for (int i = 0; i < width; ++i) {
    unsigned v = line[2 * i] | line[2 * i + 1] << 8;
    row[3 * i] = static_cast<uint8_t>(v << 3);
    if (sixBitGreen) {
      row[3 * i + 1] = static_cast<uint8_t>((v >> 3) & 0xFC);
      row[3 * i + 2] = static_cast<uint8_t>((v >> 8) & 0xF8);
    } else {
      row[3 * i + 1] = static_cast<uint8_t>((v >> 2) & 0xF8);
      row[3 * i + 2] = static_cast<uint8_t>((v >> 7) & 0xF8);
    }
  }
}

}  // namespace

bool ConvertPcxRow(const PcxLayout& layout, const uint8_t* line, uint8_t* row) {
  const int width = layout.width;
  if (layout.planes == 1) {
    switch (layout.bitsPerPlane) {
      case 1:
        std::memcpy(row, line, (width + 7) / 8);
        return true;
      case 4:
        for (int i = 0; i < width; ++i)
          row[i] = (i & 1) ? (line[i / 2] & 0x0F) : (line[i / 2] >> 4);
        return true;
      case 8:
        std::memcpy(row, line, width);
        return true;
      case 15:
        WordsToBgr(line, width, false, row);
        return true;
      case 16:
        WordsToBgr(line, width, true, row);
        return true;
      case 24:
        std::memcpy(row, line, static_cast<size_t>(width) * 3);
        return true;
    }
    return false;
  }
  if (layout.planes == 3 && layout.bitsPerPlane == 8) {
    const uint8_t* red = line;
    const uint8_t* green = line + layout.bytesPerLine;
    const uint8_t* blue = line + 2 * layout.bytesPerLine;
    for (int i = 0; i < width; ++i) {
      row[3 * i] = blue[i];
      row[3 * i + 1] = green[i];
      row[3 * i + 2] = red[i];
    }
    return true;
  }
  if (layout.planes >= 2 && layout.planes <= 4 && layout.bitsPerPlane == 1) {
    for (int i = 0; i < width; ++i) {
      const int byte = i / 8;
      const int shift = 7 - (i & 7);
      uint8_t value = 0;
      for (int p = 0; p < layout.planes; ++p)
        value |= ((line[p * layout.bytesPerLine + byte] >> shift) & 1) << p;
      row[i] = value;
    }
    return true;
  }
  return false;
}

// Builds BMP files byte by byte for the tests, in any header kind, depth
// and compression, so that every expected pixel is known.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct BmpSpec {
  int width = 1;
  int height = 1;  // as stored: negative for top-down files
  int bits = 24;
  int headerSize = 40;  // 12, 40 or 64
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;                      // header field
  int paletteEntries = -1;                      // entries written; -1: what the header implies
  std::vector<std::array<uint8_t, 3>> palette;  // red, green, blue
  const char* magic = "BM";
};

inline void PutU16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
inline void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// 15-bit pixels are stored as 16-bit words.
inline int BmpStride(int width, int bits) {
  const int stored = bits == 15 ? 16 : bits;
  return ((width * stored + 7) / 8 + 3) & ~3;
}

// `pixelData` follows the palette as given (already padded and ordered as
// the file stores it).
inline std::vector<uint8_t> MakeBmp(const BmpSpec& spec, const std::vector<uint8_t>& pixelData) {
  const bool os2Entries = spec.headerSize != 40;
  int entries = spec.paletteEntries;
  if (entries < 0)
    entries =
        spec.bits <= 8 ? (spec.colorsUsed ? static_cast<int>(spec.colorsUsed) : 1 << spec.bits) : 0;
  const size_t entryBytes = os2Entries ? 3 : 4;
  const size_t offset = 14 + spec.headerSize + entries * entryBytes;
  std::vector<uint8_t> out(offset, 0);
  out[0] = static_cast<uint8_t>(spec.magic[0]);
  out[1] = static_cast<uint8_t>(spec.magic[1]);
  PutU32(out, 2, static_cast<uint32_t>(offset + pixelData.size()));
  PutU32(out, 10, static_cast<uint32_t>(offset));
  PutU32(out, 14, static_cast<uint32_t>(spec.headerSize));
  if (spec.headerSize == 12) {
    PutU16(out, 18, static_cast<uint32_t>(spec.width));
    PutU16(out, 20, static_cast<uint32_t>(spec.height));
    PutU16(out, 22, 1);
    PutU16(out, 24, static_cast<uint32_t>(spec.bits));
  } else {
    PutU32(out, 18, static_cast<uint32_t>(spec.width));
    PutU32(out, 22, static_cast<uint32_t>(spec.height));
    PutU16(out, 26, 1);
    PutU16(out, 28, static_cast<uint32_t>(spec.bits));
    PutU32(out, 30, spec.compression);
    PutU32(out, 34, static_cast<uint32_t>(pixelData.size()));
    PutU32(out, 46, spec.colorsUsed);
  }
  for (int i = 0; i < entries; ++i) {
    std::array<uint8_t, 3> rgb{0, 0, 0};
    if (i < static_cast<int>(spec.palette.size())) rgb = spec.palette[i];
    size_t at = 14 + spec.headerSize + i * entryBytes;
    out[at] = rgb[2];
    out[at + 1] = rgb[1];
    out[at + 2] = rgb[0];
  }
  out.insert(out.end(), pixelData.begin(), pixelData.end());
  return out;
}

// Packs rows of values (one per pixel: index, 16-bit word or 0xRRGGBB)
// into padded BMP rows, in the order given.
inline std::vector<uint8_t> PackRows(const std::vector<std::vector<uint32_t>>& rows, int bits) {
  std::vector<uint8_t> out;
  for (const auto& row : rows) {
    const int width = static_cast<int>(row.size());
    std::vector<uint8_t> packed(BmpStride(width, bits), 0);
    for (int x = 0; x < width; ++x) {
      uint32_t v = row[x];
      switch (bits) {
        case 1:
          packed[x >> 3] |= static_cast<uint8_t>((v & 1) << (7 - (x & 7)));
          break;
        case 4:
          packed[x >> 1] |= static_cast<uint8_t>((x & 1) ? (v & 15) : (v & 15) << 4);
          break;
        case 8:
          packed[x] = static_cast<uint8_t>(v);
          break;
        case 15:
        case 16:
          packed[2 * x] = static_cast<uint8_t>(v);
          packed[2 * x + 1] = static_cast<uint8_t>(v >> 8);
          break;
        case 24:
          packed[3 * x] = static_cast<uint8_t>(v);
          packed[3 * x + 1] = static_cast<uint8_t>(v >> 8);
          packed[3 * x + 2] = static_cast<uint8_t>(v >> 16);
          break;
        default:
          packed[4 * x] = static_cast<uint8_t>(v);
          packed[4 * x + 1] = static_cast<uint8_t>(v >> 8);
          packed[4 * x + 2] = static_cast<uint8_t>(v >> 16);
          packed[4 * x + 3] = 0xEE;  // must be ignored
          break;
      }
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

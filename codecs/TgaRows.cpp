#include "codecs/TgaRows.h"

#include <algorithm>
#include <cstring>

namespace {

// Converts `count` stored pixels into delivered pixels.
void ConvertPixels(const uint8_t* in, int count, int bytesPerPixel, uint8_t* out) {
  switch (bytesPerPixel) {
    case 1:
      std::memcpy(out, in, count);
      break;
    case 2:
      for (int i = 0; i < count; ++i, in += 2, out += 3) {
        unsigned v = in[0] | in[1] << 8;
        out[0] = TgaFiveToEight(v);
        out[1] = TgaFiveToEight(v >> 5);
        out[2] = TgaFiveToEight(v >> 10);
      }
      break;
    case 3:
      std::memcpy(out, in, static_cast<size_t>(count) * 3);
      break;
    case 4:
      for (int i = 0; i < count; ++i, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
      break;
  }
}

// Repeats one stored pixel `count` times.
void RepeatPixel(const uint8_t* in, int count, int bytesPerPixel, uint8_t* out) {
  uint8_t pixel[3];
  ConvertPixels(in, 1, bytesPerPixel, pixel);
  if (bytesPerPixel == 1) {
    std::memset(out, pixel[0], count);
    return;
  }
  for (int i = 0; i < count; ++i, out += 3) std::memcpy(out, pixel, 3);
}

}  // namespace

bool ReadTgaRow(BufferedInput& input, const TgaRowFormat& format, uint8_t* row) {
  const int bytesPerPixel = format.BytesPerPixel();
  const int outBytes = bytesPerPixel == 1 ? 1 : 3;
  if (!format.compressed) {
    const uint8_t* stored = input.Take(format.Stride());
    if (!stored) return false;
    if (row) ConvertPixels(stored, format.width, bytesPerPixel, row);
    return true;
  }
  int x = 0;
  while (x < format.width) {
    const int header = input.NextByte();
    if (header < 0) return false;
    const int count = (header & 0x7F) + 1;
    const int used = std::min(count, format.width - x);
    if (header & 0x80) {
      const uint8_t* value = input.Take(bytesPerPixel);
      if (!value) return false;
      if (row) RepeatPixel(value, used, bytesPerPixel, row + x * outBytes);
    } else {
      const uint8_t* values = input.Take(static_cast<size_t>(count) * bytesPerPixel);
      if (!values) return false;
      if (row) ConvertPixels(values, used, bytesPerPixel, row + x * outBytes);
    }
    x += used;
  }
  return true;
}

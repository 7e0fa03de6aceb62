#include "tests/host/codecs/PngTestImages.h"

#include <png.h>

#include <stdexcept>

namespace {

void AppendBytes(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// One stored row: samples packed most significant bits first, 16-bit
// samples big-endian.
std::vector<uint8_t> PackRow(const PngImageSpec& spec, int y) {
  const int channels = PngChannels(spec.colorType);
  const int depth = spec.bitDepth;
  std::vector<uint8_t> row((static_cast<size_t>(spec.width) * channels * depth + 7) / 8, 0);
  size_t bit = 0;
  for (int x = 0; x < spec.width; ++x) {
    for (int c = 0; c < channels; ++c, bit += depth) {
      const uint16_t value = spec.sample(x, y, c);
      if (depth == 16) {
        row[bit / 8] = static_cast<uint8_t>(value >> 8);
        row[bit / 8 + 1] = static_cast<uint8_t>(value);
      } else {
        row[bit / 8] |= static_cast<uint8_t>((value & ((1 << depth) - 1)) << (8 - depth - bit % 8));
      }
    }
  }
  return row;
}

// Runs under the writer's recovery point: nothing here has a destructor.
void WriteChunksAndRows(png_structp png, png_infop info, const PngImageSpec& spec,
                        const std::vector<png_color>& plte, png_bytepp rows) {
  png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colorType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!plte.empty()) png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
  if (!spec.transparency.empty())
    png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()),
                 nullptr);
  if (spec.hasBackground) {
    png_color_16 background = {};
    background.index = static_cast<png_byte>(spec.background[0]);
    background.red = spec.background[0];
    background.green = spec.background[1];
    background.blue = spec.background[2];
    background.gray = spec.background[0];
    png_set_bKGD(png, info, &background);
  }
  if (spec.gamma > 0) png_set_gAMA(png, info, spec.gamma);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
}

bool WriteUnderRecoveryPoint(png_structp png, png_infop info, const PngImageSpec& spec,
                             const std::vector<png_color>& plte, png_bytepp rows,
                             std::vector<uint8_t>* out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, out, AppendBytes, NoFlush);
  WriteChunksAndRows(png, info, spec, plte, rows);
  return true;
}

}  // namespace

int PngChannels(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

std::vector<uint8_t> WritePngImage(const PngImageSpec& spec) {
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < spec.height; ++y) rows.push_back(PackRow(spec, y));
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  std::vector<png_color> plte;
  for (const auto& entry : spec.palette) plte.push_back(png_color{entry[0], entry[1], entry[2]});
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const bool written = WriteUnderRecoveryPoint(png, info, spec, plte, pointers.data(), &out);
  png_destroy_write_struct(&png, &info);
  if (!written) throw std::runtime_error("libpng could not write the test image");
  return out;
}

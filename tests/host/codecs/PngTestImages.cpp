#include "tests/host/codecs/PngTestImages.h"

#include <png.h>
#include <zlib.h>

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

// Writes bits least significant first, as deflate packs them.
class BitWriter {
 public:
  explicit BitWriter(std::vector<uint8_t>* out) : out_(out) {}
  void Put(uint32_t value, int count) {
    bits_ |= static_cast<uint64_t>(value) << count_;
    for (count_ += count; count_ >= 8; count_ -= 8, bits_ >>= 8)
      out_->push_back(static_cast<uint8_t>(bits_));
  }
  void Flush() {
    if (count_ > 0) out_->push_back(static_cast<uint8_t>(bits_));
    bits_ = 0;
    count_ = 0;
  }

 private:
  std::vector<uint8_t>* out_;
  uint64_t bits_ = 0;
  int count_ = 0;
};

// A Huffman code, which deflate sends most significant bit first, turned
// into the order BitWriter::Put sends.
uint32_t Reversed(uint32_t code, int length) {
  uint32_t reversed = 0;
  for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1) << (length - 1 - i);
  return reversed;
}

// A zlib stream of `length` zero bytes in one block of deflate's fixed
// codes: a literal zero, then copies of 258 bytes from one byte back.
std::vector<uint8_t> ZeroZlibStream(uint64_t length) {
  std::vector<uint8_t> out = {0x78, 0x01};
  BitWriter bits(&out);
  bits.Put(1, 1);  // the final block
  bits.Put(1, 2);  // fixed codes
  const uint32_t zero = Reversed(0x30, 8);
  const uint32_t copy = Reversed(0xC5, 8);  // length 258 (code 285); distance code 0 follows
  bits.Put(zero, 8);
  uint64_t left = length - 1;
  for (; left >= 258; left -= 258) bits.Put(copy, 8 + 5);
  for (; left > 0; --left) bits.Put(zero, 8);
  bits.Put(0, 7);  // end of block
  bits.Flush();
  // Adler-32 of zeros: the first sum stays 1, the second counts the bytes.
  const uint32_t adler = static_cast<uint32_t>(length % 65521) << 16 | 1;
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(adler >> shift));
  return out;
}

void AppendChunk(std::vector<uint8_t>* png, const char* type, const std::vector<uint8_t>& data) {
  const uint32_t length = static_cast<uint32_t>(data.size());
  for (int shift = 24; shift >= 0; shift -= 8)
    png->push_back(static_cast<uint8_t>(length >> shift));
  const size_t start = png->size();
  png->insert(png->end(), type, type + 4);
  png->insert(png->end(), data.begin(), data.end());
  const uint32_t crc =
      static_cast<uint32_t>(crc32(0, png->data() + start, static_cast<uInt>(png->size() - start)));
  for (int shift = 24; shift >= 0; shift -= 8) png->push_back(static_cast<uint8_t>(crc >> shift));
}

// Bytes of the filtered image data: each row of each pass behind its
// filter byte.
uint64_t FilteredBytes(int width, int height, int channels, bool interlaced) {
  static const int kPasses[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                    {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  if (!interlaced) return static_cast<uint64_t>(height) * (1 + uint64_t{1} * width * channels);
  uint64_t total = 0;
  for (const auto& pass : kPasses) {
    const int columns = width > pass[0] ? (width - pass[0] + pass[2] - 1) / pass[2] : 0;
    const int rows = height > pass[1] ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
    if (columns > 0) total += static_cast<uint64_t>(rows) * (1 + uint64_t{1} * columns * channels);
  }
  return total;
}

}  // namespace

std::vector<uint8_t> ZeroPngImage(int width, int height, int colorType, bool interlaced,
                                  std::array<uint8_t, 3> paletteColour) {
  std::vector<uint8_t> png = {137, 80, 78, 71, 13, 10, 26, 10};
  std::vector<uint8_t> header(13, 0);
  for (int shift = 24, i = 0; shift >= 0; shift -= 8, ++i) {
    header[i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> shift);
    header[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> shift);
  }
  header[8] = 8;
  header[9] = static_cast<uint8_t>(colorType);
  header[12] = interlaced ? 1 : 0;
  AppendChunk(&png, "IHDR", header);
  if (colorType == PNG_COLOR_TYPE_PALETTE)
    AppendChunk(&png, "PLTE", {paletteColour[0], paletteColour[1], paletteColour[2]});
  const int channels = PngChannels(colorType);
  AppendChunk(&png, "IDAT", ZeroZlibStream(FilteredBytes(width, height, channels, interlaced)));
  AppendChunk(&png, "IEND", {});
  return png;
}

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

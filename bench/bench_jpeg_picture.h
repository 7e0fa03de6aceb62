// The pictures the JPEG benchmarks decode, written by libjpeg once per
// process, and libjpeg-turbo's own decode of them as the reference, with the
// settings the JPEG reader uses. Both are 4000 x 3000 baseline JPEGs with
// 2 x 2 chroma subsampling: a synthetic one of gradients, edges and noise at
// quality 75, and a camera-like one at quality 90.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace bench_jpeg {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Encodes kWidth x kHeight pixels; `fill` writes row y as red, green, blue.
template <typename Fill>
std::vector<uint8_t> EncodeJpeg(int quality, Fill fill) {
  jpeg_compress_struct encoder;
  jpeg_error_mgr errors;
  encoder.err = jpeg_std_error(&errors);
  jpeg_create_compress(&encoder);
  unsigned char* output = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&encoder, &output, &size);
  encoder.image_width = kWidth;
  encoder.image_height = kHeight;
  encoder.input_components = 3;
  encoder.in_color_space = JCS_RGB;
  jpeg_set_defaults(&encoder);  // YCbCr, 2 x 2 chroma
  jpeg_set_quality(&encoder, quality, TRUE);
  jpeg_start_compress(&encoder, TRUE);
  std::vector<uint8_t> line(3 * kWidth);
  for (int y = 0; y < kHeight; ++y) {
    fill(y, line.data());
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&encoder, &row, 1);
  }
  jpeg_finish_compress(&encoder);
  jpeg_destroy_compress(&encoder);
  std::vector<uint8_t> bytes(output, output + size);
  std::free(output);
  return bytes;
}

inline uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

inline std::vector<uint8_t> MakeBaselineJpeg() {
  uint32_t noise = 12345;
  return EncodeJpeg(75, [&](int y, uint8_t* line) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) & 31) - 16;
      const bool tile = ((x / 400) + (y / 300)) & 1;
      line[3 * x] = Clamp(x * 255 / kWidth + grain);
      line[3 * x + 1] = Clamp(tile ? (x ^ y) & 255 : y * 255 / kHeight + grain);
      line[3 * x + 2] = static_cast<uint8_t>((x + y) / 28 % 256);
    }
  });
}

// Lattice noise: smooth random values between the points of a grid `cell`
// pixels apart, as -1..1.
class ValueNoise {
 public:
  ValueNoise(int cell, uint32_t seed) : cell_(cell), columns_(kWidth / cell + 2) {
    values_.resize(static_cast<size_t>(columns_) * (kHeight / cell + 2));
    for (float& v : values_) {
      seed = seed * 1664525u + 1013904223u;
      v = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
  }
  float At(int x, int y) const {
    const float fx = static_cast<float>(x % cell_) / cell_,
                fy = static_cast<float>(y % cell_) / cell_;
    const float* row = &values_[static_cast<size_t>(y / cell_) * columns_ + x / cell_];
    const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const float top = row[0] + (row[1] - row[0]) * sx;
    const float bottom = row[columns_] + (row[columns_ + 1] - row[columns_]) * sx;
    return top + (bottom - top) * sy;
  }

 private:
  int cell_;
  int columns_;
  std::vector<float> values_;
};

// What a camera makes of a landscape: a sky graded towards the horizon,
// foliage with texture at several scales, hard-edged objects, and sensor
// noise on every pixel, in luminance and colour.
inline std::vector<uint8_t> MakePhotoJpeg() {
  const ValueNoise hills(500, 1), foliage(40, 2), leaves(7, 3), objects(250, 4);
  uint32_t noise = 987654321u;
  return EncodeJpeg(90, [&](int y, uint8_t* line) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) & 15) - 8;
      const int chromaGrain = static_cast<int>((noise >> 24) & 7) - 4;
      const float horizon = 1200 + 250 * hills.At(x, 0) + 60 * foliage.At(x, 0);
      float r, g, b;
      if (y < horizon) {
        const float t = y / horizon;
        r = 90 + 120 * t;
        g = 140 + 90 * t;
        b = 230 - 20 * t;
        const float cloud = hills.At(x, y) + 0.5f * foliage.At(x, y);
        if (cloud > 0.4f) r = g = b = 215 + 30 * (cloud - 0.4f);
      } else {
        const float texture = 0.6f * foliage.At(x, y) + 0.4f * leaves.At(x, y);
        const float depth = (y - horizon) / (kHeight - horizon);
        r = 60 + 50 * texture + 40 * depth;
        g = 100 + 70 * texture + 20 * depth;
        b = 40 + 30 * texture;
        // Buildings and posts: flat faces with sharp edges.
        const float block = objects.At(x, y);
        if (block > 0.35f) {
          const bool lit = (x / 90) & 1;
          r = lit ? 190 : 120;
          g = lit ? 170 : 105;
          b = lit ? 150 : 95;
          if (y % 120 < 6) r = g = b = 40;  // window ledges
        }
      }
      line[3 * x] = Clamp(static_cast<int>(r) + grain + chromaGrain);
      line[3 * x + 1] = Clamp(static_cast<int>(g) + grain);
      line[3 * x + 2] = Clamp(static_cast<int>(b) + grain - chromaGrain);
    }
  });
}

inline const std::vector<uint8_t>& BaselineJpeg() {
  static const std::vector<uint8_t> bytes = MakeBaselineJpeg();
  return bytes;
}

inline const std::vector<uint8_t>& PhotoJpeg() {
  static const std::vector<uint8_t> bytes = MakePhotoJpeg();
  return bytes;
}

// Where the reference decode puts its picture: memory as a fresh bitmap
// would have it, allocated but not cleared.
struct OutputBuffer {
  std::unique_ptr<uint8_t[]> bytes;
  size_t size = 0;
  uint8_t* Reserve(size_t needed) {
    if (size < needed) {
      bytes.reset(new uint8_t[needed]);
      size = needed;
    }
    return bytes.get();
  }
};

// libjpeg-turbo decoding `bytes` to blue, green, red rows (grey stays one
// byte a pixel) at 1/scale, with the reader's settings: fast integer DCT,
// no fancy upsampling. `image` receives the rows at a DIB stride.
inline void LibjpegDecode(const std::vector<uint8_t>& bytes, int scale, OutputBuffer* image) {
  jpeg_decompress_struct decoder;
  jpeg_error_mgr errors;
  decoder.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = decoder.num_components == 1 ? JCS_GRAYSCALE : JCS_EXT_BGR;
  decoder.scale_num = 1;
  decoder.scale_denom = static_cast<unsigned>(scale);
  decoder.dct_method = JDCT_IFAST;
  decoder.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&decoder);
  const size_t stride =
      (static_cast<size_t>(decoder.output_width) * decoder.output_components + 3) & ~size_t{3};
  uint8_t* picture = image->Reserve(stride * decoder.output_height);
  JSAMPROW rows[8];
  while (decoder.output_scanline < decoder.output_height) {
    const int count = decoder.rec_outbuf_height < 8 ? decoder.rec_outbuf_height : 8;
    for (int i = 0; i < count; ++i)
      rows[i] = picture + stride * ((decoder.output_scanline + i) % decoder.output_height);
    jpeg_read_scanlines(&decoder, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
}

}  // namespace bench_jpeg

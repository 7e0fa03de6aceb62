// The picture both JPEG benchmarks decode: a 4000 x 3000 baseline JPEG
// (quality 75, 2 x 2 chroma subsampling) of gradients, edges and noise,
// written by libjpeg once per process, and libjpeg-turbo's own decode of it
// as the reference, with the settings the JPEG reader uses.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

namespace bench_jpeg {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

inline std::vector<uint8_t> MakeBaselineJpeg() {
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
  jpeg_set_defaults(&encoder);
  jpeg_set_quality(&encoder, 75, TRUE);
  jpeg_start_compress(&encoder, TRUE);
  std::vector<uint8_t> line(3 * kWidth);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1103515245u + 12345u;
      const int grain = static_cast<int>((noise >> 16) & 31) - 16;
      const bool tile = ((x / 400) + (y / 300)) & 1;
      int r = x * 255 / kWidth + grain;
      int g = tile ? (x ^ y) & 255 : y * 255 / kHeight + grain;
      int b = (x + y) / 28 % 256;
      line[3 * x] = static_cast<uint8_t>(r < 0 ? 0 : r > 255 ? 255 : r);
      line[3 * x + 1] = static_cast<uint8_t>(g < 0 ? 0 : g > 255 ? 255 : g);
      line[3 * x + 2] = static_cast<uint8_t>(b);
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&encoder, &row, 1);
  }
  jpeg_finish_compress(&encoder);
  jpeg_destroy_compress(&encoder);
  std::vector<uint8_t> bytes(output, output + size);
  std::free(output);
  return bytes;
}

inline const std::vector<uint8_t>& BaselineJpeg() {
  static const std::vector<uint8_t> bytes = MakeBaselineJpeg();
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

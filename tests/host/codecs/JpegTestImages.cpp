#include "tests/host/codecs/JpegTestImages.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

std::vector<jpeg_scan_info> ManyScans(int components) {
  std::vector<jpeg_scan_info> script;
  script.push_back(jpeg_scan_info{components, {0, 1, 2, 0}, 0, 0, 0, 0});
  for (int k = 1; k < DCTSIZE2; ++k) {
    script.push_back(jpeg_scan_info{1, {0, 0, 0, 0}, k, k, 0, 10});
    for (int al = 9; al >= 0; --al)
      script.push_back(jpeg_scan_info{1, {0, 0, 0, 0}, k, k, al + 1, al});
  }
  for (int c = 1; c < components; ++c)
    script.push_back(jpeg_scan_info{1, {c, 0, 0, 0}, 1, DCTSIZE2 - 1, 0, 0});
  return script;
}

}  // namespace

std::vector<uint8_t> MakeJpeg(const JpegPicture& picture) {
  jpeg_compress_struct encoder;
  jpeg_error_mgr errors;
  encoder.err = jpeg_std_error(&errors);
  jpeg_create_compress(&encoder);
  unsigned char* output = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&encoder, &output, &size);
  encoder.image_width = static_cast<JDIMENSION>(picture.width);
  encoder.image_height = static_cast<JDIMENSION>(picture.height);
  encoder.input_components = picture.components;
  encoder.in_color_space = picture.components == 1   ? JCS_GRAYSCALE
                           : picture.components == 4 ? JCS_CMYK
                                                     : JCS_RGB;
  jpeg_set_defaults(&encoder);
  jpeg_set_quality(&encoder, picture.quality, TRUE);
  if (picture.progressive) jpeg_simple_progression(&encoder);
  const std::vector<jpeg_scan_info> script = ManyScans(picture.components);
  if (picture.manyScans) {
    encoder.scan_info = script.data();
    encoder.num_scans = static_cast<int>(script.size());
  }
  encoder.write_JFIF_header = picture.jfif ? TRUE : FALSE;
  jpeg_start_compress(&encoder, TRUE);
  if (!picture.app1.empty())
    jpeg_write_marker(&encoder, JPEG_APP0 + 1, picture.app1.data(),
                      static_cast<unsigned>(picture.app1.size()));

  std::vector<uint8_t> line(static_cast<size_t>(picture.width) * picture.components);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      uint32_t v = picture.pixel(x, y);
      uint8_t* out = &line[static_cast<size_t>(x) * picture.components];
      if (picture.components == 1) {
        out[0] = static_cast<uint8_t>(v >> 16);
      } else if (picture.components == 3) {
        out[0] = static_cast<uint8_t>(v >> 16);
        out[1] = static_cast<uint8_t>(v >> 8);
        out[2] = static_cast<uint8_t>(v);
      } else {
        for (int c = 0; c < 4; ++c) out[c] = static_cast<uint8_t>(v >> (24 - 8 * c));
      }
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

size_t FindJpegMarker(const std::vector<uint8_t>& bytes, uint8_t code, int nth) {
  for (size_t i = 0; i + 1 < bytes.size(); ++i) {
    if (bytes[i] == 0xFF && bytes[i + 1] == code && nth-- == 0) return i;
  }
  return bytes.size();
}

std::vector<uint8_t> DecodeWithLibjpeg(const std::vector<uint8_t>& bytes) {
  jpeg_decompress_struct decoder;
  jpeg_error_mgr errors;
  decoder.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&decoder, TRUE);
  decoder.out_color_space = decoder.num_components == 1 ? JCS_GRAYSCALE : JCS_EXT_BGR;
  decoder.dct_method = JDCT_IFAST;
  decoder.do_fancy_upsampling = FALSE;
  jpeg_start_decompress(&decoder);
  const size_t line = static_cast<size_t>(decoder.output_width) * decoder.output_components;
  std::vector<uint8_t> pixels(line * decoder.output_height);
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW row = &pixels[decoder.output_scanline * line];
    jpeg_read_scanlines(&decoder, &row, 1);
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
  return pixels;
}

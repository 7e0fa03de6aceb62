// The JPEG writer: 24- and 8-bit bitmaps written as baseline JFIF files of
// quality 65, read back by the JPEG reader and inspected with libjpeg.
//
// Tolerance: flat 16 x 16 colour blocks written at quality 65 come back
// within 2 per channel: only the block means survive, quantised in steps
// of 11 (luminance) and 12 (chrominance) eighths of a level, plus one
// rounding each way through YCbCr.
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/ImageWriter.h"
#include "codecs/JpegWriter.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/JpegPictureCheck.h"
#include "tests/host/codecs/JpegTestImages.h"
#include "tests/host/codecs/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include <jpeglib.h>

namespace {

constexpr int kRoundTripTolerance = 2;

const uint32_t kColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000,
                             0x808080, 0x123456, 0xC0A080, 0x20E0A0, 0xFF8000};
uint32_t Blocks(int x, int y) { return kColours[((y / 16) * 3 + x / 16) % 10]; }

// A bitmap as the decode pipeline makes them, owned by the test.
struct TestBitmap {
  DibHandle bitmap = nullptr;
  PaletteHandle palette = nullptr;
  uint8_t* bits = nullptr;
  int stride = 0;
  ~TestBitmap() {
    codec_platform::DeleteBitmap(bitmap);
    codec_platform::DeletePalette(palette);
  }
  uint8_t* Row(int y, int height, bool bottomUp) {
    return bits + static_cast<size_t>(bottomUp ? height - 1 - y : y) * stride;
  }
};

void Make24(TestBitmap* out, int width, int height, bool bottomUp, uint32_t (*pixel)(int, int)) {
  DibRequest request;
  request.width = width;
  request.height = height;
  request.bottomUp = bottomUp;
  request.depth = 24;
  ASSERT_EQ(codec_platform::CreateDib(request, nullptr, &out->bitmap, &out->bits), DibResult::Ok);
  out->stride = ((width * 3) + 3) & ~3;
  for (int y = 0; y < height; ++y) {
    uint8_t* row = out->Row(y, height, bottomUp);
    for (int x = 0; x < width; ++x) {
      uint32_t v = pixel(x, y);
      row[3 * x] = static_cast<uint8_t>(BlueOf(v));
      row[3 * x + 1] = static_cast<uint8_t>(GreenOf(v));
      row[3 * x + 2] = static_cast<uint8_t>(RedOf(v));
    }
  }
}

// An 8-bit bitmap whose pixel at (x, y) is the index of Blocks(x, y) in
// kColours, with kColours as its colour table.
void Make8(TestBitmap* out, int width, int height) {
  uint8_t rgb[10][3];
  uint16_t indices[10];
  for (int i = 0; i < 10; ++i) {
    rgb[i][0] = static_cast<uint8_t>(RedOf(kColours[i]));
    rgb[i][1] = static_cast<uint8_t>(GreenOf(kColours[i]));
    rgb[i][2] = static_cast<uint8_t>(BlueOf(kColours[i]));
    indices[i] = static_cast<uint16_t>(i);
  }
  out->palette = codec_platform::CreateLogicalPalette(rgb, 10);
  DibRequest request;
  request.width = width;
  request.height = height;
  request.depth = 8;
  request.paletteIndices = indices;
  request.colorCount = 10;
  ASSERT_EQ(codec_platform::CreateDib(request, out->palette, &out->bitmap, &out->bits),
            DibResult::Ok);
  out->stride = (width + 3) & ~3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      out->Row(y, height, false)[x] = static_cast<uint8_t>(((y / 16) * 3 + x / 16) % 10);
}

int WriteJpeg(DibHandle bitmap, const std::string& path, int* errorCode) {
  JpegWriter writer(path.c_str(), bitmap);
  int ok = (writer.Begin() == CodecOk) && (writer.WriteRows(1 << 20) == CodecOk) &&
           (writer.Finish() == CodecOk);
  *errorCode = writer.ErrorCode();
  return ok;
}

// What libjpeg itself reads in a file's headers.
struct JpegFacts {
  int components = 0;
  bool progressive = true;
  bool jfif = false;
  J_COLOR_SPACE colourSpace = JCS_UNKNOWN;
  UINT16 luminance[DCTSIZE2] = {};
  UINT16 chrominance[DCTSIZE2] = {};
};

JpegFacts ReadFacts(const std::vector<uint8_t>& bytes) {
  JpegFacts facts;
  jpeg_decompress_struct decoder;
  jpeg_error_mgr errors;
  decoder.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&decoder);
  jpeg_mem_src(&decoder, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&decoder, TRUE);
  facts.components = decoder.num_components;
  facts.progressive = decoder.progressive_mode;
  facts.jfif = decoder.saw_JFIF_marker;
  facts.colourSpace = decoder.jpeg_color_space;
  std::memcpy(facts.luminance, decoder.quant_tbl_ptrs[0]->quantval, sizeof facts.luminance);
  std::memcpy(facts.chrominance, decoder.quant_tbl_ptrs[1]->quantval, sizeof facts.chrominance);
  jpeg_destroy_decompress(&decoder);
  return facts;
}

class JpegWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }
  TempDir dir;
};

TEST_F(JpegWriterTest, TwentyFourBitBitmapComesBackWithinTolerance) {
  TestBitmap source;
  Make24(&source, 96, 64, false, Blocks);
  std::string path = dir.File("blocks.jpg");
  int error = 0;
  ASSERT_TRUE(WriteJpeg(source.bitmap, path, &error)) << "error " << error;

  ImageFile image(path.c_str());
  ASSERT_EQ(image.GetFormat(), FormatJpg);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  DibDescription back = Describe(image.GetNativeBitmap());
  EXPECT_EQ(back.width, 96);
  EXPECT_EQ(back.height, 64);
  EXPECT_TRUE(PictureWithin(back, Blocks, kRoundTripTolerance));
}

TEST_F(JpegWriterTest, FileIsBaselineJfifWithQuality65Tables) {
  TestBitmap source;
  Make24(&source, 32, 32, false, Blocks);
  std::string path = dir.File("q65.jpg");
  int error = 0;
  ASSERT_TRUE(WriteJpeg(source.bitmap, path, &error)) << "error " << error;
  JpegFacts facts = ReadFacts(TempDir::Read(path));
  EXPECT_EQ(facts.components, 3);
  EXPECT_EQ(facts.colourSpace, JCS_YCbCr);
  EXPECT_FALSE(facts.progressive);
  EXPECT_TRUE(facts.jfif);

  // The library's own tables for quality 65, limited to baseline values.
  jpeg_compress_struct reference;
  jpeg_error_mgr errors;
  reference.err = jpeg_std_error(&errors);
  jpeg_create_compress(&reference);
  reference.in_color_space = JCS_RGB;
  reference.input_components = 3;
  jpeg_set_defaults(&reference);
  jpeg_set_quality(&reference, 65, TRUE);
  for (int i = 0; i < DCTSIZE2; ++i) {
    EXPECT_EQ(facts.luminance[i], reference.quant_tbl_ptrs[0]->quantval[i]) << "luminance " << i;
    EXPECT_EQ(facts.chrominance[i], reference.quant_tbl_ptrs[1]->quantval[i])
        << "chrominance " << i;
  }
  jpeg_destroy_compress(&reference);
}

TEST_F(JpegWriterTest, BottomUpBitmapIsWrittenTopRowFirst) {
  TestBitmap source;
  Make24(&source, 48, 48, true, Blocks);
  std::string path = dir.File("bottomup.jpg");
  int error = 0;
  ASSERT_TRUE(WriteJpeg(source.bitmap, path, &error)) << "error " << error;
  ImageFile image(path.c_str());
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), Blocks, kRoundTripTolerance));
}

TEST_F(JpegWriterTest, EightBitBitmapIsWrittenAsThreeComponentsThroughItsColourTable) {
  TestBitmap source;
  Make8(&source, 48, 32);
  std::string path = dir.File("indexed.jpg");
  int error = 0;
  ASSERT_TRUE(WriteJpeg(source.bitmap, path, &error)) << "error " << error;
  EXPECT_EQ(ReadFacts(TempDir::Read(path)).components, 3);
  ImageFile image(path.c_str());
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), Blocks, kRoundTripTolerance));
}

TEST_F(JpegWriterTest, OtherDepthsAreNotWritten) {
  for (int depth : {1, 16}) {
    DibRequest request;
    request.width = 16;
    request.height = 16;
    request.depth = depth;
    TestBitmap source;
    ASSERT_EQ(codec_platform::CreateDib(request, nullptr, &source.bitmap, &source.bits),
              DibResult::Ok);
    JpegWriter writer(dir.File("depth.jpg").c_str(), source.bitmap);
    EXPECT_NE(writer.Begin(), CodecOk) << depth << " bits";
    EXPECT_EQ(writer.ErrorCode(), ErrNotSupported) << depth << " bits";
  }
}

TEST_F(JpegWriterTest, FailedWriteIsAWriteError) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // Noise keeps the output far above one 4096-byte buffer.
  TestBitmap source;
  Make24(&source, 256, 256, false, [](int x, int y) {
    return static_cast<uint32_t>((x * 2654435761u) ^ (y * 40503u)) & 0xFFFFFF;
  });
  JpegWriter writer("/dev/full", source.bitmap);
  ASSERT_EQ(writer.Begin(), CodecOk);
  EXPECT_FALSE((writer.WriteRows(256) == CodecOk) && (writer.Finish() == CodecOk));
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
  // The writer stays failed instead of handing rows to a broken encoder.
  EXPECT_NE(writer.WriteRows(1), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
}

TEST_F(JpegWriterTest, FinishingBeforeAllRowsIsAWriteError) {
  TestBitmap source;
  Make24(&source, 32, 32, false, Blocks);
  JpegWriter writer(dir.File("short.jpg").c_str(), source.bitmap);
  ASSERT_EQ(writer.Begin(), CodecOk);
  ASSERT_EQ(writer.WriteRows(16), CodecOk);
  EXPECT_EQ(writer.RowsWritten(), 16);
  EXPECT_NE(writer.Finish(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
}

TEST_F(JpegWriterTest, ConvertingADecodedJpegWritesItAgain) {
  // As the convert command does: load with the native bitmap, write it.
  JpegPicture picture;
  picture.width = 64;
  picture.height = 48;
  picture.pixel = Blocks;
  std::vector<uint8_t> original = MakeJpeg(picture);
  ImageFile image(ImageSource::FromMemory(original.data(), static_cast<uint32_t>(original.size())));
  ASSERT_EQ(image.Load(true, false), CodecOk);
  std::unique_ptr<ImageWriter> writer =
      CreateWriter(FormatJpg, dir.File("again.jpg").c_str(), image.GetNativeBitmap());
  ASSERT_NE(writer, nullptr);
  ASSERT_TRUE((writer->Begin() == CodecOk) && (writer->WriteRows(48) == CodecOk) &&
              (writer->Finish() == CodecOk))
      << writer->ErrorCode();
  ImageFile again(dir.File("again.jpg").c_str());
  ASSERT_EQ(again.Load(true, false), CodecOk) << again.LastError();
  EXPECT_TRUE(PictureWithin(Describe(again.GetNativeBitmap()), Blocks, kRoundTripTolerance));
}

}  // namespace

// GIF files built byte by byte and read back pixel by pixel: both versions,
// extensions, local tables, interlacing, two colours, damage.
#include "codecs/CodecError.h"
#include "codecs/GifReader.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/GifBuilder.h"
#include "tests/host/codecs/MemoryImageTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const GifTable kFour = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {10, 20, 30}};

using Rows = std::vector<std::vector<uint8_t>>;

// Rows whose pixels tell their row and column apart: (x + 3y) mod n.
Rows Pattern(int width, int height, int colours) {
  Rows rows(height, std::vector<uint8_t>(width));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) rows[y][x] = static_cast<uint8_t>((x + 3 * y) % colours);
  return rows;
}

// A picture over the four-colour global table, pixel (x + 3 y) mod 4.
GifSpec FourColourPattern(int width, int height) {
  GifSpec spec;
  spec.width = width;
  spec.height = height;
  spec.globalTable = kFour;
  spec.codeSize = 2;
  spec.rows = Pattern(width, height, 4);
  return spec;
}

class GifReaderTest : public MemoryImageTest<FormatGif> {};

TEST_F(GifReaderTest, ReadsAGif87aWithItsGlobalColourTable) {
  GifSpec spec = FourColourPattern(7, 5);
  spec.version = "87a";
  DibDescription dib = LoadNative(MakeGif(spec));
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 2);
  EXPECT_EQ(dib.bitsPerPixel, 8);
  ExpectIndices(dib, spec.rows);
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(DibColour(dib, 0, 1), (Rgb{10, 20, 30}));
  DibDescription display = Describe(image_->GetDisplayBitmap());
  EXPECT_EQ(display.bitsPerPixel, 8);
  EXPECT_EQ(DibColour(display, 2, 0), (Rgb{0, 255, 0}));
}

TEST_F(GifReaderTest, SkipsExtensionsAndStrayBytesBeforeTheImage) {
  GifSpec spec = FourColourPattern(6, 4);
  spec.blocksBeforeImage = {
      {'!', 0xF9, 4, 1, 10, 0, 3, 0},                                // graphic control
      {'!', 0xFE, 5, 'h', 'e', 'l', 'l', 'o', 3, ',', ';', '!', 0},  // comment
      {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0},
      {0x00, 0x42},  // stray bytes
  };
  DibDescription dib = LoadNative(MakeGif(spec));
  ExpectIndices(dib, spec.rows);
}

TEST_F(GifReaderTest, ALocalColourTableReplacesTheGlobalOne) {
  GifSpec spec;
  spec.width = 4;
  spec.height = 2;
  spec.globalTable = kFour;
  spec.localTable = {{1, 2, 3},    {4, 5, 6},    {7, 8, 9},    {100, 110, 120},
                     {11, 12, 13}, {14, 15, 16}, {17, 18, 19}, {200, 210, 220}};
  spec.codeSize = 3;
  spec.rows = {{7, 3, 0, 1}, {2, 4, 5, 6}};
  DibDescription dib = LoadNative(MakeGif(spec));
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 3);
  ExpectIndices(dib, spec.rows);
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{200, 210, 220}));
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{100, 110, 120}));
}

TEST_F(GifReaderTest, ATwoColourImageReachesThePipelineAsOneBitRows) {
  GifSpec spec;
  spec.width = 11;
  spec.height = 3;
  spec.globalTable = {{255, 255, 255}, {0, 0, 128}};
  spec.codeSize = 2;
  spec.rows = Pattern(11, 3, 2);
  DibDescription dib = LoadNative(MakeGif(spec));
  EXPECT_EQ(dib.bitsPerPixel, 1);
  EXPECT_EQ(dib.colorCount, 2);
  ExpectIndices(dib, spec.rows);
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{0, 0, 128}));
  EXPECT_EQ(Describe(image_->GetDisplayBitmap()).bitsPerPixel, 1);
}

TEST_F(GifReaderTest, ReadsAFullWidthCodeSizeOfEight) {
  GifSpec spec;
  spec.width = 300;
  spec.height = 9;
  for (int i = 0; i < 256; ++i)
    spec.globalTable.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 9});
  spec.rows = Pattern(300, 9, 256);
  DibDescription dib = LoadNative(MakeGif(spec));
  ExpectIndices(dib, spec.rows);
  EXPECT_EQ(DibColour(dib, 200, 0), (Rgb{200, 55, 9}));
}

TEST_F(GifReaderTest, AnInterlacedImageArrivesInFourPassesOnBlack) {
  GifSpec spec;
  spec.width = 5;
  spec.height = 10;
  // Entry 3 is black; 0 is not.
  spec.globalTable = {{90, 90, 90}, {255, 0, 0}, {0, 255, 0}, {0, 0, 0}};
  spec.codeSize = 2;
  spec.interlaced = true;
  spec.rows = Pattern(5, 10, 3);  // values 0 .. 2, never black
  ImageFile& image = Open(MakeGif(spec));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk) << image.LastError();
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 5, 10}));
  // Black from the start, before any rows are asked for.
  const DibDescription start = Describe(image.GetNativeBitmap());
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 5; ++x)
      ASSERT_EQ(DibValue(start, x, y), 3u) << "row " << y << " pixel " << x;

  // One rectangle bounds each batch's rows, wherever the passes put them.
  ImageRect rect;
  bool changed = false;
  ASSERT_EQ(image.DecodeRows(4, &changed, &rect), CodecOk);  // rows 0, 8, 4, 2
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 0, 5, 9}));
  DibDescription dib = Describe(image.GetNativeBitmap());
  for (int y = 0; y < 10; ++y) {
    const bool done = y == 0 || y == 8 || y == 4 || y == 2;
    for (int x = 0; x < 5; ++x)
      ASSERT_EQ(DibValue(dib, x, y), done ? spec.rows[y][x] : 3u) << "row " << y << " pixel " << x;
  }
  EXPECT_EQ(image.GetProgress(), 4000);

  ASSERT_EQ(image.DecodeRows(6, &changed, &rect), CodecOk);  // rows 6, 1, 3, 5, 7, 9
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 1, 5, 10}));
  EXPECT_TRUE(image.IsComplete());
  ExpectIndices(Describe(image.GetNativeBitmap()), spec.rows);
  EXPECT_NE(image.DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrOutOfOrder);
  image.EndLoad(false);
}

TEST_F(GifReaderTest, AProgressiveImageReportsEachBatchOfRows) {
  GifSpec spec = FourColourPattern(4, 6);
  ImageFile& image = Open(MakeGif(spec));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(2, &changed, &rect), CodecOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 0, 4, 2}));
  ASSERT_EQ(image.DecodeRows(10, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 2, 4, 6}));
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 4, 6}));
  EXPECT_TRUE(image.IsComplete());
  image.EndLoad(false);
}

TEST_F(GifReaderTest, AShrunkImageShowsTheLastSourceRowOfEachOutputRow) {
  GifSpec spec;
  spec.width = 4;
  spec.height = 4;
  spec.globalTable = kFour;
  spec.codeSize = 2;
  spec.interlaced = true;
  spec.rows = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}};
  ImageFile& image = Open(MakeGif(spec));
  ASSERT_EQ(
      image.LoadFitted({.maxWidth = 2, .maxHeight = 2, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.height, 2);
  EXPECT_EQ(DibValue(dib, 0, 0), 1u);
  EXPECT_EQ(DibValue(dib, 1, 1), 3u);
}

TEST_F(GifReaderTest, DamagedDataStillGivesTheWholePictureWithZerosWhereDataIsMissing) {
  GifSpec spec;
  spec.width = 8;
  spec.height = 8;
  spec.globalTable = kFour;
  spec.codeSize = 2;
  spec.rows = Rows(8, std::vector<uint8_t>(8, 1));
  std::vector<uint8_t> bytes = MakeGif(spec);
  // Keep the first five data bytes: four clear-and-two-pixel groups of nine
  // bits, the first row, and a clear code.
  std::vector<uint8_t> head = GifHead(spec);
  bytes.resize(head.size() + 1 + 1 + 5);
  DibDescription dib = LoadNative(bytes);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(DibValue(dib, x, y), y == 0 ? 1u : 0u) << "row " << y << " pixel " << x;
}

TEST_F(GifReaderTest, AHugePictureWithLittleDataLoadsAsAThumbnail) {
  GifSpec spec;
  spec.width = 15000;
  spec.height = 65535;
  spec.globalTable = kFour;
  spec.codeSize = 2;
  std::vector<uint8_t> bytes = GifHead(spec);
  const uint8_t data[] = {2, 2, 0x0C, 0x01, 0};  // clear, pixel 1, then nothing
  bytes.insert(bytes.end(), data, data + sizeof data);
  ImageFile& image = Open(bytes);
  ASSERT_EQ(image.LoadFitted(
                {.maxWidth = 100, .maxHeight = 100, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  // Fitted in thousandths: a scale of 2 gives 30 x 131.
  ASSERT_EQ(dib.width, 30);
  ASSERT_EQ(dib.height, 131);
  for (int y = 0; y < 131; ++y)
    for (int x = 0; x < 30; ++x)
      ASSERT_EQ(DibValue(dib, x, y), 0u) << "row " << y << " pixel " << x;
}

TEST_F(GifReaderTest, GarbageCodesDecodeWithoutFailing) {
  GifSpec spec;
  spec.width = 40;
  spec.height = 30;
  spec.globalTable = kFour;
  spec.codeSize = 2;
  std::vector<uint8_t> bytes = GifHead(spec);
  bytes.push_back(2);
  std::vector<uint8_t> noise;
  for (int i = 0; i < 600; ++i) noise.push_back(static_cast<uint8_t>(i * 97 + 13));
  std::vector<uint8_t> blocks = GifSubBlocks(noise);
  bytes.insert(bytes.end(), blocks.begin(), blocks.end());
  DibDescription dib = LoadNative(bytes);
  EXPECT_EQ(dib.width, 40);
  EXPECT_EQ(dib.height, 30);
}

TEST_F(GifReaderTest, HeaderProblemsAreNotSupported) {
  GifSpec spec = FourColourPattern(2, 2);
  std::vector<uint8_t> good = MakeGif(spec);

  // The trailer straight after the screen descriptor: no image.
  std::vector<uint8_t> noImage(good.begin(), good.begin() + 13 + 12);
  noImage.push_back(';');
  EXPECT_EQ(LoadError(noImage), ErrNotSupported);

  // Minimum code sizes of 1 and 12.
  const size_t codeSizeAt = GifHead(spec).size();
  std::vector<uint8_t> wide = good;
  wide[codeSizeAt] = 12;
  EXPECT_EQ(LoadError(wide), ErrNotSupported);
  std::vector<uint8_t> narrow = good;
  narrow[codeSizeAt] = 1;
  EXPECT_EQ(LoadError(narrow), ErrNotSupported);

  // Ends inside the global colour table.
  std::vector<uint8_t> shortTable(good.begin(), good.begin() + 17);
  EXPECT_EQ(LoadError(shortTable), ErrNotSupported);

  // Ends inside an extension before any image.
  std::vector<uint8_t> openExtension(good.begin(), good.begin() + 25);
  openExtension.insert(openExtension.end(), {'!', 0xFE, 10, 'a'});
  EXPECT_EQ(LoadError(openExtension), ErrNotSupported);
}

TEST_F(GifReaderTest, AnUnknownVersionIsNotAGif) {
  GifSpec spec = FourColourPattern(2, 2);
  spec.version = "88a";
  ImageFile& image = Open(MakeGif(spec));
  EXPECT_NE(image.GetFormat(), FormatGif);
  GifReader reader(ImageSource::FromMemory(data_.data(), data_.size()));
  EXPECT_NE(reader.ReadHeader(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrNotSupported);
}

}  // namespace

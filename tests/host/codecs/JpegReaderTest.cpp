// The JPEG reader over files libjpeg makes in the test: detection and
// header, exact pixels of grey and colour pictures, junk before the start
// marker, scaled decoding, the two passes of progressive files, and damaged
// files.
//
// Tolerances: flat 8 x 8 grey blocks at quality 100 decode exactly (0);
// flat 16 x 16 colour blocks at quality 100 come back within 1 per channel
// (the round trip through YCbCr rounds once each way); a picture of 0/200
// row stripes averages to exactly 100 under every DCT scaling, and at
// natural size comes back within 12, the fast integer IDCT's error on the
// highest vertical frequency (0 as 0, 9 or 11; 200 as 188, 190 or 200).
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/JpegReader.h"
#include "codecs/JpegScale.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/JpegPictureCheck.h"
#include "tests/host/codecs/JpegTestImages.h"
#include "tests/host/codecs/TempDir.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const uint32_t kBlockColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080,
                                  0x123456, 0xC0A080, 0x20E0A0, 0x7F7F7F, 0xFF8000, 0x00FFFF};

// Flat 16 x 16 blocks, one colour each: whole chroma blocks at 2 x 2
// subsampling, so nothing but rounding separates a pixel from its colour.
uint32_t ColourBlocks(int x, int y) { return kBlockColours[((y / 16) * 5 + x / 16) % 12]; }

const int kGreyLevels[] = {0, 37, 128, 255, 1, 200, 254, 99, 17, 180};

// Flat 8 x 8 grey blocks (grey pictures carry their value in red).
uint32_t GreyBlocks(int x, int y) {
  return static_cast<uint32_t>(kGreyLevels[((y / 8) * 3 + x / 8) % 10]) << 16;
}

// Rows alternating 0 and 200: all detail sits in the highest vertical
// frequencies, so any 2 x 2 or larger block averages to exactly 100.
uint32_t RowStripes(int, int y) { return (y % 2 ? 200u : 0u) << 16; }
uint32_t Grey100(int, int) { return 100u << 16; }
constexpr int kStripeTolerance = 12;

JpegPicture Colour(int width, int height) {
  JpegPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixel = ColourBlocks;
  return picture;
}

JpegPicture Grey(int width, int height, uint32_t (*pixel)(int, int)) {
  JpegPicture picture;
  picture.width = width;
  picture.height = height;
  picture.components = 1;
  picture.pixel = pixel;
  return picture;
}

ImageSource Memory(const std::vector<uint8_t>& bytes) {
  return ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

// Bytes below 251 never form the 0xFF 0xD8 pair.
std::vector<uint8_t> Junk(size_t count) {
  std::vector<uint8_t> junk(count);
  for (size_t i = 0; i < count; ++i) junk[i] = static_cast<uint8_t>((i * 7 + 3) % 251);
  return junk;
}

class JpegReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }
  void TearDown() override { host_codec::SetScreenDepth(24); }
};

// ---- detection and header -------------------------------------------------

TEST_F(JpegReaderTest, ColourFileIsDetectedWithItsSizeAsTwentyFourBits) {
  std::vector<uint8_t> bytes = MakeJpeg(Colour(80, 48));
  ImageFile image(Memory(bytes));
  EXPECT_EQ(image.GetFormat(), FormatJpg);
  EXPECT_EQ(image.GetSourceWidth(), 80);
  EXPECT_EQ(image.GetSourceHeight(), 48);
  EXPECT_EQ(image.GetSourceBitsPerPixel(), 24);
}

TEST_F(JpegReaderTest, GreyFileReadsAsEightBitGrey) {
  std::vector<uint8_t> bytes = MakeJpeg(Grey(24, 16, GreyBlocks));
  JpegReader reader(Memory(bytes));
  ASSERT_EQ(reader.ReadHeader(), CodecOk) << reader.ErrorCode();
  EXPECT_EQ(reader.Format(), FormatJpg);
  EXPECT_EQ(reader.Width(), 24);
  EXPECT_EQ(reader.Height(), 16);
  EXPECT_EQ(reader.BitsPerPixel(), 8);
  EXPECT_TRUE(reader.IsGrey());
}

TEST_F(JpegReaderTest, FileWithoutJfifHeaderIsConfirmedByTheReader) {
  JpegPicture picture = Colour(32, 32);
  picture.jfif = false;
  picture.app1 = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42};
  std::vector<uint8_t> bytes = MakeJpeg(picture);
  ASSERT_EQ(bytes[2], 0xFF);
  ASSERT_EQ(bytes[3], 0xE1) << "the first segment is APP1";
  ImageFile image(Memory(bytes));
  EXPECT_EQ(image.GetFormat(), FormatJpg);
  EXPECT_EQ(image.GetSourceWidth(), 32);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
}

TEST_F(JpegReaderTest, BytesWithoutStartMarkerAreNotJpeg) {
  std::vector<uint8_t> bytes = Junk(2000);
  JpegReader reader(Memory(bytes));
  EXPECT_NE(reader.ReadHeader(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrNotSupported);
  EXPECT_EQ(reader.Format(), -1);
}

TEST_F(JpegReaderTest, FileCutBeforeItsFirstScanIsRejected) {
  std::vector<uint8_t> bytes = MakeJpeg(Colour(32, 32));
  bytes.resize(FindJpegMarker(bytes, 0xDA));  // up to the scan header
  JpegReader reader(Memory(bytes));
  EXPECT_NE(reader.ReadHeader(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrNotSupported);

  // Detection accepts the JFIF frame header on sight; loading then fails.
  ImageFile image(Memory(bytes));
  EXPECT_EQ(image.GetFormat(), FormatJpg);
  EXPECT_NE(image.Load(true, true), CodecOk);
  EXPECT_EQ(image.LastError(), ErrNotSupported);
}

TEST_F(JpegReaderTest, CmykFileHasAHeaderButCannotBeDecoded) {
  JpegPicture picture;
  picture.components = 4;
  picture.pixel = [](int, int) { return 0x10203040u; };
  std::vector<uint8_t> bytes = MakeJpeg(picture);
  ImageFile image(Memory(bytes));
  EXPECT_EQ(image.GetSourceBitsPerPixel(), 24);
  const int bitmapsBefore = host_codec::LiveBitmaps();
  EXPECT_NE(image.Load(true, true), CodecOk);
  EXPECT_EQ(image.LastError(), ErrNoPalette) << "set-up failure";
  EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore);
  EXPECT_EQ(image.GetNativeBitmap(), nullptr);
}

// ---- junk before the start marker -----------------------------------------

TEST_F(JpegReaderTest, UpTo1022JunkBytesBeforeTheStartMarkerAreSkipped) {
  std::vector<uint8_t> bytes = Junk(1022);
  std::vector<uint8_t> jpeg = MakeJpeg(Colour(48, 32));
  bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.GetFormat(), FormatJpg);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
}

TEST_F(JpegReaderTest, StartMarkerAfter1023JunkBytesIsNotFound) {
  std::vector<uint8_t> bytes = Junk(1023);
  std::vector<uint8_t> jpeg = MakeJpeg(Colour(48, 32));
  bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
  ImageFile image(Memory(bytes));
  EXPECT_EQ(image.GetFormat(), FormatJpg) << "detection looks further than the reader";
  EXPECT_NE(image.Load(true, false), CodecOk);
  EXPECT_EQ(image.LastError(), ErrNotSupported);
}

// ---- pixels at natural size -----------------------------------------------

TEST_F(JpegReaderTest, GreyBlocksDecodeToTheirExactValues) {
  std::vector<uint8_t> bytes = MakeJpeg(Grey(40, 24, GreyBlocks));
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.Load(true, true), CodecOk) << image.LastError();
  DibDescription native = Describe(image.GetNativeBitmap());
  EXPECT_EQ(native.bitsPerPixel, 8);
  EXPECT_TRUE(PictureWithin(native, GreyBlocks, 0));
  // The display bitmap keeps the values and shows them through the grey
  // levels of a palette screen.
  DibDescription display = Describe(image.GetDisplayBitmap());
  EXPECT_EQ(display.bitsPerPixel, 8);
  EXPECT_TRUE(PictureWithin(display, GreyBlocks, 0));
  ASSERT_NE(image.GetPalette(), nullptr);
  EXPECT_EQ(image.GetPalette()->entries.size(), 236u);
}

TEST_F(JpegReaderTest, ColourBlocksDecodeWithinOneLevelInBlueGreenRedOrder) {
  std::vector<uint8_t> bytes = MakeJpeg(Colour(80, 48));
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.Load(true, true), CodecOk) << image.LastError();
  DibDescription native = Describe(image.GetNativeBitmap());
  EXPECT_EQ(native.bitsPerPixel, 24);
  EXPECT_TRUE(PictureWithin(native, ColourBlocks, 1));
  EXPECT_TRUE(PictureWithin(Describe(image.GetDisplayBitmap()), ColourBlocks, 1));
  // Pure red is stored blue, green, red: the third byte carries it.
  EXPECT_GE(native.bits[2], 254);
  EXPECT_LE(native.bits[0], 1);
}

TEST_F(JpegReaderTest, BottomUpLoadStoresTheSameRowsLastFirst) {
  std::vector<uint8_t> bytes = MakeJpeg(Colour(32, 48));
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false, .bottomUp = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  DibHandle native = image.GetNativeBitmap();
  DibDescription dib = Describe(native);
  EXPECT_TRUE(dib.bottomUp);
  EXPECT_TRUE(PictureWithin(dib, ColourBlocks, 1));
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

TEST_F(JpegReaderTest, DisplayOnlyLoadsHoldThePictureInEitherRowOrder) {
  // Without a native copy the library writes into the display bitmap itself.
  std::vector<uint8_t> colour = MakeJpeg(Colour(80, 48));
  std::vector<uint8_t> grey = MakeJpeg(Grey(40, 24, GreyBlocks));
  for (bool bottomUp : {false, true}) {
    ImageFile image(Memory(colour));
    ASSERT_EQ(image.BeginLoad({.bottomUp = bottomUp}), CodecOk);
    ASSERT_EQ(image.DecodeRows(7, nullptr, nullptr), CodecOk);  // batches that end inside strips
    ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
    ASSERT_EQ(image.EndLoad(true), CodecOk);
    EXPECT_TRUE(PictureWithin(Describe(image.GetDisplayBitmap()), ColourBlocks, 1))
        << "bottom-up " << bottomUp;

    ImageFile greyImage(Memory(grey));
    ASSERT_EQ(greyImage.BeginLoad({.bottomUp = bottomUp}), CodecOk);
    ASSERT_EQ(greyImage.DecodeRows(24, nullptr, nullptr), CodecOk);
    ASSERT_EQ(greyImage.EndLoad(true), CodecOk);
    EXPECT_TRUE(PictureWithin(Describe(greyImage.GetDisplayBitmap()), GreyBlocks, 0))
        << "bottom-up " << bottomUp;
  }
}

TEST_F(JpegReaderTest, FileOnDiskReadsLikeMemory) {
  TempDir dir;
  std::string path = dir.Write("blocks.jpg", MakeJpeg(Colour(64, 32)));
  ImageFile image(path.c_str());
  ASSERT_EQ(image.GetFormat(), FormatJpg);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
}

// ---- scaled decoding --------------------------------------------------------

TEST_F(JpegReaderTest, ScaleFactorIsTheLargestPowerOfTwoTheSmallerRatioAllows) {
  struct Case {
    int outputWidth, outputHeight, factor;
  } cases[] = {
      {1600, 1200, 1}, {1599, 1199, 1}, {800, 600, 2}, {534, 400, 2}, {400, 300, 4},
      {300, 225, 4},   {229, 171, 4},   {200, 150, 8}, {100, 75, 8},  {1600, 150, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JpegScaleFactor(1600, 1200, c.outputWidth, c.outputHeight), c.factor)
        << "1600 x 1200 into " << c.outputWidth << " x " << c.outputHeight;
}

TEST_F(JpegReaderTest, PhotoShownInAQuarterSizeWindowIsDecodedAtOneQuarter) {
  // The window 400 x 300 and the box 300 x 300 (fitted in thousandths to
  // 301 x 226) both lead to scale 1/4; under it every output pixel is the
  // mean of a 4 x 4 block of stripes.
  std::vector<uint8_t> bytes = MakeJpeg(Grey(1600, 1200, RowStripes));
  struct Case {
    int boxWidth, boxHeight, width, height;
  } cases[] = {{400, 300, 400, 300}, {300, 300, 301, 226}};
  for (const Case& c : cases) {
    ImageFile image(Memory(bytes));
    ASSERT_EQ(image.LoadFitted({.maxWidth = c.boxWidth,
                                .maxHeight = c.boxHeight,
                                .keepNative = true,
                                .makeDisplay = false}),
              CodecOk)
        << image.LastError();
    DibDescription dib = Describe(image.GetNativeBitmap());
    EXPECT_EQ(dib.width, c.width);
    EXPECT_EQ(dib.height, c.height);
    EXPECT_TRUE(PictureWithin(dib, Grey100, 0)) << "box " << c.boxWidth << " x " << c.boxHeight;
  }
}

TEST_F(JpegReaderTest, EveryScaleAveragesItsBlocksInsteadOfSkippingRows) {
  std::vector<uint8_t> bytes = MakeJpeg(Grey(640, 480, RowStripes));
  {
    ImageFile natural(Memory(bytes));
    ASSERT_EQ(natural.Load(true, false), CodecOk);
    EXPECT_TRUE(PictureWithin(Describe(natural.GetNativeBitmap()), RowStripes, kStripeTolerance));
  }
  // 1/2, 1/4, 1/8, and 1/4 followed by the base's own shrinking to 100.
  for (int box : {320, 160, 80, 100}) {
    ImageFile image(Memory(bytes));
    ASSERT_EQ(image.LoadFitted(
                  {.maxWidth = box, .maxHeight = box, .keepNative = true, .makeDisplay = false}),
              CodecOk)
        << image.LastError();
    DibDescription dib = Describe(image.GetNativeBitmap());
    EXPECT_EQ(dib.width, box);
    EXPECT_TRUE(PictureWithin(dib, Grey100, 0)) << "box " << box;
  }
}

TEST_F(JpegReaderTest, ScaledColourBlocksKeepTheirColours) {
  // 64 x 64 blocks, each colour filling whole 8 x 8 blocks even at 1/8.
  JpegPicture picture = Colour(512, 384);
  picture.pixel = [](int x, int y) { return ColourBlocks(x / 4, y / 4); };
  std::vector<uint8_t> bytes = MakeJpeg(picture);
  ImageFile image(Memory(bytes));
  ASSERT_EQ(
      image.LoadFitted({.maxWidth = 64, .maxHeight = 64, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.width, 64);
  ASSERT_EQ(dib.height, 48);
  EXPECT_TRUE(PictureWithin(
      dib, [](int x, int y) { return ColourBlocks(2 * x, 2 * y); }, 1));
}

// ---- progressive files ------------------------------------------------------

class JpegProgressiveTest : public JpegReaderTest {
 protected:
  void SetUp() override {
    JpegReaderTest::SetUp();
    JpegPicture picture = Grey(64, 48, RowStripes);
    picture.progressive = true;
    bytes = MakeJpeg(picture);
  }
  std::vector<uint8_t> bytes;
};

TEST_F(JpegProgressiveTest, CoarsePictureComesFirstThenTheFinalOne) {
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  EXPECT_EQ(image.GetProgress(), 5000);
  EXPECT_FALSE(image.IsComplete());
  // The second scan holds only low frequencies: no stripes yet.
  EXPECT_TRUE(GreyValuesBetween(Describe(image.GetNativeBitmap()), 60, 140));

  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  EXPECT_EQ(image.GetProgress(), 10000);
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), RowStripes, kStripeTolerance));
  EXPECT_NE(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrOutOfOrder);
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

TEST_F(JpegProgressiveTest, ProgressAndRectanglesFollowBothPasses) {
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk);
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(24, &changed, &rect), CodecOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 0, 64, 24}));
  EXPECT_EQ(image.GetProgress(), 2500);
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 64, 24}));

  ASSERT_EQ(image.DecodeRows(24, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 24, 64, 48}));
  EXPECT_EQ(image.GetProgress(), 5000);

  // The final pass redraws from the top; the whole picture is shown.
  ASSERT_EQ(image.DecodeRows(12, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 0, 64, 12}));
  EXPECT_EQ(image.GetProgress(), 6250);
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 64, 48}));

  ASSERT_EQ(image.DecodeRows(100, &changed, &rect), CodecOk);
  EXPECT_EQ(rect, (ImageRect{0, 12, 64, 48}));
  EXPECT_EQ(image.GetProgress(), 10000);
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

TEST_F(JpegProgressiveTest, WaitCursorShowsWhileTheFirstStripOfEachPassIsRead) {
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk);
  const int before = host_codec::WaitCursorShows();
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(host_codec::WaitCursorShows(), before + 1);
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(host_codec::WaitCursorShows(), before + 2);
  EXPECT_FALSE(host_codec::WaitCursorShown()) << "restored after each read";
  image.EndLoad(true);

  std::vector<uint8_t> baseline = MakeJpeg(Grey(64, 48, RowStripes));
  ImageFile plain(Memory(baseline));
  ASSERT_EQ(plain.Load(true, false), CodecOk);
  EXPECT_EQ(host_codec::WaitCursorShows(), before + 2) << "baseline files read without it";
}

TEST_F(JpegProgressiveTest, LoadEndsWithTheFinalPicture) {
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.Load(true, true), CodecOk) << image.LastError();
  EXPECT_TRUE(image.IsComplete());
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), RowStripes, kStripeTolerance));
  EXPECT_TRUE(PictureWithin(Describe(image.GetDisplayBitmap()), RowStripes, kStripeTolerance));
}

TEST_F(JpegProgressiveTest, ColourProgressiveFileDecodesWithinOneLevel) {
  JpegPicture picture = Colour(80, 48);
  picture.progressive = true;
  std::vector<uint8_t> colour = MakeJpeg(picture);
  ImageFile image(Memory(colour));
  ASSERT_EQ(image.LoadFitted({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
}

TEST_F(JpegProgressiveTest, ThumbnailIsScaledInBothPasses) {
  JpegPicture picture = Grey(800, 600, RowStripes);
  picture.progressive = true;
  std::vector<uint8_t> large = MakeJpeg(picture);
  ImageFile image(Memory(large));
  ASSERT_EQ(image.LoadFitted(
                {.maxWidth = 100, .maxHeight = 100, .keepNative = true, .makeDisplay = false}),
            CodecOk)
      << image.LastError();
  DibDescription dib = Describe(image.GetNativeBitmap());
  EXPECT_EQ(dib.width, 100);
  EXPECT_EQ(dib.height, 75);
  EXPECT_TRUE(PictureWithin(dib, Grey100, 0));
}

TEST_F(JpegProgressiveTest, TwoPassDitheredReductionDecodesTheFileOnceInFull) {
  JpegPicture picture = Colour(64, 48);
  picture.progressive = true;
  std::vector<uint8_t> colour = MakeJpeg(picture);
  host_codec::SetScreenDepth(8);
  ImageFile image(Memory(colour));
  ASSERT_EQ(image.BeginLoad({.reductionMode = 4, .keepNative = true}), CodecOk)
      << image.LastError();
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  // The first pass of the reduction, not a coarse picture.
  EXPECT_EQ(image.GetProgress(), 5000);
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  EXPECT_EQ(image.GetProgress(), 10000);
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

TEST_F(JpegProgressiveTest, TwoPassPlainReductionStillShowsTheCoarsePictureFirst) {
  JpegPicture picture = Colour(64, 48);
  picture.progressive = true;
  std::vector<uint8_t> colour = MakeJpeg(picture);
  host_codec::SetScreenDepth(8);
  ImageFile image(Memory(colour));
  ASSERT_EQ(image.BeginLoad({.reductionMode = 3, .keepNative = true}), CodecOk)
      << image.LastError();
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.GetProgress(), 2500) << "coarse pass of the first reduction pass";
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.GetProgress(), 5000);
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), ColourBlocks, 1));
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.GetProgress(), 10000);
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

TEST_F(JpegProgressiveTest, FittedLoadRunsAllThreePassesOfAPlainReduction) {
  JpegPicture picture = Colour(64, 48);
  picture.progressive = true;
  std::vector<uint8_t> colour = MakeJpeg(picture);
  host_codec::SetScreenDepth(8);
  ImageFile image(Memory(colour));
  ASSERT_EQ(image.LoadFitted({.reductionMode = 3}), CodecOk) << image.LastError();
  EXPECT_TRUE(image.IsComplete());
  DibDescription dib = Describe(image.GetDisplayBitmap());
  ASSERT_EQ(dib.bitsPerPixel, 8);
  // The optimiser's palette holds the picture's twelve colours, each to
  // within its histogram cell.
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 64; ++x) {
      const Rgb got = DibColour(dib, x, y);
      const uint32_t want = ColourBlocks(x, y);
      ASSERT_LE(std::abs(got.red - RedOf(want)), 6) << "pixel " << x << "," << y;
      ASSERT_LE(std::abs(got.green - GreenOf(want)), 6) << "pixel " << x << "," << y;
      ASSERT_LE(std::abs(got.blue - BlueOf(want)), 6) << "pixel " << x << "," << y;
    }
  }
}

// ---- damaged files ----------------------------------------------------------

TEST_F(JpegReaderTest, TruncatedFileShowsTheRowsItHolds) {
  std::vector<uint8_t> bytes = MakeJpeg(Colour(160, 128));
  const size_t scan = FindJpegMarker(bytes, 0xDA);
  const size_t end = FindJpegMarker(bytes, 0xD9);
  ASSERT_LT(scan, end);
  bytes.resize(scan + (end - scan) / 2);
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_TRUE(image.IsComplete());
  DibDescription dib = Describe(image.GetNativeBitmap());
  ASSERT_EQ(dib.height, 128);
  // The first two rows of blocks lie well inside the first half of the data.
  DibDescription top = dib;
  top.height = 32;
  top.bottomUp = false;
  EXPECT_TRUE(PictureWithin(top, ColourBlocks, 1));
}

TEST_F(JpegProgressiveTest, FileCutAfterItsFirstScanIsCompleteAfterOnePass) {
  bytes.resize(FindJpegMarker(bytes, 0xDA, 1));  // only the DC scan is left
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  ASSERT_EQ(image.DecodeRows(48, nullptr, nullptr), CodecOk) << image.LastError();
  EXPECT_EQ(image.GetProgress(), 10000);
  // Block means only: every stripe pair averages to 100.
  EXPECT_TRUE(PictureWithin(Describe(image.GetNativeBitmap()), Grey100, 1));
  EXPECT_EQ(image.EndLoad(true), CodecOk);
}

// A picture of fine detail in a file of 694 scans (696 in colour), and the
// same file cut before scan `scans` + 1.
struct ManyScanFiles {
  std::vector<uint8_t> full;
  std::vector<uint8_t> cut;
};

uint32_t FineDetail(int x, int y) {
  const uint32_t v = static_cast<uint32_t>((x * 37 + y * 91 + (x * y) % 23) & 255);
  return v << 16 | (255 - v) << 8 | ((v * 7) & 255);
}

ManyScanFiles MakeManyScanFiles(int components, int scans) {
  JpegPicture picture = Colour(64, 48);
  picture.components = components;
  picture.pixel = FineDetail;
  picture.manyScans = true;
  ManyScanFiles files;
  files.full = MakeJpeg(picture);
  const size_t end = FindJpegMarker(files.full, 0xDA, scans);
  files.cut.assign(files.full.begin(), files.full.begin() + static_cast<long>(end));
  return files;
}

// A complete load keeping the native bitmap, on the screen in use.
struct Loaded {
  std::vector<uint8_t> bytes;
  std::unique_ptr<ImageFile> image;
  DibDescription native;
};

void LoadNative(Loaded* loaded, const std::vector<uint8_t>& bytes, int reductionMode) {
  loaded->bytes = bytes;
  loaded->image.reset(new ImageFile(Memory(loaded->bytes)));
  ASSERT_EQ(loaded->image->LoadFitted({.reductionMode = reductionMode, .keepNative = true}),
            CodecOk)
      << loaded->image->LastError();
  ASSERT_TRUE(loaded->image->IsComplete());
  loaded->native = Describe(loaded->image->GetNativeBitmap());
}

// Bytes of the two bitmaps' pixels that differ.
int DifferingBytes(const DibDescription& a, const uint8_t* packed) {
  const int line = a.width * a.bitsPerPixel / 8;
  int differing = 0;
  for (int y = 0; y < a.height; ++y)
    for (int i = 0; i < line; ++i) differing += DibImageRow(a, y)[i] != packed[y * line + i];
  return differing;
}

std::vector<uint8_t> Packed(const DibDescription& dib) {
  const int line = dib.width * dib.bitsPerPixel / 8;
  std::vector<uint8_t> packed;
  for (int y = 0; y < dib.height; ++y)
    packed.insert(packed.end(), DibImageRow(dib, y), DibImageRow(dib, y) + line);
  return packed;
}

TEST_F(JpegProgressiveTest, FinalPassShowsTheScansUpToTheHundredth) {
  ManyScanFiles files = MakeManyScanFiles(1, 100);
  Loaded full, cut;
  LoadNative(&full, files.full, 0);
  LoadNative(&cut, files.cut, 0);
  EXPECT_EQ(DifferingBytes(full.native, Packed(cut.native).data()), 0);
  EXPECT_GT(DifferingBytes(full.native, DecodeWithLibjpeg(files.full).data()), 0)
      << "scans after the hundredth would have changed the picture";
}

TEST_F(JpegProgressiveTest, ScansAfterThe500thAreNotRead) {
  // Without the coarse pass (two-pass dithered reduction of a colour file)
  // the library reads every scan before the first row; it gets no further
  // than scan 500.
  host_codec::SetScreenDepth(8);
  ManyScanFiles files = MakeManyScanFiles(3, 500);
  ASSERT_LT(FindJpegMarker(files.full, 0xDA, 695), files.full.size()) << "696 scans";
  Loaded full, cut;
  LoadNative(&full, files.full, 4);
  LoadNative(&cut, files.cut, 4);
  EXPECT_EQ(DifferingBytes(full.native, Packed(cut.native).data()), 0)
      << "the same as the file cut before its 501st scan";
  EXPECT_GT(DifferingBytes(full.native, DecodeWithLibjpeg(files.full).data()), 0)
      << "the later scans would have changed the picture";
}

TEST_F(JpegProgressiveTest, BrokenLaterScanFailsAsBadDataAfterTheCoarsePicture) {
  // The third scan asks for coefficients 64 to 63, which no decoder accepts.
  const size_t third = FindJpegMarker(bytes, 0xDA, 2);
  ASSERT_LT(third + 6, bytes.size());
  const size_t spectralStart = third + 5 + 2 * bytes[third + 4];
  bytes[spectralStart] = 64;
  ImageFile image(Memory(bytes));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
      << image.LastError();
  EXPECT_NE(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
  EXPECT_EQ(image.GetProgress(), 5000);
  EXPECT_TRUE(GreyValuesBetween(Describe(image.GetNativeBitmap()), 60, 140));
  // Nothing more comes out of a decoder that failed.
  EXPECT_NE(image.DecodeRows(48, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrBadData);
  image.EndLoad(true);
  EXPECT_EQ(image.GetNativeBitmap(), nullptr);
}

}  // namespace

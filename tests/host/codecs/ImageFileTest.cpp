// ImageFile: detection, fitting, display depth, the four source kinds,
// progressive and two-pass loads, ownership of the bitmaps.
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageReader.h"
#include "codecs/ImageWriter.h"
#include "codecs/ImageFormat.h"
#include "codecs/LoadLimits.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/BmpBuilder.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/JpegTestImages.h"
#include "tests/host/codecs/PngTestImages.h"
#include "tests/host/codecs/TempDir.h"
#include "tests/host/codecs/TiffTestImages.h"

#include <cstring>
#include <set>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A 24-bit picture whose pixel (x, y) is 0xRRGGBB = x << 16 | y << 8 | 0x40.
std::vector<uint8_t> Gradient(int width, int height) {
  std::vector<std::vector<uint32_t>> rows;
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint32_t> row;
    for (int x = 0; x < width; ++x) row.push_back((x & 255) << 16 | (y & 255) << 8 | 0x40);
    rows.push_back(row);
  }
  BmpSpec spec;
  spec.width = width;
  spec.height = height;
  return MakeBmp(spec, PackRows(rows, 24));
}

class ImageFileTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }
  void TearDown() override {
    host_codec::SetScreenDepth(24);
    host_codec::ClearResources();
  }
  ImageSource Memory(const std::vector<uint8_t>& bytes) {
    data_ = bytes;
    return ImageSource::FromMemory(data_.data(), static_cast<uint32_t>(data_.size()));
  }
  std::vector<uint8_t> data_;
};

TEST_F(ImageFileTest, DetectionReportsFormatAndSourceSize) {
  ImageFile image(Memory(Gradient(7, 5)));
  EXPECT_EQ(image.GetFormat(), FormatBmp);
  EXPECT_EQ(image.GetSourceWidth(), 7);
  EXPECT_EQ(image.GetSourceHeight(), 5);
  EXPECT_EQ(image.GetSourceBitsPerPixel(), 24);
  EXPECT_EQ(image.GetWidth(), 7);
  EXPECT_EQ(image.GetHeight(), 5);
}

TEST_F(ImageFileTest, MissingFileIsCode101AndUnknownContentCode7) {
  TempDir dir;
  ImageFile missing(dir.File("nothing-here.bmp").c_str());
  EXPECT_EQ(missing.GetFormat(), -1);
  EXPECT_EQ(missing.LastError(), ErrNoFile);
  EXPECT_NE(missing.Load(true, true), CodecOk);
  EXPECT_EQ(missing.LastError(), ErrNoFile);

  ImageFile junk(Memory(std::vector<uint8_t>(200, 0x55)));
  EXPECT_EQ(junk.GetFormat(), -1);
  EXPECT_EQ(junk.LastError(), ErrNotSupported);
}

TEST_F(ImageFileTest, OnlyTableCodesHaveReaders) {
  // BeginLoad's code 100 comes from here: no reader outside the table.
  ImageSource source = Memory(Gradient(1, 1));
  EXPECT_EQ(CreateReader(-1, source), nullptr);
  EXPECT_EQ(CreateReader(kFormatCount, source), nullptr);
  EXPECT_NE(CreateReader(FormatBmp, source), nullptr);
  EXPECT_EQ(CreateWriter(FormatTga, "x.tga", nullptr), nullptr) << "Targa is never written";
  EXPECT_NE(CreateWriter(FormatBmp, "x.bmp", nullptr), nullptr);
}

struct FitCase {
  int sourceWidth, sourceHeight, maxWidth, maxHeight, width, height;
};

TEST_F(ImageFileTest, FittingShrinksIntoTheBoxKeepingTheAspectAndNeverEnlarges) {
  const FitCase cases[] = {
      {400, 100, 200, 200, 200, 50}, {400, 300, 100, 100, 100, 75}, {40, 30, 0, 0, 40, 30},
      {40, 30, 1000, 1000, 40, 30},  {40, 30, 20, 0, 20, 15},       {1000, 3, 100, 100, 100, 1},
  };
  for (const FitCase& c : cases) {
    ImageFile image(Memory(Gradient(c.sourceWidth, c.sourceHeight)));
    ASSERT_EQ(image.LoadFitted({.maxWidth = c.maxWidth, .maxHeight = c.maxHeight}), CodecOk)
        << c.sourceWidth << "x" << c.sourceHeight << " error " << image.LastError();
    DibDescription dib = Describe(image.GetDisplayBitmap());
    EXPECT_EQ(image.GetWidth(), c.width) << c.sourceWidth << "x" << c.sourceHeight;
    EXPECT_EQ(image.GetHeight(), c.height) << c.sourceWidth << "x" << c.sourceHeight;
    EXPECT_EQ(dib.width, c.width);
    EXPECT_EQ(dib.height, c.height);
  }
}

TEST_F(ImageFileTest, FittedPictureSamplesRowsAndAveragesColumns) {
  ImageFile image(Memory(Gradient(4, 4)));
  ASSERT_EQ(image.LoadFitted({.maxWidth = 2, .maxHeight = 2}), CodecOk);
  DibDescription dib = Describe(image.GetDisplayBitmap());
  // Columns 0-1 and 2-3 average to red 0 and 2. The file is read bottom
  // row first and each output row keeps the last row read for it: rows 2
  // and 0.
  EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{0, 0, 0x40}));
  EXPECT_EQ(DibColour(dib, 1, 1), (Rgb{2, 2, 0x40}));
}

TEST_F(ImageFileTest, DisplayDepthFollowsTheScreen) {
  struct Case {
    int screen, depth, colours;
  };
  const Case cases[] = {{32, 24, 0}, {24, 24, 0}, {16, 16, 0}, {15, 16, 0}, {8, 8, 240}};
  for (const Case& c : cases) {
    host_codec::SetScreenDepth(c.screen);
    ImageFile image(Memory(Gradient(3, 2)));
    ASSERT_EQ(image.Load(false, true), CodecOk) << "screen " << c.screen;
    DibDescription dib = Describe(image.GetDisplayBitmap());
    EXPECT_EQ(dib.bitsPerPixel, c.depth) << "screen " << c.screen;
    EXPECT_EQ(dib.colorCount, c.colours) << "screen " << c.screen;
    EXPECT_EQ(image.GetPalette() != nullptr, c.colours > 0) << "screen " << c.screen;
  }
  host_codec::SetScreenDepth(8);
  ImageFile image(Memory(Gradient(3, 2)));
  ASSERT_EQ(image.Load(false, true), CodecOk);
  EXPECT_EQ(DibColour(Describe(image.GetDisplayBitmap()), 2, 1), (Rgb{0, 0, 64}));
}

TEST_F(ImageFileTest, LoadKeepsOnlyTheBitmapsAskedFor) {
  ImageFile image(Memory(Gradient(3, 2)));
  ASSERT_EQ(image.Load(true, false), CodecOk);
  EXPECT_EQ(image.GetDisplayBitmap(), nullptr);
  ASSERT_NE(image.GetNativeBitmap(), nullptr);
  DibDescription dib = Describe(image.GetNativeBitmap());
  EXPECT_FALSE(dib.bottomUp);
  EXPECT_EQ(DibColour(dib, 2, 1), (Rgb{2, 1, 0x40}));
  EXPECT_EQ(image.GetProgress(), 10000);
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 0, 3, 2}));
  EXPECT_GE(image.ElapsedMs(), 0);
}

TEST_F(ImageFileTest, BottomUpLoadStoresTheLastRowFirst) {
  ImageFile image(Memory(Gradient(2, 3)));
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false, .bottomUp = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(3, nullptr, nullptr), CodecOk);
  ASSERT_EQ(image.EndLoad(true), CodecOk);
  DibDescription dib = Describe(image.GetNativeBitmap());
  EXPECT_TRUE(dib.bottomUp);
  EXPECT_EQ(dib.bits[1], 2) << "memory row 0 holds image row 2";
  EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{1, 0, 0x40}));
}

TEST_F(ImageFileTest, EverySourceKindLoadsTheSamePixels) {
  const std::vector<uint8_t> bytes = Gradient(5, 4);
  TempDir dir;
  const std::string path = dir.Write("picture.bin", bytes);

  std::vector<uint8_t> padded(100, 0xEE);
  padded.insert(padded.end(), bytes.begin(), bytes.end());
  padded.insert(padded.end(), 50, 0xEE);
  const std::string container = dir.Write("container.bin", padded);
  int handle = ::open(container.c_str(), O_RDONLY);
  ASSERT_GE(handle, 0);

  ModuleHandle module = reinterpret_cast<ModuleHandle>(0x10000);
  host_codec::AddResource(module, "PICTURE", bytes.data(), static_cast<uint32_t>(bytes.size()));

  const struct {
    const char* kind;
    ImageSource source;
  } sources[] = {
      {"path", ImageSource::FromPath(path.c_str())},
      {"slice", ImageSource::FromSlice(handle, 100, static_cast<uint32_t>(bytes.size()))},
      {"memory", ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()))},
      {"resource", ImageSource::FromResource(module, "PICTURE")},
  };
  for (const auto& s : sources) {
    ImageFile image(s.source);
    // Someone else moving the shared file position must not matter.
    ::lseek(handle, 7, SEEK_SET);
    ASSERT_EQ(image.Load(true, false), CodecOk) << s.kind << " error " << image.LastError();
    DibDescription dib = Describe(image.GetNativeBitmap());
    ASSERT_EQ(dib.width, 5) << s.kind;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x)
        ASSERT_EQ(DibColour(dib, x, y), (Rgb{x, y, 0x40})) << s.kind << " pixel " << x << "," << y;
  }
  ::close(handle);
  EXPECT_STREQ(ImageFile(path.c_str()).GetPath(), path.c_str());

  ImageFile missing(module, "OTHER");
  EXPECT_NE(missing.Load(true, false), CodecOk);
  EXPECT_EQ(missing.LastError(), ErrCannotOpen);
}

TEST_F(ImageFileTest, AResourceNamedByAnIntegerIdLoadsLikeANamedOne) {
  const std::vector<uint8_t> bytes = Gradient(3, 2);
  ModuleHandle module = reinterpret_cast<ModuleHandle>(0x20000);
  // MAKEINTRESOURCE: the id travels in the name pointer's low word.
  const char* id = reinterpret_cast<const char*>(uintptr_t{7});
  host_codec::AddResource(module, id, bytes.data(), static_cast<uint32_t>(bytes.size()));
  host_codec::AddResource(module, "7", bytes.data(), 10);  // a name is not an id

  ImageFile image(module, id);
  ASSERT_EQ(image.GetFormat(), FormatBmp);
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_EQ(DibColour(Describe(image.GetNativeBitmap()), 2, 1), (Rgb{2, 1, 0x40}));

  ImageFile other(module, reinterpret_cast<const char*>(uintptr_t{8}));
  EXPECT_NE(other.Load(true, false), CodecOk);
  EXPECT_EQ(other.LastError(), ErrCannotOpen);
}

TEST_F(ImageFileTest, AHeaderReadByDetectionIsNotReadAgainByTheLoad) {
  // Detection confirms PNG, TIFF and JPEG with their reader; the load goes
  // on with that reader, so the header bytes are not looked at again.
  PngImageSpec png;
  png.width = 3;
  png.sample = [](int x, int, int) { return static_cast<uint16_t>(80 * x); };
  JpegPicture jpeg;  // without JFIF only the reader can tell
  jpeg.jfif = false;
  jpeg.components = 1;
  jpeg.pixel = [](int, int) { return 0x80u; };
  TiffImageSpec tiff;
  tiff.width = 3;
  tiff.rows = MakeRows(3, 1, 1, [](int x, int, int) { return static_cast<uint8_t>(80 * x); });
  const struct {
    const char* kind;
    std::vector<uint8_t> bytes;
    int format;
  } files[] = {{"png", WritePngImage(png), FormatPng},
               {"jpeg", MakeJpeg(jpeg), FormatJpg},
               {"tiff", ReadWholeFile(WriteTiffImage(tiff, "once.tif")), FormatTif}};
  for (const auto& file : files) {
    std::vector<uint8_t> bytes = file.bytes;
    ImageFile image(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size())));
    ASSERT_EQ(image.GetFormat(), file.format) << file.kind;
    std::fill(bytes.begin(), bytes.begin() + 4, uint8_t{0});  // no signature any more
    ASSERT_EQ(image.Load(true, false), CodecOk) << file.kind << " error " << image.LastError();
    ASSERT_EQ(image.Load(true, false), ErrNotSupported)
        << file.kind << ": a second load reads anew";
  }
}

TEST_F(ImageFileTest, ProgressiveLoadHandsOutThePartialPicture) {
  ImageFile image(Memory(Gradient(4, 10)));
  ASSERT_EQ(image.BeginLoadForView({}), CodecOk);
  EXPECT_TRUE(image.IsLoading());
  EXPECT_NE(image.BeginLoad({}), CodecOk) << "a load is under way";
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image.DecodeRows(3, &changed, &rect), CodecOk);
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 7, 4, 10}));
  EXPECT_EQ(image.GetProgress(), 3000);
  EXPECT_EQ(image.GetDecodedRect(), (ImageRect{0, 7, 4, 10}));
  ASSERT_NE(image.GetDisplayBitmap(), nullptr) << "drawable while loading";
  EXPECT_EQ(DibColour(Describe(image.GetDisplayBitmap()), 3, 9), (Rgb{3, 9, 0x40}));
  ASSERT_EQ(image.DecodeRows(100, nullptr, nullptr), CodecOk);
  EXPECT_TRUE(image.IsComplete());
  EXPECT_NE(image.DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrOutOfOrder);
  ASSERT_EQ(image.EndLoad(true), CodecOk);
  EXPECT_FALSE(image.IsLoading());
  EXPECT_NE(image.GetDisplayBitmap(), nullptr);
  EXPECT_NE(image.DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image.LastError(), ErrOutOfOrder);
}

TEST_F(ImageFileTest, EndingAnIncompleteLoadWithDiscardKeepsNothing) {
  const int before = host_codec::LiveBitmaps();
  ImageFile image(Memory(Gradient(4, 10)));
  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(3, nullptr, nullptr), CodecOk);
  ASSERT_EQ(image.EndLoad(true), CodecOk);
  EXPECT_EQ(image.GetDisplayBitmap(), nullptr);
  EXPECT_EQ(image.GetProgress(), 0);
  EXPECT_TRUE(image.GetDecodedRect().IsEmpty());
  EXPECT_EQ(host_codec::LiveBitmaps(), before);

  ASSERT_EQ(image.BeginLoad({.keepNative = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(3, nullptr, nullptr), CodecOk);
  ASSERT_EQ(image.EndLoad(false), CodecOk);
  EXPECT_NE(image.GetDisplayBitmap(), nullptr) << "kept without discard";
  image.Release();
  EXPECT_EQ(image.GetDisplayBitmap(), nullptr);
  EXPECT_EQ(host_codec::LiveBitmaps(), before);
}

TEST_F(ImageFileTest, TwoPassReductionFinishesBothPassesInLoadFitted) {
  host_codec::SetScreenDepth(8);
  for (int mode : {3, 4}) {
    ImageFile image(Memory(Gradient(40, 30)));
    ASSERT_EQ(image.LoadFitted({.maxWidth = 20, .maxHeight = 20, .reductionMode = mode}), CodecOk)
        << "mode " << mode;
    EXPECT_EQ(image.GetProgress(), 10000);
    EXPECT_NE(image.GetNativeBitmap(), nullptr) << "the native copy is forced on";
    DibDescription display = Describe(image.GetDisplayBitmap());
    EXPECT_EQ(display.width, 20);
    EXPECT_EQ(display.height, 15);
    ASSERT_NE(image.GetPalette(), nullptr);
    // One entry per occupied histogram cell, as there are fewer than 236.
    DibDescription native = Describe(image.GetNativeBitmap());
    std::set<int> cells;
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x) {
        Rgb c = DibColour(native, x, y);
        cells.insert(c.blue >> 3 << 16 | c.green >> 2 << 8 | c.red >> 3);
      }
    EXPECT_EQ(image.GetPalette()->entries.size(), cells.size()) << "mode " << mode;
    // Without dithering every pixel is shown within its cell.
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 20; ++x) {
        Rgb shown = DibColour(display, x, y);
        Rgb truth = DibColour(native, x, y);
        if (mode == 3) {
          EXPECT_LE(std::abs(shown.red - truth.red), 8) << "pixel " << x << "," << y;
          EXPECT_LE(std::abs(shown.green - truth.green), 8) << "pixel " << x << "," << y;
        }
      }
  }
}

TEST_F(ImageFileTest, ReductionIsSkippedOnTrueColourScreens) {
  ImageFile image(Memory(Gradient(4, 4)));
  ASSERT_EQ(image.LoadFitted({.reductionMode = 3}), CodecOk);
  EXPECT_EQ(image.GetNativeBitmap(), nullptr);
  EXPECT_EQ(Describe(image.GetDisplayBitmap()).bitsPerPixel, 24);
}

TEST_F(ImageFileTest, ImagesWiderThan15000PixelsFailWithCode15) {
  BmpSpec spec;
  spec.width = 15001;
  spec.height = 1;
  ImageFile image(Memory(MakeBmp(spec, std::vector<uint8_t>(100, 0))));
  EXPECT_EQ(image.GetSourceWidth(), 15001);
  EXPECT_NE(image.LoadFitted({.maxWidth = 100, .maxHeight = 100}), CodecOk);
  EXPECT_EQ(image.LastError(), ErrTooWide);
}

TEST_F(ImageFileTest, HugeHeightsAreRefusedBeforeAnythingIsAllocated) {
  BmpSpec spec;
  spec.width = 10000;
  spec.height = 2000000000;
  ImageFile image(Memory(MakeBmp(spec, std::vector<uint8_t>(100, 0))));
  EXPECT_NE(image.Load(true, true), CodecOk);
  EXPECT_EQ(image.LastError(), ErrNotSupported);
  EXPECT_EQ(host_codec::LiveBitmaps(), 0);
}

TEST(OutputPixelBound, TheLargestSizeWithinTheBoundKeepsTheProportions) {
  struct Case {
    int width, height;
    int64_t bound;
    int boundedWidth, boundedHeight;
  };
  const Case cases[] = {
      {8000, 5000, kMaxOutputPixels, 8000, 5000},    // exactly the bound
      {640, 480, kMaxOutputPixels, 640, 480},        // well within
      {9000, 5000, kMaxOutputPixels, 8485, 4714},    // 8486 x 4714 is over
      {15000, 3000, kMaxOutputPixels, 14142, 2828},  // very wide
      {3000, 15000, kMaxOutputPixels, 2828, 14142},  // very tall
      {7000, 7000, kMaxOutputPixels, 6324, 6324},    // 6325 squared is over
      {50000000, 1, kMaxOutputPixels, 40000000, 1},  // a one-pixel side stays
      {1, 50000000, kMaxOutputPixels, 1, 40000000},
      {15000, 1, 100, 100, 1},   // never below one pixel
      {400, 300, 1000, 36, 27},  // 37 x 28 is over
  };
  for (const Case& c : cases) {
    const PixelSize bounded = WithinOutputPixels(c.width, c.height, c.bound);
    EXPECT_EQ(bounded.width, c.boundedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(bounded.height, c.boundedHeight) << c.width << "x" << c.height;
    EXPECT_LE(int64_t{bounded.width} * bounded.height, c.bound) << c.width << "x" << c.height;
  }
}

// Convert needs every pixel and is refused; the viewer and Print take the
// picture reduced within the bound.
TEST_F(ImageFileTest, APictureOverThePixelBoundLoadsReducedOnlyWhenAskedTo) {
  ImageFile image(Memory(ZeroPngImage(9000, 5000, 0, false)));
  EXPECT_EQ(image.Load(true, false), ErrNotSupported);
  EXPECT_EQ(host_codec::LiveBitmaps(), 0);
  ASSERT_EQ(image.LoadFitted({.keepNative = true, .makeDisplay = false, .reduceToBound = true}),
            CodecOk)
      << image.LastError();
  EXPECT_EQ(image.GetSourceWidth(), 9000);
  EXPECT_EQ(image.GetSourceHeight(), 5000);
  EXPECT_EQ(image.GetWidth(), 8485);
  EXPECT_EQ(image.GetHeight(), 4714);
  const DibDescription dib = Describe(image.GetNativeBitmap());
  EXPECT_EQ(dib.width, 8485);
  EXPECT_EQ(dib.height, 4714);
}

TEST_F(ImageFileTest, FailedBeginLoadLeavesNoBitmaps) {
  ImageFile image(Memory(Gradient(4, 4)));
  host_codec::FailNextBitmaps(1);
  EXPECT_NE(image.BeginLoad({.keepNative = true}), CodecOk);
  host_codec::FailNextBitmaps(0);
  EXPECT_EQ(image.LastError(), ErrDisplayBitmap);
  EXPECT_FALSE(image.IsLoading());
  EXPECT_EQ(image.GetDisplayBitmap(), nullptr);
  EXPECT_EQ(image.GetNativeBitmap(), nullptr);
  EXPECT_EQ(host_codec::LiveBitmaps(), 0);
  EXPECT_EQ(host_codec::LivePalettes(), 0);
  EXPECT_EQ(image.Load(true, true), CodecOk) << "a later load works";
}

TEST_F(ImageFileTest, DestroyingTheImageDeletesItsBitmapsAndPalette) {
  host_codec::SetScreenDepth(8);
  {
    ImageFile image(Memory(Gradient(4, 4)));
    ASSERT_EQ(image.Load(true, true), CodecOk);
    EXPECT_EQ(host_codec::LiveBitmaps(), 2);
    EXPECT_EQ(host_codec::LivePalettes(), 1);
    ASSERT_EQ(image.Load(true, true), CodecOk);
    EXPECT_EQ(host_codec::LiveBitmaps(), 2) << "a reload replaces the bitmaps";
  }
  EXPECT_EQ(host_codec::LiveBitmaps(), 0);
  EXPECT_EQ(host_codec::LivePalettes(), 0);
}

}  // namespace

// PNG files of every colour type and bit depth, written by libpng and read
// back pixel by pixel: composition on the background, gamma, interlaced
// passes and their progress, shrinking and failures.
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/LoadLimits.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/PngTestImages.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <set>
#include <string>

namespace {

constexpr int kGrey = PNG_COLOR_TYPE_GRAY;
constexpr int kRgb = PNG_COLOR_TYPE_RGB;
constexpr int kPalette = PNG_COLOR_TYPE_PALETTE;
constexpr int kGreyAlpha = PNG_COLOR_TYPE_GRAY_ALPHA;
constexpr int kRgbAlpha = PNG_COLOR_TYPE_RGB_ALPHA;

constexpr double kScreenGamma = 2.2;

bool HasAlpha(int colorType) { return colorType == kGreyAlpha || colorType == kRgbAlpha; }

// A pattern that visits many values of every depth; alpha alternates
// between fully transparent and fully opaque.
uint16_t PatternSample(const PngImageSpec& spec, int x, int y, int channel) {
  const int max = (1 << spec.bitDepth) - 1;
  if (HasAlpha(spec.colorType) && channel == PngChannels(spec.colorType) - 1)
    return (x + y) % 3 == 0 ? 0 : static_cast<uint16_t>(max);
  const int value = x * 7 + y * 13 + channel * 5;
  if (spec.bitDepth == 16) return static_cast<uint16_t>((value * 2749) & 0xFFFF);
  const int paletteSize = static_cast<int>(spec.palette.size());
  return static_cast<uint16_t>(value % (spec.colorType == kPalette ? paletteSize : max + 1));
}

// What the reader delivers for a pattern pixel when no gamma applies and
// the background is black: the sample's high byte (grey samples of fewer
// than 8 bits widened to 8), or black where alpha is zero. 24-bit values as
// 0xRRGGBB.
uint32_t ExpectedPatternValue(const PngImageSpec& spec, int x, int y) {
  auto byte = [&](int channel) -> uint32_t {
    const uint16_t v = spec.sample(x, y, channel);
    if (spec.bitDepth == 16) return v >> 8;
    if (spec.colorType == kGrey && spec.bitDepth < 8) return v * 255 / ((1 << spec.bitDepth) - 1);
    return v;
  };
  const bool transparent =
      HasAlpha(spec.colorType) && spec.sample(x, y, PngChannels(spec.colorType) - 1) == 0;
  if (transparent) return 0;
  if (spec.colorType == kRgb || spec.colorType == kRgbAlpha)
    return byte(0) << 16 | byte(1) << 8 | byte(2);
  return byte(0);
}

int Round(double value) { return static_cast<int>(std::floor(value + 0.5)); }

// Composition in linear light, as libpng does it for 8-bit samples: the
// sample is decoded with the file's gamma to an 8-bit linear value, mixed
// with the (linear) background by alpha, and encoded for the screen.
int ShownComposite(int foreground, int alpha, int backgroundLinear, double fileGamma) {
  const int linear = Round(255 * std::pow(foreground / 255.0, 1 / fileGamma));
  const int mixed = Round((linear * alpha + backgroundLinear * (255 - alpha)) / 255.0);
  return Round(255 * std::pow(mixed / 255.0, 1 / kScreenGamma));
}

class PngReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }

  void Open(const PngImageSpec& spec) {
    bytes_ = WritePngImage(spec);
    image_.reset(new ImageFile(ImageSource::FromMemory(bytes_.data(), bytes_.size())));
  }

  // Loads at natural size keeping the reader's own rows in the native bitmap.
  DibDescription LoadNative(const PngImageSpec& spec) {
    Open(spec);
    EXPECT_EQ(image_->GetFormat(), FormatPng);
    EXPECT_EQ(image_->Load(true, true), CodecOk) << "error " << image_->LastError();
    return Describe(image_->GetNativeBitmap());
  }

  std::vector<uint8_t> bytes_;
  std::unique_ptr<ImageFile> image_;
};

// ---- colour types and bit depths ------------------------------------------

struct Variant {
  int colorType;
  int bitDepth;
  bool interlaced;
};

std::string VariantName(const ::testing::TestParamInfo<Variant>& info) {
  static const char* kTypeNames[] = {"Grey", "", "Rgb", "Palette", "GreyAlpha", "", "RgbAlpha"};
  return std::string(kTypeNames[info.param.colorType]) + std::to_string(info.param.bitDepth) +
         (info.param.interlaced ? "Interlaced" : "");
}

class PngVariantTest : public PngReaderTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(PngVariantTest, EveryPixelArrivesAsTheFileStoresIt) {
  PngImageSpec spec;
  spec.width = 13;
  spec.height = 11;
  spec.colorType = GetParam().colorType;
  spec.bitDepth = GetParam().bitDepth;
  spec.interlaced = GetParam().interlaced;
  if (spec.colorType == kPalette) {
    spec.palette = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    spec.palette.resize(std::min<size_t>(spec.palette.size(), size_t{1} << spec.bitDepth));
  }
  spec.sample = [&spec](int x, int y, int c) { return PatternSample(spec, x, y, c); };

  const DibDescription dib = LoadNative(spec);
  const bool colour = spec.colorType == kRgb || spec.colorType == kRgbAlpha;
  ASSERT_EQ(dib.width, 13);
  ASSERT_EQ(dib.height, 11);
  ASSERT_EQ(dib.bitsPerPixel, colour ? 24 : 8);
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), (colour ? 3 : 1) * std::min(spec.bitDepth, 8));
  // Sixteen-bit samples with alpha are composed through libpng's 16-bit
  // gamma tables, whose reduced precision may cost the high byte one step.
  const int tolerance = HasAlpha(spec.colorType) && spec.bitDepth == 16 ? 1 : 0;
  for (int y = 0; y < spec.height; ++y)
    for (int x = 0; x < spec.width; ++x) {
      const uint32_t shown = DibValue(dib, x, y);
      const uint32_t expected = ExpectedPatternValue(spec, x, y);
      for (int shift = 0; shift < 24; shift += 8)
        ASSERT_NEAR(static_cast<int>((shown >> shift) & 255),
                    static_cast<int>((expected >> shift) & 255), tolerance)
            << "row " << y << " pixel " << x << " byte " << shift / 8;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, PngVariantTest,
    ::testing::Values(Variant{kGrey, 1, false}, Variant{kGrey, 2, false}, Variant{kGrey, 4, false},
                      Variant{kGrey, 8, false}, Variant{kGrey, 16, false}, Variant{kRgb, 8, false},
                      Variant{kRgb, 16, false}, Variant{kPalette, 1, false},
                      Variant{kPalette, 2, false}, Variant{kPalette, 4, false},
                      Variant{kPalette, 8, false}, Variant{kGreyAlpha, 8, false},
                      Variant{kGreyAlpha, 16, false}, Variant{kRgbAlpha, 8, false},
                      Variant{kRgbAlpha, 16, false}, Variant{kGrey, 2, true},
                      Variant{kGrey, 16, true}, Variant{kRgb, 8, true}, Variant{kPalette, 4, true},
                      Variant{kRgbAlpha, 16, true}),
    VariantName);

TEST_F(PngReaderTest, TwoBitPaletteImageKeepsItsFourEntries) {
  PngImageSpec spec;
  spec.width = 4;
  spec.colorType = kPalette;
  spec.bitDepth = 2;
  spec.palette = {{200, 0, 0}, {0, 150, 0}, {0, 0, 100}, {1, 2, 3}};
  spec.sample = [](int x, int, int) { return static_cast<uint16_t>(3 - x); };
  const DibDescription display = Describe((LoadNative(spec), image_->GetDisplayBitmap()));
  ASSERT_EQ(display.bitsPerPixel, 8);
  ASSERT_EQ(display.colorCount, 4);
  const Rgb expected[4] = {{1, 2, 3}, {0, 0, 100}, {0, 150, 0}, {200, 0, 0}};
  for (int x = 0; x < 4; ++x)
    EXPECT_EQ(ToString(DibColour(display, x, 0)), ToString(expected[x])) << "pixel " << x;
}

TEST_F(PngReaderTest, SixteenBitGreyBecomesEightBitGreyWithTheGreyPalette) {
  PngImageSpec spec;
  spec.width = 3;
  spec.bitDepth = 16;
  spec.sample = [](int x, int, int) {
    return static_cast<uint16_t>(x == 0 ? 0 : x == 1 ? 0x80FF : 0xFFFF);
  };
  Open(spec);
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 8);
  ASSERT_EQ(image_->Load(false, true), CodecOk) << image_->LastError();
  EXPECT_EQ(image_->IsGrey(), 1);
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  ASSERT_EQ(display.bitsPerPixel, 8);
  ASSERT_EQ(display.colorCount, 256);  // the index table over 236 grey levels
  EXPECT_EQ(DibValue(display, 0, 0), 0u);
  EXPECT_EQ(DibValue(display, 1, 0), 0x80u);  // the high byte
  EXPECT_EQ(DibValue(display, 2, 0), 0xFFu);
  const int level =
      static_cast<int>(static_cast<int>(0x80 * 0.9215686274509804) * 1.0851063829787233);
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{level, level, level}));
  EXPECT_EQ(DibColour(display, 2, 0), (Rgb{254, 254, 254}));
}

TEST_F(PngReaderTest, LowDepthGreyLooksLikeTheSamePictureSavedAsEightBitGrey) {
  // A linear file (gamma 1.0) is brightened for the screen; every stored
  // level must stay a level of its own.
  for (int depth : {1, 2, 4}) {
    SCOPED_TRACE(depth);
    const int levels = 1 << depth;
    PngImageSpec low;
    low.width = levels;
    low.bitDepth = depth;
    low.gamma = 1.0;
    low.sample = [](int x, int, int) { return static_cast<uint16_t>(x); };
    PngImageSpec wide = low;
    wide.bitDepth = 8;
    wide.sample = [levels](int x, int, int) {
      return static_cast<uint16_t>(x * 255 / (levels - 1));
    };

    const DibDescription eight = LoadNative(wide);
    std::vector<uint32_t> expected;
    for (int x = 0; x < levels; ++x) expected.push_back(DibValue(eight, x, 0));
    ASSERT_EQ(std::set<uint32_t>(expected.begin(), expected.end()).size(),
              static_cast<size_t>(levels));

    const DibDescription native = LoadNative(low);
    EXPECT_EQ(image_->GetSourceBitsPerPixel(), depth);
    const DibDescription display = Describe(image_->GetDisplayBitmap());
    ASSERT_EQ(display.colorCount, 256);  // the index table of 8-bit grey
    for (int x = 0; x < levels; ++x) {
      EXPECT_EQ(DibValue(native, x, 0), expected[x]) << "level " << x;
      const int shown =
          static_cast<int>(static_cast<int>(expected[x] * 0.9215686274509804) * 1.0851063829787233);
      EXPECT_EQ(DibColour(display, x, 0), (Rgb{shown, shown, shown})) << "level " << x;
    }
  }
}

// ---- background and gamma -------------------------------------------------

PngImageSpec AlphaRamp(int colorType) {
  PngImageSpec spec;
  spec.width = 12;
  spec.colorType = colorType;
  const int channels = PngChannels(colorType);
  // Foregrounds 0, 77, 128, 255 under alphas 0, 64, 200 (and opaque).
  spec.sample = [channels](int x, int, int c) -> uint16_t {
    static const uint16_t kForegrounds[4] = {0, 77, 128, 255};
    static const uint16_t kAlphas[3] = {64, 200, 255};
    if (c == channels - 1) return kAlphas[x / 4];
    return kForegrounds[x % 4];
  };
  return spec;
}

void ExpectComposited(const DibDescription& dib, const PngImageSpec& spec, const int background[3],
                      double fileGamma) {
  const int channels = PngChannels(spec.colorType);
  for (int x = 0; x < spec.width; ++x) {
    const int alpha = spec.sample(x, 0, channels - 1);
    const uint32_t value = DibValue(dib, x, 0);
    for (int c = 0; c < channels - 1; ++c) {
      const int shown = channels == 2 ? value : (value >> (16 - 8 * c)) & 255;
      const int backgroundLinear = Round(255 * std::pow(background[c] / 255.0, 1 / fileGamma));
      const int expected = ShownComposite(spec.sample(x, 0, c), alpha, backgroundLinear, fileGamma);
      if (alpha == 255 || alpha == 0)
        EXPECT_EQ(shown, alpha == 0 ? background[c] : spec.sample(x, 0, c)) << "pixel " << x;
      else
        EXPECT_NEAR(shown, expected, 1) << "pixel " << x << " channel " << c;
    }
  }
}

TEST_F(PngReaderTest, RgbaWithoutBackgroundChunkIsCompositedOnBlack) {
  const PngImageSpec spec = AlphaRamp(kRgbAlpha);
  const int black[3] = {0, 0, 0};
  ExpectComposited(LoadNative(spec), spec, black, 0.45);
}

TEST_F(PngReaderTest, RgbaIsCompositedOnItsBackgroundChunk) {
  PngImageSpec spec = AlphaRamp(kRgbAlpha);
  spec.sample = [](int x, int, int c) -> uint16_t {
    if (c == 3) return x < 4 ? 0 : x < 8 ? 120 : 255;
    return static_cast<uint16_t>(x % 4 == 0 ? 0 : 255);
  };
  spec.hasBackground = true;
  spec.background = {255, 0, 255};
  const int magenta[3] = {255, 0, 255};
  ExpectComposited(LoadNative(spec), spec, magenta, 0.45);
}

TEST_F(PngReaderTest, GreyWithAlphaIsCompositedToOneGreyBytePerPixel) {
  const PngImageSpec spec = AlphaRamp(kGreyAlpha);
  const DibDescription dib = LoadNative(spec);
  EXPECT_EQ(image_->IsGrey(), 1);
  ASSERT_EQ(dib.bitsPerPixel, 8);
  const int black[3] = {0, 0, 0};
  ExpectComposited(dib, spec, black, 0.45);
}

TEST_F(PngReaderTest, FileWithoutGammaChunkIsShownUnchanged) {
  PngImageSpec spec;
  spec.width = 256;
  spec.sample = [](int x, int, int) { return static_cast<uint16_t>(x); };
  const DibDescription dib = LoadNative(spec);
  for (int x = 0; x < 256; ++x) ASSERT_EQ(DibValue(dib, x, 0), static_cast<uint32_t>(x)) << x;
}

TEST_F(PngReaderTest, LinearFileIsCorrectedForTheScreen) {
  PngImageSpec spec;
  spec.width = 256;
  spec.colorType = kRgb;
  spec.gamma = 1.0;
  spec.sample = [](int x, int, int c) { return static_cast<uint16_t>(c == 1 ? 255 - x : x); };
  const DibDescription dib = LoadNative(spec);
  for (int x = 0; x < 256; ++x) {
    const int red = DibValue(dib, x, 0) >> 16;
    const int green = (DibValue(dib, x, 0) >> 8) & 255;
    const int expected =
        static_cast<int>(std::floor(255 * std::pow(x / 255.0, 1 / kScreenGamma) + 0.5));
    const int expectedGreen =
        static_cast<int>(std::floor(255 * std::pow((255 - x) / 255.0, 1 / kScreenGamma) + 0.5));
    ASSERT_NEAR(red, expected, 1) << "pixel " << x;
    ASSERT_NEAR(green, expectedGreen, 1) << "pixel " << x;
  }
  EXPECT_EQ(DibValue(dib, 128, 0) >> 16, 186u);
}

TEST_F(PngReaderTest, LinearFileWithAlphaIsCompositedInLinearLight) {
  PngImageSpec spec = AlphaRamp(kRgbAlpha);
  spec.gamma = 1.0;
  const DibDescription dib = LoadNative(spec);
  for (int x = 0; x < spec.width; ++x) {
    const int alpha = spec.sample(x, 0, 3);
    const int expected = ShownComposite(spec.sample(x, 0, 0), alpha, 0, 1.0);
    EXPECT_NEAR(static_cast<int>(DibValue(dib, x, 0) >> 16), expected, 1) << "pixel " << x;
  }
}

// ---- palette files: the same treatment through their palette -----------------

using Colours = std::vector<std::array<uint8_t, 3>>;

// A row of `colours.size()` pixels, pixel x of colour x, stored as palette
// indices or as red, green, blue [alpha].
PngImageSpec ColourRow(int colorType, const Colours& colours, const std::vector<uint8_t>& alphas) {
  PngImageSpec spec;
  spec.width = static_cast<int>(colours.size());
  spec.colorType = colorType;
  if (colorType == kPalette) {
    spec.palette = colours;
    spec.transparency = alphas;
  }
  spec.sample = [colorType, colours, alphas](int x, int, int c) -> uint16_t {
    if (colorType == kPalette) return static_cast<uint16_t>(x);
    if (c == 3) return x < static_cast<int>(alphas.size()) ? alphas[x] : 255;
    return colours[x][c];
  };
  return spec;
}

TEST_F(PngReaderTest, PaletteTransparencyIsCompositedAsAlphaIs) {
  const Colours colours = {{200, 100, 50}, {10, 220, 30}, {250, 250, 250}, {60, 70, 80}};
  const std::vector<uint8_t> alphas = {0, 128, 255};  // the last entry has none: opaque
  for (bool hasBackground : {false, true}) {
    PngImageSpec rgba = ColourRow(kRgbAlpha, colours, alphas);
    PngImageSpec indexed = ColourRow(kPalette, colours, alphas);
    rgba.hasBackground = indexed.hasBackground = hasBackground;
    rgba.background = {60, 70, 80};
    indexed.background = {3, 0, 0};  // the index of that colour
    const DibDescription asRgba = LoadNative(rgba);
    std::vector<Rgb> expected;
    for (int x = 0; x < 4; ++x) expected.push_back(DibColour(asRgba, x, 0));
    EXPECT_EQ(expected[0], hasBackground ? (Rgb{60, 70, 80}) : (Rgb{0, 0, 0}));

    const DibDescription shown = LoadNative(indexed);
    ASSERT_EQ(shown.bitsPerPixel, 8);
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(DibColour(shown, x, 0), expected[x])
          << (hasBackground ? "on the background chunk" : "on black") << ": pixel " << x;
  }
}

TEST_F(PngReaderTest, PaletteOfALinearFileIsCorrectedLikeItsRgbPixels) {
  Colours colours;
  for (int i = 0; i < 16; ++i)
    colours.push_back({static_cast<uint8_t>(i * 17), static_cast<uint8_t>(128),
                       static_cast<uint8_t>(255 - i * 16)});
  PngImageSpec rgb = ColourRow(kRgb, colours, {});
  PngImageSpec indexed = ColourRow(kPalette, colours, {});
  rgb.gamma = indexed.gamma = 1.0;
  const DibDescription asRgb = LoadNative(rgb);
  std::vector<Rgb> expected;
  for (int x = 0; x < 16; ++x) expected.push_back(DibColour(asRgb, x, 0));
  EXPECT_EQ(expected[0].green, 186) << "128 in linear light";

  const DibDescription shown = LoadNative(indexed);
  ASSERT_EQ(shown.bitsPerPixel, 8);
  for (int x = 0; x < 16; ++x) EXPECT_EQ(DibColour(shown, x, 0), expected[x]) << "pixel " << x;
}

// ---- interlaced files -------------------------------------------------------

PngImageSpec InterlacedRgb(int width, int height) {
  PngImageSpec spec;
  spec.width = width;
  spec.height = height;
  spec.colorType = kRgb;
  spec.interlaced = true;
  spec.sample = [](int x, int y, int c) {
    return static_cast<uint16_t>(1 + (x * 31 + y * 17 + c * 70) % 255);
  };
  return spec;
}

TEST_F(PngReaderTest, InterlacedImageShowsTheFirstPassAsIsolatedPixelsOnBlack) {
  const PngImageSpec spec = InterlacedRgb(16, 16);
  Open(spec);
  ASSERT_EQ(image_->BeginLoad({.keepNative = true}), CodecOk) << image_->LastError();
  EXPECT_EQ(image_->GetDecodedRect(), (ImageRect{0, 0, 16, 16}));
  bool changed = false;
  ImageRect rect;
  ASSERT_EQ(image_->DecodeRows(2, &changed, &rect), CodecOk);  // pass 1: rows 0 and 8
  EXPECT_TRUE(changed);
  EXPECT_EQ(rect, (ImageRect{0, 0, 16, 9}));
  EXPECT_EQ(image_->GetProgress(), 667);  // 2 of the 30 rows the passes carry
  const DibDescription dib = Describe(image_->GetNativeBitmap());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const bool sent = x % 8 == 0 && y % 8 == 0;
      const uint32_t expected =
          sent ? static_cast<uint32_t>(spec.sample(x, y, 0) << 16 | spec.sample(x, y, 1) << 8 |
                                       spec.sample(x, y, 2))
               : 0;
      ASSERT_EQ(DibValue(dib, x, y), expected) << "row " << y << " pixel " << x;
    }
  image_->EndLoad(false);
}

TEST_F(PngReaderTest, InterlacedPaletteImageShowsItsNearestBlackWhereNoPassHasBeen) {
  PngImageSpec spec;
  spec.width = 9;
  spec.height = 9;
  spec.colorType = kPalette;
  spec.interlaced = true;
  spec.palette = {{250, 250, 250}, {200, 0, 0}, {9, 8, 7}, {40, 40, 40}};
  spec.sample = [](int x, int y, int) { return static_cast<uint16_t>((x + y) % 2); };
  Open(spec);
  ASSERT_EQ(image_->BeginLoad({.keepNative = true}), CodecOk) << image_->LastError();
  // Black from the start, before any rows are asked for.
  for (int y = 0; y < 9; ++y)
    ASSERT_EQ(DibValue(Describe(image_->GetNativeBitmap()), 3, y), 2u) << "row " << y;
  EXPECT_EQ(DibColour(Describe(image_->GetDisplayBitmap()), 3, 3), (Rgb{9, 8, 7}));
  ASSERT_EQ(image_->DecodeRows(1, nullptr, nullptr), CodecOk);  // row 0 of the first pass
  const DibDescription native = Describe(image_->GetNativeBitmap());
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool sent = y == 0 && x % 8 == 0;
      ASSERT_EQ(DibValue(native, x, y), sent ? static_cast<uint32_t>(x % 2) : 2u)
          << "row " << y << " pixel " << x;
    }
  const DibDescription display = Describe(image_->GetDisplayBitmap());
  EXPECT_EQ(DibColour(display, 4, 4), (Rgb{9, 8, 7}));
  image_->EndLoad(false);
}

TEST_F(PngReaderTest, TheBlackShownBeforeThePassesIsNotCountedAsAColourOfThePicture) {
  // Three colours, none of them black, reduced in two passes.
  host_codec::SetScreenDepth(8);
  PngImageSpec spec;
  spec.width = 12;
  spec.height = 12;
  spec.colorType = kRgb;
  spec.interlaced = true;
  spec.sample = [](int x, int, int c) {
    static const uint16_t kColours[3][3] = {{200, 40, 40}, {40, 200, 40}, {40, 40, 200}};
    return kColours[x % 3][c];
  };
  Open(spec);
  ASSERT_EQ(image_->LoadFitted({.reductionMode = 3}), CodecOk) << image_->LastError();
  ASSERT_NE(image_->GetPalette(), nullptr);
  const std::vector<RgbQuad>& entries = image_->GetPalette()->entries;
  EXPECT_EQ(entries.size(), 3u);
  for (const RgbQuad& entry : entries)
    EXPECT_GT(entry.red + entry.green + entry.blue, 200) << "a black entry";
  host_codec::SetScreenDepth(24);
}

TEST_F(PngReaderTest, InterlacedProgressStaysBelowCompleteUntilTheSeventhPass) {
  const PngImageSpec spec = InterlacedRgb(16, 16);
  Open(spec);
  ASSERT_EQ(image_->BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk);
  int previous = 0;
  for (int row = 1; row < 30; ++row) {
    ASSERT_EQ(image_->DecodeRows(1, nullptr, nullptr), CodecOk) << "row " << row;
    EXPECT_GT(image_->GetProgress(), previous) << "row " << row;
    EXPECT_LT(image_->GetProgress(), 10000) << "row " << row;
    previous = image_->GetProgress();
  }
  ASSERT_EQ(image_->DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image_->GetProgress(), 10000);
  EXPECT_NE(image_->DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image_->LastError(), ErrOutOfOrder);
  const DibDescription dib = Describe(image_->GetNativeBitmap());
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(DibValue(dib, x, y),
                static_cast<uint32_t>(spec.sample(x, y, 0) << 16 | spec.sample(x, y, 1) << 8 |
                                      spec.sample(x, y, 2)))
          << "row " << y << " pixel " << x;
  image_->EndLoad(false);
}

// Narrow and short images leave some of the seven passes empty.
TEST_F(PngReaderTest, InterlacedImagesOfEverySmallSizeComeOutWhole) {
  for (int height = 1; height <= 9; ++height)
    for (int width = 1; width <= 9; ++width) {
      const PngImageSpec spec = InterlacedRgb(width, height);
      Open(spec);
      ASSERT_EQ(image_->BeginLoad({.keepNative = true, .makeDisplay = false}), CodecOk)
          << width << "x" << height;
      while (!image_->IsComplete())
        ASSERT_EQ(image_->DecodeRows(1, nullptr, nullptr), CodecOk) << width << "x" << height;
      const DibDescription dib = Describe(image_->GetNativeBitmap());
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          ASSERT_EQ(DibValue(dib, x, y) >> 16, spec.sample(x, y, 0))
              << width << "x" << height << " row " << y << " pixel " << x;
      image_->EndLoad(false);
    }
}

// Seven passes over an image 5 rows high carry 11 rows: more than the two
// requests of the whole height a one-go load makes.
TEST_F(PngReaderTest, InterlacedImagesOfEverySmallSizeLoadInOneGo) {
  for (int height = 1; height <= 12; ++height)
    for (int width = 1; width <= 9; width += 4) {
      const PngImageSpec spec = InterlacedRgb(width, height);
      Open(spec);
      ASSERT_EQ(image_->Load(true, false), CodecOk)
          << width << "x" << height << " error " << image_->LastError();
      const DibDescription dib = Describe(image_->GetNativeBitmap());
      for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
          ASSERT_EQ(DibValue(dib, x, y) >> 16, spec.sample(x, y, 0))
              << width << "x" << height << " row " << y << " pixel " << x;
    }
}

// ---- size, detection and failures -------------------------------------------

TEST_F(PngReaderTest, ShrunkImageShowsTheLastRowOfEachBand) {
  PngImageSpec spec;
  spec.width = 8;
  spec.height = 8;
  spec.sample = [](int x, int y, int) { return static_cast<uint16_t>(y * 8 + x); };
  Open(spec);
  ASSERT_EQ(
      image_->LoadFitted({.maxWidth = 4, .maxHeight = 4, .keepNative = true, .makeDisplay = false}),
      CodecOk)
      << image_->LastError();
  const DibDescription dib = Describe(image_->GetNativeBitmap());
  ASSERT_EQ(dib.height, 4);
  ASSERT_EQ(dib.width, 4);
  for (int y = 0; y < 4; ++y)  // image rows 1, 3, 5, 7
    EXPECT_EQ(DibValue(dib, 0, y), static_cast<uint32_t>((2 * y + 1) * 8)) << "row " << y;
}

// Passes are spread over rows of the whole picture however small it is
// shown: 15000 x 32767 RGB would need 1.4 GB of them for a thumbnail.
TEST_F(PngReaderTest, InterlacedPictureTooBigToHoldIsRefusedBeforeItsRowsAreMade) {
  bytes_ = ZeroPngImage(15000, 32767, kRgb, true);
  image_.reset(new ImageFile(ImageSource::FromMemory(bytes_.data(), bytes_.size())));
  ASSERT_EQ(image_->GetFormat(), FormatPng) << image_->LastError();
  const int bitmapsBefore = host_codec::LiveBitmaps();
  // The code of a load whose buffers cannot be had.
  ASSERT_EQ(image_->BeginLoad({.maxWidth = 100, .maxHeight = 100}), ErrNoPalette);
  EXPECT_FALSE(image_->IsLoading());
  EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore);
  EXPECT_EQ(image_->LoadFitted({.maxWidth = 100, .maxHeight = 100}), ErrNoPalette);
  EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore);

  // The rows of the tallest picture that fits take the whole limit.
  const int tallest = static_cast<int>(kMaxLoadBytes / (15000 * 3));
  for (int height : {tallest, tallest + 1}) {
    bytes_ = ZeroPngImage(15000, height, kRgb, true);
    image_.reset(new ImageFile(ImageSource::FromMemory(bytes_.data(), bytes_.size())));
    EXPECT_EQ(image_->BeginLoad({.maxWidth = 100, .maxHeight = 100}),
              height == tallest ? CodecOk : ErrNoPalette)
        << "height " << height;
    image_.reset();
  }

  // A small picture of the same making shows black.
  for (bool interlaced : {false, true}) {
    bytes_ = ZeroPngImage(37, 23, kRgb, interlaced);
    image_.reset(new ImageFile(ImageSource::FromMemory(bytes_.data(), bytes_.size())));
    ASSERT_EQ(image_->Load(true, false), CodecOk) << image_->LastError();
    const DibDescription dib = Describe(image_->GetNativeBitmap());
    ASSERT_EQ(dib.width, 37);
    ASSERT_EQ(dib.height, 23);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(DibValue(dib, x, y), 0u)
            << "interlaced " << interlaced << ": row " << y << " pixel " << x;
  }
}

TEST_F(PngReaderTest, DetectionReportsSizeAndBits) {
  PngImageSpec spec;
  spec.width = 300;
  spec.height = 20;
  spec.colorType = kRgbAlpha;
  spec.bitDepth = 16;
  spec.sample = [](int, int, int) { return uint16_t{0}; };
  Open(spec);
  EXPECT_EQ(image_->GetFormat(), FormatPng);
  EXPECT_EQ(image_->GetSourceWidth(), 300);
  EXPECT_EQ(image_->GetSourceHeight(), 20);
  EXPECT_EQ(image_->GetSourceBitsPerPixel(), 24);
}

TEST_F(PngReaderTest, DamagedHeaderIsNotAPng) {
  PngImageSpec spec;
  spec.sample = [](int, int, int) { return uint16_t{0}; };
  bytes_ = WritePngImage(spec);
  bytes_[20] ^= 0x40;  // inside IHDR: its CRC no longer matches
  ImageFile image(ImageSource::FromMemory(bytes_.data(), bytes_.size()));
  EXPECT_EQ(image.GetFormat(), -1);
  EXPECT_EQ(image.LastError(), ErrNotSupported);
}

TEST_F(PngReaderTest, TruncatedImageDataFailsTheRowsThatAreMissing) {
  PngImageSpec spec;
  spec.width = 256;
  spec.height = 256;
  spec.colorType = kRgb;
  // Noise, so that half the file holds well under half the rows.
  spec.sample = [](int x, int y, int c) {
    uint32_t h = (x * 73856093u) ^ (y * 19349663u) ^ (c * 83492791u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    return static_cast<uint16_t>((h ^ (h >> 15)) & 255);
  };
  bytes_ = WritePngImage(spec);
  bytes_.resize(bytes_.size() / 2);
  image_.reset(new ImageFile(ImageSource::FromMemory(bytes_.data(), bytes_.size())));
  ASSERT_EQ(image_->GetFormat(), FormatPng);
  ASSERT_EQ(image_->BeginLoad({.keepNative = true}), CodecOk);
  EXPECT_NE(image_->DecodeRows(256, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image_->LastError(), ErrBadData);
  const int rowsShown = image_->GetDecodedRect().bottom;
  EXPECT_GT(rowsShown, 0);
  EXPECT_LT(rowsShown, 128);
  const DibDescription dib = Describe(image_->GetNativeBitmap());
  for (int x = 0; x < 256; ++x)
    ASSERT_EQ(DibValue(dib, x, rowsShown - 1) >> 16, spec.sample(x, rowsShown - 1, 0)) << x;
  EXPECT_NE(image_->DecodeRows(256, nullptr, nullptr), CodecOk);
  EXPECT_EQ(image_->LastError(), ErrBadData);
  image_->EndLoad(false);
}

}  // namespace

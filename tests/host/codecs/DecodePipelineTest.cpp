// The output machinery every reader shares: depths, palettes, colour
// reduction, shrinking, column delivery, two-pass loads and set-up checks.
#include "codecs/CodecError.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/SyntheticReader.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bgr(std::initializer_list<uint32_t> rgbs) {
  std::vector<uint8_t> row;
  for (uint32_t v : rgbs) {
    row.push_back(static_cast<uint8_t>(v));
    row.push_back(static_cast<uint8_t>(v >> 8));
    row.push_back(static_cast<uint8_t>(v >> 16));
  }
  return row;
}

SyntheticPicture Colour(int width, int height, std::vector<std::vector<uint8_t>> rows) {
  SyntheticPicture picture;
  picture.width = width;
  picture.height = height;
  picture.lines = std::move(rows);
  return picture;
}

std::vector<RgbQuad> PaletteEntries(PaletteHandle palette) {
  return palette ? palette->entries : std::vector<RgbQuad>();
}

class DecodePipelineTest : public ::testing::Test {
 protected:
  void SetUp() override { host_codec::SetScreenDepth(24); }
  void TearDown() override {
    host_codec::FailNextBitmaps(0);
    host_codec::FailNextPalettes(0);
  }
};

TEST_F(DecodePipelineTest, EightBitGreyImageShowsThrough236LevelsAndKeepsItsValues) {
  SyntheticPicture picture;
  picture.width = 4;
  picture.height = 1;
  picture.bitsPerPixel = 8;
  picture.nativeDepth = 8;
  picture.grey = true;
  picture.lines = {{0, 128, 254, 255}};
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 1, 1, 0, 0, 8, 0, 0));

  std::vector<RgbQuad> levels = PaletteEntries(reader.Palette());
  ASSERT_EQ(levels.size(), 236u);
  const int expectedStart[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(levels[i].red, expectedStart[i]) << "level " << i;
  EXPECT_EQ(levels[234].red, 253);
  EXPECT_EQ(levels[235].red, 254);
  EXPECT_EQ(levels[235].green, 254);

  DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_EQ(display.colorCount, 256);  // one entry per grey value
  EXPECT_EQ(DibValue(display, 1, 0), 128u);
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{126, 126, 126}));  // 128 -> level 117
  EXPECT_EQ(DibColour(display, 3, 0), (Rgb{254, 254, 254}));  // 255 -> level 235
  EXPECT_EQ(DibColour(display, 2, 0), (Rgb{253, 253, 253}));  // 254 -> level 234
}

TEST_F(DecodePipelineTest, FourBitGreyImageGetsSixteenEvenGreys) {
  SyntheticPicture picture;
  picture.width = 2;
  picture.height = 1;
  picture.bitsPerPixel = 4;
  picture.nativeDepth = 8;
  picture.grey = true;
  picture.lines = {{1, 15}};
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 0, 1, 0, 0, 8, 0, 0));
  std::vector<RgbQuad> greys = PaletteEntries(reader.Palette());
  ASSERT_EQ(greys.size(), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(greys[i].blue, i * 17) << "entry " << i;
  EXPECT_EQ(DibColour(Describe(reader.DisplayBitmap()), 0, 0), (Rgb{17, 17, 17}));
}

TEST_F(DecodePipelineTest, MonochromeImageStaysOneBitOnATrueColourScreen) {
  SyntheticPicture picture;
  picture.width = 10;
  picture.height = 2;
  picture.bitsPerPixel = 1;
  picture.nativeDepth = 1;
  picture.palette = {{0, 0, 0}, {255, 255, 255}};
  picture.lines = {{0xA5, 0xC0}, {0x00, 0x40}};
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 1, 1, 0, 0, 24, 0, 0));
  DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_EQ(display.bitsPerPixel, 1);
  EXPECT_EQ(display.colorCount, 2);
  EXPECT_EQ(PaletteEntries(reader.Palette()).size(), 2u);
  const uint32_t top[10] = {1, 0, 1, 0, 0, 1, 0, 1, 1, 1};
  for (int x = 0; x < 10; ++x) EXPECT_EQ(DibValue(display, x, 0), top[x]) << "pixel " << x;
  EXPECT_EQ(DibValue(display, 9, 1), 1u);
  EXPECT_EQ(DibColour(display, 0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(Describe(reader.NativeBitmap()).bitsPerPixel, 1);
}

TEST_F(DecodePipelineTest, ShrinkingAveragesColourRunsAndPicksPalettePixels) {
  SyntheticReader colour(Colour(4, 1, {Bgr({0x000000, 0x0A141E, 0xFF0000, 0x00FF01})}));
  ASSERT_TRUE(DecodeAll(colour, 0, 1, 2, 1, 24, 0, 0));
  DibDescription shrunk = Describe(colour.DisplayBitmap());
  ASSERT_EQ(shrunk.width, 2);
  EXPECT_EQ(DibColour(shrunk, 0, 0), (Rgb{5, 10, 15}));
  EXPECT_EQ(DibColour(shrunk, 1, 0), (Rgb{127, 127, 0}));

  SyntheticPicture indexed;
  indexed.width = 4;
  indexed.height = 1;
  indexed.bitsPerPixel = 8;
  indexed.nativeDepth = 8;
  indexed.palette = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}};
  indexed.lines = {{0, 1, 2, 3}};
  SyntheticReader palette(indexed);
  ASSERT_TRUE(DecodeAll(palette, 0, 1, 2, 1, 8, 0, 0));
  DibDescription picked = Describe(palette.DisplayBitmap());
  EXPECT_EQ(DibValue(picked, 0, 0), 1u);  // the pixel that completes each run
  EXPECT_EQ(DibValue(picked, 1, 0), 3u);

  indexed.grey = true;
  indexed.lines = {{10, 20, 31, 50}};
  SyntheticReader grey(indexed);
  ASSERT_TRUE(DecodeAll(grey, 1, 0, 2, 1, 8, 0, 0));
  DibDescription averaged = Describe(grey.NativeBitmap());
  EXPECT_EQ(DibValue(averaged, 0, 0), 15u);
  EXPECT_EQ(DibValue(averaged, 1, 0), 40u);
}

TEST_F(DecodePipelineTest, ShrinkingOneBitRowsKeepsTheBitEndingEachRun) {
  SyntheticPicture picture;
  picture.width = 8;
  picture.height = 1;
  picture.bitsPerPixel = 1;
  picture.nativeDepth = 1;
  picture.palette = {{0, 0, 0}, {255, 255, 255}};
  picture.lines = {{0x5A}};  // 0 1 0 1 1 0 1 0
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 0, 1, 4, 1, 8, 0, 0));
  DibDescription dib = Describe(reader.DisplayBitmap());
  const uint32_t expected[4] = {1, 1, 0, 0};
  for (int x = 0; x < 4; ++x) EXPECT_EQ(DibValue(dib, x, 0), expected[x]) << "pixel " << x;
}

TEST_F(DecodePipelineTest, ColumnsAreStoredAsColumnsInEitherRowOrder) {
  SyntheticPicture picture = Colour(2, 3, {Bgr({1, 2, 3}), Bgr({4, 5, 6})});
  picture.columns = true;
  for (bool bottomUp : {false, true}) {
    SyntheticReader reader(picture);
    ASSERT_TRUE(DecodeAll(reader, 1, 1, 0, 0, 24, 0, 0, bottomUp));
    DibDescription dib = Describe(reader.DisplayBitmap());
    EXPECT_EQ(dib.bottomUp, bottomUp);
    for (int y = 0; y < 3; ++y) {
      EXPECT_EQ(DibValue(dib, 0, y), static_cast<uint32_t>(1 + y)) << "row " << y;
      EXPECT_EQ(DibValue(dib, 1, y), static_cast<uint32_t>(4 + y)) << "row " << y;
    }
  }
}

TEST_F(DecodePipelineTest, ShrunkColumnsAverageAlongTheColumn) {
  SyntheticPicture picture = Colour(1, 4, {Bgr({10, 20, 30, 50})});
  picture.columns = true;
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 0, 1, 1, 2, 24, 0, 0));
  DibDescription dib = Describe(reader.DisplayBitmap());
  EXPECT_EQ(DibValue(dib, 0, 0), 15u);
  EXPECT_EQ(DibValue(dib, 0, 1), 40u);
}

TEST_F(DecodePipelineTest, RowSinkRefusesTheWrongKindOfLineWithCode1) {
  SyntheticPicture picture = Colour(1, 1, {Bgr({1})});
  picture.columns = true;
  picture.rowsInColumnMode = true;
  SyntheticReader rows(picture);
  EXPECT_FALSE(DecodeAll(rows, 0, 1, 0, 0, 24, 0, 0));
  EXPECT_EQ(rows.ErrorCode(), ErrOutOfOrder) << "a row in column mode";

  SyntheticPicture bits;
  bits.width = 1;
  bits.height = 8;
  bits.bitsPerPixel = 1;
  bits.nativeDepth = 1;
  bits.columns = true;
  bits.palette = {{0, 0, 0}, {1, 1, 1}};
  bits.lines = {{0xFF}};
  SyntheticReader columns(bits);
  EXPECT_FALSE(DecodeAll(columns, 0, 1, 0, 0, 8, 0, 0));
  EXPECT_EQ(columns.ErrorCode(), ErrOutOfOrder) << "a 1-bit column";
}

TEST_F(DecodePipelineTest, SixteenBitDisplayPacksFiveFiveFiveOrDithers) {
  SyntheticReader plain(Colour(2, 1, {Bgr({0xFFFFFF, 0x08F810})}));
  ASSERT_TRUE(DecodeAll(plain, 0, 1, 0, 0, 16, 0, 0));
  DibDescription packed = Describe(plain.DisplayBitmap());
  EXPECT_EQ(packed.bitsPerPixel, 16);
  EXPECT_EQ(DibValue(packed, 0, 0), 0x7FFFu);
  EXPECT_EQ(DibValue(packed, 1, 0), (1u << 10) | (31u << 5) | 2u);

  SyntheticReader dithered(Colour(2, 1, {Bgr({0xFFFFFF, 0x000000})}));
  ASSERT_TRUE(DecodeAll(dithered, 0, 1, 0, 0, 16, 1, 0));
  DibDescription words = Describe(dithered.DisplayBitmap());
  EXPECT_EQ(DibValue(words, 0, 0), 0x7FFFu);
  EXPECT_EQ(DibValue(words, 1, 0), 0u);
}

TEST_F(DecodePipelineTest, PaletteDisplayOfColourImageUsesTheColourCube) {
  SyntheticReader reader(Colour(2, 1, {Bgr({0x808080, 0xFF0000})}));
  ASSERT_TRUE(DecodeAll(reader, 1, 1, 0, 0, 8, 0, 0));
  EXPECT_EQ(PaletteEntries(reader.Palette()).size(), 240u);
  DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_EQ(DibValue(display, 0, 0), 116u);
  EXPECT_EQ(DibColour(display, 0, 0), (Rgb{102, 109, 128}));
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(Describe(reader.NativeBitmap()).bitsPerPixel, 24);
}

TEST_F(DecodePipelineTest, FixedPaletteRemapsPaletteImagesIntoTheCube) {
  SyntheticPicture picture;
  picture.width = 2;
  picture.height = 1;
  picture.bitsPerPixel = 8;
  picture.nativeDepth = 8;
  picture.palette = {{255, 255, 255}, {0, 0, 0}};
  picture.lines = {{1, 0}};
  SyntheticReader reader(picture);
  ASSERT_TRUE(DecodeAll(reader, 1, 1, 0, 0, 8, 0, 1));
  EXPECT_EQ(reader.ReductionMode(), 1);
  EXPECT_EQ(PaletteEntries(reader.Palette()).size(), 240u);
  DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_EQ(DibColour(display, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{255, 255, 255}));
}

TEST_F(DecodePipelineTest, PaletteImageWithoutPaletteFailsWithCode8) {
  SyntheticPicture picture;
  picture.width = 1;
  picture.height = 1;
  picture.bitsPerPixel = 8;
  picture.nativeDepth = 8;
  picture.lines = {{0}};
  SyntheticReader reader(picture);
  EXPECT_FALSE(DecodeAll(reader, 0, 1, 0, 0, 8, 0, 0));
  EXPECT_EQ(reader.ErrorCode(), ErrNoPalette);
}

SyntheticPicture FewColours() {
  // 3 colours over 16 x 4 pixels.
  std::vector<std::vector<uint8_t>> rows;
  for (int y = 0; y < 4; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < 16; ++x) {
      uint32_t v = x < 8 ? 0xF80000 : y < 2 ? 0x00FC00 : 0x0000F8;
      std::vector<uint8_t> pixel = Bgr({v});
      row.insert(row.end(), pixel.begin(), pixel.end());
    }
    rows.push_back(row);
  }
  return Colour(16, 4, rows);
}

TEST_F(DecodePipelineTest, TwoPassReductionCountsThenMapsOntoItsOwnPalette) {
  for (int mode : {3, 4}) {
    SyntheticReader reader(FewColours());
    ASSERT_EQ(reader.ReadHeader(), CodecOk);
    ASSERT_EQ(reader.SetTargets(0, 1), CodecOk);
    ASSERT_EQ(reader.SetOutputSize(0, 0), CodecOk);
    ASSERT_EQ(reader.SetOutputFormat(8, mode, 0), CodecOk);
    ASSERT_EQ(reader.BeginDecode(), CodecOk);
    EXPECT_NE(reader.NativeBitmap(), nullptr) << "the native copy is forced on";
    ASSERT_EQ(reader.DecodeRows(2, nullptr, nullptr), CodecOk);
    EXPECT_EQ(reader.GetProgress(), 2500) << "half of pass one";
    ASSERT_EQ(reader.DecodeRows(2, nullptr, nullptr), CodecOk);
    EXPECT_EQ(reader.GetProgress(), 5000);
    bool changed = false;
    ImageRect rect;
    ASSERT_EQ(reader.DecodeRows(2, &changed, &rect), CodecOk);
    EXPECT_FALSE(changed);
    EXPECT_EQ(reader.GetProgress(), 7500);
    ASSERT_EQ(reader.DecodeRows(2, &changed, &rect), CodecOk);
    EXPECT_TRUE(changed);
    EXPECT_EQ(rect, (ImageRect{0, 0, 16, 4}));
    EXPECT_EQ(reader.GetProgress(), 10000);

    std::vector<RgbQuad> chosen = PaletteEntries(reader.Palette());
    ASSERT_EQ(chosen.size(), 3u) << "mode " << mode;
    DibDescription display = Describe(reader.DisplayBitmap());
    // Cell centres of the three colours.
    EXPECT_EQ(DibColour(display, 0, 0), (Rgb{252, 2, 4})) << "mode " << mode;
    EXPECT_EQ(DibColour(display, 15, 0), (Rgb{4, 254, 4})) << "mode " << mode;
    EXPECT_EQ(DibColour(display, 15, 3), (Rgb{4, 2, 252})) << "mode " << mode;
    EXPECT_NE(reader.DecodeRows(1, nullptr, nullptr), CodecOk);
    EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder);
    reader.EndDecode();
  }
}

TEST_F(DecodePipelineTest, SecondPassSurvivesAnEmptyCallAndARetryAfterAPaletteFailure) {
  for (const char* interruption : {"no rows asked", "palette failure"}) {
    SyntheticReader reader(FewColours());
    ASSERT_EQ(reader.ReadHeader(), CodecOk);
    ASSERT_EQ(reader.SetTargets(0, 1), CodecOk);
    ASSERT_EQ(reader.SetOutputFormat(8, 3, 0), CodecOk);
    ASSERT_EQ(reader.BeginDecode(), CodecOk);
    ASSERT_EQ(reader.DecodeRows(4, nullptr, nullptr), CodecOk);
    ASSERT_EQ(reader.GetProgress(), 5000);
    if (interruption[0] == 'n') {
      EXPECT_EQ(reader.DecodeRows(0, nullptr, nullptr), CodecOk) << interruption;
    } else {
      host_codec::FailNextPalettes(1);
      EXPECT_EQ(reader.DecodeRows(4, nullptr, nullptr), ErrLogicalPalette) << interruption;
    }
    EXPECT_EQ(reader.GetProgress(), 5000) << interruption;
    ASSERT_EQ(reader.DecodeRows(4, nullptr, nullptr), CodecOk) << interruption;
    ASSERT_EQ(reader.GetProgress(), 10000) << interruption;

    EXPECT_EQ(PaletteEntries(reader.Palette()).size(), 3u) << interruption;
    DibDescription display = Describe(reader.DisplayBitmap());
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 16; ++x)
        ASSERT_EQ(DibColour(display, x, y), x < 8   ? (Rgb{252, 2, 4})
                                            : y < 2 ? (Rgb{4, 254, 4})
                                                    : (Rgb{4, 2, 252}))
            << interruption << ": row " << y << " pixel " << x;
    reader.EndDecode();
  }
}

TEST_F(DecodePipelineTest, OutputSettingsAreChecked) {
  SyntheticReader reader(Colour(4, 4, {Bgr({1, 2, 3, 4})}));
  EXPECT_NE(reader.SetOutputSize(2, 2), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder) << "size before header";
  ASSERT_EQ(reader.ReadHeader(), CodecOk);
  EXPECT_NE(reader.SetTargets(0, 0), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrInvalidArgument);
  EXPECT_NE(reader.SetOutputSize(5, 4), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrInvalidArgument);
  EXPECT_NE(reader.SetOutputFormat(32, 0, 0), CodecOk);
  EXPECT_NE(reader.SetOutputFormat(16, 0, 1), CodecOk);
  EXPECT_NE(reader.SetOutputFormat(16, 2, 0), CodecOk);
  EXPECT_NE(reader.SetOutputFormat(8, 5, 0), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrInvalidArgument);
  EXPECT_EQ(reader.SetOutputSize(0, 0), CodecOk);
  EXPECT_EQ(reader.OutputWidth(), 4);
  EXPECT_EQ(reader.SetOutputFormat(8, 2, 0), CodecOk);
}

TEST_F(DecodePipelineTest, OutputSettingsAreRefusedWhileDecoding) {
  SyntheticReader reader(Colour(4, 2, {Bgr({1, 2, 3, 4}), Bgr({5, 6, 7, 8})}));
  ASSERT_EQ(reader.ReadHeader(), CodecOk);
  ASSERT_EQ(reader.SetTargets(0, 1), CodecOk);
  ASSERT_EQ(reader.SetOutputSize(2, 2), CodecOk);
  ASSERT_EQ(reader.SetOutputFormat(24, 0, 0), CodecOk);
  ASSERT_EQ(reader.BeginDecode(), CodecOk);
  ASSERT_EQ(reader.DecodeRows(1, nullptr, nullptr), CodecOk);

  EXPECT_NE(reader.SetOutputSize(4, 2), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder) << "size";
  EXPECT_NE(reader.SetOutputFormat(8, 2, 0), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder) << "format";
  EXPECT_NE(reader.SetTargets(1, 1), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder) << "targets";
  reader.SetBottomUp(true);
  EXPECT_EQ(reader.OutputWidth(), 2);
  EXPECT_EQ(reader.DisplayDepth(), 24);
  EXPECT_EQ(reader.NativeBitmap(), nullptr);

  ASSERT_EQ(reader.DecodeRows(1, nullptr, nullptr), CodecOk);
  ASSERT_TRUE(reader.IsComplete());
  const DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_FALSE(display.bottomUp);
  // Each output pixel is the mean of two: (1 + 2) / 2, (3 + 4) / 2 ...
  EXPECT_EQ(DibValue(display, 0, 0), 1u);
  EXPECT_EQ(DibValue(display, 1, 0), 3u);
  EXPECT_EQ(DibValue(display, 0, 1), 5u);
  EXPECT_EQ(DibValue(display, 1, 1), 7u);
  reader.EndDecode();
  EXPECT_EQ(reader.SetOutputSize(4, 2), CodecOk) << "settled again once the decode ended";
}

TEST_F(DecodePipelineTest, AFailedStartLeavesNothingDecodingAndCanBeRetried) {
  SyntheticReader reader(Colour(2, 1, {Bgr({0x102030, 0x405060})}));
  reader.startFailures = 1;
  const int bitmapsBefore = host_codec::LiveBitmaps();
  ASSERT_EQ(reader.ReadHeader(), CodecOk);
  EXPECT_NE(reader.BeginDecode(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrNoPalette);
  EXPECT_EQ(reader.DisplayBitmap(), nullptr);
  EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore);

  EXPECT_NE(reader.DecodeRows(1, nullptr, nullptr), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrOutOfOrder);
  EXPECT_EQ(reader.decodeCalls, 0) << "no rows from a reader that did not start";

  ASSERT_EQ(reader.SetOutputFormat(24, 0, 0), CodecOk);
  ASSERT_EQ(reader.BeginDecode(), CodecOk) << reader.ErrorCode();
  EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore + 1);
  ASSERT_EQ(reader.DecodeRows(1, nullptr, nullptr), CodecOk);
  ASSERT_TRUE(reader.IsComplete());
  const DibDescription display = Describe(reader.DisplayBitmap());
  EXPECT_EQ(DibValue(display, 0, 0), 0x102030u);
  EXPECT_EQ(DibValue(display, 1, 0), 0x405060u);
  reader.EndDecode();
  EXPECT_EQ(reader.endCalls, 1);
}

TEST_F(DecodePipelineTest, FailedBitmapOrPaletteCreationLeavesNothingBehind) {
  struct Case {
    const char* what;
    int keepNative;
    int makeDisplay;
    int bitmapFailures;
    int paletteFailures;
    int screen;
    int code;
  };
  const Case cases[] = {
      {"display bitmap", 0, 1, 1, 0, 24, ErrDisplayBitmap},
      {"native bitmap", 1, 0, 1, 0, 24, ErrNativeBitmap},
      {"logical palette", 1, 1, 0, 1, 24, ErrLogicalPalette},
      {"no screen", 0, 1, 0, 0, 0, ErrNoScreen},
  };
  for (const Case& c : cases) {
    SyntheticPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.bitsPerPixel = 8;
    picture.nativeDepth = 8;
    picture.palette = {{1, 2, 3}};
    picture.lines = {{0, 0}, {0, 0}};
    SyntheticReader reader(picture);
    ASSERT_EQ(reader.ReadHeader(), CodecOk);
    ASSERT_EQ(reader.SetTargets(c.keepNative, c.makeDisplay), CodecOk);
    ASSERT_EQ(reader.SetOutputFormat(8, 0, 0), CodecOk);
    const int bitmapsBefore = host_codec::LiveBitmaps();
    host_codec::SetScreenDepth(c.screen);
    host_codec::FailNextBitmaps(c.bitmapFailures);
    host_codec::FailNextPalettes(c.paletteFailures);
    EXPECT_NE(reader.BeginDecode(), CodecOk) << c.what;
    EXPECT_EQ(reader.ErrorCode(), c.code) << c.what;
    EXPECT_EQ(reader.DisplayBitmap(), nullptr) << c.what;
    EXPECT_EQ(reader.NativeBitmap(), nullptr) << c.what;
    EXPECT_EQ(reader.Palette(), nullptr) << c.what;
    EXPECT_EQ(host_codec::LiveBitmaps(), bitmapsBefore) << c.what;
    EXPECT_EQ(host_codec::LivePalettes(), 0) << c.what;
    host_codec::SetScreenDepth(24);
    host_codec::FailNextBitmaps(0);
    host_codec::FailNextPalettes(0);
  }
}

TEST_F(DecodePipelineTest, ImagesWiderThan15000PixelsFailWithCode15) {
  SyntheticPicture picture = Colour(15001, 1, {std::vector<uint8_t>(3 * 15001, 0)});
  SyntheticReader reader(picture);
  ASSERT_EQ(reader.ReadHeader(), CodecOk);
  ASSERT_EQ(reader.SetOutputSize(100, 1), CodecOk);
  EXPECT_NE(reader.BeginDecode(), CodecOk);
  EXPECT_EQ(reader.ErrorCode(), ErrTooWide);
  SyntheticReader widest(Colour(15000, 1, {std::vector<uint8_t>(3 * 15000, 0)}));
  EXPECT_TRUE(DecodeAll(widest, 0, 1, 0, 0, 24, 0, 0));
}

TEST_F(DecodePipelineTest, EndDecodeRunsTheReadersOwnEndAndKeepsHandedOverBitmaps) {
  SyntheticReader reader(Colour(1, 1, {Bgr({7})}));
  ASSERT_TRUE(DecodeAll(reader, 0, 1, 0, 0, 24, 0, 0));
  const OwnedBitmaps kept = reader.TakeBitmaps();
  EXPECT_EQ(reader.EndDecode(), CodecOk);
  EXPECT_EQ(reader.endCalls, 1);
  EXPECT_EQ(DibValue(Describe(kept.display.Get()), 0, 0), 7u);
  EXPECT_NE(reader.DecodeRows(1, nullptr, nullptr), CodecOk);
}

}  // namespace

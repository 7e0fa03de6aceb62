// The output side on its own, fed hand-made lines without a reader.
#include "codecs/ImageOutput.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/DibPixels.h"

#include <gtest/gtest.h>

namespace {

// Four 5-5-5 words, little-endian: red, green, blue, mid grey.
const uint8_t kFiveFiveFiveRow[] = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42};

TEST(ImageOutputTest, ShrunkFiveFiveFiveLineKeepsTheWordEndingEachRunAndWidensItForDisplay) {
  host_codec::SetScreenDepth(24);
  ImageOutput output;
  OutputSettings& settings = output.Settings();
  settings.width = 2;
  settings.height = 1;
  settings.displayDepth = 24;
  settings.keepNative = true;
  HeaderFacts header;
  header.nativeDepth = 15;
  ASSERT_EQ(output.Create(header), CodecOk);
  output.PrepareLines(4);
  EXPECT_EQ(output.DirectRowTarget(0), nullptr) << "a shrunk row needs the reader's buffer";
  output.StoreRow(kFiveFiveFiveRow, 0, true);

  DibDescription native = Describe(output.NativeBitmap());
  ASSERT_EQ(native.bitsPerPixel, 16);
  EXPECT_EQ(DibValue(native, 0, 0), 0x03E0u);
  EXPECT_EQ(DibValue(native, 1, 0), 0x4210u);
  DibDescription display = Describe(output.DisplayBitmap());
  ASSERT_EQ(display.bitsPerPixel, 24);
  EXPECT_EQ(DibColour(display, 0, 0), (Rgb{0, 248, 0}));
  EXPECT_EQ(DibColour(display, 1, 0), (Rgb{128, 128, 128}));
}

}  // namespace

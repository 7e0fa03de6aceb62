// The committed sample files decode to their known pixels, in the native
// copy and in the display bitmap of a true-colour screen.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/SampleImages.h"

#include <gtest/gtest.h>

namespace {

TEST(SampleImagesTest, EverySampleDecodesToItsPattern) {
  host_codec::SetScreenDepth(24);
  for (const SampleImage& sample : SampleImages()) {
    ImageFile image(SamplePath(sample).c_str());
    ASSERT_EQ(image.GetFormat(), FormatBmp) << sample.file;
    EXPECT_EQ(image.GetSourceBitsPerPixel(), sample.bitsPerPixel) << sample.file;
    ASSERT_EQ(image.Load(true, true), CodecOk) << sample.file << " error " << image.LastError();
    for (DibHandle bitmap : {image.GetNativeBitmap(), image.GetDisplayBitmap()}) {
      DibDescription dib = Describe(bitmap);
      ASSERT_EQ(dib.width, sample.width) << sample.file;
      ASSERT_EQ(dib.height, sample.height) << sample.file;
      for (int y = 0; y < sample.height; ++y)
        for (int x = 0; x < sample.width; ++x)
          ASSERT_EQ(DibColour(dib, x, y), sample.pixel(x, y))
              << sample.file << " pixel " << x << "," << y << " is "
              << ToString(DibColour(dib, x, y));
    }
  }
}

}  // namespace

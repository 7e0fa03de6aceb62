// Comparing a decoded bitmap with the picture a test JPEG was made from,
// within a stated tolerance per channel; a failure names the first pixel
// that differs and how many do.
#pragma once

#include "tests/host/codecs/DibPixels.h"
#include "tests/host/codecs/JpegTestImages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>

// `expected` gives 0xRRGGBB at an output pixel. Grey bitmaps (8 bits
// without a colour table of their own) are compared by their stored value.
inline ::testing::AssertionResult PictureWithin(const DibDescription& dib,
                                                const std::function<uint32_t(int, int)>& expected,
                                                int tolerance) {
  if (!dib.bits) return ::testing::AssertionFailure() << "no bitmap";
  int wrong = 0;
  std::ostringstream first;
  for (int y = 0; y < dib.height; ++y) {
    for (int x = 0; x < dib.width; ++x) {
      const uint32_t want = expected(x, y);
      Rgb got;
      if (dib.bitsPerPixel == 8) {
        const int v = static_cast<int>(DibValue(dib, x, y));
        got = Rgb{v, v, v};
      } else {
        got = DibColour(dib, x, y);
      }
      const Rgb w{RedOf(want), GreenOf(want), BlueOf(want)};
      const bool close = std::abs(got.red - w.red) <= tolerance &&
                         std::abs(got.green - w.green) <= tolerance &&
                         std::abs(got.blue - w.blue) <= tolerance;
      if (dib.bitsPerPixel == 8 ? std::abs(got.red - w.red) > tolerance : !close) {
        if (wrong++ == 0)
          first << "pixel (" << x << ", " << y << ") is " << ToString(got) << ", expected "
                << ToString(w);
      }
    }
  }
  if (wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << first.str() << " (" << wrong << " pixels off by more than " << tolerance << ")";
}

// Every stored value of an 8-bit grey bitmap lies in [low, high].
inline ::testing::AssertionResult GreyValuesBetween(const DibDescription& dib, int low, int high) {
  for (int y = 0; y < dib.height; ++y)
    for (int x = 0; x < dib.width; ++x) {
      const int v = static_cast<int>(DibValue(dib, x, y));
      if (v < low || v > high)
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << v
                                             << ", outside " << low << " .. " << high;
    }
  return ::testing::AssertionSuccess();
}

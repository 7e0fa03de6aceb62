// What the reader targets do with an input once it is recognised: one of
// the loads the shell extension performs, chosen by the input's size so
// that the file's bytes stay untouched.
#pragma once

#include "codecs/ImageFile.h"
#include "codecs/ImageRect.h"
#include "platform/codec/HostCodecPlatform.h"

#include <cstddef>
#include <cstdint>

// Larger pictures decode correctly but slowly; their size is all that is
// new about them, and the header checks see it anyway.
constexpr int64_t kFuzzLargestPixels = 2000000;

inline void FuzzLoad(ImageFile& image, size_t selector) {
  if (image.GetFormat() < 0) return;
  const bool large =
      static_cast<int64_t>(image.GetSourceWidth()) * image.GetSourceHeight() > kFuzzLargestPixels;
  // A large picture takes one thumbnail load: the other loads would only
  // repeat it more slowly.
  if (large) selector = 1;
  switch (selector % 4) {
    case 0:  // converting: natural size, native copy
      host_codec::SetScreenDepth(24);
      image.Load(true, true);
      break;
    case 1:  // the context menu's thumbnail on a 16-bit screen
      host_codec::SetScreenDepth(16);
      image.LoadFitted({.maxWidth = 100, .maxHeight = 100, .reductionMode = 1});
      break;
    case 2: {  // the viewer on a palette screen, bottom-up, in small steps
      host_codec::SetScreenDepth(8);
      if (image.BeginLoad(
              {.maxWidth = 300, .maxHeight = 200, .reductionMode = 4, .bottomUp = true}) != CodecOk)
        return;
      ImageRect rect;
      bool changed = false;
      for (int step = 0; step < 100000 && !image.IsComplete(); ++step)
        if (image.DecodeRows(7, &changed, &rect) != CodecOk) break;
      image.DecodeRows(7, &changed, &rect);
      image.EndLoad(false);
      break;
    }
    default:  // a fixed palette, dithered, at an odd size
      host_codec::SetScreenDepth(8);
      image.LoadFitted({.maxWidth = 97,
                        .maxHeight = 61,
                        .reductionMode = 2,
                        .fixedPalette = true,
                        .keepNative = true});
      break;
  }
  image.Release();
}

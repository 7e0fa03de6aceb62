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
      image.Load(1, 1);
      break;
    case 1:  // the context menu's thumbnail on a 16-bit screen
      host_codec::SetScreenDepth(16);
      image.LoadFitted(100, 100, 1, 0, 0, 1);
      break;
    case 2: {  // the viewer on a palette screen, bottom-up, in small steps
      host_codec::SetScreenDepth(8);
      if (!image.BeginLoad(300, 200, 4, 0, 0, 1, 1)) return;
      // Interlaced GIF reports one rectangle per row produced.
      ImageRect rects[7];
      int changed = 0;
      for (int step = 0; step < 100000 && !image.IsComplete(); ++step)
        if (!image.DecodeRows(7, &changed, rects)) break;
      image.DecodeRows(7, &changed, rects);
      image.EndLoad(0);
      break;
    }
    default:  // a fixed palette, dithered, at an odd size
      host_codec::SetScreenDepth(8);
      image.LoadFitted(97, 61, 2, 1, 1, 1);
      break;
  }
  image.Release();
}

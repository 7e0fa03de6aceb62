// What the PNG and TIFF targets do with an input once it is recognised:
// one of three loads the shell extension performs, chosen by the input's
// size so that the file's bytes stay untouched.
#pragma once

#include "codecs/ImageFile.h"
#include "platform/codec/HostCodecPlatform.h"

#include <cstddef>
#include <cstdint>

// Larger pictures decode correctly but slowly; their size is all that is
// new about them, and the header checks see it anyway.
constexpr int64_t kFuzzLargestPixels = 4000000;

inline void FuzzImageLoad(ImageFile& image, size_t size) {
  if (static_cast<int64_t>(image.GetSourceWidth()) * image.GetSourceHeight() > kFuzzLargestPixels)
    return;
  switch (size % 3) {
    case 0:  // converting: natural size, native copy
      host_codec::SetScreenDepth(24);
      image.Load(1, 1);
      break;
    case 1:  // the context menu's thumbnail on a 16-bit screen
      host_codec::SetScreenDepth(16);
      image.LoadFitted(100, 100, 1, 0, 0, 1);
      break;
    default: {  // the viewer on a palette screen: two-pass reduction, small steps
      host_codec::SetScreenDepth(8);
      if (!image.BeginLoad(300, 200, 4, 0, 0, 1, 1)) return;
      for (int step = 0; step < 100000 && !image.IsComplete(); ++step)
        if (!image.DecodeRows(7, nullptr, nullptr)) break;
      image.EndLoad(0);
      break;
    }
  }
  image.Release();
}

// The viewer's JPEG load: no native copy, the display bitmap at the
// picture's depth, so that the library writes its lines straight into the
// display bitmap, at natural size or at one of its own scales. The input's
// last byte picks the screen, the scale, the row order and the batch size.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t settings = data[size - 1];
  size -= 1;
  // 24 and 32 take colour pictures straight in, 8 grey ones.
  static const int kScreens[4] = {24, 32, 8, 24};
  host_codec::SetScreenDepth(kScreens[settings & 3]);
  const int scale = 1 << ((settings >> 2) & 3);
  const bool bottomUp = ((settings >> 4) & 1) != 0;
  const int batch = (settings & 0x20) ? 3 : 1 << 20;

  ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
  if (image.GetFormat() != FormatJpg) return 0;
  // The library's own scales give exactly these sizes when the sides
  // divide; large pictures only at 1/8, so that runs stay short.
  const int64_t pixels = static_cast<int64_t>(image.GetSourceWidth()) * image.GetSourceHeight();
  const int divisor = pixels > 1 << 20 ? 8 : scale;
  if (image.BeginLoadForView({.maxWidth = image.GetSourceWidth() / divisor,
                              .maxHeight = image.GetSourceHeight() / divisor,
                              .reductionMode = (settings >> 6) & 3,
                              .bottomUp = bottomUp}) == CodecOk) {
    const int maxCalls = pixels > 1 << 24 ? 1 : 100000;
    bool changed = false;
    ImageRect rect;
    for (int calls = 0; calls < maxCalls && !image.IsComplete(); ++calls)
      if (image.DecodeRows(batch, &changed, &rect) != CodecOk) break;
    image.EndLoad(false);
  }
  image.Release();
  return 0;
}

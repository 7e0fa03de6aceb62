// The BMP reader through ImageFile from memory, with the output settings
// (screen depth, reduction, fitting, row order, batch size) taken from the
// input's last byte so that the whole pipeline is exercised.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Other formats have their own targets; skip them before detection.
  if (size < 3 || !((data[0] == 'B' && data[1] == 'M') || (data[0] == 'M' && data[1] == 'B')))
    return 0;
  const uint8_t settings = data[size - 1];
  size -= 1;
  static const int kScreens[4] = {24, 16, 8, 32};
  host_codec::SetScreenDepth(kScreens[settings & 3]);
  const int mode = (settings >> 2) % 5;
  const int fit = (settings & 0x20) ? 0 : 64;
  const bool bottomUp = ((settings >> 6) & 1) != 0;
  const int batch = (settings & 0x80) ? 7 : 1 << 20;

  ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
  if (image.GetFormat() != FormatBmp) return 0;
  // Natural size only for pictures small enough to keep runs fast.
  const int64_t pixels = static_cast<int64_t>(image.GetSourceWidth()) * image.GetSourceHeight();
  const int maxSide = fit == 0 && pixels > 1 << 14 ? 64 : fit;
  if (image.BeginLoad({.maxWidth = maxSide,
                       .maxHeight = maxSide,
                       .reductionMode = mode,
                       .fixedPalette = (settings & 0x10) != 0,
                       .keepNative = true,
                       .bottomUp = bottomUp}) == CodecOk) {
    bool changed = false;
    ImageRect rect;
    for (int calls = 0; calls < 100000 && !image.IsComplete(); ++calls)
      if (image.DecodeRows(batch, &changed, &rect) != CodecOk) break;
    image.EndLoad(true);
  }
  image.Release();
  return 0;
}

// The JPEG reader through ImageFile from memory. The input's last byte
// picks the output (screen depth, reduction, fitting, row order, batch
// size), so scaled decoding, both passes of progressive files and the
// shared pipeline are all reached.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "platform/codec/HostCodecPlatform.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t settings = data[size - 1];
  size -= 1;
  static const int kScreens[4] = {24, 16, 8, 32};
  host_codec::SetScreenDepth(kScreens[settings & 3]);
  const int mode = (settings >> 2) % 5;
  static const int kBoxes[4] = {0, 100, 37, 8};
  const int box = kBoxes[(settings >> 5) & 3];
  const bool bottomUp = ((settings >> 7) & 1) != 0;
  const int batch = (settings & 0x10) ? 5 : 1 << 20;

  ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
  if (image.GetFormat() != FormatJpg) return 0;
  // Headers may claim up to 65500 x 65500 pixels over a few bytes of data;
  // natural size only for small pictures, and only a first batch of rows
  // for very large ones, so that runs stay short.
  const int64_t pixels = static_cast<int64_t>(image.GetSourceWidth()) * image.GetSourceHeight();
  const int maxSide = box == 0 && pixels > 1 << 20 ? 100 : box;
  const int maxCalls = pixels > 1 << 24 ? 1 : 100000;
  if (image.BeginLoad({.maxWidth = maxSide,
                       .maxHeight = maxSide,
                       .reductionMode = mode,
                       .fixedPalette = (settings & 0x10) != 0,
                       .keepNative = true,
                       .bottomUp = bottomUp}) == CodecOk) {
    bool changed = false;
    ImageRect rect;
    for (int calls = 0; calls < maxCalls && !image.IsComplete(); ++calls)
      if (image.DecodeRows(batch, &changed, &rect) != CodecOk) break;
    image.EndLoad(true);
  }
  image.Release();
  return 0;
}

// Photo CD packs are large; the input becomes one: its first byte is the
// rotation byte, its second picks the level a load reads, and the rest is
// placed where that level's image data starts. Inputs of 6144 bytes or
// more are also tried as whole files.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "fuzz/fuzz_load.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const size_t kLevelOffsets[3] = {8192, 47104, 196608};

void LoadLevel(std::vector<uint8_t>& pack, int level, size_t selector) {
  ImageFile image(ImageSource::FromMemory(pack.data(), static_cast<uint32_t>(pack.size())));
  if (image.GetFormat() != FormatPcd) return;
  host_codec::SetScreenDepth(selector & 1 ? 8 : 24);
  // Every reduction, the two-pass ones included, on rows and on columns.
  const int mode = static_cast<int>(selector >> 2) % 5;
  const bool rotated = image.GetSourceWidth() < image.GetSourceHeight();
  const int width = (rotated ? 128 : 192) << level;
  const int height = (rotated ? 192 : 128) << level;
  if (selector & 2) {
    image.LoadFitted(
        {.maxWidth = width, .maxHeight = height, .reductionMode = mode, .keepNative = true});
  } else if (image.BeginLoad({.maxWidth = width - 1,
                              .maxHeight = height - 1,
                              .reductionMode = mode,
                              .bottomUp = true}) == CodecOk) {
    for (int step = 0; step < 100000 && !image.IsComplete(); ++step)
      if (image.DecodeRows(13, nullptr, nullptr) != CodecOk) break;
    image.EndLoad(true);
  }
  image.Release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 6144) {
    ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
    if (image.GetFormat() == FormatPcd) FuzzLoad(image, size);
  }
  if (size < 2) return 0;
  const int level = data[1] % 3;
  std::vector<uint8_t> pack(kLevelOffsets[level] + size - 2, 0);
  std::memcpy(&pack[2048], "PCD_IPI", 7);
  pack[3586] = data[0];
  std::memcpy(pack.data() + kLevelOffsets[level], data + 2, size - 2);
  LoadLevel(pack, level, data[1] / 3);
  return 0;
}

// Any bytes as a Targa file in memory, through detection and a load.
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "fuzz/fuzz_load.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
  if (image.GetFormat() != FormatTga) return 0;
  FuzzLoad(image, size);
  return 0;
}

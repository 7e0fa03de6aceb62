// Any bytes as a TIFF file in memory, through detection (which opens every
// file starting "II" or "MM" with libtiff) and a load.
#include "codecs/ImageFormat.h"
#include "fuzz/fuzz_load.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ImageFile image(ImageSource::FromMemory(data, static_cast<uint32_t>(size)));
  if (image.GetFormat() == FormatTif) FuzzLoad(image, size);
  return 0;
}

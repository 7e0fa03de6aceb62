// ReadFonNames on arbitrary bytes: it may raise EInOutError for a read past
// the end, and nothing else may go wrong.
#include "fontcore/FontReaders.h"
#include "fontcore/Exceptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FontByteReader file(data, size);
  std::string description, faceName;
  bool scalable = false;
  try {
    if (ReadFonNames(file, description, faceName, scalable) == frOK && description.empty())
      __builtin_trap();
    if (faceName.size() > 255) __builtin_trap();
  } catch (const EInOutError&) {
  }
  return 0;
}

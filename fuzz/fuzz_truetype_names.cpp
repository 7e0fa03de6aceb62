// ReadTrueTypeNames on arbitrary bytes: it may raise EInOutError for a read
// past the end, and nothing else may go wrong.
#include "fontcore/FontReaders.h"
#include "fontcore/Exceptions.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FontByteReader file(data, size);
  std::string family, fullName;
  try {
    if (ReadTrueTypeNames(file, family, fullName) == frOK && (family.empty() || fullName.empty()))
      __builtin_trap();
  } catch (const EInOutError&) {
  }
  return 0;
}

// What the JPEG adapters share: the library's header (which needs <cstdio>
// first), an error manager whose fatal exit returns to the adapter instead
// of ending the process, and the guarded way to make library calls.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// The blue, green, red pixel order comes from libjpeg-turbo's extended
// colour spaces; a plain IJG library would hand out red, green, blue.
#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo with JCS_EXTENSIONS is required"
#endif

struct JpegErrorManager {
  jpeg_error_mgr library;  // first: the library sees a jpeg_error_mgr*
  std::jmp_buf recovery;
};

// Fills `manager` with the library's standard error manager, fatal exit
// and message output replaced, and returns what belongs in cinfo->err.
jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager* manager);

// Runs `calls` under a fresh recovery point; false when the library gave up
// on the way. A fatal error leaves `calls` and every frame below it by
// longjmp, so nothing with a destructor may be alive in them: keep `calls`
// to plain library calls. Afterwards the library object is only good for
// being destroyed.
template <class Calls>
bool RunJpegGuarded(JpegErrorManager& errors, Calls&& calls) {
  if (setjmp(errors.recovery) != 0) return false;
  calls();
  return true;
}

// Collects the JPEG encoder's output in a 4096-byte buffer and hands each
// full buffer, and the rest at the end, to the writer. A failed write is the
// library's fatal output error.
#pragma once

#include "codecs/JpegLibrary.h"

#include <cstddef>

struct JpegDestinationManager {
  // Non-zero when all `count` bytes were written.
  using WriteFunction = int (*)(void* context, const void* bytes, size_t count);

  jpeg_destination_mgr library;  // first: the encoder sees a jpeg_destination_mgr*
  WriteFunction write = nullptr;
  void* context = nullptr;
  JOCTET buffer[4096];
};

void AttachJpegDestination(j_compress_ptr encoder, JpegDestinationManager* manager,
                           JpegDestinationManager::WriteFunction write, void* context);

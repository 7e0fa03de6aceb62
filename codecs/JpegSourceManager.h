// Feeds the JPEG decoder from a ByteSource through a 4096-byte buffer.
// Data that ends early is not fatal: the decoder gets a warning and an
// end-of-image marker, so a truncated file shows what it holds.
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/JpegLibrary.h"

#include <cstdint>

struct JpegSourceManager {
  jpeg_source_mgr library;  // first: the decoder sees a jpeg_source_mgr*
  ByteSource* source = nullptr;
  bool atStartOfData = true;
  JOCTET buffer[4096];
};

// Reads from the source's current position on.
void AttachJpegSource(j_decompress_ptr decoder, JpegSourceManager* manager,
                      ByteSource* source);

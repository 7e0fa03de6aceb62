// Feeds the JPEG decoder from a ByteSource through a 4096-byte buffer.
// Data that ends early is not fatal: the decoder gets a warning and an
// end-of-image marker, so a truncated file shows what it holds. A read that
// fails is a library error.
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/JpegLibrary.h"

#include <cstdint>

// Every scan of a progressive file is a pass over the whole image, and a
// few bytes of header make one, so a small hostile file could keep the
// decoder busy for minutes. Encoders write a dozen or two; after this many
// scan headers the data is taken to end, as if the file were cut there.
constexpr int kMaxJpegScans = 500;

struct JpegSourceManager {
  jpeg_source_mgr library;  // first: the decoder sees a jpeg_source_mgr*
  ByteSource* source = nullptr;
  bool atStartOfData = true;
  int scanHeaders = 0;          // start-of-scan markers passed on so far
  bool lastByteWasFF = false;   // of the previous buffer, for markers across buffers
  bool cutAtScanLimit = false;  // the rest of the data is withheld
  JOCTET buffer[4096];
};

// Reads from the source's current position on.
void AttachJpegSource(j_decompress_ptr decoder, JpegSourceManager* manager, ByteSource* source);

#include "codecs/JpegSourceManager.h"

#include <jerror.h>

#include <cstring>

namespace {

JpegSourceManager* ManagerOf(j_decompress_ptr decoder) {
  return reinterpret_cast<JpegSourceManager*>(decoder->src);
}

void InitSource(j_decompress_ptr) {}

// How many of the `got` new bytes to pass on: all of them, or those before
// the start-of-scan marker beyond the limit. Entropy-coded data stuffs its
// 0xFF bytes, so 0xFF 0xDA there is always a marker.
uint32_t BytesBeforeScanLimit(JpegSourceManager* manager, uint32_t got) {
  if (got == 0) return got;
  const JOCTET* bytes = manager->buffer;
  auto limitReached = [manager](JOCTET byte) {
    return byte == 0xDA && ++manager->scanHeaders > kMaxJpegScans;
  };
  auto cut = [manager](uint32_t at) {
    manager->cutAtScanLimit = true;
    return at;
  };
  if (manager->lastByteWasFF && limitReached(bytes[0])) return cut(0);
  // Only what follows an 0xFF can start a marker; the search for them is
  // what every byte of the file passes through.
  const JOCTET* end = bytes + got - 1;
  for (auto* ff = static_cast<const JOCTET*>(std::memchr(bytes, 0xFF, end - bytes)); ff;
       ff = static_cast<const JOCTET*>(std::memchr(ff + 1, 0xFF, end - (ff + 1))))
    // The 0xFF stays behind: one already passed on reads as a fill byte.
    if (limitReached(ff[1])) return cut(static_cast<uint32_t>(ff - bytes));
  manager->lastByteWasFF = bytes[got - 1] == 0xFF;
  return got;
}

boolean FillInputBuffer(j_decompress_ptr decoder) {
  JpegSourceManager* manager = ManagerOf(decoder);
  uint32_t got = 0;
  if (!manager->cutAtScanLimit) {
    // A short read is the normal end of the data; a failed one is not, and
    // the reader reports it as the source's own failure.
    const CodecError read = manager->source->Read(manager->buffer, sizeof manager->buffer, &got);
    if (read != CodecOk && read != ErrDataEnded) ERREXIT(decoder, JERR_FILE_READ);
    got = BytesBeforeScanLimit(manager, got);
  }
  if (got == 0) {
    if (manager->atStartOfData) ERREXIT(decoder, JERR_INPUT_EMPTY);
    WARNMS(decoder, JWRN_JPEG_EOF);
    manager->buffer[0] = 0xFF;
    manager->buffer[1] = JPEG_EOI;
    got = 2;
  }
  manager->library.next_input_byte = manager->buffer;
  manager->library.bytes_in_buffer = got;
  manager->atStartOfData = false;
  return TRUE;
}

void SkipInputData(j_decompress_ptr decoder, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* library = decoder->src;
  while (count > static_cast<long>(library->bytes_in_buffer)) {
    count -= static_cast<long>(library->bytes_in_buffer);
    // Never suspends: past the end it supplies end-of-image markers.
    FillInputBuffer(decoder);
  }
  library->next_input_byte += count;
  library->bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

}  // namespace

void AttachJpegSource(j_decompress_ptr decoder, JpegSourceManager* manager, ByteSource* source) {
  manager->source = source;
  manager->atStartOfData = true;
  manager->scanHeaders = 0;
  manager->lastByteWasFF = false;
  manager->cutAtScanLimit = false;
  manager->library.init_source = InitSource;
  manager->library.fill_input_buffer = FillInputBuffer;
  manager->library.skip_input_data = SkipInputData;
  manager->library.resync_to_restart = jpeg_resync_to_restart;
  manager->library.term_source = TermSource;
  manager->library.next_input_byte = nullptr;
  manager->library.bytes_in_buffer = 0;
  decoder->src = &manager->library;
}

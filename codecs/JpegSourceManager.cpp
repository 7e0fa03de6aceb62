#include "codecs/JpegSourceManager.h"

#include <jerror.h>

namespace {

JpegSourceManager* ManagerOf(j_decompress_ptr decoder) {
  return reinterpret_cast<JpegSourceManager*>(decoder->src);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr decoder) {
  JpegSourceManager* manager = ManagerOf(decoder);
  uint32_t got = 0;
  // A short read is the normal end of the data; a failed one ends it too.
  manager->source->Read(manager->buffer, sizeof manager->buffer, &got);
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

void AttachJpegSource(j_decompress_ptr decoder, JpegSourceManager* manager,
                      ByteSource* source) {
  manager->source = source;
  manager->atStartOfData = true;
  manager->library.init_source = InitSource;
  manager->library.fill_input_buffer = FillInputBuffer;
  manager->library.skip_input_data = SkipInputData;
  manager->library.resync_to_restart = jpeg_resync_to_restart;
  manager->library.term_source = TermSource;
  manager->library.next_input_byte = nullptr;
  manager->library.bytes_in_buffer = 0;
  decoder->src = &manager->library;
}

#include "codecs/JpegDestinationManager.h"

#include <jerror.h>

namespace {

JpegDestinationManager* ManagerOf(j_compress_ptr encoder) {
  return reinterpret_cast<JpegDestinationManager*>(encoder->dest);
}

void StartBuffer(JpegDestinationManager* manager) {
  manager->library.next_output_byte = manager->buffer;
  manager->library.free_in_buffer = sizeof manager->buffer;
}

void InitDestination(j_compress_ptr encoder) { StartBuffer(ManagerOf(encoder)); }

boolean EmptyOutputBuffer(j_compress_ptr encoder) {
  JpegDestinationManager* manager = ManagerOf(encoder);
  // The library calls this with a full buffer, whatever free_in_buffer says.
  if (!manager->write(manager->context, manager->buffer, sizeof manager->buffer))
    ERREXIT(encoder, JERR_FILE_WRITE);
  StartBuffer(manager);
  return TRUE;
}

void TermDestination(j_compress_ptr encoder) {
  JpegDestinationManager* manager = ManagerOf(encoder);
  size_t used = sizeof manager->buffer - manager->library.free_in_buffer;
  if (used > 0 && !manager->write(manager->context, manager->buffer, used))
    ERREXIT(encoder, JERR_FILE_WRITE);
}

}  // namespace

void AttachJpegDestination(j_compress_ptr encoder, JpegDestinationManager* manager,
                           JpegDestinationManager::WriteFunction write, void* context) {
  manager->write = write;
  manager->context = context;
  manager->library.init_destination = InitDestination;
  manager->library.empty_output_buffer = EmptyOutputBuffer;
  manager->library.term_destination = TermDestination;
  encoder->dest = &manager->library;
}

#include "codecs/JpegLibrary.h"

namespace {

// Never returns: back to the recovery point of the call sequence under way.
void ReturnToAdapter(j_common_ptr cinfo) {
  JpegErrorManager* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  std::longjmp(manager->recovery, 1);
}

// The shell extension has nowhere to show library warnings or traces.
void DropMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* UseJpegErrorManager(JpegErrorManager* manager) {
  jpeg_error_mgr* errors = jpeg_std_error(&manager->library);
  errors->error_exit = ReturnToAdapter;
  errors->output_message = DropMessage;
  return errors;
}

#include "Commands.h"

#include "OutputPath.h"
#include "ReplacementFile.h"
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageWriter.h"
#include "platform/forms/Modal.h"

#include <string>

namespace {

const char kFailedCaption[] = "Conversion Failed";

// Writes all of `image` into a file beside `output` and only then puts it in
// the output's place.
bool WriteConverted(int format, const std::string& output, ImageFile& image) {
  ReplacementFile file(output);
  if (!file.IsReady()) return false;
  bool written = false;
  {
    std::unique_ptr<ImageWriter> writer =
        CreateWriter(format, file.TemporaryPath(), image.GetNativeBitmap());
    if (writer && writer->Begin() == CodecOk) {
      written = writer->WriteRows(image.GetHeight()) == CodecOk;
      // A full disk may show only when the file is closed.
      written = writer->Finish() == CodecOk && written;
    }
  }
  return written && file.Commit();
}

}  // namespace

BOOL ConvertImage(HWND owner, const char* path, int format) {
  const char* extension = OutputExtension(format);
  if (!extension) {
    const char* description = FormatTableText(format);
    const std::string text =
        std::string("Don't know how to write format\n'") + (description ? description : "") + "'";
    ShowMessageBox(owner, text.c_str(), kFailedCaption, MB_OK);
    return FALSE;
  }
  const std::string output = ConvertedPath(path ? path : "", extension);
  // The menu offers formats by content, so a PNG named .jpg may be asked
  // for a JPEG: that would replace the original with a lossy copy.
  if (path && lstrcmpiA(output.c_str(), path) == 0) {
    ShowMessageBox(owner, "The output file would be the source image itself.", kFailedCaption,
                   MB_OK);
    return FALSE;
  }
  if (GetFileAttributesA(output.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ShowMessageBox(owner, "Output file exists.  Overwrite?", "Overwrite", MB_OKCANCEL) != IDOK)
    return TRUE;

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  ImageFile image(path);
  if (image.Load(true, false) != CodecOk) {
    ShowMessageBox(owner, "Could not load source image!", kFailedCaption, MB_OK);
    return FALSE;
  }
  if (!WriteConverted(format, output, image)) {
    ShowMessageBox(owner, "Can't write output image", kFailedCaption, MB_OK);
    return FALSE;
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

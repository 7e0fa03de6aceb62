#include "WallpaperBitmap.h"

#include "FileTitle.h"
#include "ReplacementFile.h"
#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageWriter.h"
#include "platform/codec/CodecPlatform.h"

#include <algorithm>
#include <memory>

namespace {

// About one hundredth of the picture per step.
int RowsPerStep(int height) { return std::max(1, (height + 50) / 100); }

bool Decode(ProgressDialog& progress, const char* path, ImageFile& image) {
  progress.SetProgress(0);
  progress.SetText(("Decoding " + FileTitleOf(path)).substr(0, 290).c_str());
  progress.Show();

  LoadOptions options;
  options.maxWidth = GetSystemMetrics(SM_CXSCREEN);
  options.maxHeight = GetSystemMetrics(SM_CYSCREEN);
  options.reductionMode = WallpaperReductionMode(codec_platform::ScreenDepth());
  options.fixedPalette = false;
  options.keepNative = false;
  options.makeDisplay = true;
  options.bottomUp = false;
  if (image.BeginLoad(options) != CodecOk) return false;
  const int step = RowsPerStep(image.GetHeight());
  while (!image.IsComplete() && !ProgressCancelled()) {
    if (image.DecodeRows(step) != CodecOk) break;
    progress.Pump(image.GetProgress());
  }
  return image.IsComplete() && image.EndLoad(false) == CodecOk;
}

bool Write(ProgressDialog& progress, ImageFile& image, const std::string& target) {
  progress.SetText("Writing BMP");
  progress.SetProgress(0);
  ReplacementFile file(target);
  if (!file.IsReady()) return false;
  bool written = false;
  {
    std::unique_ptr<ImageWriter> writer =
        CreateWriter(FormatBmp, file.TemporaryPath(), image.GetDisplayBitmap());
    if (!writer || writer->Begin() != CodecOk) return false;
    const int step = RowsPerStep(image.GetHeight());
    bool rowsWritten = true;
    while (rowsWritten && writer->Progress() < 10000 && !ProgressCancelled()) {
      rowsWritten = writer->WriteRows(step) == CodecOk;
      progress.Pump(writer->Progress());
    }
    written = writer->Finish() == CodecOk && rowsWritten && writer->Progress() == 10000;
  }
  return written && !ProgressCancelled() && file.Commit();
}

}  // namespace

std::string WallpaperPath(const char* caption) {
  char folder[261] = "";
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  std::string path(folder, std::min<size_t>(length, sizeof folder - 1));
  if (path.empty() || path.back() != '\\') path += '\\';
  return path + caption + " Wallpaper.bmp";
}

int WallpaperReductionMode(int depth) {
  if (depth <= 8) return 4;
  return depth == 16 ? 1 : 0;
}

WallpaperOutcome WriteWallpaperBitmap(ProgressDialog& progress, const char* path,
                                      const std::string& target) {
  ImageFile image(path);
  if (!Decode(progress, path, image))
    return ProgressCancelled() ? WallpaperOutcome::Cancelled : WallpaperOutcome::Unreadable;
  if (!Write(progress, image, target))
    return ProgressCancelled() ? WallpaperOutcome::Cancelled : WallpaperOutcome::Unwritable;
  return WallpaperOutcome::Written;
}

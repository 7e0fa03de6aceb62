#include "Thumbnail.h"

#include "codecs/ImageFile.h"

#include <windows.h>

#include <algorithm>

unsigned thumbnailDeadlineMs = kThumbnailDeadlineMs;

ThumbnailOutcome LoadThumbnail(ImageFile& image) {
  const DWORD start = GetTickCount();
  LoadOptions options;
  options.maxWidth = kThumbnailSize;
  options.maxHeight = kThumbnailSize;
  options.reductionMode = 0;
  options.fixedPalette = false;
  options.keepNative = false;
  options.makeDisplay = true;
  options.bottomUp = false;
  image.Release();
  if (image.BeginLoad(options) != CodecOk) return ThumbnailOutcome::Unreadable;
  // About a tenth of the thumbnail per step, with the clock read between
  // steps. Two steps in a row that move nothing mean a reader that will
  // never finish.
  const int rows = std::max(1, (image.GetHeight() + 9) / 10);
  int stalled = 0;
  while (!image.IsComplete() && stalled < 2) {
    if (GetTickCount() - start >= thumbnailDeadlineMs) {
      image.EndLoad(true);
      return ThumbnailOutcome::TooSlow;
    }
    const int before = image.GetProgress();
    if (image.DecodeRows(rows) != CodecOk) break;
    stalled = image.GetProgress() == before ? stalled + 1 : 0;
  }
  const bool complete = image.IsComplete();
  image.EndLoad(true);
  return complete && image.GetDisplayBitmap() ? ThumbnailOutcome::Loaded
                                              : ThumbnailOutcome::Unreadable;
}

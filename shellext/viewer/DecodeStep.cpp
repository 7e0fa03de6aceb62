#include "ImageView.h"
#include "ViewClass.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"

namespace {

// Pictures about 4000 pixels wide and wider are paced one row per step.
// Each step is a message sent from the pacing thread, and its round trip
// costs far more than decoding one row: such a step takes further rows
// until this much time has gone, and paints them as one band.
constexpr double kStepSliceMs = 12;

double ElapsedMs(const LARGE_INTEGER& since) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - since.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

// The rows of one step; `changedRect` bounds them all.
CodecError ImageView::DecodeBatches(int rowCount, bool* changed) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  changedRect = ImageRect();
  CodecError result = CodecOk;
  do {
    bool batchChanged = false;
    ImageRect batch;
    result = imageFile->DecodeRows(rowCount, &batchChanged, &batch);
    if (result != CodecOk) break;
    if (batchChanged) {
      *changed = true;
      changedRect = Union(changedRect, batch);
    }
  } while (rowCount == 1 && !imageFile->IsComplete() && ElapsedMs(start) < kStepSliceMs);
  return result;
}

// One band of rows, asked for by the pacing thread. The answer 0 stops it.
LRESULT ImageView::DecodeStep(int rowCount) {
  if (!imageFile || imageFile->IsComplete()) return 1;
  if (!imageFile->IsLoading()) {
    ShowCursorOverView(viewCursors.arrowWait);
    LoadOptions options;
    options.maxWidth = maxWidth;
    options.maxHeight = maxHeight;
    options.reductionMode = reductionMode;
    options.fixedPalette = fixedPalette;
    options.reduceToBound = true;
    const int laidOutWidth = imageFile->GetWidth();
    const int laidOutHeight = imageFile->GetHeight();
    if (imageFile->BeginLoadForView(options) != CodecOk) {
      Attach(nullptr, true);
      PostMessageA(parent, kViewCannotShow, 0, 0);
      return 0;
    }
    // A picture too large to hold whole is shown smaller than laid out.
    if (imageFile->GetWidth() != laidOutWidth || imageFile->GetHeight() != laidOutHeight) Layout();
    SetScrollLimitsFromClient(2);
  }

  bool changed = false;
  CodecError result;
  if (rowCount > 100) {
    result = imageFile->DecodeRows(rowCount);
    InvalidateRect(window, nullptr, FALSE);
  } else {
    result = DecodeBatches(rowCount, &changed);
  }
  if (result != CodecOk) {
    // What was decoded stays on show, with the rows this step made before
    // it failed.
    const ImageRect decoded = imageFile->GetDecodedRect();
    imageFile->EndLoad(false);
    ShowRestingCursor();
    PaintPictureRect(decoded);
    if (decoded.right <= decoded.left || decoded.bottom <= decoded.top)
      PostMessageA(parent, kViewCannotShow, 0, 0);
    return 0;
  }
  if (imageFile->IsComplete()) {
    imageFile->EndLoad(false);
    ShowRestingCursor();
  }
  if (changed) PaintPictureRect(changedRect);
  return 1;
}

void ImageView::PaintPictureRect(const ImageRect& picture) {
  const RECT band = {picture.left - scrollX, picture.top - scrollY, picture.right - scrollX,
                     picture.bottom - scrollY};
  RECT client, shown;
  GetClientRect(window, &client);
  // Most bands of a tall picture lie below the window: nothing to paint.
  if (IntersectRect(&shown, &band, &client)) {
    InvalidateRect(window, &band, FALSE);
    UpdateWindow(window);
  }
}

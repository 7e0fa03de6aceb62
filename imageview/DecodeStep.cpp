#include "ImageView.h"
#include "ViewClass.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"

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
    if (imageFile->BeginLoadForView(options) != CodecOk) {
      Attach(nullptr, true);
      return 0;
    }
    SetScrollLimitsFromClient(2);
  }

  bool changed = false;
  CodecError result;
  if (rowCount > 100) {
    result = imageFile->DecodeRows(rowCount);
    InvalidateRect(window, nullptr, FALSE);
  } else {
    result = imageFile->DecodeRows(rowCount, &changed, &changedRect);
  }
  if (result != CodecOk) {
    // What was decoded stays on show.
    imageFile->EndLoad(false);
    ShowRestingCursor();
    return 0;
  }
  if (imageFile->IsComplete()) {
    imageFile->EndLoad(false);
    ShowRestingCursor();
  }
  if (changed) {
    const RECT band = {changedRect.left - scrollX, changedRect.top - scrollY,
                       changedRect.right - scrollX, changedRect.bottom - scrollY};
    RECT client, shown;
    GetClientRect(window, &client);
    // Most bands of a tall picture lie below the window: nothing to paint.
    if (IntersectRect(&shown, &band, &client)) {
      InvalidateRect(window, &band, FALSE);
      UpdateWindow(window);
    }
  }
  return 1;
}

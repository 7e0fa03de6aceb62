#include <algorithm>

#include "Gdi.h"
#include "ImageView.h"
#include "codecs/ImageFile.h"

void ImageView::Paint() {
  PaintDC dc(window);
  const RECT update = dc.UpdateRect();
  HBITMAP bitmap = nullptr;
  if (imageFile)
    bitmap = imageFile->GetDisplayBitmap() ? imageFile->GetDisplayBitmap()
                                           : imageFile->GetNativeBitmap();
  if (!bitmap) {
    FillRect(dc, &update, backgroundBrush);
    return;
  }

  const ImageRect decodedPart = imageFile->GetDecodedRect();
  const RECT decoded = {decodedPart.left - scrollX, decodedPart.top - scrollY,
                        decodedPart.right - scrollX, decodedPart.bottom - scrollY};
  const RECT source = {
      std::max(0L, update.left + scrollX), std::max(0L, update.top + scrollY),
      std::min(static_cast<LONG>(imageFile->GetWidth()), update.right + scrollX),
      std::min(static_cast<LONG>(imageFile->GetHeight()), update.bottom + scrollY)};

  HPALETTE palette = imageFile->GetPalette();
  if (palette && palette != realizedPalette) {
    // Colours drawn under the old palette would show wrong until repainted.
    WindowDC whole(window);
    RECT client = {};
    GetClientRect(window, &client);
    FillRect(whole, &client, backgroundBrush);
    realizedPalette = palette;
  }
  RealizedPalette screenPalette(dc, palette);
  {
    MemoryDC memory(dc);
    SelectedObject picture(memory, bitmap);
    RealizedPalette memoryPalette(memory, palette);
    Region clip(decoded);
    SelectClipRgn(dc, clip);
    if (source.right > source.left && source.bottom > source.top)
      BitBlt(dc, source.left - scrollX, source.top - scrollY, source.right - source.left,
             source.bottom - source.top, memory, source.left, source.top, SRCCOPY);
    SelectClipRgn(dc, nullptr);
  }
  Region undecoded(update);
  Region decodedRegion(decoded);
  CombineRgn(undecoded, undecoded, decodedRegion, RGN_DIFF);
  FillRgn(dc, undecoded, backgroundBrush);
}

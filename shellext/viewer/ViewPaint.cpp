#include <algorithm>

#include "ImageView.h"
#include "codecs/ImageFile.h"
#include "platform/gdi/Gdi.h"

void ImageView::Paint() {
  PaintDC paint(window);
  HDC dc = paint.Get();
  const RECT update = paint.UpdateRect();
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
    FillRect(whole.Get(), &client, backgroundBrush);
    realizedPalette = palette;
  }
  RealizedPalette screenPalette(dc, palette);
  {
    MemoryDC memory(dc);
    SelectGuard picture(memory.Get(), bitmap);
    RealizedPalette memoryPalette(memory.Get(), palette);
    RegionHandle clip(CreateRectRgnIndirect(&decoded));
    SelectClipRgn(dc, clip.Get());
    if (source.right > source.left && source.bottom > source.top)
      BitBlt(dc, source.left - scrollX, source.top - scrollY, source.right - source.left,
             source.bottom - source.top, memory.Get(), source.left, source.top, SRCCOPY);
    SelectClipRgn(dc, nullptr);
  }
  RegionHandle undecoded(CreateRectRgnIndirect(&update));
  RegionHandle decodedRegion(CreateRectRgnIndirect(&decoded));
  CombineRgn(undecoded.Get(), undecoded.Get(), decodedRegion.Get(), RGN_DIFF);
  FillRgn(dc, undecoded.Get(), backgroundBrush);
}

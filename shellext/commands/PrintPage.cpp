#include "PrintPage.h"

#include "FileTitle.h"
#include "PrintLayout.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "platform/forms/Modal.h"
#include "platform/gdi/Gdi.h"

#include <algorithm>
#include <string>

namespace {

const char kCaption[] = "Glimmora32";

void ShowLastError(HWND owner, const char* caption, UINT type) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 GetLastError(), 0, text, sizeof text, nullptr);
  ShowMessageBox(owner, text, caption, type);
}

bool Decode(HWND owner, ProgressDialog& progress, ImageFile& image, const std::string& title) {
  LoadOptions options;
  options.maxWidth = 0;
  options.maxHeight = 0;
  options.reductionMode = 0;
  options.fixedPalette = false;
  options.keepNative = true;
  options.makeDisplay = false;
  options.bottomUp = true;
  // The page is filled anyway: a picture too large to hold whole is printed
  // from a smaller copy.
  options.reduceToBound = true;
  if (image.BeginLoad(options) != CodecOk) {
    ShowMessageBox(owner, ("Could not read image:\n" + title).c_str(), kCaption, MB_OK);
    return false;
  }
  progress.SetText(("Decoding " + title).substr(0, 310).c_str());
  const int step = std::max(1, (image.GetHeight() + 50) / 100);
  while (!image.IsComplete() && !ProgressCancelled()) {
    if (image.DecodeRows(step) != CodecOk) {
      ShowMessageBox(owner, "Could not load image.", kCaption, MB_OK);
      break;
    }
    progress.Pump(image.GetProgress());
  }
  return image.IsComplete() && !ProgressCancelled() && image.EndLoad(false) == CodecOk;
}

// The bitmap selected into a memory context compatible with the printer.
class SelectedBitmap {
 public:
  SelectedBitmap(HDC printer, HBITMAP bitmap)
      : memory_(printer), selection_(memory_.Get(), bitmap) {}

  bool IsSelected() const { return selection_.Selected(); }
  HDC Context() const { return memory_.Get(); }

 private:
  MemoryDC memory_;
  SelectGuard selection_;
};

bool StretchPicture(HDC printer, const SelectedBitmap& selected, HBITMAP bitmap,
                    const PrintPlacement& placed) {
  DIBSECTION section{};
  if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header = section.dsBmih;
  if (info.header.biBitCount <= 8) {
    const UINT count = info.header.biClrUsed ? info.header.biClrUsed : 1u << info.header.biBitCount;
    GetDIBColorTable(selected.Context(), 0, std::min(count, 256u), info.colors);
  }
  const int rows = StretchDIBits(printer, placed.x, placed.y, placed.width, placed.height, 0, 0,
                                 section.dsBm.bmWidth, section.dsBm.bmHeight, section.dsBm.bmBits,
                                 reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  return rows != 0 && rows != static_cast<int>(GDI_ERROR);
}

}  // namespace

bool PrintPage(HDC printer, int rasterCaps, HWND owner, ProgressDialog& progress,
               ImageFile& image) {
  const char* path = image.GetPath();
  const std::string title = FileTitleOf(path);
  if (!Decode(owner, progress, image, title)) return false;

  progress.SetText(("Printing " + title + "... Please wait").c_str());
  progress.SetProgress(0);
  HBITMAP bitmap = image.GetNativeBitmap();
  if (!bitmap || StartPage(printer) <= 0) return false;

  PageMetrics page;
  page.width = GetDeviceCaps(printer, HORZRES);
  page.height = GetDeviceCaps(printer, VERTRES);
  page.printerDpiX = GetDeviceCaps(printer, LOGPIXELSX);
  page.printerDpiY = GetDeviceCaps(printer, LOGPIXELSY);
  {
    WindowDC screen(nullptr);
    page.screenDpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    page.screenDpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  }

  SIZE text{};
  if (path && *path)
    GetTextExtentExPointA(printer, title.c_str(), static_cast<int>(title.size()), 0, nullptr,
                          nullptr, &text);
  const PrintPlacement placed =
      PlacePicture(page, image.GetWidth(), image.GetHeight(), text.cx, text.cy);
  if (path && *path)
    TextOutA(printer, placed.titleX, 0, title.c_str(), static_cast<int>(title.size()));

  SelectedBitmap selected(printer, bitmap);
  if (!selected.IsSelected()) {
    ShowLastError(owner, "SelectObject", MB_ICONINFORMATION);
    return false;
  }
  bool copied;
  if (rasterCaps & (RC_STRETCHBLT | RC_STRETCHDIB))
    copied = StretchPicture(printer, selected, bitmap, placed);
  else
    copied = BitBlt(printer, placed.x, placed.y, placed.width, placed.height, selected.Context(), 0,
                    0, SRCCOPY) != 0;
  // A copy the user cancelled needs no explanation.
  if (!copied && !ProgressCancelled()) ShowLastError(owner, "Error printing bitmap", MB_OK);
  return copied;
}

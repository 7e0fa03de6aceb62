// The codec seam on Windows: DIB sections, logical palettes and the screen
// device context.
#include "platform/codec/CodecPlatform.h"
#include "platform/forms/Modal.h"
#include "platform/gdi/Gdi.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The screen context with a palette selected and realised for the time of
// one creation, so that palette-index colour tables resolve against it.
class ScreenWithPalette {
 public:
  explicit ScreenWithPalette(HPALETTE palette)
      : screen_(nullptr), palette_(screen_.Get(), palette, FALSE) {}
  HDC dc() const { return screen_.Get(); }

 private:
  WindowDC screen_;
  RealizedPalette palette_;
};

// A memory context with one bitmap selected into it.
class BitmapContext {
 public:
  explicit BitmapContext(HBITMAP bitmap) : memory_(nullptr), selection_(memory_.Get(), bitmap) {}
  HDC dc() const { return selection_.Selected() ? memory_.Get() : nullptr; }

 private:
  MemoryDC memory_;
  SelectGuard selection_;
};

// BITMAPINFO with room for 256 colour-table entries of either kind.
struct DibInfo {
  BITMAPINFOHEADER header;
  WORD indices[256];
};

// GetObject reports a DIB section's height as positive whatever its row
// order, so the order is found from the pixels: take a pair of mirrored
// memory rows that differ and ask GDI which of them is the picture's bottom
// row. A picture whose mirrored rows all agree looks the same either way.
bool IsBottomUp(HBITMAP bitmap, const DIBSECTION& section, int stride) {
  const int height = section.dsBm.bmHeight;
  const int depth = section.dsBmih.biBitCount;
  const size_t rowBytes = static_cast<size_t>((section.dsBm.bmWidth * depth) / 8);
  const uint8_t* bits = static_cast<const uint8_t*>(section.dsBm.bmBits);
  if (!bits || rowBytes == 0) return false;
  int probe = -1;
  for (int k = 0; k < height / 2 && probe < 0; ++k)
    if (std::memcmp(bits + static_cast<size_t>(k) * stride,
                    bits + static_cast<size_t>(height - 1 - k) * stride, rowBytes) != 0)
      probe = k;
  if (probe < 0) return false;
  // Room for the colour table GetDIBits writes for palette depths.
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
  } request;
  std::memset(&request, 0, sizeof request);
  request.header.biSize = sizeof(BITMAPINFOHEADER);
  request.header.biWidth = section.dsBm.bmWidth;
  request.header.biHeight = height;  // scan line `probe` counts from the bottom
  request.header.biPlanes = 1;
  request.header.biBitCount = static_cast<WORD>(depth);
  request.header.biCompression = BI_RGB;
  std::vector<uint8_t> line(static_cast<size_t>(stride));
  const WindowDC screen(nullptr);
  int got = screen.Get() ? GetDIBits(screen.Get(), bitmap, probe, 1, line.data(),
                                     reinterpret_cast<BITMAPINFO*>(&request), DIB_RGB_COLORS)
                         : 0;
  return got == 1 &&
         std::memcmp(line.data(), bits + static_cast<size_t>(probe) * stride, rowBytes) == 0;
}

}  // namespace

namespace codec_platform {

int ScreenDepth() {
  const WindowDC screen(nullptr);
  if (!screen.Get()) return 0;
  int depth = GetDeviceCaps(screen.Get(), BITSPIXEL);
  if (depth >= 25) return 24;
  if (depth == 15) return 16;
  return depth;
}

uint32_t TickCount() { return GetTickCount(); }

PaletteHandle CreateLogicalPalette(const uint8_t (*rgb)[3], int count) {
  if (count < 1 || count > 256) return nullptr;
  struct {
    WORD version;
    WORD entries;
    PALETTEENTRY colours[256];
  } logical;
  logical.version = 0x300;
  logical.entries = static_cast<WORD>(count);
  for (int i = 0; i < count; ++i)
    logical.colours[i] = PALETTEENTRY{rgb[i][0], rgb[i][1], rgb[i][2], 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&logical));
}

void DeletePalette(PaletteHandle palette) {
  if (palette) DeleteObject(palette);
}

DibResult CreateDib(const DibRequest& request, PaletteHandle palette, DibHandle* bitmap,
                    uint8_t** bits) {
  *bitmap = nullptr;
  *bits = nullptr;
  ScreenWithPalette screen(palette);
  if (!screen.dc()) return DibResult::NoScreen;
  DibInfo info;
  std::memset(&info, 0, sizeof info);
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = request.width;
  info.header.biHeight = request.bottomUp ? request.height : -request.height;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(request.depth);
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = request.depth <= 8 ? request.colorCount : 0;
  for (int i = 0; i < request.colorCount && i < 256; ++i)
    info.indices[i] = request.paletteIndices ? request.paletteIndices[i] : static_cast<WORD>(i);
  void* pixels = nullptr;
  HBITMAP made =
      CreateDIBSection(screen.dc(), reinterpret_cast<BITMAPINFO*>(&info),
                       request.depth <= 8 ? DIB_PAL_COLORS : DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!made || !pixels) {
    if (made) DeleteObject(made);
    return DibResult::Failed;
  }
  *bitmap = made;
  *bits = static_cast<uint8_t*>(pixels);
  return DibResult::Ok;
}

void DeleteBitmap(DibHandle bitmap) {
  if (bitmap) DeleteObject(bitmap);
}

bool SetDibColors(DibHandle bitmap, const uint8_t (*rgb)[3], int count) {
  if (!bitmap || count < 1 || count > 256) return false;
  RGBQUAD table[256];
  for (int i = 0; i < count; ++i) table[i] = RGBQUAD{rgb[i][2], rgb[i][1], rgb[i][0], 0};
  BitmapContext context(bitmap);
  if (!context.dc()) return false;
  return SetDIBColorTable(context.dc(), 0, count, table) == static_cast<UINT>(count);
}

bool DescribeDib(DibHandle bitmap, DibDescription* out) {
  DIBSECTION section;
  if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
  const BITMAPINFOHEADER& header = section.dsBmih;
  out->width = header.biWidth;
  out->height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  out->bitsPerPixel = header.biPlanes * header.biBitCount;
  out->stride = ((out->width * out->bitsPerPixel + 7) / 8 + 3) & ~3;
  out->bottomUp = header.biHeight < 0 ? false : IsBottomUp(bitmap, section, out->stride);
  out->imageSize = header.biSizeImage;
  out->colorsUsedField = header.biClrUsed;
  out->bits = static_cast<uint8_t*>(section.dsBm.bmBits);
  out->colorCount = 0;
  out->colorTableError = 0;
  int colours = header.biClrUsed;
  if (colours == 0 && out->bitsPerPixel <= 8) colours = 1 << out->bitsPerPixel;
  if (colours > 256) colours = 256;
  if (colours > 0) {
    RGBQUAD table[256];
    BitmapContext context(bitmap);
    SetLastError(0);
    // A bitmap selected into another context cannot be selected here.
    UINT got = context.dc() ? GetDIBColorTable(context.dc(), 0, colours, table) : 0;
    if (got == 0) {
      const DWORD error = GetLastError();
      out->colorTableError = error ? error : ERROR_INVALID_HANDLE;
      return false;
    }
    out->colorCount = static_cast<int>(got);
    for (UINT i = 0; i < got; ++i)
      out->colorTable[i] = RgbQuad{table[i].rgbBlue, table[i].rgbGreen, table[i].rgbRed, 0};
  }
  return out->bits != nullptr;
}

int FileOpenRead(const char* path) {
  if (!path) return -1;
  HFILE file = _lopen(path, OF_READ | OF_SHARE_DENY_NONE);
  return file == HFILE_ERROR ? -1 : static_cast<int>(file);
}

long FileRead(int handle, void* buffer, unsigned count) {
  UINT got = _lread(static_cast<HFILE>(handle), buffer, count);
  return got == static_cast<UINT>(HFILE_ERROR) ? -1 : static_cast<long>(got);
}

long FileSeek(int handle, long offset, int origin) {
  LONG result = _llseek(static_cast<HFILE>(handle), offset, origin);
  return result == HFILE_ERROR ? -1 : static_cast<long>(result);
}

void FileClose(int handle) {
  if (handle >= 0) _lclose(static_cast<HFILE>(handle));
}

bool FileExists(const char* path) {
  return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void* ShowWaitCursor() { return SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void RestoreCursor(void* token) { SetCursor(static_cast<HCURSOR>(token)); }

bool FindModuleResource(ModuleHandle module, const char* name, const uint8_t** data,
                        uint32_t* length) {
  if (!name) return false;
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!found) return false;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return false;
  const void* bytes = LockResource(loaded);
  DWORD size = SizeofResource(module, found);
  if (!bytes || size == 0) return false;
  *data = static_cast<const uint8_t*>(bytes);
  *length = size;
  return true;
}

namespace {
SystemErrorSink systemErrorSink = nullptr;
}

void SetSystemErrorSink(SystemErrorSink sink) { systemErrorSink = sink; }

void ReportSystemError(const char* caption, uint32_t code) {
  char text[512] = "";
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, code, 0, text, sizeof text, nullptr);
  if (length == 0) std::snprintf(text, sizeof text, "Error %lu", static_cast<unsigned long>(code));
  // System texts end with a line break, which a box or a printed line adds itself.
  for (size_t end = std::strlen(text); end > 0 && (text[end - 1] == '\r' || text[end - 1] == '\n');)
    text[--end] = '\0';
  if (systemErrorSink)
    systemErrorSink(caption, text);
  else
    ShowMessageBox(nullptr, text, caption, MB_OK | MB_ICONSTOP);
}

uint32_t LastSystemError() { return GetLastError(); }

}  // namespace codec_platform

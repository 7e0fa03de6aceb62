// The few things the codec layer needs from the platform: bitmaps with a
// writable pixel buffer and a colour table, logical palettes, the screen's
// colour depth, a millisecond clock, plain file access by handle, and
// module resources. On Windows the handles are the real GDI and kernel
// handles (HBITMAP, HPALETTE, HMODULE, HFILE); on other hosts they are
// plain memory objects that tests can inspect.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
// The very types <windows.h> declares under STRICT, so GDI code can use the
// handles without casts.
struct HBITMAP__;
struct HPALETTE__;
struct HINSTANCE__;
using DibHandle = HBITMAP__*;
using PaletteHandle = HPALETTE__*;
using ModuleHandle = HINSTANCE__*;
#else
struct HostBitmap;
struct HostPalette;
struct HostModule;
using DibHandle = HostBitmap*;
using PaletteHandle = HostPalette*;
using ModuleHandle = HostModule*;
#endif

// One colour-table entry in DIB order.
struct RgbQuad {
  uint8_t blue;
  uint8_t green;
  uint8_t red;
  uint8_t reserved;
};

// What to create: a device-independent bitmap. For depths of 8 and less the
// colour table holds indices into `palette` (resolved when the bitmap is
// made), otherwise the bitmap has no colour table.
struct DibRequest {
  int width = 0;
  int height = 0;
  bool bottomUp = false;
  int depth = 0;  // 1, 8, 16 or 24
  const uint16_t* paletteIndices = nullptr;
  int colorCount = 0;
};

// What a bitmap is, as a writer or a test sees it.
struct DibDescription {
  int width = 0;
  int height = 0;                // absolute
  bool bottomUp = false;         // memory row 0 is the bottom image row
  int bitsPerPixel = 0;          // planes x bits
  int stride = 0;                // bytes per memory row
  uint32_t imageSize = 0;        // bytes of pixel data as the header records it
  uint32_t colorsUsedField = 0;  // the header's colours-used value
  uint8_t* bits = nullptr;
  int colorCount = 0;  // entries in colorTable
  RgbQuad colorTable[256] = {};
  // Not 0 when reading the colour table failed: the system's error code.
  uint32_t colorTableError = 0;
};

enum class DibResult { Ok, NoScreen, Failed };

namespace codec_platform {

// Bits per pixel of the screen: 25 and more count as 24, 15 as 16; 0 when
// the screen cannot be asked.
int ScreenDepth();

// Milliseconds from an arbitrary start, wrapping like GetTickCount.
uint32_t TickCount();

// A logical palette of up to 256 red, green, blue entries; null on failure.
PaletteHandle CreateLogicalPalette(const uint8_t (*rgb)[3], int count);
void DeletePalette(PaletteHandle palette);

// Creates the bitmap with `palette` selected into the screen context so
// palette-index colour tables resolve against it.
DibResult CreateDib(const DibRequest& request, PaletteHandle palette, DibHandle* bitmap,
                    uint8_t** bits);
void DeleteBitmap(DibHandle bitmap);

// Replaces the first `count` colour-table entries of an 8-bit bitmap.
bool SetDibColors(DibHandle bitmap, const uint8_t (*rgb)[3], int count);

// False when the handle is not a device-independent bitmap, or when its
// colour table cannot be read (then `colorTableError` says why).
bool DescribeDib(DibHandle bitmap, DibDescription* out);

// A failed system call told to the user with the system's text for `code`:
// by default a message box captioned `caption` on Windows (through the
// program's one message-box seam), a line on standard error elsewhere.
// Console tools install a sink that prints; null restores the default.
using SystemErrorSink = void (*)(const char* caption, const char* text);
void SetSystemErrorSink(SystemErrorSink sink);
void ReportSystemError(const char* caption, uint32_t code);
// The calling thread's last system error (GetLastError; errno elsewhere).
uint32_t LastSystemError();

// Files by handle (an HFILE on Windows, a descriptor elsewhere).
int FileOpenRead(const char* path);                       // -1 on failure
long FileRead(int handle, void* buffer, unsigned count);  // -1 on failure
long FileSeek(int handle, long offset, int origin);       // new position or -1
void FileClose(int handle);
bool FileExists(const char* path);  // its attributes can be read

// The wait cursor for one long step inside a call (the JPEG reader reading
// the first strip of a progressive pass); the token restores what was shown.
void* ShowWaitCursor();
void RestoreCursor(void* token);

// A module resource of type RT_RCDATA; false when it cannot be found.
bool FindModuleResource(ModuleHandle module, const char* name, const uint8_t** data,
                        uint32_t* length);

}  // namespace codec_platform

// The codec seam on hosts without GDI: bitmaps and palettes in plain memory.
#include "platform/codec/HostCodecPlatform.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int screenDepth = 24;
int bitmapFailures = 0;
int paletteFailures = 0;
int liveBitmaps = 0;
int waitCursorShows = 0;
bool waitCursorShown = false;
int waitWasShown, waitWasNotShown;  // cursor tokens: what to restore
int livePalettes = 0;
int colorTableFailures = 0;
codec_platform::SystemErrorSink systemErrorSink = nullptr;

struct Resource {
  ModuleHandle module;
  std::string name;
  uintptr_t id;  // an integer id, or 0 for a name
  const uint8_t* data;
  uint32_t length;
};

// Names as Windows takes them: a string, or an id in the low word.
bool IsId(const char* name) { return reinterpret_cast<uintptr_t>(name) >> 16 == 0; }
std::vector<Resource>& Resources() {
  static std::vector<Resource> resources;
  return resources;
}

}  // namespace

namespace host_codec {

void SetScreenDepth(int depth) { screenDepth = depth; }
void FailNextBitmaps(int count) { bitmapFailures = count; }
void FailNextPalettes(int count) { paletteFailures = count; }
void FailNextColorTables(int count) { colorTableFailures = count; }

void AddResource(ModuleHandle module, const char* name, const uint8_t* data, uint32_t length) {
  if (IsId(name))
    Resources().push_back({module, std::string(), reinterpret_cast<uintptr_t>(name), data, length});
  else
    Resources().push_back({module, name, 0, data, length});
}
void ClearResources() { Resources().clear(); }

int LiveBitmaps() { return liveBitmaps; }
int LivePalettes() { return livePalettes; }
int WaitCursorShows() { return waitCursorShows; }
bool WaitCursorShown() { return waitCursorShown; }

}  // namespace host_codec

namespace codec_platform {

int ScreenDepth() {
  if (screenDepth >= 25) return 24;
  if (screenDepth == 15) return 16;
  return screenDepth;
}

uint32_t TickCount() {
  using namespace std::chrono;
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

PaletteHandle CreateLogicalPalette(const uint8_t (*rgb)[3], int count) {
  if (count < 1 || count > 256) return nullptr;
  if (paletteFailures > 0) {
    --paletteFailures;
    return nullptr;
  }
  auto* palette = new HostPalette;
  for (int i = 0; i < count; ++i) palette->entries.push_back({rgb[i][2], rgb[i][1], rgb[i][0], 0});
  ++livePalettes;
  return palette;
}

void DeletePalette(PaletteHandle palette) {
  if (!palette) return;
  --livePalettes;
  delete palette;
}

DibResult CreateDib(const DibRequest& request, PaletteHandle palette, DibHandle* bitmap,
                    uint8_t** bits) {
  *bitmap = nullptr;
  *bits = nullptr;
  if (screenDepth == 0) return DibResult::NoScreen;
  if (request.width <= 0 || request.height <= 0) return DibResult::Failed;
  if (bitmapFailures > 0) {
    --bitmapFailures;
    return DibResult::Failed;
  }
  auto* dib = new HostBitmap;
  dib->width = request.width;
  dib->height = request.height;
  dib->bottomUp = request.bottomUp;
  dib->depth = request.depth;
  dib->stride = ((request.width * request.depth + 7) / 8 + 3) & ~3;
  if (!dib->bits.Allocate(static_cast<size_t>(dib->stride) * request.height)) {
    delete dib;
    return DibResult::Failed;
  }
  if (request.depth <= 8) {
    // Like DIB_PAL_COLORS: each index is looked up in the selected palette.
    for (int i = 0; i < request.colorCount; ++i) {
      RgbQuad colour{0, 0, 0, 0};
      int index = request.paletteIndices ? request.paletteIndices[i] : i;
      if (palette && index < static_cast<int>(palette->entries.size()))
        colour = palette->entries[index];
      dib->colors.push_back(colour);
    }
  }
  ++liveBitmaps;
  *bitmap = dib;
  *bits = dib->bits.data();
  return DibResult::Ok;
}

void DeleteBitmap(DibHandle bitmap) {
  if (!bitmap) return;
  --liveBitmaps;
  delete bitmap;
}

bool SetDibColors(DibHandle bitmap, const uint8_t (*rgb)[3], int count) {
  if (!bitmap || bitmap->depth > 8) return false;
  if (count > static_cast<int>(bitmap->colors.size()))
    bitmap->colors.resize(count < 256 ? count : 256);
  for (int i = 0; i < count && i < 256; ++i)
    bitmap->colors[i] = {rgb[i][2], rgb[i][1], rgb[i][0], 0};
  return true;
}

bool DescribeDib(DibHandle bitmap, DibDescription* out) {
  if (!bitmap) return false;
  out->width = bitmap->width;
  out->height = bitmap->height;
  out->bottomUp = bitmap->bottomUp;
  out->bitsPerPixel = bitmap->depth;
  out->stride = bitmap->stride;
  out->imageSize = static_cast<uint32_t>(bitmap->bits.size());
  out->colorsUsedField = static_cast<uint32_t>(bitmap->colors.size());
  out->bits = bitmap->bits.data();
  out->colorCount = static_cast<int>(bitmap->colors.size());
  out->colorTableError = 0;
  if (out->colorCount > 0 && colorTableFailures > 0) {
    --colorTableFailures;
    out->colorCount = 0;
    out->colorTableError = EIO;
    return false;
  }
  for (int i = 0; i < out->colorCount && i < 256; ++i) out->colorTable[i] = bitmap->colors[i];
  return true;
}

int FileOpenRead(const char* path) {
  if (!path) return -1;
  return ::open(path, O_RDONLY);
}

long FileRead(int handle, void* buffer, unsigned count) {
  ssize_t got = ::read(handle, buffer, count);
  return got < 0 ? -1 : static_cast<long>(got);
}

long FileSeek(int handle, long offset, int origin) {
  int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : SEEK_END;
  off_t result = ::lseek(handle, offset, whence);
  return result < 0 ? -1 : static_cast<long>(result);
}

void FileClose(int handle) {
  if (handle >= 0) ::close(handle);
}

bool FileExists(const char* path) {
  struct stat info;
  return path && ::stat(path, &info) == 0;
}

void* ShowWaitCursor() {
  ++waitCursorShows;
  void* token = waitCursorShown ? &waitWasShown : &waitWasNotShown;
  waitCursorShown = true;
  return token;
}

void RestoreCursor(void* token) { waitCursorShown = token == &waitWasShown; }

bool FindModuleResource(ModuleHandle module, const char* name, const uint8_t** data,
                        uint32_t* length) {
  if (!name) return false;
  const uintptr_t id = IsId(name) ? reinterpret_cast<uintptr_t>(name) : 0;
  for (const Resource& resource : Resources()) {
    if (resource.module == module && resource.id == id && (id != 0 || resource.name == name)) {
      *data = resource.data;
      *length = resource.length;
      return true;
    }
  }
  return false;
}

void SetSystemErrorSink(SystemErrorSink sink) { systemErrorSink = sink; }

void ReportSystemError(const char* caption, uint32_t code) {
  const char* text = std::strerror(static_cast<int>(code));
  if (systemErrorSink)
    systemErrorSink(caption, text);
  else
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

uint32_t LastSystemError() { return static_cast<uint32_t>(errno); }

}  // namespace codec_platform

// One image and, once loaded, its bitmaps: where the image lives (a path, a
// module resource, a slice of an open file or a block of memory), its
// detected format and size, and after loading a display bitmap in the
// screen's depth, an optional bitmap in the image's own depth and a logical
// palette. Loading is progressive: BeginLoad, DecodeRows in batches (the
// partial image can be drawn in between), EndLoad; or Load / LoadFitted in
// one call. Every operation returns non-zero on success and otherwise
// leaves a CodecError in LastError().
#pragma once

#include "codecs/ByteSource.h"
#include "codecs/ImageRect.h"
#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <memory>

class ImageReader;

class ImageFile {
 public:
  explicit ImageFile(const char* path);
  ImageFile(ModuleHandle module, const char* resourceName);
  explicit ImageFile(const ImageSource& source);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  // Detection runs once, on the first 4095 bytes.
  int GetFormat();
  int DetectFormat();
  int GetSourceWidth();
  int GetSourceHeight();
  int GetSourceBitsPerPixel();
  int GetWidth();
  int GetHeight();
  int IsGrey() const { return isGrey_; }

  int BeginLoad(int maxWidth, int maxHeight, int reductionMode, int fixedPalette,
                int keepNative, int makeDisplay, int bottomUp);
  int BeginLoadForView(int maxWidth, int maxHeight, int reductionMode, int fixedPalette,
                       int bottomUp);
  // `changed` and `rect` may be null.
  int DecodeRows(int rowCount, int* changed, ImageRect* rect);
  int EndLoad(int discardIfIncomplete);
  int LoadFitted(int maxWidth, int maxHeight, int reductionMode, int fixedPalette,
                 int keepNative, int makeDisplay);
  int Load(int keepNative, int makeDisplay);
  void Release();

  BitmapHandle GetDisplayBitmap() const { return displayBitmap_; }
  BitmapHandle GetNativeBitmap() const { return nativeBitmap_; }
  PaletteHandle GetPalette() const { return palette_; }
  const char* GetPath() const;
  const ImageSource& Source() const { return source_; }
  bool IsLoading() const { return reader_ != nullptr; }
  int GetProgress() const;
  bool IsComplete() const { return GetProgress() == 10000; }
  ImageRect GetDecodedRect() const;
  int LastError() const { return lastError_; }
  // Milliseconds the last complete load took (set by EndLoad).
  int ElapsedMs() const { return elapsedMs_; }

 private:
  void TakeHandles();
  void DeleteHandles();

  ImageSource source_;
  std::unique_ptr<ImageReader> reader_;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  int sourceBitsPerPixel_ = 0;
  int isGrey_ = 0;
  int width_ = 0;
  int height_ = 0;
  BitmapHandle displayBitmap_ = nullptr;
  BitmapHandle nativeBitmap_ = nullptr;
  PaletteHandle palette_ = nullptr;
  int lastError_ = 0;
  int elapsedMs_ = 0;
  uint32_t startTick_ = 0;
  int format_ = -1;
};

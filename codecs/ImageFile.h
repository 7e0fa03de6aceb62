// One image and, once loaded, its bitmaps: where the image lives (a path, a
// module resource, a slice of an open file or a block of memory), its
// detected format and size, and after loading a display bitmap in the
// screen's depth, an optional bitmap in the image's own depth and a logical
// palette. Loading is progressive: BeginLoad, DecodeRows in batches (the
// partial image can be drawn in between), EndLoad; or Load / LoadFitted in
// one call. Every operation that can fail returns a CodecError (CodecOk on
// success) and also leaves it in LastError().
#pragma once

#include <cstdint>
#include <memory>

#include "codecs/ByteSource.h"
#include "codecs/CodecError.h"
#include "codecs/ImageRect.h"
#include "codecs/LoadOptions.h"
#include "codecs/OwnedHandles.h"
#include "platform/codec/CodecPlatform.h"

class ImageReader;

class ImageFile {
 public:
  explicit ImageFile(const char* path);
  ImageFile(ModuleHandle module, const char* resourceName);
  explicit ImageFile(const ImageSource& source);
  ~ImageFile();
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  // Detection runs once, on the first 4095 bytes. GetFormat is -1 when no
  // format was recognised.
  int GetFormat();
  CodecError DetectFormat();
  int GetSourceWidth();
  int GetSourceHeight();
  int GetSourceBitsPerPixel();
  int GetWidth();
  int GetHeight();
  bool IsGrey() const { return isGrey_; }

  CodecError BeginLoad(const LoadOptions& options);
  // A display bitmap only: keepNative and makeDisplay are ignored.
  CodecError BeginLoadForView(const LoadOptions& options);
  // Up to `rowCount` more rows. `changed` is set when the bitmaps took new
  // pixels; `rect` receives one rectangle bounding every row this call
  // produced (the whole picture when a pass rewrote it). Both may be null.
  CodecError DecodeRows(int rowCount, bool* changed = nullptr, ImageRect* rect = nullptr);
  // Hands the bitmaps to this object; an incomplete picture is dropped when
  // `discardIfIncomplete` is set.
  CodecError EndLoad(bool discardIfIncomplete);
  // BeginLoad, then rows until the picture is complete (every pass of a
  // two-pass reduction or a progressive JPEG), then EndLoad.
  CodecError LoadFitted(const LoadOptions& options);
  // Natural size, no reduction.
  CodecError Load(bool keepNative, bool makeDisplay);
  void Release();

  // While a load runs the bitmaps are still the reader's.
  DibHandle GetDisplayBitmap() const;
  DibHandle GetNativeBitmap() const;
  PaletteHandle GetPalette() const;
  const char* GetPath() const;
  const ImageSource& Source() const { return source_; }
  bool IsLoading() const { return reader_ != nullptr; }
  int GetProgress() const;
  bool IsComplete() const { return GetProgress() == 10000; }
  ImageRect GetDecodedRect() const;
  CodecError LastError() const { return lastError_; }
  // Milliseconds the last complete load took (set by EndLoad).
  int ElapsedMs() const { return elapsedMs_; }

 private:
  void DeleteHandles() { bitmaps_.Reset(); }
  CodecError Failed(CodecError code) { return lastError_ = code; }

  ImageSource source_;
  std::unique_ptr<ImageReader> reader_;
  // The reader that detection left with its header read, for the next load.
  std::unique_ptr<ImageReader> detectedReader_;
  int sourceWidth_ = 0;
  int sourceHeight_ = 0;
  int sourceBitsPerPixel_ = 0;
  bool isGrey_ = false;
  int width_ = 0;
  int height_ = 0;
  OwnedBitmaps bitmaps_;
  CodecError lastError_ = CodecOk;
  int elapsedMs_ = 0;
  uint32_t startTick_ = 0;
  int format_ = -1;
};

// Move-only owners of the codec's bitmaps and palettes: whoever holds one
// deletes its handle, and handing a bitmap on is a move.
#pragma once

#include "platform/codec/CodecPlatform.h"

template <typename Handle, void (*Delete)(Handle)>
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(Handle handle) : handle_(handle) {}
  ~OwnedHandle() { Reset(); }
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(other.Release()) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up without deleting it.
  Handle Release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(Handle handle = nullptr) {
    if (handle_) Delete(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using OwnedDib = OwnedHandle<DibHandle, codec_platform::DeleteBitmap>;
using OwnedPalette = OwnedHandle<PaletteHandle, codec_platform::DeletePalette>;

// What a load leaves: the bitmaps and the palette they were made with.
struct OwnedBitmaps {
  OwnedDib display;
  OwnedDib native;
  OwnedPalette palette;

  void Reset() {
    display.Reset();
    native.Reset();
    palette.Reset();
  }
};

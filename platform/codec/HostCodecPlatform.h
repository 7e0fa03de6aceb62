// Host-only controls of the codec platform seam, for tests and tools: the
// screen depth the decode pipeline sees, module resources held in memory,
// failure injection and counts of live objects.
#pragma once

#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <sys/mman.h>
#include <vector>

// Pixel memory that starts zeroed, as a DIB section's does. calloc gets it
// from fresh zero pages instead of clearing every byte once more. Writing a
// large picture then faults its pages in one by one, most of a decode's
// system time; huge pages, where the system has them, fault once per 2 MiB.
class ZeroedPixels {
 public:
  bool Allocate(size_t size) {
    data_.reset(static_cast<uint8_t*>(std::calloc(size ? size : 1, 1)));
    size_ = data_ ? size : 0;
#ifdef MADV_HUGEPAGE
    constexpr uintptr_t kPage = 4096;
    constexpr size_t kHugePage = 2 * 1024 * 1024;
    if (size_ >= 2 * kHugePage) {
      const uintptr_t start = (reinterpret_cast<uintptr_t>(data_.get()) + kPage - 1) & ~(kPage - 1);
      const uintptr_t end = (reinterpret_cast<uintptr_t>(data_.get()) + size_) & ~(kPage - 1);
      madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);  // advice only
    }
#endif
    return data_ != nullptr;
  }
  uint8_t* data() const { return data_.get(); }
  size_t size() const { return size_; }

 private:
  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t, Free> data_;
  size_t size_ = 0;
};

struct HostBitmap {
  int width = 0;
  int height = 0;
  bool bottomUp = false;
  int depth = 0;
  int stride = 0;
  ZeroedPixels bits;
  std::vector<RgbQuad> colors;
};

struct HostPalette {
  std::vector<RgbQuad> entries;
};

namespace host_codec {

// 24 unless a test says otherwise; 0 stands for "no screen".
void SetScreenDepth(int depth);

// Makes the next `count` creations of that kind fail.
void FailNextBitmaps(int count);
void FailNextPalettes(int count);
// Makes reading the colour table of the next `count` palette bitmaps fail.
void FailNextColorTables(int count);

// Registers `data` (kept by the caller) as resource `name` of `module`.
void AddResource(ModuleHandle module, const char* name, const uint8_t* data, uint32_t length);
void ClearResources();

int LiveBitmaps();
int LivePalettes();

// How often the wait cursor was shown, and whether it is shown now.
int WaitCursorShows();
bool WaitCursorShown();

}  // namespace host_codec

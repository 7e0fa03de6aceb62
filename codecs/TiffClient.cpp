#include "codecs/TiffClient.h"

#include "codecs/ByteSource.h"
#include "codecs/CodecError.h"
#include "codecs/LoadLimits.h"

#include <tiffio.h>

#include <climits>
#include <cstdio>

namespace {

// No single allocation libtiff makes for a file may exceed what the whole
// load may have: a hostile directory can claim strips and tables of
// gigabytes in a file of a few hundred bytes.
constexpr tmsize_t kLargestLibraryAllocation = static_cast<tmsize_t>(kMaxLoadBytes);

constexpr toff_t kSeekFailed = static_cast<toff_t>(-1);

ByteSource* SourceOf(thandle_t handle) { return static_cast<ByteSource*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
  if (size <= 0) return 0;
  const uint32_t count = size > 0x7FFFFFFF ? 0x7FFFFFFFu : static_cast<uint32_t>(size);
  uint32_t got = 0;
  SourceOf(handle)->Read(buffer, count, &got);  // a short read still counts
  return static_cast<tmsize_t>(got);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t size) { return size; }

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  // Offsets relative to the current position or the end arrive as the
  // unsigned image of a possibly negative number.
  const int64_t signedOffset = static_cast<int64_t>(offset);
  if (whence == SEEK_SET ? offset > 0x7FFFFFFF
                         : signedOffset > 0x7FFFFFFF || signedOffset < -0x7FFFFFFF)
    return kSeekFailed;
  const int origin = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? 1 : whence == SEEK_END ? 2 : -1;
  if (origin < 0) return kSeekFailed;
  long position = 0;
  if (SourceOf(handle)->Seek(static_cast<long>(signedOffset), origin, &position) != CodecOk)
    return kSeekFailed;
  return static_cast<toff_t>(position);
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) {
  ByteSource* source = SourceOf(handle);
  const long position = source->Position();
  long end = 0;
  if (source->Seek(0, 2, &end) != CodecOk) return 0;
  if (position != end) source->Seek(position, 0, nullptr);
  return static_cast<toff_t>(end);
}

int MapProc(thandle_t, void**, toff_t*) { return 0; }

void UnmapProc(thandle_t, void*, toff_t) {}

}  // namespace

tiff* OpenTiffOnSource(ByteSource* source) {
  TIFFSetErrorHandler(nullptr);
  TIFFSetWarningHandler(nullptr);
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (!options) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kLargestLibraryAllocation);
  TIFF* handle = TIFFClientOpenExt("image", "rb", source, ReadProc, WriteProc, SeekProc, CloseProc,
                                   SizeProc, MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  return handle;
}

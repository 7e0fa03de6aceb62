// The writers, on bitmaps of every depth and size the pipeline can hand
// them, built from the input: its first bytes give the picture's shape and
// the format, the rest its colour table and pixels. What a writer finishes
// must read back as that format at that size.
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "codecs/ImageWriter.h"
#include "platform/codec/HostCodecPlatform.h"

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Repeats the input's pixel bytes over as many bytes as are asked for.
void Fill(uint8_t* target, size_t count, const uint8_t* bytes, size_t length) {
  for (size_t i = 0; i < count; ++i) target[i] = length ? bytes[i % length] : 0;
}

std::vector<int> WritableFormats() {
  std::vector<int> formats;
  for (int format = 0; format < kFormatCount; ++format)
    if (const FormatEntry* entry = FindFormatEntry(format); entry && entry->writer)
      formats.push_back(format);
  return formats;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  static const std::vector<int> kFormats = WritableFormats();
  static const int kDepths[4] = {1, 8, 16, 24};
  const int format = kFormats[data[0] % kFormats.size()];
  const int width = 1 + data[1] % 96;
  const int height = 1 + data[2] % 64;
  const int depth = kDepths[data[3] & 3];
  const bool bottomUp = (data[3] & 4) != 0;
  const int batch = 1 + (data[3] >> 3);
  const int colors = depth <= 8 ? 1 + data[4] % (1 << depth) : 0;
  data += 5;
  size -= 5;

  std::vector<uint8_t> rgb(static_cast<size_t>(std::max(colors, 1)) * 3);
  Fill(rgb.data(), rgb.size(), data, size);
  PaletteHandle palette = codec_platform::CreateLogicalPalette(
      reinterpret_cast<const uint8_t(*)[3]>(rgb.data()), std::max(colors, 1));
  std::vector<uint16_t> indices(static_cast<size_t>(colors));
  for (int i = 0; i < colors; ++i) indices[static_cast<size_t>(i)] = static_cast<uint16_t>(i);
  DibHandle bitmap = nullptr;
  uint8_t* bits = nullptr;
  const DibRequest request{width, height, bottomUp, depth, indices.data(), colors};
  if (codec_platform::CreateDib(request, palette, &bitmap, &bits) != DibResult::Ok) {
    codec_platform::DeletePalette(palette);
    return 0;
  }
  DibDescription described;
  if (codec_platform::DescribeDib(bitmap, &described))
    Fill(bits, static_cast<size_t>(described.stride) * height, data, size);

  static const std::string path = "/dev/shm/zel95-fuzz-writer-" + std::to_string(getpid());
  bool finished = false;
  {
    std::unique_ptr<ImageWriter> writer = CreateWriter(format, path.c_str(), bitmap);
    if (writer && writer->Begin() == CodecOk) {
      CodecError result = CodecOk;
      for (int calls = 0; result == CodecOk && writer->RowsWritten() < height && calls <= height;
           ++calls)
        result = writer->WriteRows(batch);
      finished = result == CodecOk && writer->Finish() == CodecOk;
    }
  }
  codec_platform::DeleteBitmap(bitmap);
  codec_platform::DeletePalette(palette);

  if (finished) {
    ImageFile written(path.c_str());
    if (written.GetFormat() != format || written.GetSourceWidth() != width ||
        written.GetSourceHeight() != height || written.Load(true, true) != CodecOk)
      std::abort();
    written.Release();
  }
  std::remove(path.c_str());
  return 0;
}

// A BufferedInput over bytes held by the test, for the decoders that read
// through one.
#pragma once

#include "codecs/BufferedInput.h"
#include "codecs/ByteSource.h"

#include <cstdint>
#include <vector>

struct MemoryInput {
  explicit MemoryInput(std::vector<uint8_t> data, size_t capacity = 4096)
      : bytes(std::move(data)),
        source(ImageSource::FromMemory(bytes.data(), static_cast<uint32_t>(bytes.size()))) {
    source.Open();
    input.Attach(&source, capacity);
  }
  std::vector<uint8_t> bytes;
  ByteSource source;
  BufferedInput input;
};

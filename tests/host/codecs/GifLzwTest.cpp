#include "codecs/GifLzwDecoder.h"
#include "codecs/GifLzwEncoder.h"
#include "tests/host/codecs/MemoryInput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

// Packs codes of the given widths least significant bit first into one data
// sub-block followed by the block terminator.
std::vector<uint8_t> PackCodes(const std::vector<std::pair<int, int>>& codes,
                               bool terminate = true) {
  std::vector<uint8_t> data;
  uint32_t bits = 0;
  int count = 0;
  for (auto [code, width] : codes) {
    bits |= static_cast<uint32_t>(code) << count;
    count += width;
    while (count >= 8) {
      data.push_back(static_cast<uint8_t>(bits));
      bits >>= 8;
      count -= 8;
    }
  }
  if (count > 0) data.push_back(static_cast<uint8_t>(bits));
  std::vector<uint8_t> blocks;
  blocks.push_back(static_cast<uint8_t>(data.size()));
  blocks.insert(blocks.end(), data.begin(), data.end());
  if (terminate) blocks.push_back(0);
  return blocks;
}

std::vector<uint8_t> Encode(const std::vector<uint8_t>& pixels, int codeSize) {
  GifLzwEncoder encoder;
  encoder.Start(codeSize + 1);
  encoder.Encode(pixels.data(), static_cast<int>(pixels.size()));
  encoder.Finish();
  std::vector<uint8_t> out = encoder.Output();
  out.push_back(0);
  return out;
}

std::vector<uint8_t> Decode(std::vector<uint8_t> blocks, int codeSize, size_t count) {
  MemoryInput memory(std::move(blocks));
  GifLzwDecoder decoder;
  decoder.Reset(codeSize, &memory.input);
  std::vector<uint8_t> pixels(count, 0xEE);
  decoder.Decode(pixels.data(), static_cast<int>(count));
  return pixels;
}

void ExpectSamePixels(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(expected[i], actual[i]) << "pixel " << i;
}

}  // namespace

TEST(GifLzwEncoder, WritesClearCodesStringsAndEndCodeLeastSignificantBitFirst) {
  // Clear 4, then 1, the new string 6 = (1, 1) twice; the width grows to 4
  // bits before the end code 5.
  std::vector<uint8_t> pixels = {1, 1, 1, 1, 1};
  std::vector<uint8_t> expected = {0x02, 0x8C, 0x5D, 0x00};
  EXPECT_EQ(expected, Encode(pixels, 2));
}

TEST(GifLzwEncoder, SplitsDataIntoSubBlocksOf255Bytes) {
  std::mt19937 random(7);
  std::vector<uint8_t> pixels(4000);
  for (auto& p : pixels) p = static_cast<uint8_t>(random());
  std::vector<uint8_t> blocks = Encode(pixels, 8);
  size_t at = 0;
  int fullBlocks = 0;
  while (blocks[at] != 0) {
    if (blocks[at] == 255)
      ++fullBlocks;
    else
      EXPECT_EQ(0u, blocks[at + 1 + blocks[at]]) << "short block before the last at " << at;
    at += 1 + blocks[at];
    ASSERT_LT(at, blocks.size());
  }
  EXPECT_EQ(blocks.size() - 1, at);
  EXPECT_GT(fullBlocks, 10);
}

TEST(GifLzw, RoundTripsEveryCodeSize) {
  std::mt19937 random(11);
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    std::vector<uint8_t> pixels(70000);
    // Runs and noise, so that long strings, table growth and clears happen.
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = (i / 500) % 2 ? static_cast<uint8_t>(random() % (1u << codeSize))
                                : static_cast<uint8_t>((i / 37) % (1u << codeSize));
    SCOPED_TRACE(codeSize);
    ExpectSamePixels(pixels, Decode(Encode(pixels, codeSize), codeSize, pixels.size()));
  }
}

TEST(GifLzw, RoundTripsLongRunsOfOneValue) {
  std::vector<uint8_t> pixels(2000000, 3);
  ExpectSamePixels(pixels, Decode(Encode(pixels, 2), 2, pixels.size()));
}

TEST(GifLzw, RoundTripsWithTheLargestMinimumCodeSize) {
  std::mt19937 random(5);
  std::vector<uint8_t> pixels(50000);
  for (auto& p : pixels) p = static_cast<uint8_t>(random());
  ExpectSamePixels(pixels, Decode(Encode(pixels, 11), 11, pixels.size()));
}

TEST(GifLzwDecoder, ReadsAStreamThatDoesNotStartWithAClearCode) {
  std::vector<uint8_t> pixels = Decode(PackCodes({{2, 3}, {3, 3}, {6, 3}, {5, 4}}), 2, 5);
  EXPECT_EQ((std::vector<uint8_t>{2, 3, 2, 3, 0}), pixels);
}

TEST(GifLzwDecoder, SkipsRepeatedClearCodes) {
  std::vector<uint8_t> pixels = Decode(PackCodes({{4, 3}, {4, 3}, {4, 3}, {1, 3}, {5, 3}}), 2, 3);
  EXPECT_EQ((std::vector<uint8_t>{1, 0, 0}), pixels);
}

TEST(GifLzwDecoder, TakesACodeBeyondTheTableAsThePreviousStringAndGoesOn) {
  // 7 is beyond the next free code 6: the previous string (1) plus its first
  // character, then decoding continues with 0.
  std::vector<uint8_t> pixels = Decode(PackCodes({{4, 3}, {1, 3}, {7, 3}, {0, 3}, {5, 4}}), 2, 6);
  EXPECT_EQ((std::vector<uint8_t>{1, 1, 1, 0, 0, 0}), pixels);
}

TEST(GifLzwDecoder, AFirstCodeAboveTheClearCodeCountsAsZero) {
  std::vector<uint8_t> pixels = Decode(PackCodes({{4, 3}, {7, 3}, {2, 3}, {5, 3}}), 2, 3);
  EXPECT_EQ((std::vector<uint8_t>{0, 2, 0}), pixels);
}

TEST(GifLzwDecoder, GivesZeroPixelsAfterTheEndCode) {
  // Codes after the end code are not image data.
  std::vector<uint8_t> pixels = Decode(PackCodes({{4, 3}, {3, 3}, {5, 3}, {2, 3}, {2, 3}}), 2, 4);
  EXPECT_EQ((std::vector<uint8_t>{3, 0, 0, 0}), pixels);
}

TEST(GifLzwDecoder, SkipsTheRemainingSubBlocksAtTheEndCode) {
  std::vector<uint8_t> blocks = PackCodes({{4, 3}, {3, 3}, {5, 3}}, false);
  const uint8_t more[] = {3, 9, 9, 9, 2, 8, 8, 0, ';'};
  for (uint8_t byte : more) blocks.push_back(byte);
  MemoryInput memory(blocks);
  GifLzwDecoder decoder;
  decoder.Reset(2, &memory.input);
  uint8_t pixels[3];
  decoder.Decode(pixels, 3);
  EXPECT_TRUE(decoder.DataEnded());
  EXPECT_EQ(';', memory.input.NextByte());
}

TEST(GifLzwDecoder, FillsTruncatedDataWithZeroPixels) {
  std::vector<uint8_t> pixels(3000);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(1 + i % 200);
  std::vector<uint8_t> blocks = Encode(pixels, 8);
  blocks.resize(blocks.size() / 2);
  std::vector<uint8_t> decoded = Decode(blocks, 8, pixels.size());
  size_t good = 0;
  while (good < decoded.size() && decoded[good] == pixels[good]) ++good;
  EXPECT_GT(good, 100u);
  EXPECT_LT(good, pixels.size());
  // The pixels are never 0, so the first difference is where the data ran
  // out; from there on every pixel is 0.
  for (size_t i = good; i < decoded.size(); ++i) ASSERT_EQ(0, decoded[i]) << "pixel " << i;
}

TEST(GifLzwDecoder, IsExhaustedOnceTheDataHasEndedAndThePendingPixelsAreOut) {
  // Clear, then the string 6 = (2, 2) after a 2: three pixels, then nothing.
  MemoryInput memory(PackCodes({{4, 3}, {2, 3}, {6, 3}}));
  GifLzwDecoder decoder;
  decoder.Reset(2, &memory.input);
  std::vector<uint8_t> pixels(8, 9);
  decoder.Decode(pixels.data(), 2);
  EXPECT_FALSE(decoder.Exhausted());
  // The padding bits of the last byte make two more codes of 0; then the
  // data ends.
  decoder.Decode(pixels.data() + 2, 6);
  EXPECT_TRUE(decoder.Exhausted());
  EXPECT_EQ((std::vector<uint8_t>{2, 2, 2, 0, 0, 0, 0, 0}), pixels);
}

TEST(GifLzwDecoder, DecodesEmptyDataAsZeroPixels) {
  std::vector<uint8_t> decoded = Decode({}, 8, 10);
  EXPECT_EQ(std::vector<uint8_t>(10, 0), decoded);
}

TEST(GifLzwDecoder, SurvivesRandomDataWithEveryCodeSize) {
  std::mt19937 random(3);
  for (int codeSize = 2; codeSize <= 11; ++codeSize) {
    std::vector<uint8_t> blocks;
    for (int b = 0; b < 40; ++b) {
      blocks.push_back(255);
      for (int i = 0; i < 255; ++i) blocks.push_back(static_cast<uint8_t>(random()));
    }
    blocks.push_back(0);
    std::vector<uint8_t> decoded = Decode(blocks, codeSize, 200000);
    EXPECT_EQ(200000u, decoded.size());
  }
}

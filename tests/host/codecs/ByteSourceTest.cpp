// The checked byte source: reads never pass the end of memory, resources or
// file slices; seeks are range-checked; short reads still deliver.
#include "codecs/ByteSource.h"
#include "codecs/CodecError.h"
#include "platform/codec/HostCodecPlatform.h"
#include "tests/host/codecs/TempDir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const std::vector<uint8_t> kBytes = {10, 11, 12, 13, 14, 15, 16, 17, 18, 19};

TEST(ByteSourceTest, MemoryReadStopsAtTheEndAndReportsTheShortRead) {
  ByteSource source(ImageSource::FromMemory(kBytes.data(), 10));
  ASSERT_EQ(source.Open(), CodecOk);
  uint8_t buffer[16];
  std::fill(buffer, buffer + 16, 0xAA);
  uint32_t got = 0;
  EXPECT_EQ(source.Read(buffer, 4, &got), CodecOk);
  EXPECT_EQ(got, 4u);
  EXPECT_EQ(buffer[3], 13);
  EXPECT_EQ(source.Read(buffer, 16, &got), ErrDataEnded);
  EXPECT_EQ(got, 6u);
  EXPECT_EQ(buffer[0], 14);
  EXPECT_EQ(buffer[5], 19);
  EXPECT_EQ(buffer[6], 0xAA) << "nothing written past the data";
  EXPECT_EQ(source.Read(buffer, 1, &got), ErrDataEnded);
  EXPECT_EQ(got, 0u);
}

TEST(ByteSourceTest, SeeksInsideTheSourceOnlyFromEveryOrigin) {
  ByteSource source(ImageSource::FromMemory(kBytes.data(), 10));
  ASSERT_EQ(source.Open(), CodecOk);
  long position = -1;
  EXPECT_EQ(source.Seek(9, 0, &position), CodecOk);
  EXPECT_EQ(position, 9);
  EXPECT_EQ(source.Seek(10, 0, &position), ErrSeek) << "at the end";
  EXPECT_EQ(source.Seek(-1, 0, &position), ErrSeek);
  EXPECT_EQ(source.Seek(-4, 1, &position), CodecOk);
  EXPECT_EQ(position, 5);
  EXPECT_EQ(source.Seek(5, 1, &position), ErrSeek);
  EXPECT_EQ(source.Seek(-9, 2, &position), CodecOk);
  EXPECT_EQ(position, 1);
  EXPECT_EQ(source.Seek(-10, 2, &position), ErrSeek);
  EXPECT_EQ(source.Seek(1, 2, &position), ErrSeek);
  EXPECT_EQ(source.Seek(0, 2, &position), CodecOk);
  EXPECT_EQ(position, 10);
  EXPECT_EQ(source.Seek(0, 3, &position), ErrSeek) << "unknown origin";
  EXPECT_EQ(source.Seek(0x7FFFFFFF, 1, &position), ErrSeek) << "no overflow";
}

TEST(ByteSourceTest, SliceOfAnOpenFileIsClampedAndFollowsItsOwnPosition) {
  TempDir dir;
  const std::string file = dir.Write("slice.bin", kBytes);
  int handle = ::open(file.c_str(), O_RDONLY);
  ASSERT_GE(handle, 0);
  ByteSource source(ImageSource::FromSlice(handle, 3, 4));
  ASSERT_EQ(source.Open(), CodecOk);
  EXPECT_EQ(source.Length(), 4u);
  uint8_t buffer[8] = {};
  uint32_t got = 0;
  EXPECT_EQ(source.Read(buffer, 2, &got), CodecOk);
  EXPECT_EQ(buffer[0], 13);
  ::lseek(handle, 0, SEEK_SET);  // someone else moves the file
  EXPECT_EQ(source.Read(buffer, 8, &got), ErrDataEnded);
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(buffer[0], 15);
  EXPECT_EQ(buffer[1], 16);
  EXPECT_EQ(source.Seek(4, 0, nullptr), ErrSeek);
  EXPECT_EQ(source.Seek(-1, 2, nullptr), CodecOk);
  EXPECT_EQ(source.Read(buffer, 1, &got), CodecOk);
  EXPECT_EQ(buffer[0], 16);
  source.Close();
  ::close(handle);
}

TEST(ByteSourceTest, PathSourceOpensReadOnlyAndKnowsItsLength) {
  TempDir dir;
  ByteSource source(ImageSource::FromPath(dir.Write("file.bin", kBytes).c_str()));
  ASSERT_EQ(source.Open(), CodecOk);
  EXPECT_EQ(source.Length(), 10u);
  uint8_t buffer[12];
  uint32_t got = 0;
  EXPECT_EQ(source.Seek(8, 0, nullptr), CodecOk);
  EXPECT_EQ(source.Read(buffer, 12, &got), ErrDataEnded);
  EXPECT_EQ(got, 2u);
  EXPECT_EQ(buffer[1], 19);

  ByteSource missing(ImageSource::FromPath(dir.File("missing.bin").c_str()));
  EXPECT_EQ(missing.Open(), ErrCannotOpen);
  ByteSource empty(ImageSource::FromPath(nullptr));
  EXPECT_EQ(empty.Open(), ErrCannotOpen);
  EXPECT_EQ(empty.Read(buffer, 1, &got), ErrOutOfOrder) << "never opened";
}

TEST(ByteSourceTest, ResourcesAreFoundByModuleAndName) {
  ModuleHandle module = reinterpret_cast<ModuleHandle>(0x4000);
  host_codec::AddResource(module, "IMAGE", kBytes.data(), 10);
  ByteSource found(ImageSource::FromResource(module, "IMAGE"));
  ASSERT_EQ(found.Open(), CodecOk);
  EXPECT_EQ(found.Length(), 10u);
  ByteSource wrongModule(ImageSource::FromResource(nullptr, "IMAGE"));
  EXPECT_EQ(wrongModule.Open(), ErrCannotOpen);
  ByteSource wrongName(ImageSource::FromResource(module, "OTHER"));
  EXPECT_EQ(wrongName.Open(), ErrCannotOpen);
  host_codec::ClearResources();
}

}  // namespace

#include "codecs/ByteSource.h"

#include "codecs/CodecError.h"

#include <cstring>

ImageSource ImageSource::FromPath(const char* path) {
  ImageSource source;
  source.kind = Path;
  source.path = path ? path : "";
  return source;
}

ImageSource ImageSource::FromSlice(int fileHandle, long offset, uint32_t length) {
  ImageSource source;
  source.kind = FileSlice;
  source.fileHandle = fileHandle;
  source.sliceOffset = offset;
  source.sliceLength = length;
  return source;
}

ImageSource ImageSource::FromMemory(const uint8_t* data, uint32_t length) {
  ImageSource source;
  source.kind = Memory;
  source.memory = data;
  source.memoryLength = data ? length : 0;
  return source;
}

ImageSource ImageSource::FromResource(ModuleHandle module, const char* name) {
  ImageSource source;
  source.kind = Resource;
  source.module = module;
  if (IsResourceId(name))
    source.resourceId = static_cast<uint16_t>(reinterpret_cast<uintptr_t>(name));
  else
    source.resourceName = name;
  return source;
}

const char* ImageSource::ResourceName() const {
  return resourceId ? reinterpret_cast<const char*>(uintptr_t{resourceId}) : resourceName.c_str();
}

ByteSource::ByteSource(const ImageSource& source) : source_(source) {}

ByteSource::~ByteSource() { Close(); }

CodecError ByteSource::Open() {
  Close();
  position_ = 0;
  failure_ = CodecOk;
  switch (source_.kind) {
    case ImageSource::Path: {
      if (source_.path.empty()) return ErrCannotOpen;
      handle_ = codec_platform::FileOpenRead(source_.path.c_str());
      if (handle_ < 0) return ErrCannotOpen;
      long end = codec_platform::FileSeek(handle_, 0, 2);
      if (end < 0 || codec_platform::FileSeek(handle_, 0, 0) != 0) {
        codec_platform::FileClose(handle_);
        handle_ = -1;
        return ErrSeek;
      }
      length_ = static_cast<uint32_t>(end);
      break;
    }
    case ImageSource::FileSlice:
      if (source_.fileHandle < 0 || source_.sliceOffset < 0 ||
          codec_platform::FileSeek(source_.fileHandle, source_.sliceOffset, 0) < 0)
        return ErrSeek;
      length_ = source_.sliceLength;
      break;
    case ImageSource::Memory:
      bytes_ = source_.memory;
      length_ = source_.memoryLength;
      break;
    case ImageSource::Resource:
      if (!codec_platform::FindModuleResource(source_.module, source_.ResourceName(), &bytes_,
                                              &length_)) {
        bytes_ = nullptr;
        length_ = 0;
        return ErrCannotOpen;
      }
      break;
    default:
      return ErrOutOfOrder;
  }
  open_ = true;
  return CodecOk;
}

void ByteSource::Close() {
  if (handle_ >= 0) codec_platform::FileClose(handle_);
  handle_ = -1;
  bytes_ = nullptr;
  position_ = 0;
  open_ = false;
}

long ByteSource::Position() const {
  if (source_.kind == ImageSource::Path && handle_ >= 0)
    return codec_platform::FileSeek(handle_, 0, 1);
  return position_;
}

CodecError ByteSource::Read(void* buffer, uint32_t count, uint32_t* got) {
  *got = 0;
  if (!open_) return ErrOutOfOrder;
  if (count == 0) return CodecOk;
  switch (source_.kind) {
    case ImageSource::Path: {
      long read = codec_platform::FileRead(handle_, buffer, count);
      if (read < 0) return failure_ = ErrReadWrite;
      *got = static_cast<uint32_t>(read);
      break;
    }
    case ImageSource::FileSlice: {
      uint32_t left = position_ < static_cast<long>(length_) ? length_ - position_ : 0;
      uint32_t want = count < left ? count : left;
      if (want > 0) {
        // Someone else may have moved the shared file position.
        long expected = source_.sliceOffset + position_;
        if (codec_platform::FileSeek(source_.fileHandle, 0, 1) != expected &&
            codec_platform::FileSeek(source_.fileHandle, expected, 0) != expected)
          return failure_ = ErrReadWrite;
        long read = codec_platform::FileRead(source_.fileHandle, buffer, want);
        if (read < 0) return failure_ = ErrReadWrite;
        *got = static_cast<uint32_t>(read);
        position_ += read;
      }
      break;
    }
    default: {
      uint32_t left = position_ < static_cast<long>(length_) ? length_ - position_ : 0;
      uint32_t want = count < left ? count : left;
      if (want > 0) std::memcpy(buffer, bytes_ + position_, want);
      *got = want;
      position_ += want;
      break;
    }
  }
  return *got < count ? ErrDataEnded : CodecOk;
}

CodecError ByteSource::Seek(long offset, int origin, long* newPosition) {
  if (!open_) return ErrOutOfOrder;
  if (origin < 0 || origin > 2) return ErrSeek;
  if (source_.kind == ImageSource::Path) {
    long result = codec_platform::FileSeek(handle_, offset, origin);
    if (result < 0) return failure_ = ErrSeek;
    if (newPosition) *newPosition = result;
    return CodecOk;
  }
  int64_t length = length_;
  int64_t target;
  if (origin == 2) {
    if (offset > 0 || offset < -(length - 1)) return ErrSeek;
    target = length + offset;
  } else {
    target = (origin == 0 ? 0 : static_cast<int64_t>(position_)) + offset;
    if (target < 0 || target >= length) return ErrSeek;
  }
  if (source_.kind == ImageSource::FileSlice &&
      codec_platform::FileSeek(source_.fileHandle, static_cast<long>(source_.sliceOffset + target),
                               0) < 0)
    return failure_ = ErrSeek;
  position_ = static_cast<long>(target);
  if (newPosition) *newPosition = position_;
  return CodecOk;
}

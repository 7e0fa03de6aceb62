// Where an image's bytes live, and the one checked way every reader reads
// them. A ByteSource never hands out a byte past the end of its source:
// memory and resources are copied only within their length, and a slice of
// an open file is clamped to the slice.
#pragma once

#include "codecs/CodecError.h"
#include "platform/codec/CodecPlatform.h"

#include <cstdint>
#include <string>

// The description of a source, cheap to copy: readers and detection each
// open their own ByteSource from it.
struct ImageSource {
  enum Kind { Path = 1, FileSlice = 2, Memory = 3, Resource = 4 };

  Kind kind = Path;
  std::string path;                 // Path
  int fileHandle = -1;              // FileSlice: an open file the caller owns
  long sliceOffset = 0;             // FileSlice
  uint32_t sliceLength = 0;         // FileSlice
  const uint8_t* memory = nullptr;  // Memory: bytes the caller keeps alive
  uint32_t memoryLength = 0;        // Memory
  ModuleHandle module = nullptr;    // Resource
  std::string resourceName;         // Resource named by a string
  uint16_t resourceId = 0;          // Resource named by an integer id (MAKEINTRESOURCE)

  static ImageSource FromPath(const char* path);
  static ImageSource FromSlice(int fileHandle, long offset, uint32_t length);
  static ImageSource FromMemory(const uint8_t* data, uint32_t length);
  // `name` is a string or an integer id in the pointer's low word.
  static ImageSource FromResource(ModuleHandle module, const char* name);

  // The resource's name as the platform takes it: the string, or the id
  // in a pointer's low word.
  const char* ResourceName() const;
};

// True when `name` carries an integer resource id instead of pointing at
// a string.
inline bool IsResourceId(const char* name) { return reinterpret_cast<uintptr_t>(name) >> 16 == 0; }

class ByteSource {
 public:
  explicit ByteSource(const ImageSource& source);
  ~ByteSource();
  ByteSource(const ByteSource&) = delete;
  ByteSource& operator=(const ByteSource&) = delete;

  const ImageSource& Description() const { return source_; }

  // Each returns CodecOk on success.
  CodecError Open();
  void Close();
  // Reads up to `count` bytes into `buffer`; `*got` receives the number
  // read. Fewer bytes than asked is ErrDataEnded (the bytes still count), a
  // failed read ErrReadWrite with nothing read.
  CodecError Read(void* buffer, uint32_t count, uint32_t* got);
  // The code of a read or seek of the file that failed since the source
  // was opened, else `otherwise`. Data that ends, or a seek out of range,
  // is no failure of the source: the reader decides what that means. The
  // libraries the readers call see only bytes or none.
  CodecError FailureOr(CodecError otherwise) const {
    return failure_ != CodecOk ? failure_ : otherwise;
  }
  // origin 0 start, 1 current, 2 end; `*newPosition` may be null.
  CodecError Seek(long offset, int origin, long* newPosition);

  bool IsOpen() const { return open_; }
  long Position() const;
  // Bytes in the source (for a path, the file's size when it was opened).
  uint32_t Length() const { return length_; }

 private:
  ImageSource source_;
  bool open_ = false;
  int handle_ = -1;                 // Path: the file this source opened
  const uint8_t* bytes_ = nullptr;  // Memory and Resource
  uint32_t length_ = 0;
  long position_ = 0;  // FileSlice, Memory, Resource
  CodecError failure_ = CodecOk;
};

// Files of the command tests: folders of their own in the prefix, the
// committed sample pictures, pictures made here, and pictures read back.
#pragma once

#include "codecs/ImageFile.h"
#include "tests/host/codecs/DibPixels.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// C:\commands\<name>, empty at the start and removed with everything in it.
class TestFolder {
 public:
  explicit TestFolder(const std::string& name);
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string Path(const std::string& file) const { return path_ + "\\" + file; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);
bool FileExists(const std::string& path);
Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
// The names of the files in `folder`.
std::vector<std::string> FilesIn(const std::string& folder);
// A committed picture under tests/data ("gif/palette16-9x6.gif").
std::string DataFile(const std::string& relative);

// A picture of square blocks of BlockColour, `block` pixels each, as a
// 24-bit BMP file.
Rgb BlockColour(int column, int row);
Bytes BlocksBmp(int width, int height, int block);
// A Photo CD pack of 768 x 512 grey gradients.
Bytes PhotoCdPack();

// A picture read back through the codec layer at full size in its own depth.
struct ReadPicture {
  std::unique_ptr<ImageFile> image;
  DibDescription dib;
  int format = -1;
  bool ok = false;
};
ReadPicture ReadBack(const std::string& path);

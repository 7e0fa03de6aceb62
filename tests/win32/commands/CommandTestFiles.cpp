#include "CommandTestFiles.h"

#include "shellext/module/Module.h"
#include "codecs/CodecError.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {
// The commands find their dialog in the module that holds the resources:
// here the test program itself.
struct ModuleInstanceIsThisProgram {
  ModuleInstanceIsThisProgram() { ModuleInstance = GetModuleHandleA(nullptr); }
} moduleInstanceIsThisProgram;

void Put16(Bytes& bytes, size_t at, int value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}
}  // namespace

TestFolder::TestFolder(const std::string& name) : path_("C:\\commands\\" + name) {
  CreateDirectoryA("C:\\commands", nullptr);
  RemoveTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TestFolder::~TestFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string inner = path + "\\" + name;
      SetFileAttributesA(inner.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(inner);
      else
        DeleteFileA(inner.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::string DataFile(const std::string& relative) {
  std::string path = std::string(ZEL95_TEST_DATA) + "/" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

Rgb BlockColour(int column, int row) {
  return Rgb{(column * 67 + 40) % 256, (row * 97 + 20) % 256, ((column + row) * 53 + 90) % 256};
}

Bytes BlocksBmp(int width, int height, int block) {
  const int stride = (width * 3 + 3) & ~3;
  Bytes bmp(54 + static_cast<size_t>(stride) * height, 0);
  bmp[0] = 'B';
  bmp[1] = 'M';
  Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
  Put32(bmp, 10, 54);
  Put32(bmp, 14, 40);
  Put32(bmp, 18, static_cast<uint32_t>(width));
  Put32(bmp, 22, static_cast<uint32_t>(height));
  Put16(bmp, 26, 1);
  Put16(bmp, 28, 24);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &bmp[54 + static_cast<size_t>(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      const Rgb colour = BlockColour(x / block, y / block);
      row[3 * x] = static_cast<uint8_t>(colour.blue);
      row[3 * x + 1] = static_cast<uint8_t>(colour.green);
      row[3 * x + 2] = static_cast<uint8_t>(colour.red);
    }
  }
  return bmp;
}

Bytes PhotoCdPack() {
  const size_t levelOffset[4] = {0, 8192, 47104, 196608};
  const int levelWidth[4] = {0, 192, 384, 768};
  Bytes pack(levelOffset[3] + 3 * 768 * 256, 0);
  std::memcpy(&pack[2048], "PCD_IPI", 7);
  pack[3586] = 0xF0;
  for (int level = 1; level <= 3; ++level) {
    const int length = levelWidth[level];
    uint8_t* group = &pack[levelOffset[level]];
    for (int line = 0; line < length * 2 / 3; line += 2, group += 3 * length) {
      for (int j = 0; j < length; ++j) {
        group[j] = static_cast<uint8_t>((line + j) % 180);
        group[length + j] = static_cast<uint8_t>((line + 1 + j) % 180);
      }
      std::memset(group + 2 * length, 156, length / 2);
      std::memset(group + 2 * length + length / 2, 137, length / 2);
    }
  }
  return pack;
}

ReadPicture ReadBack(const std::string& path) {
  ReadPicture read;
  read.image = std::make_unique<ImageFile>(path.c_str());
  read.format = read.image->GetFormat();
  read.ok = read.image->Load(true, false) == CodecOk;
  if (read.ok) read.dib = Describe(read.image->GetNativeBitmap());
  return read;
}

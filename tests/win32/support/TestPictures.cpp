#include "TestPictures.h"

#include <windows.h>

#include "tests/host/codecs/PngTestImages.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<std::string> NamesIn(const std::string& folder, bool wantFolders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    if (isFolder == wantFolders && found.cFileName[0] != '.') names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return;
  std::fwrite(bytes.data(), 1, bytes.size(), out);
  std::fclose(out);
}

}  // namespace

void WriteHugeInterlacedPng(const std::string& path) {
  WriteWhole(path, ZeroPngImage(15000, 32767, 2, true));
}

void WriteFlatPng(const std::string& path, int width, int height, int red, int green, int blue) {
  WriteWhole(path, ZeroPngImage(width, height, 3, false,
                                {static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                                 static_cast<uint8_t>(blue)}));
}

std::vector<std::string> TestPictureFiles(size_t seedsPerFolder) {
  std::vector<std::string> files;
  // Backslashes only: the shell parses no forward slash in a display name.
  std::string top = ZEL95_TEST_DATA;
  std::replace(top.begin(), top.end(), '/', '\\');
  for (const std::string& folder : NamesIn(top, true)) {
    const std::string dir = top + "\\" + folder;
    std::vector<std::string> seeds;
    for (const std::string& name : NamesIn(dir, false)) {
      if (name.find('.') == std::string::npos)
        seeds.push_back(name);
      else
        files.push_back(dir + "\\" + name);
    }
    const size_t step = std::max<size_t>(1, (seeds.size() + seedsPerFolder - 1) / seedsPerFolder);
    for (size_t i = 0; i < seeds.size(); i += step) files.push_back(dir + "\\" + seeds[i]);
  }
  return files;
}

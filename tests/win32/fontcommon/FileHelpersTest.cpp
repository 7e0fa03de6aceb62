// Counting font files of a folder and short paths, on Wine's file system.
#include "fontcommon/FileHelpers.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

class FileHelpers : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "Zel95 Fontcommon Test Folder";
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override { RemoveFolder(); }

  void MakeFile(const std::string& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    HANDLE file = CreateFileA((folder_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << name;
    CloseHandle(file);
    if (attributes == FILE_ATTRIBUTE_NORMAL) return;
    ASSERT_TRUE(SetFileAttributesA((folder_ + "\\" + name).c_str(), attributes)) << name;
    ASSERT_EQ(attributes, GetFileAttributesA((folder_ + "\\" + name).c_str()) & attributes)
        << name << ": the file system does not keep this attribute";
  }

  void RemoveFolder() {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string path = folder_ + "\\" + entry.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA(path.c_str());
        else
          DeleteFileA(path.c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string folder_;
};

TEST_F(FileHelpers, CountFilesCountsMatchesWhoseAttributesLieInTheMask) {
  MakeFile("Plain.ttf");
  MakeFile("UPPER.TTF");
  MakeFile("ReadOnly.ttf", FILE_ATTRIBUTE_READONLY);
  MakeFile("Hidden.ttf", FILE_ATTRIBUTE_HIDDEN);
  MakeFile("System.ttf", FILE_ATTRIBUTE_SYSTEM);
  MakeFile("Raster.fon");
  ASSERT_TRUE(CreateDirectoryA((folder_ + "\\Folder.ttf").c_str(), nullptr));

  EXPECT_EQ(4, CountFiles(folder_, "*.TTF", 0x8A3));
  EXPECT_EQ(4, CountFiles(folder_ + "\\", "*.TTF", 0x8A3));
  EXPECT_EQ(1, CountFiles(folder_, "*.FON", 0x8A3));
  EXPECT_EQ(5, CountFiles(folder_, "*.TTF", 0x8A3 | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(5, CountFiles(folder_, "*.TTF", 0x8A3 | FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(0, CountFiles(folder_, "*.PFB", 0x8A3));
}

TEST_F(FileHelpers, CountFilesOfAMissingFolderIsZero) {
  EXPECT_EQ(0, CountFiles(folder_ + "\\Missing", "*.TTF", 0x8A3));
}

TEST_F(FileHelpers, GetShortPathGivesTheFileSystemsShortNames) {
  MakeFile("A Long Font File Name.ttf");
  std::string longPath = folder_ + "\\A Long Font File Name.ttf";

  // Each long component has the short name the directory lists for it.
  auto shortName = [](const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(path.c_str(), &entry);
    EXPECT_NE(INVALID_HANDLE_VALUE, find) << path;
    FindClose(find);
    return std::string(entry.cAlternateFileName[0] ? entry.cAlternateFileName : entry.cFileName);
  };
  std::string shortFolder = GetShortPath(folder_);
  EXPECT_EQ(shortName(folder_), shortFolder.substr(shortFolder.rfind('\\') + 1));
  std::string shortPath = GetShortPath(longPath);
  EXPECT_EQ(shortFolder + "\\" + shortName(longPath), shortPath);
  EXPECT_EQ(std::string::npos, shortPath.find(' ')) << shortPath;

  EXPECT_EQ(shortPath, GetShortPath(shortPath));
}

TEST_F(FileHelpers, GetShortPathLeavesAMissingPathAsItIs) {
  std::string missing = folder_ + "\\No Such Font File.ttf";
  EXPECT_EQ(missing, GetShortPath(missing));
}

}  // namespace

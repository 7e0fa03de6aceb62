// The font readers opening real files through Wine's file system: found,
// missing, a folder, a file another process holds locked and a truncated one.
#include "fontcore/FontReaders.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const std::string kWineFonts = "Z:\\usr\\share\\wine\\fonts\\";           // fonts-wine
const std::string kDejaVu = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\";  // fonts-dejavu-core

TEST(FontFiles, AreReadThroughWindowsPaths) {
  std::string description, faceName, family, fullName;
  bool scalable = true;
  EXPECT_EQ(frOK, ReadFonNames(kWineFonts + "sserife.fon", description, faceName, scalable));
  EXPECT_EQ("MS Sans Serif 8,10,12 (VGA res)", description);
  EXPECT_EQ("MS Sans Serif", faceName);
  EXPECT_FALSE(scalable);
  EXPECT_EQ(frOK, ReadTrueTypeNames(kDejaVu + "DejaVuSans-Bold.ttf", family, fullName));
  EXPECT_EQ("DejaVu Sans", family);
  EXPECT_EQ("DejaVu Sans Bold", fullName);
}

TEST(FontFiles, MissingFilesAndFoldersAreNotFoundAndAFolderFails) {
  std::string description, faceName, family = "stale", fullName = "stale";
  bool scalable;
  EXPECT_EQ(frNotFound, ReadFonNames(kWineFonts + "nosuch.fon", description, faceName, scalable));
  EXPECT_EQ(frNotFound, ReadTrueTypeNames("C:\\No Such Folder\\font.ttf", family, fullName));
  EXPECT_EQ("", family);
  EXPECT_EQ(frFailed, ReadTrueTypeNames("C:\\windows", family, fullName));
}

TEST(FontFiles, AFileLockedByAnotherHolderFails) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string copy = std::string(temp) + "zel95-locked.ttf";
  ASSERT_TRUE(CopyFileA((kDejaVu + "DejaVuSans.ttf").c_str(), copy.c_str(), FALSE));

  HANDLE lock = CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  std::string family, fullName, description, faceName;
  bool scalable;
  EXPECT_EQ(frFailed, ReadTrueTypeNames(copy, family, fullName));
  EXPECT_EQ(frFailed, ReadFonNames(copy, description, faceName, scalable));
  CloseHandle(lock);

  EXPECT_EQ(frOK, ReadTrueTypeNames(copy, family, fullName));
  EXPECT_EQ("DejaVu Sans", family);
  DeleteFileA(copy.c_str());
}

TEST(FontFiles, ATruncatedFileFailsWithoutRaising) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string ttf = std::string(temp) + "zel95-truncated.ttf";
  const std::string fon = std::string(temp) + "zel95-truncated.fon";
  ASSERT_TRUE(CopyFileA((kDejaVu + "DejaVuSans.ttf").c_str(), ttf.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((kWineFonts + "sserife.fon").c_str(), fon.c_str(), FALSE));
  for (const std::string& path : {ttf, fon}) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
    SetFilePointer(file, 300, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
  }
  std::string family = "stale", fullName = "stale", description, faceName;
  bool scalable;
  EXPECT_EQ(frFailed, ReadTrueTypeNames(ttf, family, fullName));
  EXPECT_EQ("", family);
  EXPECT_EQ("", fullName);
  EXPECT_EQ(frFailed, ReadFonNames(fon, description, faceName, scalable));
  DeleteFileA(ttf.c_str());
  DeleteFileA(fon.c_str());
}

}  // namespace

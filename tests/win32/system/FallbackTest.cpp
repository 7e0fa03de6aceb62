// Each fallback answers as the later call it stands in for does on the same
// windows and files.
#include "platform/system/LongPath.h"
#include "platform/system/RecycleBin.h"
#include "platform/system/ReplaceFile.h"
#include "platform/system/RootWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

class FallbackTest : public testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "zel95 fallback folder " +
              testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
  }
  void TearDown() override {
    std::string from = folder_;
    from.back() = '\0';
    from.push_back('\0');
    SHFILEOPSTRUCTA remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.c_str();
    remove.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&remove);
  }

  std::string Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ + name, std::ios::binary) << text;
    return folder_ + name;
  }
  std::string Read(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  }
  int FilesInFolder() {
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
  }

  std::string folder_;
};

TEST_F(FallbackTest, RootWindowByParentsClimbsChildrenAndStopsAtPopups) {
  const HWND frame = CreateWindowExA(0, "STATIC", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200,
                                     nullptr, nullptr, nullptr, nullptr);
  const HWND child =
      CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 100, frame, nullptr, nullptr, nullptr);
  const HWND grandchild =
      CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 50, 50, child, nullptr, nullptr, nullptr);
  const HWND owned = CreateWindowExA(0, "STATIC", "owned", WS_POPUP, 0, 0, 50, 50, frame, nullptr,
                                     nullptr, nullptr);
  for (HWND window : {frame, child, grandchild, owned}) {
    EXPECT_EQ(RootWindowByParents(window), GetAncestor(window, GA_ROOT));
    EXPECT_EQ(RootWindowOf(window), GetAncestor(window, GA_ROOT));
  }
  EXPECT_EQ(RootWindowByParents(grandchild), frame);
  EXPECT_EQ(RootWindowByParents(owned), owned);
  EXPECT_EQ(RootWindowByParents(nullptr), nullptr);
  DestroyWindow(owned);
  DestroyWindow(frame);
}

TEST_F(FallbackTest, ReplaceByRenamesKeepsTheOldFileUntilTheNewOneIsInPlace) {
  for (auto replace : {&ReplaceByRenames, &MoveFileReplacing}) {
    const std::string target = Write("target.fon", "old");
    // Replaced: the new text in place, the source and the old file gone.
    ASSERT_TRUE(replace(Write("new.tmp", "new"), target));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(FilesInFolder(), 1);
    // A source that is not there leaves the target as it was.
    EXPECT_FALSE(replace(folder_ + "missing.tmp", target));
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(FilesInFolder(), 1);
    // A read-only target is refused and kept.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(replace(Write("other.tmp", "other"), target));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read(target), "new");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder_ + "other.tmp").c_str());
    // A new name is a plain move.
    ASSERT_TRUE(replace(target, folder_ + "moved.fon"));
    EXPECT_EQ(Read(folder_ + "moved.fon"), "new");
    DeleteFileA((folder_ + "moved.fon").c_str());
    EXPECT_EQ(FilesInFolder(), 0);
  }
}

TEST_F(FallbackTest, RecycledFolderItemsCountsTheDeletedFilesButNotTheBookkeeping) {
  EXPECT_EQ(RecycledFolderItems(folder_), 0) << "no RECYCLED folder yet: an empty bin";
  CreateDirectoryA((folder_ + "RECYCLED").c_str(), nullptr);
  for (const char* name : {"INFO", "desktop.ini", "DC0.TTF", "DC1.FON"})
    Write(std::string("RECYCLED\\") + name, "x");
  EXPECT_EQ(RecycledFolderItems(folder_), 2);
}

TEST_F(FallbackTest, LongPathByPartsSpellsOutShortNamesAsGetLongPathNameDoes) {
  CreateDirectoryA((folder_ + "A Long Folder Name").c_str(), nullptr);
  const std::string file = Write("A Long Folder Name\\Some Long File Name.ttf", "x");
  char shortPath[MAX_PATH] = "", longPath[MAX_PATH] = "";
  ASSERT_TRUE(GetShortPathNameA(file.c_str(), shortPath, sizeof shortPath));
  ASSERT_TRUE(GetLongPathNameA(shortPath, longPath, sizeof longPath));
  EXPECT_NE(std::string(shortPath), longPath) << "no short name to spell out";
  EXPECT_EQ(LongPathByParts(shortPath), longPath);
  EXPECT_EQ(LongPathOf(shortPath), longPath);
  const std::string missing = folder_ + "NOSUCH~1\\FILE.TTF";
  EXPECT_EQ(LongPathByParts(missing), missing);
  EXPECT_EQ(LongPathByParts("relative\\path"), "relative\\path");
}

}  // namespace

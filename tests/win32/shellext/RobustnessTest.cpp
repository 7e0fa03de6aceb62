// No picture file, however damaged, brings the shell's process down: the
// test pictures, a sample of each reader's seeds and damaged copies of each
// go through the menu.
#include "MenuItems.h"
#include "ShellClient.h"
#include "tests/win32/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

// Copies of `bytes` cut short and with their headers scrambled.
std::vector<std::string> Damaged(const std::string& bytes) {
  std::vector<std::string> copies;
  for (size_t length : {bytes.size() / 2, bytes.size() * 9 / 10, size_t{60}, size_t{20}})
    if (length < bytes.size()) copies.push_back(bytes.substr(0, length));
  uint32_t noise = 2166136261u;
  for (int copy = 0; copy < 4 && bytes.size() > 4; ++copy) {
    std::string scrambled = bytes;
    for (int flip = 0; flip < 6; ++flip) {
      noise = noise * 1664525u + 1013904223u;
      const size_t at = 2 + (noise >> 8) % std::min<size_t>(scrambled.size() - 2, 96 << copy);
      scrambled[at] =
          static_cast<char>(scrambled[at] ^ (1 << (noise & 7)) ^ (copy == 3 ? 0xFF : 0));
    }
    copies.push_back(scrambled);
  }
  return copies;
}

// The handler either adds its seven items (six when the thumbnail takes too
// long), telling how many ids it used, or adds nothing and answers 1.
void ExpectWholeMenuOrNone(const std::string& file) {
  ComRef<IContextMenu> handler = MenuHandlerFor({file});
  ASSERT_TRUE(handler) << file;
  HMENU shell = ShellMenuWith({"&Open"});
  const HRESULT result = handler->QueryContextMenu(shell, 0, kFirstId, kFirstId + 100, CMF_NORMAL);
  const int added = GetMenuItemCount(shell) - 1;
  const std::string outline = MenuOutline(shell);
  const bool thumbnail = outline.find("[bitmap]") != std::string::npos;
  if (added == 0)
    EXPECT_EQ(result, 1) << file;
  else
    EXPECT_TRUE(added == (thumbnail ? 7 : 6) && result >= 5 && result <= 7)
        << file << ": " << outline;
  handler.Reset();
  DestroyMenu(shell);
}

// Refused before its rows are allocated: the menu is added whole without a
// thumbnail, or not at all, and the shell's process never holds the picture.
TEST(Robustness, APictureTooBigToHoldGivesNoThumbnail) {
  const std::string path = ScratchFolder() + "\\huge.png";
  WriteHugeInterlacedPng(path);
  ComRef<IContextMenu> handler = MenuHandlerFor({path});
  ASSERT_TRUE(handler);
  HMENU shell = ShellMenuWith({"&Open"});
  const HRESULT result = handler->QueryContextMenu(shell, 0, kFirstId, kFirstId + 100, CMF_NORMAL);
  const std::string outline = MenuOutline(shell);
  EXPECT_EQ(outline.find("[bitmap]"), std::string::npos) << outline;
  const int added = GetMenuItemCount(shell) - 1;
  EXPECT_TRUE((added == 0 && result == 1) || added == 6) << outline;
  handler.Reset();
  DestroyMenu(shell);
  DeleteFileA(path.c_str());
}

TEST(Robustness, EverySeedFileAndItsDamagedCopiesGoThroughTheMenu) {
  std::vector<std::string> seeds;
  for (const std::string& file : TestPictureFiles())
    if (file.find("README") == std::string::npos) seeds.push_back(file);
  ASSERT_GE(seeds.size(), 50u);
  const std::string scratch = ScratchFolder();
  int tried = 0;
  for (const std::string& seed : seeds) {
    ExpectWholeMenuOrNone(seed);
    ++tried;
    const std::vector<std::string> copies = Damaged(ReadFileBytes(seed));
    for (size_t i = 0; i < copies.size(); ++i) {
      const std::string copy = scratch + "\\damaged-" + std::to_string(i) + "-" +
                               seed.substr(seed.find_last_of('\\') + 1);
      WriteFileBytes(copy, copies[i]);
      ExpectWholeMenuOrNone(copy);
      DeleteFileA(copy.c_str());
      ++tried;
    }
  }
  EXPECT_GT(tried, 400);
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

}  // namespace

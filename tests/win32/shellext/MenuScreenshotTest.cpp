// The menu as a person sees it: shown with TrackPopupMenu, the thumbnail and
// the description in it, saved as a screenshot.
#include "MenuItems.h"
#include "tests/win32/support/Screenshot.h"
#include "ShellClient.h"

#include <gtest/gtest.h>

namespace {

struct ShownMenu {
  HMENU menu = nullptr;
  HWND owner = nullptr;
  RECT thumbnailItem{};
  RECT descriptionItem{};
  std::string screenshot;
  bool seen = false;
};

ShownMenu* shown;

// Runs inside the menu's own loop, once the menu is on the screen.
void CALLBACK LookAtTheMenu(HWND owner, UINT, UINT_PTR timer, DWORD) {
  KillTimer(owner, timer);
  HWND popup = FindWindowA("#32768", nullptr);
  if (popup && IsWindowVisible(popup)) {
    shown->seen = true;
    GetMenuItemRect(owner, shown->menu, 2, &shown->thumbnailItem);
    GetMenuItemRect(owner, shown->menu, 3, &shown->descriptionItem);
    shown->screenshot = SaveWindowScreenshot(popup, "shellext-context-menu");
  }
  EndMenu();
}

TEST(MenuScreenshot, TheShownMenuHoldsTheThumbnailAndTheDescription) {
  const std::string picture = ScratchFolder() + "\\shown-400x300.bmp";
  WriteTestBmp(picture, 400, 300);
  ComRef<IContextMenu> handler = MenuHandlerFor({picture});
  ASSERT_TRUE(handler);

  ShownMenu menu;
  shown = &menu;
  menu.menu = ShellMenuWith({"&Open", "P&roperties"});
  ASSERT_EQ(handler->QueryContextMenu(menu.menu, 1, kFirstId, kFirstId + 100, CMF_NORMAL), 7);
  menu.owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 100, 100, 10, 10,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(menu.owner);
  SetForegroundWindow(menu.owner);
  SetTimer(menu.owner, 1, 500, LookAtTheMenu);
  TrackPopupMenu(menu.menu, TPM_LEFTALIGN | TPM_TOPALIGN, 200, 150, 0, menu.owner, nullptr);
  shown = nullptr;

  EXPECT_TRUE(menu.seen);
  EXPECT_GE(menu.thumbnailItem.bottom - menu.thumbnailItem.top, 75) << "the thumbnail's height";
  EXPECT_GE(menu.thumbnailItem.right - menu.thumbnailItem.left, 100) << "the thumbnail's width";
  EXPECT_GT(menu.descriptionItem.top, menu.thumbnailItem.top);
  if (std::getenv("ZEL95_SCREENS")) {
    EXPECT_FALSE(menu.screenshot.empty());
  }
  DestroyWindow(menu.owner);
  DestroyMenu(menu.menu);
}

}  // namespace

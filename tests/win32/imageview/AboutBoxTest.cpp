// The viewer's About box: what it shows, where, and the icon that now and
// then flashes into the second one.
#include "ViewerTestSupport.h"

#include "shellext/viewer/AboutBox.h"
#include "shellext/module/Module.h"
#include "tests/win32/support/ModalScript.h"
#include "tests/win32/support/Screenshot.h"

namespace {

struct AboutSeen {
  std::string caption, name, version;
  RECT box = {};
  LONG moduleCount = 0;
  std::vector<HICON> icons;  // each icon the box showed, in turn
  DWORD opened = 0;
  bool photographed = false;
};
AboutSeen seen;

HICON ShownIcon(HWND box) {
  return reinterpret_cast<HICON>(SendDlgItemMessageA(box, 128, STM_GETICON, 0, 0));
}

// Watches the icon until it has flashed and come back, then presses OK.
void CALLBACK WatchIcon(HWND box, UINT, UINT_PTR timer, DWORD) {
  // Photographed a while after it opened, once everything is on the screen.
  if (!seen.photographed && GetTickCount() - seen.opened >= 300) {
    SaveWindowScreenshot(box, "viewer-about");
    seen.photographed = true;
  }
  const HICON icon = ShownIcon(box);
  if (icon != seen.icons.back()) seen.icons.push_back(icon);
  const bool flashedAndBack = seen.icons.size() >= 3;
  if (flashedAndBack || GetTickCount() - seen.opened > 10000) {
    KillTimer(box, timer);
    PressButton(box, IDOK);
  }
}

std::string Text(HWND window) {
  char text[64] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

class AboutBoxTest : public ViewerTest {};

TEST_F(AboutBoxTest, ShowsNameAndVersionCentredAndFlashesTheSecondIcon) {
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED | WS_VISIBLE, 200, 150, 400, 300,
                               nullptr, nullptr, nullptr, nullptr);
  seen = AboutSeen();
  ModalScript boxes;
  boxes.OnForm = [&](HWND box) {
    seen.caption = Text(box);
    seen.version = Text(GetDlgItem(box, 105));
    HWND child = nullptr;
    while ((child = FindWindowExA(box, child, "STATIC", nullptr)) != nullptr)
      if (Text(child) == "Glimmora32") seen.name = Text(child);
    GetWindowRect(box, &seen.box);
    seen.moduleCount = ModuleCount;
    seen.icons.push_back(ShownIcon(box));
    seen.opened = GetTickCount();
    SetTimer(box, 77, 10, WatchIcon);
  };
  ShowAboutBox(owner);
  RECT ownerRect;
  GetWindowRect(owner, &ownerRect);
  DestroyWindow(owner);

  EXPECT_EQ(seen.caption, "About");
  EXPECT_EQ(seen.name, "Glimmora32");
  EXPECT_EQ(seen.version, "Version 1.0");
  EXPECT_EQ(seen.moduleCount, 1) << "the box counts while it is open";
  EXPECT_EQ(ModuleCount, 0);
  const int w = seen.box.right - seen.box.left;
  const int h = seen.box.bottom - seen.box.top;
  EXPECT_EQ(seen.box.left, (ownerRect.left + ownerRect.right) / 2 - (w + 1) / 2);
  EXPECT_EQ(seen.box.top, (ownerRect.top + ownerRect.bottom) / 2 - (h + 1) / 2);
  ASSERT_EQ(seen.icons.size(), 3u) << "the icon flashed and came back within ten seconds";
  EXPECT_EQ(seen.icons[1], SecondIcon);
  EXPECT_EQ(seen.icons[2], ProgramIcon);
}

}  // namespace

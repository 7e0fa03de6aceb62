// The frame's keys and popup menu: Esc closes, Ctrl+P prints, P alone does
// nothing, F5 decodes anew from the top, the context-menu key opens the menu
// at the centre; the menu's commands reach Print, Wallpaper and About.
#include "ViewerTestSupport.h"

#include <string>

#include "shellext/module/Module.h"
#include "tests/win32/support/ModalScript.h"
#include "shellext/viewer/ViewerCommands.h"
#include "shellext/viewer/ViewerState.h"

namespace {

struct CommandCall {
  std::string command;
  HINSTANCE instance;
  HWND owner;
  std::string caption;
  std::string path;  // "(none)" for a null path
  BOOL tiled;
  LONG moduleCount;
};
std::vector<CommandCall> calls;
std::function<void()> duringCommand;

std::string PathText(const char* path) { return path ? path : "(none)"; }

BOOL RecordPrint(HWND owner, const char* path) {
  calls.push_back({"print", nullptr, owner, "", PathText(path), FALSE, ModuleCount});
  if (duringCommand) duringCommand();
  return TRUE;
}

BOOL RecordWallpaper(HINSTANCE instance, HWND owner, const char* caption, const char* path,
                     BOOL tiled) {
  calls.push_back({"wallpaper", instance, owner, caption, PathText(path), tiled, ModuleCount});
  return TRUE;
}

class ViewerKeysTest : public ViewerTest {
 protected:
  void SetUp() override {
    calls.clear();
    duringCommand = nullptr;
    saved = viewerCommands;
    viewerCommands = {RecordPrint, RecordWallpaper};
    path = WriteTrueColourPicture("viewer-keys.bmp", 320, 240, Bands);
    frame = OpenViewer(path);
    ASSERT_NE(frame, nullptr);
  }
  void TearDown() override {
    viewerCommands = saved;
    ViewerTest::TearDown();
  }

  // Sends the key to the frame as the focused window gets it, with Ctrl held
  // or not, and lets what it posts run.
  void PressKey(WORD key, bool control = false) {
    BYTE keys[256];
    GetKeyboardState(keys);
    const BYTE before = keys[VK_CONTROL];
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageA(frame, WM_KEYDOWN, key, 1);
    keys[VK_CONTROL] = before;
    SetKeyboardState(keys);
    SendMessageA(frame, WM_KEYUP, key, 0xC0000001);
  }

  ViewerCommands saved = {};
  std::string path;
  HWND frame = nullptr;
};

TEST_F(ViewerKeysTest, EscapeClosesTheViewer) {
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
  EXPECT_EQ(ModuleCount, 0);
}

TEST_F(ViewerKeysTest, ControlPPrintsThePictureAndPAloneDoesNothing) {
  PressKey('P');
  PumpFor(100);
  EXPECT_TRUE(calls.empty());
  PressKey('P', true);
  ASSERT_TRUE(PumpUntil([] { return !calls.empty(); }));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].command, "print");
  EXPECT_EQ(calls[0].owner, frame);
  EXPECT_EQ(calls[0].path, path);
  EXPECT_EQ(calls[0].moduleCount, 2) << "the viewer and the running command";
  EXPECT_TRUE(IsWindow(frame));
}

TEST_F(ViewerKeysTest, CloseDuringACommandWaitsUntilTheCommandReturns) {
  std::string pathAfterClose;
  duringCommand = [&] {
    SendMessageA(frame, WM_CLOSE, 0, 0);
    PumpFor(50);
    EXPECT_TRUE(IsWindow(frame));
    pathAfterClose = StateOf(frame)->imageFile->GetPath();
  };
  SendMessageA(frame, WM_COMMAND, 1003, 0);
  EXPECT_EQ(pathAfterClose, path) << "the command's picture is still there";
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); })) << "the close comes after the command";
}

TEST_F(ViewerKeysTest, F5DecodesAnewFromTheTop) {
  ASSERT_TRUE(DecodeToEnd(frame));
  ViewerState* state = StateOf(frame);
  PressKey(VK_F5);
  // Only the posted reload runs; the new pacing thread then waits for us.
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, frame, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  DispatchMessageA(&message);
  EXPECT_EQ(state->imageFile->GetProgress(), 0) << "the decoded picture is gone";
  DecodeStepRecorder recorder(frame);
  ASSERT_TRUE(DecodeToEnd(frame));
  ASSERT_FALSE(recorder.steps.empty());
  EXPECT_EQ(recorder.steps[0].changed.top, 0);
  EXPECT_EQ(recorder.steps[0].changed.bottom, 19) << "the first band again, 19 rows for 320 pixels";
}

// Notes what the popup menu shows and where, then closes it.
struct MenuSeen {
  RECT rect = {};
  std::vector<std::string> items, wallpaperItems;
  std::vector<UINT> ids, wallpaperIds;  // a popup's is -1
};
MenuSeen menuSeen;

std::vector<std::string> MenuItems(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    items.push_back(text);
  }
  return items;
}

std::vector<UINT> MenuIds(HMENU menu) {
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND popup = FindWindowA("#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, timer);
  GetWindowRect(popup, &menuSeen.rect);
  HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, 0x01E1 /* MN_GETHMENU */, 0, 0));
  menuSeen.items = MenuItems(menu);
  menuSeen.wallpaperItems = MenuItems(GetSubMenu(menu, 1));
  menuSeen.ids = MenuIds(menu);
  menuSeen.wallpaperIds = MenuIds(GetSubMenu(menu, 1));
  EndMenu();
}

TEST_F(ViewerKeysTest, ContextMenuKeyOpensThePopupAtTheCentre) {
  MoveWindow(frame, 100, 80, 360, 300, TRUE);
  menuSeen = MenuSeen();
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookAtMenu);
  PressKey(VK_APPS);
  PumpFor(100);
  KillTimer(nullptr, timer);
  RECT client;
  GetClientRect(frame, &client);
  POINT centre = {client.right / 2, client.bottom / 2};
  ClientToScreen(frame, &centre);
  EXPECT_EQ(menuSeen.rect.left, centre.x);
  EXPECT_EQ(menuSeen.rect.top, centre.y);
  EXPECT_EQ(menuSeen.items, (std::vector<std::string>{"&Print...", "&Wallpaper", "&Reload", "",
                                                      "&About...", "&Close"}));
  EXPECT_EQ(menuSeen.wallpaperItems, (std::vector<std::string>{"&Tiled", "&Centered", "&Remove"}));
  EXPECT_EQ(menuSeen.ids, (std::vector<UINT>{1003, ~0u, 1002, 0, 1007, 1001}));
  EXPECT_EQ(menuSeen.wallpaperIds, (std::vector<UINT>{1004, 1005, 1006}));
}

TEST_F(ViewerKeysTest, RightClickOpensThePopupWhereTheMouseIs) {
  MoveWindow(frame, 100, 80, 360, 300, TRUE);
  menuSeen = MenuSeen();
  HWND view = StateOf(frame)->view->window;
  POINT at = {30, 40};
  ClientToScreen(view, &at);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, LookAtMenu);
  SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 40));
  SendMessageA(view, WM_RBUTTONUP, 0, MAKELPARAM(30, 40));
  PumpFor(100);
  KillTimer(nullptr, timer);
  EXPECT_EQ(menuSeen.rect.left, at.x);
  EXPECT_EQ(menuSeen.rect.top, at.y);
  EXPECT_EQ(menuSeen.items.size(), 6u);
}

TEST_F(ViewerKeysTest, WallpaperCommandsGoWithThePathAndTheCaption) {
  SendMessageA(frame, WM_COMMAND, 1004, 0);
  SendMessageA(frame, WM_COMMAND, 1005, 0);
  SendMessageA(frame, WM_COMMAND, 1006, 0);
  ASSERT_EQ(calls.size(), 3u);
  for (const CommandCall& call : calls) {
    EXPECT_EQ(call.command, "wallpaper");
    EXPECT_EQ(call.instance, ModuleInstance);
    EXPECT_EQ(call.owner, frame);
    EXPECT_EQ(call.caption, "Glimmora32");
    EXPECT_EQ(call.moduleCount, 2);
  }
  EXPECT_EQ(calls[0].path, path);
  EXPECT_TRUE(calls[0].tiled);
  EXPECT_EQ(calls[1].path, path);
  EXPECT_FALSE(calls[1].tiled);
  EXPECT_EQ(calls[2].path, "(none)");
}

TEST_F(ViewerKeysTest, CloseCommandClosesAndAboutOpensTheBox) {
  ModalScript boxes;
  std::string caption;
  boxes.OnForm = [&](HWND box) {
    char text[64] = "";
    GetWindowTextA(box, text, sizeof text);
    caption = text;
    PressButton(box, IDOK);
  };
  SendMessageA(frame, WM_COMMAND, 1007, 0);
  EXPECT_EQ(caption, "About");
  EXPECT_EQ(ModuleCount, 1) << "the box no longer counts once closed";
  SendMessageA(frame, WM_COMMAND, 1001, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(frame); }));
}

}  // namespace

// The viewer as the shell opens it: Display through the context menu of the
// loaded library, which must stay loaded while a viewer is open.
#include "tests/win32/support/MessagePump.h"
#include "ShellClient.h"
#include "tests/win32/support/Screenshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

const char kWallpaperFile[] = "C:\\windows\\Glimmora32 Wallpaper.bmp";

struct FrameSearch {
  std::string title;
  HWND found;
};

BOOL CALLBACK MatchFrame(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<FrameSearch*>(param);
  char className[32] = "", text[MAX_PATH] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, text, sizeof text);
  if (std::string(className) != "Glimmora" || text != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

// The top-level viewer window of this thread titled `title`.
HWND ViewerTitled(const std::string& title) {
  FrameSearch search = {title, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchFrame, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND OpenThroughMenu(const std::string& path) {
  EXPECT_EQ(InvokeMenuCommand({path}, 0), S_OK);
  return ViewerTitled(path);
}

bool CloseViewer(HWND frame) {
  PostMessageA(frame, WM_CLOSE, 0, 0);
  return PumpUntil([&] { return !IsWindow(frame); });
}

// The colour WriteTestBmp gives pixel (x, y) counted from the top.
COLORREF TestBmpColour(int x, int y, int width, int height) {
  const int row = height - 1 - y;
  return RGB(255 * x / width, ((x / 25 + row / 25) & 1) * 200, 255 * row / height);
}

// The four corners of the view show the picture: every row is painted.
bool CornersShown(HWND view, int width, int height) {
  HDC dc = GetDC(view);
  bool shown = true;
  for (int y : {0, height - 1})
    for (int x : {0, width - 1})
      shown = shown && GetPixel(dc, x, y) == TestBmpColour(x, y, width, height);
  ReleaseDC(view, dc);
  return shown;
}

std::string Picture(const char* name, int width, int height) {
  const std::string path = ScratchFolder() + "\\" + name;
  WriteTestBmp(path, width, height);
  return path;
}

std::string DesktopValue(const char* name) {
  char value[300] = "";
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\desktop", name, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return "<none>";
  return value;
}

TEST(ViewerThroughServer, OpensDecodesAndKeepsTheLibraryUntilClosed) {
  const std::string path = Picture("viewer.bmp", 240, 160);
  HWND frame = OpenThroughMenu(path);
  ASSERT_TRUE(frame) << "no \"Glimmora\" window titled " << path;
  EXPECT_TRUE(IsWindowVisible(frame));
  EXPECT_EQ(GetParent(frame), nullptr);
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE) << "every COM object is released, the viewer is open";

  HWND view = FindWindowExA(frame, nullptr, "ImageViewWClass", nullptr);
  ASSERT_TRUE(view);
  RECT client;
  GetClientRect(view, &client);
  EXPECT_EQ(client.right, 240);
  EXPECT_EQ(client.bottom, 160);
  EXPECT_TRUE(PumpUntil([&] { return CornersShown(view, 240, 160); }))
      << "never decoded to the end";
  PumpFor(100);
  SaveWindowScreenshot(frame, "shellext-viewer");
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);

  ASSERT_TRUE(CloseViewer(frame));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ViewerThroughServer, ClosedWhileDecodingLetsTheLibraryGo) {
  // Stored bottom row first, and decoded in that order.
  const std::string path = Picture("large.bmp", 1600, 1200);
  for (DWORD delay : {0, 5, 15, 30, 50, 200}) {
    HWND frame = OpenThroughMenu(path);
    ASSERT_TRUE(frame) << delay;
    PumpFor(delay);
    HWND view = FindWindowExA(frame, nullptr, "ImageViewWClass", nullptr);
    HDC dc = GetDC(view);
    const COLORREF lastRowDecoded = GetPixel(dc, 0, 0);
    ReleaseDC(view, dc);
    // Later closes may come before or after the end.
    if (delay <= 5) {
      EXPECT_NE(lastRowDecoded, TestBmpColour(0, 0, 1600, 1200))
          << "decoded to the end in " << delay << " ms";
    }
    EXPECT_EQ(ServerCanUnloadNow(), S_FALSE) << delay;
    ASSERT_TRUE(CloseViewer(frame)) << delay;
    EXPECT_EQ(ServerCanUnloadNow(), S_OK) << delay;
  }
}

TEST(ViewerThroughServer, TheLibraryUnloadsAndOpensViewersAgainWhenReloaded) {
  HWND frame = OpenThroughMenu(Picture("again.bmp", 240, 160));
  ASSERT_TRUE(frame);
  ASSERT_TRUE(CloseViewer(frame));
  ASSERT_EQ(ServerCanUnloadNow(), S_OK);
  ASSERT_TRUE(ServerUnloaded());

  frame = OpenThroughMenu(Picture("again.bmp", 240, 160));
  ASSERT_TRUE(frame) << "the viewer's classes are gone after a reload";
  HWND view = FindWindowExA(frame, nullptr, "ImageViewWClass", nullptr);
  EXPECT_TRUE(PumpUntil([&] { return CornersShown(view, 240, 160); }));
  ASSERT_TRUE(CloseViewer(frame));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

// Chooses Wallpaper, then Tiled, from the popup menu once it shows.
void CALLBACK ChooseWallpaperTiled(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND popup = FindWindowA("#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, timer);
  PostMessageA(popup, WM_CHAR, 'w', 0);
  PostMessageA(popup, WM_CHAR, 't', 0);
}

TEST(ViewerThroughServer, WallpaperFromThePopupMenuSetsTheTiledWallpaper) {
  EXPECT_EQ(InvokeMenuCommand({Picture("menu.bmp", 240, 160)}, 4), S_OK);
  ASSERT_EQ(DesktopValue("Wallpaper"), "(none)");
  HWND frame = OpenThroughMenu(ScratchFolder() + "\\menu.bmp");
  ASSERT_TRUE(frame);
  HWND view = FindWindowExA(frame, nullptr, "ImageViewWClass", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return CornersShown(view, 240, 160); }));

  const UINT_PTR timer = SetTimer(nullptr, 0, 20, ChooseWallpaperTiled);
  PostMessageA(frame, WM_KEYDOWN, VK_APPS, 0);
  EXPECT_TRUE(PumpUntil([&] { return DesktopValue("Wallpaper") == kWallpaperFile; }, 5000));
  KillTimer(nullptr, timer);
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
  const std::string bitmap = ReadFileBytes(kWallpaperFile);
  ASSERT_GE(bitmap.size(), 26u);
  EXPECT_EQ(bitmap.substr(0, 2), "BM");
  int width = 0;
  memcpy(&width, bitmap.data() + 18, sizeof width);
  EXPECT_EQ(width, 240);
  EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
  ASSERT_TRUE(CloseViewer(frame));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

}  // namespace

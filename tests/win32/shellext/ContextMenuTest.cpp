// The items a right click on a picture adds to the shell's menu, and when
// nothing is added.
#include "shellext/ContextMenuExtension.h"
#include "MenuItems.h"
#include "ShellClient.h"
#include "ShellDataObject.h"
#include "shellext/Thumbnail.h"

#include <gtest/gtest.h>

namespace {

// The shell's menu, with two items of its own around the handler's place.
class ShellMenu {
 public:
  ShellMenu() : handle(ShellMenuWith({"&Open", "P&roperties"})) {}
  ~ShellMenu() { DestroyMenu(handle); }
  ShellMenu(const ShellMenu&) = delete;
  ShellMenu& operator=(const ShellMenu&) = delete;
  HMENU handle;
};

const UINT kIndex = 1;

HRESULT Query(IContextMenu* handler, HMENU menu, UINT flags = CMF_NORMAL) {
  return handler->QueryContextMenu(menu, kIndex, kFirstId, kFirstId + 100, flags);
}

HRESULT Used(UINT count) { return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, count); }

std::string Outline(const std::string& description, const std::string& convertItems) {
  return "&Open|-|[bitmap]|" + description +
         "|&Print...|&Wallpaper>(&Tiled|&Centered|&Remove)|&Convert to...>(" + convertItems +
         ")|-|P&roperties";
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

std::vector<UINT> Ids(HMENU submenu) {
  std::vector<UINT> ids;
  for (const MenuItem& item : MenuItems(submenu)) ids.push_back(item.id);
  return ids;
}

// The menu of one picture: its items and their ids, read before the shell's
// menu goes.
struct PictureMenu {
  HRESULT result = E_FAIL;
  std::string outline;
  std::vector<MenuItem> items;
  std::vector<UINT> wallpaperIds;
  std::vector<UINT> convertIds;
  SIZE thumbnail{};
};

PictureMenu MenuFor(const std::string& file) {
  PictureMenu menu;
  ComRef<IContextMenu> handler = MenuHandlerFor({file});
  if (!handler) return menu;
  ShellMenu shell;
  menu.result = Query(handler.Get(), shell.handle);
  menu.outline = MenuOutline(shell.handle);
  menu.items = MenuItems(shell.handle);
  if (menu.items.size() == 9) {
    menu.thumbnail = BitmapSize(menu.items[2].bitmap);
    menu.wallpaperIds = Ids(menu.items[5].submenu);
    menu.convertIds = Ids(menu.items[6].submenu);
  }
  return menu;
}

void ExpectCommandItems(const PictureMenu& menu, const std::vector<UINT>& convertIds) {
  ASSERT_EQ(menu.items.size(), 9u) << menu.outline;
  EXPECT_EQ(menu.items[2].id, kFirstId + 0);
  EXPECT_EQ(menu.items[3].id, 0u);
  EXPECT_EQ(menu.items[3].state, static_cast<UINT>(MF_DISABLED)) << "disabled, not grayed";
  EXPECT_EQ(menu.items[4].id, kFirstId + 1);
  EXPECT_EQ(menu.wallpaperIds, (std::vector<UINT>{kFirstId + 2, kFirstId + 3, kFirstId + 4}));
  EXPECT_EQ(menu.convertIds, convertIds);
}

TEST(ContextMenu, AJpegOffersConversionToBmpOnly) {
  const PictureMenu menu = MenuFor(TestDataFile("jpeg/colour-420-24x16.jpg"));
  EXPECT_EQ(menu.result, Used(6));
  EXPECT_EQ(menu.outline, Outline(" 24x16x16M jpeg", "&BMP"));
  ExpectCommandItems(menu, {kFirstId + 5});
}

TEST(ContextMenu, ATrueColourBmpOffersConversionToJpegOnly) {
  const PictureMenu menu = MenuFor(TestDataFile("images/rgb24-5x3.bmp"));
  EXPECT_EQ(menu.result, Used(7));
  EXPECT_EQ(menu.outline, Outline(" 5x3x16M bmp", "&JPEG"));
  ExpectCommandItems(menu, {kFirstId + 6});
}

TEST(ContextMenu, ATwoColourBmpHasAnEmptyConvertMenu) {
  const PictureMenu menu = MenuFor(TestDataFile("images/mono1-10x3.bmp"));
  EXPECT_EQ(menu.result, Used(5));
  EXPECT_EQ(menu.outline, Outline(" 10x3x2 bmp", ""));
  ExpectCommandItems(menu, {});
}

TEST(ContextMenu, AGifOffersBothConversions) {
  const PictureMenu menu = MenuFor(TestDataFile("gif/palette16-9x6.gif"));
  EXPECT_EQ(menu.result, Used(7));
  EXPECT_EQ(menu.outline, Outline(" 9x6x16 gif", "&BMP|&JPEG"));
  ExpectCommandItems(menu, {kFirstId + 5, kFirstId + 6});
}

TEST(ContextMenu, DescribesThirtyTwoBitPicturesWithAPlus) {
  EXPECT_EQ(MenuFor(TestDataFile("images/rgb32-5x3.bmp")).outline,
            Outline(" 5x3x16M+ bmp", "&JPEG"));
}

TEST(ContextMenu, SmallPicturesKeepTheirSizeInTheThumbnail) {
  const PictureMenu menu = MenuFor(TestDataFile("jpeg/colour-420-24x16.jpg"));
  EXPECT_EQ(menu.thumbnail.cx, 24);
  EXPECT_EQ(menu.thumbnail.cy, 16);
}

TEST(ContextMenu, LargePicturesAreShrunkToFitAHundredPixelsSquare) {
  const std::string wide = ScratchFolder() + "\\wide-400x300.bmp";
  const std::string tall = ScratchFolder() + "\\tall-300x400.bmp";
  WriteTestBmp(wide, 400, 300);
  WriteTestBmp(tall, 300, 400);
  const PictureMenu wideMenu = MenuFor(wide);
  EXPECT_EQ(wideMenu.outline, Outline(" 400x300x16M bmp", "&JPEG"));
  EXPECT_EQ(wideMenu.thumbnail.cx, 100);
  EXPECT_EQ(wideMenu.thumbnail.cy, 75);
  const PictureMenu tallMenu = MenuFor(tall);
  EXPECT_EQ(tallMenu.thumbnail.cx, 75);
  EXPECT_EQ(tallMenu.thumbnail.cy, 100);
}

TEST(ContextMenu, OnlyIdsUpToTheShellsLastOneAreUsed) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("gif/palette16-9x6.gif")});
  ASSERT_TRUE(handler);
  const struct {
    UINT lastOffset;
    HRESULT result;
    std::string outline;
  } cases[] = {
      {6, Used(7), Outline(" 9x6x16 gif", "&BMP|&JPEG")},
      {5, Used(6), Outline(" 9x6x16 gif", "&BMP")},
      {3, Used(4),
       "&Open|-|[bitmap]| 9x6x16 gif|&Print...|&Wallpaper>(&Tiled|&Centered)|-|P&roperties"},
      {0, Used(1), "&Open|-|[bitmap]| 9x6x16 gif|-|P&roperties"},
  };
  for (const auto& c : cases) {
    ShellMenu shell;
    EXPECT_EQ(handler->QueryContextMenu(shell.handle, kIndex, kFirstId, kFirstId + c.lastOffset,
                                        CMF_NORMAL),
              c.result)
        << "last offset " << c.lastOffset;
    EXPECT_EQ(MenuOutline(shell.handle), c.outline) << "last offset " << c.lastOffset;
  }
  ShellMenu shell;
  EXPECT_EQ(handler->QueryContextMenu(shell.handle, kIndex, kFirstId, kFirstId - 1, CMF_NORMAL),
            Used(0))
      << "no id left";
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, EveryMenuKeepsItsThumbnailUntilTheHandlerIsReleased) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("jpeg/colour-420-24x16.jpg")});
  ASSERT_TRUE(handler);
  ShellMenu first, second;
  ASSERT_EQ(Query(handler.Get(), first.handle), Used(6));
  ASSERT_EQ(Query(handler.Get(), second.handle), Used(6));
  const HBITMAP earlier = MenuItems(first.handle)[2].bitmap;
  const HBITMAP later = MenuItems(second.handle)[2].bitmap;
  // A new selection does not take the shown thumbnails with the old picture.
  ComRef<IShellExtInit> init;
  ASSERT_EQ(handler->QueryInterface(IID_IShellExtInit, init.OutVoid()), S_OK);
  ComRef<IDataObject> gif = ShellDataObjectFor({TestDataFile("gif/palette16-9x6.gif")});
  EXPECT_EQ(init->Initialize(nullptr, gif.Get(), nullptr), S_OK);
  init.Reset();
  EXPECT_EQ(BitmapSize(earlier).cx, 24) << "the first menu's thumbnail is gone";
  EXPECT_EQ(BitmapSize(later).cx, 24) << "the second menu's thumbnail is gone";
  handler.Reset();
  EXPECT_EQ(BitmapSize(earlier).cx, 0) << "outlived the handler";
  EXPECT_EQ(BitmapSize(later).cx, 0) << "outlived the handler";
}

// The handler's code built into this program, whose thumbnail deadline the
// test can shorten, unlike the loaded library's.
ComRef<IContextMenu> InProgramHandlerFor(const std::string& file) {
  ComRef<IContextMenu> handler;
  EXPECT_EQ((new ContextMenuExtension)->QueryInterface(IID_IContextMenu, handler.OutVoid()), S_OK);
  return InitializedFor(std::move(handler), {file});
}

TEST(ContextMenu, AThumbnailPastItsDeadlineIsLeftOutAndTheRestIsAdded) {
  const std::string file = TestDataFile("jpeg/colour-420-24x16.jpg");
  {
    ComRef<IContextMenu> handler = InProgramHandlerFor(file);
    ASSERT_TRUE(handler);
    ShellMenu shell;
    EXPECT_EQ(Query(handler.Get(), shell.handle), Used(6));
    EXPECT_EQ(MenuOutline(shell.handle), Outline(" 24x16x16M jpeg", "&BMP")) << "in time";
  }
  const unsigned deadline = thumbnailDeadlineMs;
  thumbnailDeadlineMs = 0;
  ComRef<IContextMenu> handler = InProgramHandlerFor(file);
  ShellMenu shell;
  const HRESULT late = handler ? Query(handler.Get(), shell.handle) : E_FAIL;
  thumbnailDeadlineMs = deadline;
  EXPECT_EQ(late, Used(6));
  EXPECT_EQ(MenuOutline(shell.handle),
            "&Open|-| 24x16x16M jpeg|&Print...|&Wallpaper>(&Tiled|&Centered|&Remove)|&Convert "
            "to...>(&BMP)|-|P&roperties");
}

TEST(ContextMenu, DefaultOnlyAddsNothingAndReturnsZero) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("jpeg/colour-420-24x16.jpg")});
  ASSERT_TRUE(handler);
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle, CMF_DEFAULTONLY), Used(0));
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, TwoSelectedFilesAddNothing) {
  ComRef<IContextMenu> handler = MenuHandlerFor(
      {TestDataFile("jpeg/colour-420-24x16.jpg"), TestDataFile("jpeg/grey-10x6.jpg")});
  ASSERT_TRUE(handler);
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(1));
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, AFileThatIsNoPictureAddsNothing) {
  const std::string text = ScratchFolder() + "\\notes.txt";
  WriteFileBytes(text, "Not a picture at all.\r\n");
  ComRef<IContextMenu> handler = MenuHandlerFor({text});
  ASSERT_TRUE(handler);
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(1));
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, APictureGoneBeforeTheMenuAddsNothing) {
  const std::string file = ScratchFolder() + "\\vanishing.bmp";
  WriteTestBmp(file, 8, 8);
  ComRef<IContextMenu> handler = MenuHandlerFor({file});
  ASSERT_TRUE(handler);
  DeleteFileA(file.c_str());
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(1));
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, WithoutADataObjectNothingIsAdded) {
  ComRef<IContextMenu> handler = CreateMenuHandler();
  ComRef<IShellExtInit> init;
  ASSERT_EQ(handler->QueryInterface(IID_IShellExtInit, init.OutVoid()), S_OK);
  EXPECT_EQ(init->Initialize(nullptr, nullptr, nullptr), S_OK);
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(1));
  EXPECT_EQ(MenuOutline(shell.handle), "&Open|P&roperties");
}

TEST(ContextMenu, ANewSelectionReplacesThePicture) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("jpeg/colour-420-24x16.jpg")});
  ComRef<IShellExtInit> init;
  ASSERT_EQ(handler->QueryInterface(IID_IShellExtInit, init.OutVoid()), S_OK);
  ComRef<IDataObject> two = ShellDataObjectFor(
      {TestDataFile("jpeg/colour-420-24x16.jpg"), TestDataFile("jpeg/grey-10x6.jpg")});
  EXPECT_EQ(init->Initialize(nullptr, two.Get(), nullptr), S_OK);
  ShellMenu shell;
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(1));
  ComRef<IDataObject> gif = ShellDataObjectFor({TestDataFile("gif/palette16-9x6.gif")});
  EXPECT_EQ(init->Initialize(nullptr, gif.Get(), nullptr), S_OK);
  EXPECT_EQ(Query(handler.Get(), shell.handle), Used(7));
  EXPECT_EQ(MenuOutline(shell.handle), Outline(" 9x6x16 gif", "&BMP|&JPEG"));
}

TEST(ContextMenu, ReleasingTheHandlerDestroysSubmenusTheShellNoLongerHolds) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("gif/palette16-9x6.gif")});
  ASSERT_TRUE(handler);
  ShellMenu shell;
  ASSERT_EQ(Query(handler.Get(), shell.handle), Used(7));
  const HMENU wallpaper = GetSubMenu(shell.handle, kIndex + 4);
  const HMENU convert = GetSubMenu(shell.handle, kIndex + 5);
  RemoveMenu(shell.handle, kIndex + 5, MF_BYPOSITION);
  RemoveMenu(shell.handle, kIndex + 4, MF_BYPOSITION);
  ASSERT_TRUE(IsMenu(wallpaper) && IsMenu(convert));
  handler.Reset();
  EXPECT_FALSE(IsMenu(wallpaper));
  EXPECT_FALSE(IsMenu(convert));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST(ContextMenu, AShellMenuDestroyedFirstLeavesTheHandlerSafeToRelease) {
  ComRef<IContextMenu> handler = MenuHandlerFor({TestDataFile("gif/palette16-9x6.gif")});
  ASSERT_TRUE(handler);
  {
    ShellMenu shell;
    ASSERT_EQ(Query(handler.Get(), shell.handle), Used(7));
  }
  handler.Reset();
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

}  // namespace

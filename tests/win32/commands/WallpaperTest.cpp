#include "BoxScript.h"
#include "CommandTestFiles.h"
#include "shellext/commands/Commands.h"
#include "shellext/commands/DesktopWallpaper.h"
#include "shellext/module/Module.h"
#include "ProgressWatch.h"
#include "shellext/commands/WallpaperBitmap.h"
#include "tests/win32/support/Screenshot.h"
#include "codecs/ImageFormat.h"

#include <gtest/gtest.h>

namespace {

const char kWallpaperFile[] = "C:\\windows\\Glimmora32 Wallpaper.bmp";

std::string DesktopValue(const char* name) {
  char value[300] = "";
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key;
  if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop", &key) != ERROR_SUCCESS)
    return "<no key>";
  const LONG read =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return "<no value>";
  return type == REG_SZ ? std::string(value) : "<not a string>";
}

Rgb ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The desktop is painted by another process, a moment after the change:
// the pixel once it is (or, with `match` false, is no longer) `colour`, or
// what it is after three seconds.
Rgb DesktopPixel(int x, int y, const Rgb& colour, bool match = true) {
  Rgb pixel = ScreenPixel(x, y);
  for (int wait = 0; wait < 60 && (pixel == colour) != match; ++wait) {
    Sleep(50);
    pixel = ScreenPixel(x, y);
  }
  return pixel;
}

// The screen in `bits` bits per pixel at its present size.
bool SetScreenDepth(int bits) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  mode.dmBitsPerPel = bits;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  return ChangeDisplaySettingsA(&mode, 0) == DISP_CHANGE_SUCCESSFUL;
}

class WallpaperTest : public ::testing::Test {
 protected:
  void TearDown() override { SetScreenDepth(32); }

  // A picture of 8-pixel blocks, `width` x `height`, in the test folder.
  std::string Picture(const std::string& name, int width, int height, int block = 8) {
    const std::string path = folder_.Path(name);
    WriteBytes(path, BlocksBmp(width, height, block));
    return path;
  }

  BOOL Set(const std::string& path, BOOL tiled) {
    return SetWallpaper(ModuleInstance, nullptr, "Glimmora32", path.c_str(), tiled);
  }

  // The wallpaper file holds the blocks picture of `width` x `height`.
  void ExpectWallpaperFile(int width, int height, int block = 8) {
    const ReadPicture file = ReadBack(kWallpaperFile);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.format, FormatBmp);
    ASSERT_EQ(file.dib.width, width);
    ASSERT_EQ(file.dib.height, height);
    for (int y = block / 2; y < height; y += block)
      for (int x = block / 2; x < width; x += block)
        ASSERT_EQ(DibColour(file.dib, x, y), BlockColour(x / block, y / block))
            << "(" << x << ", " << y << ")";
  }

  TestFolder folder_{"wallpaper"};
  BoxScript boxes_;
};

}  // namespace

TEST_F(WallpaperTest, TiledWritesTheBitmapSetsTheRegistryAndShowsIt) {
  ASSERT_TRUE(Set(Picture("tile.bmp", 64, 48), TRUE));
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
  EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile);
  ExpectWallpaperFile(64, 48);
  // Tiles from the top left corner across the desktop.
  EXPECT_EQ(DesktopPixel(4, 4, BlockColour(0, 0)), BlockColour(0, 0));
  EXPECT_EQ(DesktopPixel(64 * 3 + 20, 48 * 2 + 12, BlockColour(2, 1)), BlockColour(2, 1));
  const Rgb farCorner = BlockColour((1000 % 64) / 8, (700 % 48) / 8);
  EXPECT_EQ(DesktopPixel(1000, 700, farCorner), farCorner);
  SaveWindowScreenshot(GetDesktopWindow(), "wallpaper-tiled");
}

TEST_F(WallpaperTest, CenteredShowsOnePictureInTheMiddle) {
  ASSERT_TRUE(Set(Picture("centre.bmp", 64, 48), FALSE));
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile);
  ExpectWallpaperFile(64, 48);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - 64) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - 48) / 2;
  EXPECT_EQ(DesktopPixel(left + 4, top + 4, BlockColour(0, 0)), BlockColour(0, 0));
  EXPECT_EQ(DesktopPixel(left + 60, top + 44, BlockColour(7, 5)), BlockColour(7, 5));
  EXPECT_FALSE(DesktopPixel(4, 4, BlockColour(0, 0), false) == BlockColour(0, 0));
  SaveWindowScreenshot(GetDesktopWindow(), "wallpaper-centred");
}

TEST_F(WallpaperTest, RemoveSetsNoneWithoutDialogOrFile) {
  ASSERT_TRUE(Set(Picture("tile.bmp", 64, 48), TRUE));
  DeleteFileA(kWallpaperFile);
  ProgressWatch watch;
  EXPECT_TRUE(SetWallpaper(ModuleInstance, nullptr, "Glimmora32", nullptr, TRUE));
  EXPECT_FALSE(watch.WasShown());
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  EXPECT_EQ(DesktopValue("Wallpaper"), "(none)");
  EXPECT_FALSE(FileExists(kWallpaperFile));
  EXPECT_FALSE(DesktopPixel(4, 4, BlockColour(0, 0), false) == BlockColour(0, 0));
}

TEST_F(WallpaperTest, APictureLargerThanTheScreenIsReducedToFit) {
  ASSERT_TRUE(Set(Picture("large.bmp", 2048, 1024, 64), TRUE));
  // 2048 x 1024 into 1024 x 768: a half.
  ExpectWallpaperFile(1024, 512, 32);
}

TEST_F(WallpaperTest, EachStepIsAHundredthOfThePictureAndAtLeastOneRow) {
  const struct {
    int height;
    size_t steps;
  } cases[] = {{1, 1}, {149, 149}, {150, 75}, {300, 100}};
  for (const auto& c : cases) {
    ProgressWatch watch;
    watch.OnStep = [&](HWND dialog, int step) {
      if (c.height == 150 && step == 40) SaveWindowScreenshot(dialog, "wallpaper-progress");
    };
    ASSERT_TRUE(Set(Picture("steps.bmp", 16, c.height), TRUE)) << c.height;
    const ProgressWatch::Stage* decoding = watch.Find("Decoding steps.bmp");
    const ProgressWatch::Stage* writing = watch.Find("Writing BMP");
    const ProgressWatch::Stage* setting = watch.Find("Setting Wallpaper");
    ASSERT_TRUE(decoding && writing && setting) << c.height;
    EXPECT_TRUE(watch.WasShown());
    EXPECT_EQ(decoding->positions.size(), c.steps) << c.height;
    EXPECT_EQ(decoding->positions.back(), 10000) << c.height;
    // "Writing BMP" starts from 0.
    EXPECT_EQ(writing->positions.size(), c.steps + 1) << c.height;
    EXPECT_EQ(writing->positions.front(), 0);
    EXPECT_EQ(writing->positions.back(), 10000);
    EXPECT_EQ(setting->positions, (std::vector<int>{0, 10000}));
    ExpectWallpaperFile(16, c.height);
  }
}

TEST_F(WallpaperTest, CancelWhileDecodingOrWritingKeepsThePreviousWallpaper) {
  ASSERT_TRUE(Set(Picture("before.bmp", 64, 48), TRUE));
  const Bytes before = ReadBytes(kWallpaperFile);
  for (const char* stage : {"Decoding after.bmp", "Writing BMP"}) {
    ProgressWatch watch;
    watch.OnStep = [&](HWND dialog, int step) {
      if (step == 10 && watch.Stages().back().text == stage) PressCancel(dialog);
    };
    EXPECT_FALSE(Set(Picture("after.bmp", 32, 400, 16), FALSE)) << stage;
    const ProgressWatch::Stage* cancelled = watch.Find(stage);
    ASSERT_TRUE(cancelled) << stage;
    EXPECT_LT(cancelled->positions.size(), 100u) << stage;
    EXPECT_EQ(watch.Find("Setting Wallpaper"), nullptr) << stage;
    EXPECT_TRUE(boxes_.Shown().empty()) << stage;
    EXPECT_EQ(ReadBytes(kWallpaperFile), before) << stage;
    EXPECT_EQ(DesktopValue("TileWallpaper"), "1") << stage;
    EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile) << stage;
    EXPECT_EQ(DesktopPixel(64 + 4, 4, BlockColour(0, 0)), BlockColour(0, 0)) << stage;
    for (const std::string& name : FilesIn("C:\\windows"))
      EXPECT_NE(name.substr(name.size() - 4), ".tmp") << name;
  }
}

TEST_F(WallpaperTest, APictureThatCannotBeReadLeavesThePreviousWallpaper) {
  ASSERT_TRUE(Set(Picture("before.bmp", 64, 48), TRUE));
  const Bytes before = ReadBytes(kWallpaperFile);
  WriteBytes(folder_.Path("broken.gif"), Bytes(300, 'x'));
  EXPECT_FALSE(Set(folder_.Path("broken.gif"), FALSE));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{{"Glimmora32", "Could not read image."}}));
  EXPECT_EQ(ReadBytes(kWallpaperFile), before);
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
}

BOOL RefuseWallpaper(const char*) { return FALSE; }

// Windows refuses every wallpaper for as long as it lives.
class RefusedWallpaper {
 public:
  RefusedWallpaper() : saved_(setDesktopWallpaper) { setDesktopWallpaper = RefuseWallpaper; }
  ~RefusedWallpaper() { setDesktopWallpaper = saved_; }
  RefusedWallpaper(const RefusedWallpaper&) = delete;
  RefusedWallpaper& operator=(const RefusedWallpaper&) = delete;

 private:
  DesktopWallpaperSetter saved_;
};

TEST_F(WallpaperTest, AWallpaperWindowsRefusesIsReportedAndTheTilingStaysAsItWas) {
  const ShownBox cannotSet{"Glimmora32", "Could not set wallpaper."};
  ASSERT_TRUE(Set(Picture("before.bmp", 64, 48), TRUE));
  {
    RefusedWallpaper refused;
    EXPECT_FALSE(Set(Picture("after.bmp", 32, 32), FALSE));
    // The file of the wallpaper shown keeps its picture.
    const ReadPicture file = ReadBack(kWallpaperFile);
    ASSERT_TRUE(file.ok);
    EXPECT_EQ(file.dib.width, 64);
    EXPECT_FALSE(SetWallpaper(ModuleInstance, nullptr, "Glimmora32", nullptr, FALSE));
  }
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{cannotSet, cannotSet}));
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
  EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile);

  // Without a tiling value before, there is none after.
  HKEY key;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop", &key), ERROR_SUCCESS);
  RegDeleteValueA(key, "TileWallpaper");
  RegCloseKey(key);
  {
    RefusedWallpaper refused;
    EXPECT_FALSE(Set(Picture("after.bmp", 32, 32), TRUE));
  }
  EXPECT_EQ(DesktopValue("TileWallpaper"), "<no value>");
  EXPECT_EQ(boxes_.Shown().size(), 3u);
}

TEST_F(WallpaperTest, TheBitmapHasTheScreensDepth) {
  const struct {
    int screen;
    int file;
  } depths[] = {{8, 8}, {16, 16}, {32, 24}};
  for (const auto& depth : depths) {
    ASSERT_TRUE(SetScreenDepth(depth.screen)) << depth.screen;
    ASSERT_TRUE(Set(Picture("depth.bmp", 64, 48), TRUE)) << depth.screen;
    const Bytes header = ReadBytes(kWallpaperFile);
    ASSERT_GE(header.size(), 54u);
    EXPECT_EQ(header[28], depth.file) << "bits per pixel on a screen of " << depth.screen;
    const ReadPicture file = ReadBack(kWallpaperFile);
    ASSERT_TRUE(file.ok);
    // Each block keeps its colour on average as near as the depth
    // allows (dithered on palette screens).
    const int slack = depth.file == 24 ? 0 : depth.file == 16 ? 8 : 24;
    for (int row = 0; row < 6; ++row)
      for (int column = 0; column < 8; ++column) {
        const Rgb want = BlockColour(column, row);
        int sum[3] = {};
        for (int y = row * 8; y < row * 8 + 8; ++y)
          for (int x = column * 8; x < column * 8 + 8; ++x) {
            const Rgb got = DibColour(file.dib, x, y);
            sum[0] += got.red;
            sum[1] += got.green;
            sum[2] += got.blue;
          }
        EXPECT_NEAR(sum[0] / 64, want.red, slack) << depth.screen << ": " << column << ", " << row;
        EXPECT_NEAR(sum[1] / 64, want.green, slack)
            << depth.screen << ": " << column << ", " << row;
        EXPECT_NEAR(sum[2] / 64, want.blue, slack) << depth.screen << ": " << column << ", " << row;
      }
    SaveWindowScreenshot(GetDesktopWindow(), "wallpaper-screen-" + std::to_string(depth.screen));
  }
}

TEST(WallpaperReduction, PaletteScreensGetTheOptimisedPaletteAndSixteenBitsTheDither) {
  EXPECT_EQ(WallpaperReductionMode(1), 4);
  EXPECT_EQ(WallpaperReductionMode(4), 4);
  EXPECT_EQ(WallpaperReductionMode(8), 4);
  EXPECT_EQ(WallpaperReductionMode(16), 1);
  EXPECT_EQ(WallpaperReductionMode(24), 0);
}

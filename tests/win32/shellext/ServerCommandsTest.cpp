// Convert, Wallpaper and Print as the context menu of the loaded library
// starts them, with the library's message boxes and dialogs answered here.
#include "LibraryBoxes.h"
#include "ShellClient.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char kWallpaperFile[] = "C:\\windows\\Glimmora32 Wallpaper.bmp";
const ShownBox kOverwriteQuestion = {"Overwrite", "Output file exists.  Overwrite?"};

std::string DesktopValue(const char* name) {
  char value[300] = "";
  DWORD size = sizeof value;
  if (RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\desktop", name, RRF_RT_REG_SZ, nullptr, value,
                   &size) != ERROR_SUCCESS)
    return "<none>";
  return value;
}

// The picture at `path` as the codec layer reads it: format and size.
struct PictureRead {
  int format;
  int width;
  int height;
  bool operator==(const PictureRead& other) const {
    return format == other.format && width == other.width && height == other.height;
  }
};

void PrintTo(const PictureRead& read, std::ostream* out) {
  *out << "format " << read.format << ", " << read.width << " x " << read.height;
}

PictureRead ReadPicture(const std::string& path) {
  ImageFile file(path.c_str());
  return {file.GetFormat(), file.GetSourceWidth(), file.GetSourceHeight()};
}

class CommandsThroughServer : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(ServerCanUnloadNow(), S_OK) << "after the command"; }

  std::string Picture(const char* name, int width, int height) {
    const std::string path = ScratchFolder() + "\\" + name;
    DeleteFileA(path.c_str());
    WriteTestBmp(path, width, height);
    return path;
  }

  LibraryBoxes boxes_;
};

TEST_F(CommandsThroughServer, ConvertWritesTheJpegBesideTheSource) {
  const std::string source = Picture("convert.bmp", 120, 90);
  const std::string output = ScratchFolder() + "\\convert.jpg";
  DeleteFileA(output.c_str());
  EXPECT_EQ(InvokeMenuCommand({source}, 6), S_OK);
  EXPECT_EQ(ReadPicture(output), (PictureRead{FormatJpg, 120, 90}));
  EXPECT_TRUE(boxes_.script.Shown().empty());
}

TEST_F(CommandsThroughServer, ConvertWritesTheBmpBesideTheSource) {
  const std::string source = ScratchFolder() + "\\convert-source.jpg";
  WriteFileBytes(source, ReadFileBytes(TestDataFile("jpeg/colour-420-24x16.jpg")));
  const std::string output = ScratchFolder() + "\\convert-source.bmp";
  DeleteFileA(output.c_str());
  EXPECT_EQ(InvokeMenuCommand({source}, 5), S_OK);
  EXPECT_EQ(ReadPicture(output), (PictureRead{FormatBmp, 24, 16}));
  EXPECT_TRUE(boxes_.script.Shown().empty());
}

TEST_F(CommandsThroughServer, AnExistingOutputIsKeptOnCancelAndReplacedOnOk) {
  const std::string source = Picture("existing.bmp", 64, 48);
  const std::string output = ScratchFolder() + "\\existing.jpg";
  WriteFileBytes(output, "not a picture");

  boxes_.script.Answer({IDCANCEL});
  EXPECT_EQ(InvokeMenuCommand({source}, 6), S_OK);
  EXPECT_EQ(boxes_.script.Shown(), std::vector<ShownBox>{kOverwriteQuestion});
  EXPECT_EQ(ReadFileBytes(output), "not a picture");

  boxes_.script.Answer({IDOK});
  EXPECT_EQ(InvokeMenuCommand({source}, 6), S_OK);
  EXPECT_EQ(boxes_.script.Shown(), (std::vector<ShownBox>{kOverwriteQuestion, kOverwriteQuestion}));
  EXPECT_EQ(ReadPicture(output), (PictureRead{FormatJpg, 64, 48}));
}

TEST_F(CommandsThroughServer, TheLibraryStillUnloadsOnceItHasShownAMessageBox) {
  const std::string source = Picture("unload.bmp", 64, 48);
  WriteFileBytes(ScratchFolder() + "\\unload.jpg", "kept");
  boxes_.script.Answer({IDCANCEL});
  EXPECT_EQ(InvokeMenuCommand({source}, 6), S_OK);
  ASSERT_EQ(boxes_.script.Shown(), std::vector<ShownBox>{kOverwriteQuestion});
  ASSERT_EQ(ServerCanUnloadNow(), S_OK);
  EXPECT_TRUE(ServerUnloaded());
}

TEST_F(CommandsThroughServer, WallpaperTiledCentredAndRemoved) {
  const std::string source = Picture("wallpaper.bmp", 64, 48);
  DeleteFileA(kWallpaperFile);
  EXPECT_EQ(InvokeMenuCommand({source}, 2), S_OK);
  EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile);
  EXPECT_EQ(DesktopValue("TileWallpaper"), "1");
  EXPECT_EQ(ReadPicture(kWallpaperFile), (PictureRead{FormatBmp, 64, 48}));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);

  DeleteFileA(kWallpaperFile);
  EXPECT_EQ(InvokeMenuCommand({source}, 3), S_OK);
  EXPECT_EQ(DesktopValue("Wallpaper"), kWallpaperFile);
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  EXPECT_EQ(ReadPicture(kWallpaperFile), (PictureRead{FormatBmp, 64, 48}));
  EXPECT_EQ(ServerCanUnloadNow(), S_OK);

  EXPECT_EQ(InvokeMenuCommand({source}, 4), S_OK);
  EXPECT_EQ(DesktopValue("Wallpaper"), "(none)");
  EXPECT_EQ(DesktopValue("TileWallpaper"), "0");
  EXPECT_TRUE(boxes_.script.Shown().empty());
  EXPECT_TRUE(boxes_.dialogs.empty());
}

TEST_F(CommandsThroughServer, PrintWithThePrintDialogCancelledPrintsNothing) {
  if (!std::getenv("ZEL95_PDF_DIR")) GTEST_SKIP() << "no PDF printer (ZEL95_PDF_DIR)";
  EXPECT_EQ(InvokeMenuCommand({Picture("print.bmp", 64, 48)}, 1), S_OK);
  EXPECT_EQ(boxes_.dialogs, std::vector<std::string>{"Print"});
  EXPECT_TRUE(boxes_.script.Shown().empty());
}

}  // namespace

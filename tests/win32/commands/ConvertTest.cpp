#include "BoxScript.h"
#include "CommandTestFiles.h"
#include "shellext/commands/Commands.h"
#include "tests/win32/support/TestPictures.h"
#include "tests/win32/support/WinePaths.h"
#include "codecs/ImageFormat.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace {

const ShownBox kOverwrite{"Overwrite", "Output file exists.  Overwrite?"};
const ShownBox kCannotLoad{"Conversion Failed", "Could not load source image!"};
const ShownBox kCannotWrite{"Conversion Failed", "Can't write output image"};
const ShownBox kSameFile{"Conversion Failed", "The output file would be the source image itself."};

std::set<std::string> NamesIn(const std::string& folder) {
  const std::vector<std::string> names = FilesIn(folder);
  return std::set<std::string>(names.begin(), names.end());
}

// Every pixel of `actual` is the one of `expected`. A lossy copy instead
// keeps the picture's average colour and stays near each pixel.
void ExpectSamePicture(const ReadPicture& expected, const ReadPicture& actual, bool lossy,
                       const std::string& what) {
  ASSERT_TRUE(expected.ok && actual.ok) << what;
  ASSERT_EQ(actual.dib.width, expected.dib.width) << what;
  ASSERT_EQ(actual.dib.height, expected.dib.height) << what;
  double difference = 0;
  double averages[2][3] = {};
  for (int y = 0; y < expected.dib.height; ++y)
    for (int x = 0; x < expected.dib.width; ++x) {
      const Rgb want = DibColour(expected.dib, x, y);
      const Rgb got = DibColour(actual.dib, x, y);
      if (!lossy) {
        ASSERT_EQ(got, want) << what << " at (" << x << ", " << y << ")";
      }
      difference += std::abs(got.red - want.red) + std::abs(got.green - want.green) +
                    std::abs(got.blue - want.blue);
      const Rgb both[2] = {want, got};
      for (int i = 0; i < 2; ++i) {
        averages[i][0] += both[i].red;
        averages[i][1] += both[i].green;
        averages[i][2] += both[i].blue;
      }
    }
  const double pixels = static_cast<double>(expected.dib.width) * expected.dib.height;
  EXPECT_LE(difference / (3 * pixels), 40) << what << ": mean difference per channel";
  for (int channel = 0; channel < 3; ++channel)
    EXPECT_NEAR(averages[1][channel] / pixels, averages[0][channel] / pixels, 8)
        << what << ": average of channel " << channel;
}

// Whatever room is left on the disk goes to `filler`.
void FillDisk(const std::string& filler) {
  HANDLE file = CreateFileA(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  const Bytes block(4096, 0);
  for (DWORD size = 4096; size > 0; size /= 2) {
    DWORD written = 0;
    while (WriteFile(file, block.data(), size, &written, nullptr) && written == size) {
    }
  }
  CloseHandle(file);
}

struct Source {
  const char* name;
  const char* data;  // under tests/data; null for the Photo CD pack made here
  int format;
};

const Source kSources[] = {
    {"bmp", "images/rgb24-5x3.bmp", FormatBmp},
    {"bmp8", "images/pal8-5x3.bmp", FormatBmp},
    {"gif", "gif/palette16-9x6.gif", FormatGif},
    {"jpeg", "jpeg/colour-420-24x16.jpg", FormatJpg},
    {"pcx", "pcx/rgb24-9x6.pcx", FormatPcx},
    {"tga", "tga/rgb24-rle-9x6.tga", FormatTga},
    {"tiff", "tiff/rgb_deflate.tif", FormatTif},
    {"png", "png/rgb8.png", FormatPng},
    {"pcd", nullptr, FormatPcd},
};

class ConvertTest : public ::testing::Test {
 protected:
  std::string Place(const Source& source, const std::string& name) {
    const std::string path = folder_.Path(name);
    if (source.data)
      CopyFileA(DataFile(source.data).c_str(), path.c_str(), FALSE);
    else
      WriteBytes(path, PhotoCdPack());
    return path;
  }

  TestFolder folder_{"convert"};
  BoxScript boxes_;
};

}  // namespace

TEST_F(ConvertTest, EveryReadableFormatBecomesABmpWithTheSamePixelsAndAJpeg) {
  for (const Source& source : kSources) {
    const std::string path = Place(source, std::string("picture-") + source.name + ".src");
    const ReadPicture original = ReadBack(path);
    ASSERT_EQ(original.format, source.format) << source.name;

    ASSERT_TRUE(ConvertImage(nullptr, path.c_str(), FormatBmp)) << source.name;
    const ReadPicture bmp = ReadBack(folder_.Path(std::string("picture-") + source.name + ".bmp"));
    EXPECT_EQ(bmp.format, FormatBmp) << source.name;
    ExpectSamePicture(original, bmp, false, std::string(source.name) + " as BMP");

    ASSERT_TRUE(ConvertImage(nullptr, path.c_str(), FormatJpg)) << source.name;
    const ReadPicture jpeg = ReadBack(folder_.Path(std::string("picture-") + source.name + ".jpg"));
    EXPECT_EQ(jpeg.format, FormatJpg) << source.name;
    ExpectSamePicture(original, jpeg, true, std::string(source.name) + " as JPEG");
  }
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_EQ(NamesIn(folder_.Path()).size(), 3 * std::size(kSources)) << "no temporary file is left";
}

TEST_F(ConvertTest, TheGifAndPcxWritersAreReachedToo) {
  const std::string path = Place(kSources[2], "cat.gif");
  const ReadPicture original = ReadBack(path);
  ASSERT_TRUE(ConvertImage(nullptr, path.c_str(), FormatPcx));
  ExpectSamePicture(original, ReadBack(folder_.Path("cat.pcx")), false, "GIF as PCX");
  const std::string pcx = folder_.Path("cat.pcx");
  DeleteFileA(path.c_str());
  ASSERT_TRUE(ConvertImage(nullptr, pcx.c_str(), FormatGif));
  ExpectSamePicture(original, ReadBack(path), false, "PCX back to GIF");
}

TEST_F(ConvertTest, CatGifBecomesCatBmpAndCatJpgBesideIt) {
  TestFolder pics("pics");
  const std::string path = pics.Path("cat.gif");
  CopyFileA(DataFile("gif/palette16-9x6.gif").c_str(), path.c_str(), FALSE);
  EXPECT_TRUE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  EXPECT_TRUE(ConvertImage(nullptr, path.c_str(), FormatJpg));
  EXPECT_EQ(NamesIn(pics.Path()), (std::set<std::string>{"cat.gif", "cat.bmp", "cat.jpg"}));
  EXPECT_EQ(ReadBack(pics.Path("cat.bmp")).format, FormatBmp);
  EXPECT_EQ(ReadBack(pics.Path("cat.jpg")).format, FormatJpg);
}

TEST_F(ConvertTest, AFullStopInAFolderNameIsNoExtension) {
  const std::string folder = folder_.Path("my.pics");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\photo";
  CopyFileA(DataFile("png/rgb8.png").c_str(), path.c_str(), FALSE);
  EXPECT_TRUE(ConvertImage(nullptr, path.c_str(), FormatJpg));
  EXPECT_EQ(ReadBack(folder + "\\photo.jpg").format, FormatJpg);
  EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"photo", "photo.jpg"}));
  EXPECT_TRUE(NamesIn(folder_.Path()).empty()) << "nothing beside the folder";
}

TEST_F(ConvertTest, ASourceNamedLikeItsOutputIsNeverWrittenOver) {
  // Offered by content: a PNG named .jpg still offers JPEG.
  for (const char* name : {"misnamed.jpg", "SHOUTING.JPG"}) {
    const std::string path = folder_.Path(name);
    CopyFileA(DataFile("png/rgb8.png").c_str(), path.c_str(), FALSE);
    const Bytes original = ReadBytes(path);
    boxes_.Answer({IDOK});
    EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatJpg)) << name;
    EXPECT_EQ(ReadBytes(path), original) << name;
    EXPECT_EQ(ReadBack(path).format, FormatPng) << name;
  }
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kSameFile, kSameFile}));
  EXPECT_EQ(NamesIn(folder_.Path()), (std::set<std::string>{"misnamed.jpg", "SHOUTING.JPG"}));
}

TEST_F(ConvertTest, AnExistingOutputIsOverwrittenAfterOk) {
  const std::string path = Place(kSources[2], "cat.gif");
  WriteBytes(folder_.Path("cat.bmp"), Bytes(100, 'x'));
  boxes_.Answer({IDOK});
  EXPECT_TRUE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  EXPECT_EQ(boxes_.Shown(), std::vector<ShownBox>{kOverwrite});
  ExpectSamePicture(ReadBack(path), ReadBack(folder_.Path("cat.bmp")), false, "overwritten");
  EXPECT_EQ(NamesIn(folder_.Path()), (std::set<std::string>{"cat.gif", "cat.bmp"}));
}

TEST_F(ConvertTest, AnExistingOutputAndCancelWritesNothing) {
  const std::string path = Place(kSources[2], "cat.gif");
  WriteBytes(folder_.Path("cat.bmp"), Bytes(100, 'x'));
  boxes_.Answer({IDCANCEL});
  EXPECT_TRUE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  EXPECT_EQ(boxes_.Shown(), std::vector<ShownBox>{kOverwrite});
  EXPECT_EQ(ReadBytes(folder_.Path("cat.bmp")), Bytes(100, 'x'));
}

TEST_F(ConvertTest, AReadOnlyOutputIsLeftAsItWas) {
  const std::string path = Place(kSources[2], "cat.gif");
  const std::string output = folder_.Path("cat.bmp");
  WriteBytes(output, Bytes(100, 'x'));
  SetFileAttributesA(output.c_str(), FILE_ATTRIBUTE_READONLY);
  boxes_.Answer({IDOK});
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kOverwrite, kCannotWrite}));
  EXPECT_EQ(ReadBytes(output), Bytes(100, 'x'));
  EXPECT_EQ(NamesIn(folder_.Path()), (std::set<std::string>{"cat.gif", "cat.bmp"}));
}

TEST_F(ConvertTest, ASourceThatCannotBeReadWritesNothing) {
  WriteBytes(folder_.Path("cat.gif"), Bytes(500, 'x'));
  EXPECT_FALSE(ConvertImage(nullptr, folder_.Path("cat.gif").c_str(), FormatBmp));
  EXPECT_FALSE(ConvertImage(nullptr, folder_.Path("missing.gif").c_str(), FormatJpg));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kCannotLoad, kCannotLoad}));
  EXPECT_EQ(NamesIn(folder_.Path()), std::set<std::string>{"cat.gif"});
}

TEST_F(ConvertTest, APictureTooBigToHoldIsRefusedAndNothingIsWritten) {
  const std::string path = folder_.Path("huge.png");
  WriteHugeInterlacedPng(path);
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kCannotLoad}));
  EXPECT_EQ(NamesIn(folder_.Path()), std::set<std::string>{"huge.png"});
}

TEST_F(ConvertTest, AFormatWithoutWriterIsNamedFromTheFormatTable) {
  const std::string path = Place(kSources[2], "cat.gif");
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatTga));
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatPng));
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), 8));
  EXPECT_EQ(
      boxes_.Shown(),
      (std::vector<ShownBox>{{"Conversion Failed", "Don't know how to write format\n'TGA \tTarga'"},
                             {"Conversion Failed",
                              "Don't know how to write format\n'PNG \tPortable Network Graphics'"},
                             {"Conversion Failed", "Don't know how to write format\n''"}}));
  EXPECT_EQ(NamesIn(folder_.Path()), std::set<std::string>{"cat.gif"});
}

TEST_F(ConvertTest, AFullDiskKeepsTheOldOutputAndLeavesNothingBehind) {
  const char* full = std::getenv("ZEL95_FULL_DIR");
  if (!full) GTEST_SKIP() << "no small file system (ZEL95_FULL_DIR) to fill";
  const std::string folder = WinePathOf(full);
  const std::string path = folder + "\\wide.src";
  const std::string output = folder + "\\wide.bmp";
  WriteBytes(path, BlocksBmp(200, 150, 10));
  WriteBytes(output, Bytes(100, 'x'));
  FillDisk(folder + "\\filler");

  // The writer tells the system's reason once, then the command its own.
  boxes_.Answer({IDOK});
  EXPECT_FALSE(ConvertImage(nullptr, path.c_str(), FormatBmp));
  const ShownBox diskFull{"_lwrite", "Disk full."};
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kOverwrite, diskFull, kCannotWrite}));
  EXPECT_EQ(ReadBytes(output), Bytes(100, 'x'));
  EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"wide.src", "wide.bmp", "filler"}));
  for (const char* name : {"\\wide.src", "\\wide.bmp", "\\filler"})
    DeleteFileA((folder + name).c_str());
}

TEST_F(ConvertTest, AReadOnlyFolderKeepsTheOldOutputAndGetsNoFile) {
  const char* view = std::getenv("ZEL95_READONLY_DIR");
  const char* source = std::getenv("ZEL95_READONLY_SOURCE");
  if (!view || !source) GTEST_SKIP() << "no read-only folder (ZEL95_READONLY_DIR)";
  const std::string writable = WinePathOf(source);
  WriteBytes(writable + "\\cat.src", BlocksBmp(20, 10, 5));
  WriteBytes(writable + "\\cat.jpg", Bytes(100, 'x'));
  const std::string folder = WinePathOf(view);
  boxes_.Answer({IDOK});
  EXPECT_FALSE(ConvertImage(nullptr, (folder + "\\cat.src").c_str(), FormatJpg));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{kOverwrite, kCannotWrite}));
  EXPECT_EQ(ReadBytes(folder + "\\cat.jpg"), Bytes(100, 'x'));
  EXPECT_EQ(NamesIn(folder), (std::set<std::string>{"cat.src", "cat.jpg"}));
  for (const char* name : {"\\cat.src", "\\cat.jpg"}) DeleteFileA((writable + name).c_str());
}

// The codec layer on real GDI objects under Windows: the committed samples
// load into DIB sections with palettes, the screen's depth decides the
// display bitmap, and the BMP writer reads a DIB section back out.
#include "codecs/BmpWriter.h"
#include "codecs/CodecError.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageFormat.h"
#include "tests/host/codecs/SampleImages.h"
#include "platform/forms/Modal.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string TempFile(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + name;
}

TEST(CodecWin32Test, SamplesLoadIntoDibSectionsWithTheirPixels) {
  for (const SampleImage& sample : SampleImages()) {
    ImageFile image(SamplePath(sample).c_str());
    ASSERT_EQ(image.GetFormat(), FormatBmp) << sample.file;
    ASSERT_EQ(image.Load(true, false), CodecOk) << sample.file << " error " << image.LastError();
    HBITMAP bitmap = image.GetNativeBitmap();
    DIBSECTION section;
    ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section))
        << sample.file << " is a DIB section";
    DibDescription dib = Describe(bitmap);
    EXPECT_FALSE(dib.bottomUp) << sample.file << " is top-down";
    ASSERT_EQ(dib.width, sample.width) << sample.file;
    ASSERT_EQ(dib.height, sample.height) << sample.file;
    for (int y = 0; y < sample.height; ++y)
      for (int x = 0; x < sample.width; ++x)
        ASSERT_EQ(DibColour(dib, x, y), sample.pixel(x, y))
            << sample.file << " pixel " << x << "," << y << " is "
            << ToString(DibColour(dib, x, y));
  }
}

TEST(CodecWin32Test, BottomUpLoadsAreToldApartFromTopDownOnes) {
  const SampleImage& sample = SampleImages()[0];
  ImageFile image(SamplePath(sample).c_str());
  ASSERT_EQ(image.BeginLoad({.keepNative = true, .makeDisplay = false, .bottomUp = true}), CodecOk);
  ASSERT_EQ(image.DecodeRows(sample.height, nullptr, nullptr), CodecOk);
  ASSERT_EQ(image.EndLoad(true), CodecOk);
  DibDescription dib = Describe(image.GetNativeBitmap());
  EXPECT_TRUE(dib.bottomUp);
  const uint8_t* memoryRow0 = dib.bits;
  EXPECT_EQ(memoryRow0[1], 200) << "memory row 0 holds the bottom row (green 200)";
  for (int y = 0; y < sample.height; ++y)
    for (int x = 0; x < sample.width; ++x)
      ASSERT_EQ(DibColour(dib, x, y), sample.pixel(x, y)) << "pixel " << x << "," << y;
}

TEST(CodecWin32Test, ResourcesLoadByIntegerIdAndByName) {
  HMODULE module = GetModuleHandleA(nullptr);
  const struct {
    const char* name;
    const char* file;
  } resources[] = {{MAKEINTRESOURCEA(7), "rgb24-5x3.bmp"}, {"PICTURE", "pal8-5x3.bmp"}};
  for (const auto& resource : resources) {
    const SampleImage* sample = nullptr;
    for (const SampleImage& s : SampleImages())
      if (std::string(s.file) == resource.file) sample = &s;
    ASSERT_NE(sample, nullptr);
    ImageFile image(module, resource.name);
    ASSERT_EQ(image.GetFormat(), FormatBmp) << resource.file;
    ASSERT_EQ(image.Load(true, false), CodecOk) << resource.file << " error " << image.LastError();
    DibDescription dib = Describe(image.GetNativeBitmap());
    for (int y = 0; y < sample->height; ++y)
      for (int x = 0; x < sample->width; ++x)
        ASSERT_EQ(DibColour(dib, x, y), sample->pixel(x, y))
            << resource.file << " pixel " << x << "," << y;
  }
  ImageFile missing(module, MAKEINTRESOURCEA(8));
  EXPECT_NE(missing.Load(true, false), CodecOk);
  EXPECT_EQ(missing.LastError(), ErrCannotOpen);
}

TEST(CodecWin32Test, PaletteBitmapsResolveTheirColoursThroughTheLogicalPalette) {
  const SampleImage& sample = SampleImages()[6];  // pal8-5x3.bmp
  ASSERT_STREQ(sample.file, "pal8-5x3.bmp");
  ImageFile image(SamplePath(sample).c_str());
  ASSERT_EQ(image.Load(false, true), CodecOk);
  HPALETTE palette = image.GetPalette();
  ASSERT_NE(palette, nullptr);
  PALETTEENTRY entries[256];
  ASSERT_EQ(GetPaletteEntries(palette, 0, 256, entries), 256u);
  EXPECT_EQ(entries[7].peRed, 7);
  EXPECT_EQ(entries[7].peGreen, 248);
  EXPECT_EQ(entries[7].peBlue, 100);
  DibDescription dib = Describe(image.GetDisplayBitmap());
  EXPECT_EQ(dib.bitsPerPixel, 8);
  EXPECT_EQ(DibColour(dib, 4, 1), sample.pixel(4, 1));
  // The bitmap draws with its colours.
  HDC screen = GetDC(nullptr);
  const int screenDepth = GetDeviceCaps(screen, BITSPIXEL);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, image.GetDisplayBitmap());
  COLORREF drawn = GetPixel(memory, 4, 1);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (screenDepth >= 24) {
    EXPECT_EQ(drawn, RGB(6, 249, 100));
  }
}

TEST(CodecWin32Test, FittedLoadShrinksIntoARealBitmap) {
  ImageFile image(SamplePath(SampleImages()[0]).c_str());
  ASSERT_EQ(image.LoadFitted({.maxWidth = 2, .maxHeight = 2, .keepNative = true}), CodecOk);
  DibDescription dib = Describe(image.GetDisplayBitmap());
  EXPECT_EQ(dib.width, 2);
  EXPECT_EQ(dib.height, 1);
  EXPECT_EQ(image.GetProgress(), 10000);
  // 5 x 3 into 2 x 2 is 2 x 1: columns 0-2 and 3-4 averaged; the file's
  // bottom row comes first and the last row read (the top one) is kept.
  if (dib.bitsPerPixel == 24) {
    EXPECT_EQ(DibColour(dib, 0, 0), (Rgb{60, 0, 30}));
    EXPECT_EQ(DibColour(dib, 1, 0), (Rgb{210, 0, 30}));
  }
}

TEST(CodecWin32Test, BmpWriterReadsTheDibSectionBackOut) {
  for (const SampleImage& sample : SampleImages()) {
    ImageFile image(SamplePath(sample).c_str());
    ASSERT_EQ(image.Load(true, false), CodecOk) << sample.file;
    const std::string path = TempFile("zel95-codec-roundtrip.bmp");
    BmpWriter writer(path.c_str(), image.GetNativeBitmap());
    ASSERT_EQ(writer.Begin(), CodecOk) << sample.file << " error " << writer.ErrorCode();
    ASSERT_EQ(writer.WriteRows(sample.height), CodecOk) << sample.file;
    ASSERT_EQ(writer.Finish(), CodecOk) << sample.file;
    ImageFile back(path.c_str());
    ASSERT_EQ(back.Load(true, false), CodecOk) << sample.file << " error " << back.LastError();
    DibDescription dib = Describe(back.GetNativeBitmap());
    for (int y = 0; y < sample.height; ++y)
      for (int x = 0; x < sample.width; ++x)
        ASSERT_EQ(DibColour(dib, x, y), sample.pixel(x, y))
            << sample.file << " pixel " << x << "," << y;
    back.Release();
    DeleteFileA(path.c_str());
  }
}

TEST(CodecWin32Test, AWriterOnABitmapThatIsNoDibSectionCreatesNoFile) {
  HDC screen = GetDC(nullptr);
  HBITMAP compatible = CreateCompatibleBitmap(screen, 4, 4);
  ReleaseDC(nullptr, screen);
  const std::string path = TempFile("zel95-codec-never.bmp");
  DeleteFileA(path.c_str());
  BmpWriter writer(path.c_str(), compatible);
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteObject(compatible);
}

std::string SystemText(DWORD code) {
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string s = text;
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

// Answers the system message boxes the codec layer shows with OK and
// records their captions and texts.
class SystemBoxes {
 public:
  struct Box {
    std::string caption;
    std::string text;
  };
  SystemBoxes() {
    SetModalAnswerer([this](HWND box) {
      char caption[256] = "";
      char text[1024] = "";
      GetWindowTextA(box, caption, sizeof caption);
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
      shown.push_back(Box{caption, text});
      SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    });
  }
  ~SystemBoxes() { SetModalAnswerer(nullptr); }
  std::vector<Box> shown;
};

TEST(CodecWin32Test, AFullDiskShowsTheSystemsTextCaptionedLwrite) {
  ImageFile image(SamplePath(SampleImages()[0]).c_str());
  ASSERT_EQ(image.Load(true, false), CodecOk);
  SystemBoxes boxes;
  // The Linux device that is always full, through Wine's drive Z:.
  BmpWriter writer("Z:\\dev\\full", image.GetNativeBitmap());
  ASSERT_EQ(writer.Begin(), CodecOk) << writer.ErrorCode();
  const bool written = (writer.WriteRows(1 << 20) == CodecOk) && (writer.Finish() == CodecOk);
  EXPECT_FALSE(written);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "_lwrite");
  EXPECT_EQ(boxes.shown[0].text, SystemText(ERROR_DISK_FULL));
}

TEST(CodecWin32Test, AColourTableThatCannotBeReadShowsABoxCaptionedGetDIBColorTable) {
  const SampleImage* palette = nullptr;
  for (const SampleImage& s : SampleImages())
    if (std::string(s.file) == "pal8-5x3.bmp") palette = &s;
  ASSERT_NE(palette, nullptr);
  ImageFile image(SamplePath(*palette).c_str());
  ASSERT_EQ(image.Load(true, false), CodecOk);
  // Selected into a context elsewhere (a viewer drawing it), the bitmap
  // cannot be selected again to read its colour table.
  HDC elsewhere = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(elsewhere, image.GetNativeBitmap());
  ASSERT_NE(previous, nullptr);
  const std::string path = TempFile("zel95-codec-colour-table.bmp");
  DeleteFileA(path.c_str());
  SystemBoxes boxes;
  BmpWriter writer(path.c_str(), image.GetNativeBitmap());
  EXPECT_NE(writer.Begin(), CodecOk);
  EXPECT_EQ(writer.ErrorCode(), ErrReadWrite);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "GetDIBColorTable");
  EXPECT_EQ(boxes.shown[0].text, SystemText(ERROR_INVALID_HANDLE));
  SelectObject(elsewhere, previous);
  DeleteDC(elsewhere);
}

TEST(CodecWin32Test, ImagesLoadFromASliceOfAnOpenFile) {
  const SampleImage& sample = SampleImages()[0];
  OFSTRUCT info;
  HFILE file = OpenFile(SamplePath(sample).c_str(), &info, OF_READ | OF_SHARE_DENY_NONE);
  ASSERT_NE(file, HFILE_ERROR);
  LONG size = _llseek(file, 0, 2);
  ImageFile image(ImageSource::FromSlice(static_cast<int>(file), 0, static_cast<uint32_t>(size)));
  ASSERT_EQ(image.Load(true, false), CodecOk) << image.LastError();
  EXPECT_EQ(DibColour(Describe(image.GetNativeBitmap()), 4, 2), sample.pixel(4, 2));
  _lclose(file);
}

}  // namespace

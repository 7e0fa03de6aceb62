// The viewer decodes its picture a band at a time, from the top, painting
// each band as it comes, on a true-colour and on a 256-colour picture.
#include "ViewerTestSupport.h"

#include <algorithm>

#include "tests/win32/support/ModalScript.h"
#include "shellext/viewer/PacingThread.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPictures.h"
#include "shellext/viewer/ViewerState.h"

namespace {

// What the view shows at picture pixel (x, y).
COLORREF ViewPixel(HWND frame, int x, int y) {
  HWND view = StateOf(frame)->view->window;
  HDC dc = GetDC(view);
  const COLORREF colour =
      GetPixel(dc, x - StateOf(frame)->view->scrollX, y - StateOf(frame)->view->scrollY);
  ReleaseDC(view, dc);
  return colour;
}

ImageRect Rect(int left, int top, int right, int bottom) {
  ImageRect rect;
  rect.left = left;
  rect.top = top;
  rect.right = right;
  rect.bottom = bottom;
  return rect;
}

// Opens the picture and checks that every step decodes and repaints the next
// band of `rows` from the top; screenshots it half-decoded and complete.
// `colour` is what pixel (x, y) must look like.
void ExpectBandedDecode(const std::string& path, int width, int height, int rows,
                        const PictureColour& colour, const std::string& screenshot) {
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  ViewerState* state = StateOf(frame);
  EXPECT_EQ(RowsPerStep(width, width), rows);
  EXPECT_FALSE(state->imageFile->IsLoading()) << "nothing decodes before the first step";

  DecodeStepRecorder recorder(frame);
  int halfRows = 0;
  COLORREF lastBandPixel = 0, belowPixel = 0;
  recorder.onStep = [&](const DecodeStepSeen& step) {
    if (halfRows || step.decoded.bottom < height / 2) return;
    halfRows = step.decoded.bottom;
    SaveWindowScreenshot(frame, screenshot + "-half");
    lastBandPixel = ViewPixel(frame, 5, halfRows - 1);
    belowPixel = ViewPixel(frame, 5, halfRows + 1);
  };
  ASSERT_TRUE(DecodeToEnd(frame));

  ASSERT_EQ(recorder.steps.size(), static_cast<size_t>((height + rows - 1) / rows));
  int top = 0;
  for (const DecodeStepSeen& step : recorder.steps) {
    const int bottom = std::min(top + rows, height);
    EXPECT_EQ(step.answer, 1);
    EXPECT_EQ(step.changed, Rect(0, top, width, bottom))
        << "the band from row " << top << " is repainted";
    EXPECT_EQ(step.decoded, Rect(0, 0, width, bottom)) << "decoded down to row " << bottom;
    top = bottom;
  }
  EXPECT_EQ(lastBandPixel, colour(5, halfRows - 1)) << "the last band is painted";
  EXPECT_EQ(belowPixel, RGB(0, 0, 0)) << "below it the view is black";

  EXPECT_EQ(state->imageFile->GetProgress(), 10000);
  SaveWindowScreenshot(frame, screenshot + "-complete");
  EXPECT_EQ(ViewPixel(frame, 5, halfRows + 1), colour(5, halfRows + 1));
  EXPECT_EQ(ViewPixel(frame, width / 2, height - 2), colour(width / 2, height - 2));
}

class ViewerDecodeTest : public ViewerTest {};

TEST_F(ViewerDecodeTest, TrueColourPictureDecodesInBandsFromTheTop) {
  const std::string path = WriteTrueColourPicture("viewer-bands.bmp", 640, 480, Bands);
  ExpectBandedDecode(path, 640, 480, 17, Bands, "viewer-truecolour");
}

TEST_F(ViewerDecodeTest, PalettePictureDecodesInBandsWithItsColours) {
  COLORREF palette[256];
  for (int i = 0; i < 256; ++i) palette[i] = RGB(i, (i * 7) & 255, 255 - i);
  auto index = [](int x, int y) { return (x / 2 + y / 3) % 256; };
  const std::string path = WritePalettePicture("viewer-palette.bmp", 400, 300, palette, index);
  ExpectBandedDecode(
      path, 400, 300, 18, [&](int x, int y) { return palette[index(x, y)]; }, "viewer-256colour");
}

// Paced a row per step, a wide picture's steps each take a run of rows.
TEST_F(ViewerDecodeTest, WidePictureStepsTakeRunsOfRowsInOrder) {
  HWND frame = OpenViewer(WriteTrueColourPicture("viewer-wide.bmp", 4000, 60, Bands));
  ASSERT_NE(frame, nullptr);
  DecodeStepRecorder recorder(frame);
  ASSERT_TRUE(DecodeToEnd(frame));
  int top = 0;
  size_t longest = 0;
  for (const DecodeStepSeen& step : recorder.steps) {
    if (step.changed.IsEmpty()) continue;
    EXPECT_EQ(step.changed.top, top) << "each band starts where the last one ended";
    EXPECT_EQ(step.decoded, Rect(0, 0, 4000, step.changed.bottom));
    longest = std::max(longest, static_cast<size_t>(step.changed.bottom - top));
    top = step.changed.bottom;
  }
  EXPECT_EQ(top, 60);
  EXPECT_GT(longest, 1u) << "no step went on past its one row";
  EXPECT_EQ(ViewPixel(frame, 5, 59), Bands(5, 59));
}

TEST(RowsPerStep, ShrinkWithTheWidthOfThePicture) {
  EXPECT_EQ(RowsPerStep(640, 640), 17);
  EXPECT_EQ(RowsPerStep(199, 199), 20);
  EXPECT_EQ(RowsPerStep(200, 200), 19);
  EXPECT_EQ(RowsPerStep(320, 640), 8) << "a picture shown at half its width";
  EXPECT_EQ(RowsPerStep(4000, 4000), 1);
  EXPECT_EQ(RowsPerStep(9000, 9000), 1) << "never less than one row";
}

TEST_F(ViewerDecodeTest, FileThatIsNoPictureOpensNoViewer) {
  const std::string path = WriteTrueColourPicture("viewer-not-a-picture.bmp", 10, 10, Bands);
  FILE* out = std::fopen(path.c_str(), "wb");
  std::fputs("plain text, no picture", out);
  std::fclose(out);
  EXPECT_EQ(OpenViewer(path), nullptr);
  EXPECT_EQ(OpenViewer("C:\\no such folder\\picture.bmp"), nullptr);
}

// Also when the pacing goes a row at a time and the failing step had
// decoded rows before it failed.
TEST_F(ViewerDecodeTest, PictureThatEndsEarlyStopsDecodingAndStaysOpen) {
  for (int width : {200, 4000}) {
    const std::string path = WriteTrueColourPicture("viewer-cut.bmp", width, 200, Bands);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, 54 + 3 * width * 50, nullptr, FILE_BEGIN);  // 50 of 200 rows remain
    SetEndOfFile(file);
    CloseHandle(file);
    HWND frame = OpenViewer(path);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return PacingThreadEnded(frame); }));
    ViewerState* state = StateOf(frame);
    EXPECT_FALSE(state->imageFile->IsLoading());
    EXPECT_TRUE(IsWindow(frame));
    PumpFor(50);
    EXPECT_EQ(ViewPixel(frame, 20, 10), Bands(20, 10)) << width << ": what was decoded is shown";
    EXPECT_EQ(ViewPixel(frame, 20, 49), Bands(20, 49)) << width;
    EXPECT_EQ(ViewPixel(frame, 20, 150), RGB(0, 0, 0)) << width;
    EXPECT_TRUE(CloseViewerWindow(frame));
  }
}

// 9000 x 5000 is 45 million pixels, over the 40 million a load may hold:
// the largest picture of its proportions within them is 8485 x 4714.
TEST_F(ViewerDecodeTest, PictureOverThePixelBoundIsShownReducedAndScrollsOverAllOfIt) {
  ModalScript boxes;
  const std::string path = WriteTrueColourPicture("viewer-over-bound.png", 1, 1, Bands);
  WriteFlatPng(path, 9000, 5000, 200, 120, 40);
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr) << "the title is still the path";
  ViewerState* state = StateOf(frame);
  ImageFile& image = *state->imageFile;
  ASSERT_TRUE(PumpUntil(
      [&] { return image.IsComplete() && !image.IsLoading() && PacingThreadEnded(frame); }, 60000));
  EXPECT_TRUE(boxes.Shown().empty());

  EXPECT_EQ(image.GetSourceWidth(), 9000);
  EXPECT_EQ(image.GetSourceHeight(), 5000);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectA(image.GetDisplayBitmap(), sizeof section, &section), sizeof section);
  EXPECT_EQ(section.dsBm.bmWidth, 8485);
  EXPECT_EQ(section.dsBm.bmHeight, 4714);
  EXPECT_EQ(image.GetDecodedRect(), Rect(0, 0, 8485, 4714));

  ImageView& view = *state->view;
  RECT client{};
  GetClientRect(view.window, &client);
  EXPECT_EQ(view.maxScrollX, 8485 - client.right - 2) << "the limits are the reduced picture's";
  EXPECT_EQ(view.maxScrollY, 4714 - client.bottom - 2);
  const COLORREF colour = RGB(200, 120, 40);
  EXPECT_EQ(ViewPixel(frame, 5, 5), colour);
  view.scrollX = view.maxScrollX;
  view.scrollY = view.maxScrollY;
  InvalidateRect(view.window, nullptr, FALSE);
  UpdateWindow(view.window);
  SaveWindowScreenshot(frame, "viewer-over-bound-corner");
  EXPECT_EQ(ViewPixel(frame, view.maxScrollX + 5, view.maxScrollY + 5), colour);
  EXPECT_TRUE(CloseViewerWindow(frame));
  DeleteFileA(path.c_str());
}

}  // namespace

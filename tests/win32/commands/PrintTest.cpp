#include "BoxScript.h"
#include "CommandTestFiles.h"
#include "shellext/commands/Commands.h"
#include "shellext/module/Module.h"
#include "shellext/commands/PrintJob.h"
#include "PrintedPage.h"
#include "shellext/commands/ProgressDialog.h"
#include "ProgressWatch.h"
#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/TestPictures.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// What the PDF printer's device context says of its page and of `title`.
struct PrinterPage {
  int width = 0;
  int height = 0;
  int dpi = 0;
  SIZE title{};
};

PrinterPage MeasurePrinter(const std::string& title) {
  PrinterPage page;
  HDC printer = CreateDCA(nullptr, "PDF", nullptr, nullptr);
  if (!printer) return page;
  page.width = GetDeviceCaps(printer, HORZRES);
  page.height = GetDeviceCaps(printer, VERTRES);
  page.dpi = GetDeviceCaps(printer, LOGPIXELSX);
  GetTextExtentPoint32A(printer, title.c_str(), static_cast<int>(title.size()), &page.title);
  DeleteDC(printer);
  return page;
}

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (PdfFolder().empty()) GTEST_SKIP() << "no PDF printer (ZEL95_PDF_DIR)";
    before_ = PdfFiles();
  }

  // The Print dialog is answered with `button`.
  void AnswerPrintDialog(int button, const std::string& screenshot = "") {
    boxes_.OnDialog = [this, button, screenshot](HWND dialog) {
      char caption[100] = "";
      GetWindowTextA(dialog, caption, sizeof caption);
      dialogs_.push_back(caption);
      if (!screenshot.empty()) SaveWindowScreenshot(dialog, screenshot);
      SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    };
  }

  TestFolder folder_{"print"};
  BoxScript boxes_;
  std::vector<std::string> dialogs_;
  std::set<std::string> before_;
};

}  // namespace

TEST_F(PrintTest, TheTitleIsCentredAtTheTopAndThePictureBelowItAtPrinterScale) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(640, 480, 80));
  AnswerPrintDialog(IDOK, "print-dialog");
  HWND owner = CreateWindowExA(0, "STATIC", "viewer", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ProgressWatch watch;
  bool ownerDisabled = true;
  watch.OnStep = [&](HWND dialog, int step) {
    ownerDisabled = ownerDisabled && !IsWindowEnabled(owner);
    if (step == 50 && watch.Stages().back().text == "Decoding blocks.bmp")
      SaveWindowScreenshot(dialog, "print-progress");
  };
  ASSERT_TRUE(PrintImage(owner, path.c_str()));
  EXPECT_EQ(dialogs_, std::vector<std::string>{"Print"});
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
  ASSERT_TRUE(watch.Find("Decoding blocks.bmp"));
  EXPECT_EQ(watch.Find("Decoding blocks.bmp")->positions.size(), 96u);  // 5 rows a step
  EXPECT_TRUE(watch.Find("Printing blocks.bmp... Please wait"));

  const std::string pdf = WaitForNewPdf(before_, 60);
  ASSERT_NE(pdf, "");
  const PrinterPage printer = MeasurePrinter("blocks.bmp");
  ASSERT_EQ(printer.dpi, 300);
  const RenderedPage page = RenderPdf(pdf, 300, "printed-page");
  ASSERT_GE(page.width, printer.width);
  ASSERT_GE(page.height, printer.height);

  // 640 x 480 on a 96 dpi screen is 2000 x 1500 at 300 dpi: it fits.
  const int titleSpace = 2 * printer.title.cy;
  const int width = 2000, height = 1500;
  const int left = (printer.width - width) / 2;
  const int top = titleSpace + (printer.height - titleSpace - height) / 2;
  const InkBox title = FindInk(page, 0, titleSpace);
  ASSERT_FALSE(title.Empty());
  EXPECT_NEAR((title.left + title.right) / 2, printer.width / 2, 8);
  EXPECT_LT(title.bottom, printer.title.cy + 2);
  EXPECT_LE(title.right - title.left + 1, printer.title.cx);
  const InkBox picture = FindInk(page, titleSpace, page.height);
  EXPECT_NEAR(picture.left, left, 1);
  EXPECT_NEAR(picture.top, top, 1);
  EXPECT_NEAR(picture.right, left + width - 1, 1);
  EXPECT_NEAR(picture.bottom, top + height - 1, 1);
  // 3.125 page pixels to one picture pixel; each block's middle.
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 8; ++column) {
      const Rgb want = BlockColour(column, row);
      const Rgb got = page.At(left + column * 250 + 125, top + row * 250 + 125);
      EXPECT_NEAR(got.red, want.red, 6) << column << ", " << row;
      EXPECT_NEAR(got.green, want.green, 6) << column << ", " << row;
      EXPECT_NEAR(got.blue, want.blue, 6) << column << ", " << row;
    }
}

TEST_F(PrintTest, ATitleWiderThanThePageRunsOffBothSides) {
  const std::string name =
      "a picture whose name is far too long to fit across one printed page.bmp";
  const std::string path = folder_.Path(name);
  WriteBytes(path, BlocksBmp(32, 24, 8));
  AnswerPrintDialog(IDOK);
  ASSERT_TRUE(PrintImage(nullptr, path.c_str()));
  const std::string pdf = WaitForNewPdf(before_, 60);
  ASSERT_NE(pdf, "");
  const PrinterPage printer = MeasurePrinter(name);
  ASSERT_GT(printer.title.cx, printer.width);
  const RenderedPage page = RenderPdf(pdf, 300, "printed-page-long-title");
  const InkBox title = FindInk(page, 0, 2 * printer.title.cy);
  EXPECT_LT(title.left, 30);
  EXPECT_GT(title.right, printer.width - 30);
  // 32 x 24 at 300 / 96: 100 x 75, in the middle below the title.
  const InkBox picture = FindInk(page, 2 * printer.title.cy, page.height);
  EXPECT_NEAR(picture.right - picture.left + 1, 100, 1);
  EXPECT_NEAR(picture.bottom - picture.top + 1, 75, 1);
}

// 9000 x 5000 is over the 40 million pixels a load may hold: it is decoded
// at 8485 x 4714, the largest size of its proportions within them, and at
// printer scale that is still wider than the page.
TEST_F(PrintTest, APictureOverThePixelBoundIsPrintedReducedAcrossThePage) {
  const std::string path = folder_.Path("over-bound.png");
  WriteFlatPng(path, 9000, 5000, 200, 120, 40);
  AnswerPrintDialog(IDOK);
  ProgressWatch watch;
  ASSERT_TRUE(PrintImage(nullptr, path.c_str()));
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(watch.Find("Decoding over-bound.png"));
  EXPECT_TRUE(watch.Find("Printing over-bound.png... Please wait"));

  const std::string pdf = WaitForNewPdf(before_, 120);
  ASSERT_NE(pdf, "");
  const PrinterPage printer = MeasurePrinter("over-bound.png");
  const RenderedPage page = RenderPdf(pdf, 300, "printed-page-over-bound");
  ASSERT_GE(page.width, printer.width);
  const int titleSpace = 2 * printer.title.cy;
  const int height = 4714 * printer.width / 8485;
  const int top = titleSpace + (printer.height - titleSpace - height) / 2;
  const InkBox picture = FindInk(page, titleSpace, page.height);
  EXPECT_NEAR(picture.left, 0, 1);
  EXPECT_NEAR(picture.right, printer.width - 1, 1);
  EXPECT_NEAR(picture.top, top, 1);
  EXPECT_NEAR(picture.bottom, top + height - 1, 1);
  const Rgb middle = page.At(printer.width / 2, top + height / 2);
  EXPECT_NEAR(middle.red, 200, 6);
  EXPECT_NEAR(middle.green, 120, 6);
  EXPECT_NEAR(middle.blue, 40, 6);
}

TEST_F(PrintTest, CancelWhileDecodingPrintsNothing) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 400, 8));
  AnswerPrintDialog(IDOK);
  ProgressWatch watch;
  watch.OnStep = [&](HWND dialog, int step) {
    if (step == 10 && watch.Stages().back().text == "Decoding blocks.bmp") PressCancel(dialog);
  };
  EXPECT_FALSE(PrintImage(nullptr, path.c_str()));
  EXPECT_LT(watch.Find("Decoding blocks.bmp")->positions.size(), 20u);
  EXPECT_FALSE(watch.Find("Printing blocks.bmp... Please wait"));
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_EQ(CurrentProgressDialog(), nullptr);
  EXPECT_TRUE(NoNewPdf(before_, 5));
}

TEST_F(PrintTest, CancelBeforeThePageGoesOutThrowsTheJobAway) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 48, 8));
  AnswerPrintDialog(IDOK);
  ProgressWatch watch;
  watch.OnStep = [&](HWND dialog, int step) {
    if (step == 1 && watch.Stages().back().text == "Printing blocks.bmp... Please wait")
      PressCancel(dialog);
  };
  EXPECT_FALSE(PrintImage(nullptr, path.c_str()));
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(NoNewPdf(before_, 5));
}

TEST_F(PrintTest, ThePrintDialogCancelledPrintsNothing) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 48, 8));
  AnswerPrintDialog(IDCANCEL);
  ProgressWatch watch;
  EXPECT_FALSE(PrintImage(nullptr, path.c_str()));
  EXPECT_EQ(dialogs_, std::vector<std::string>{"Print"});
  EXPECT_FALSE(watch.WasShown());
  EXPECT_TRUE(boxes_.Shown().empty());
  EXPECT_TRUE(NoNewPdf(before_, 3));
}

TEST_F(PrintTest, APictureThatCannotBeReadGivesAnEmptyJobThatIsThrownAway) {
  WriteBytes(folder_.Path("broken.bmp"), Bytes(300, 'x'));
  AnswerPrintDialog(IDOK);
  EXPECT_FALSE(PrintImage(nullptr, folder_.Path("broken.bmp").c_str()));
  EXPECT_EQ(boxes_.Shown(),
            (std::vector<ShownBox>{{"Glimmora32", "Could not read image:\nbroken.bmp"}}));
  EXPECT_TRUE(NoNewPdf(before_, 5));
}

TEST_F(PrintTest, WithoutItsProgressDialogNoJobStarts) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 48, 8));
  ProgressDialog other(ModuleInstance, nullptr, nullptr);
  AnswerPrintDialog(IDOK);
  EXPECT_FALSE(PrintImage(nullptr, path.c_str()));
  EXPECT_EQ(boxes_.Shown(),
            (std::vector<ShownBox>{{"Print Error", "Could not create progress dialog box"}}));
  EXPECT_TRUE(NoNewPdf(before_, 3));
}

TEST_F(PrintTest, APictureEndingEarlyGivesAnEmptyJobThatIsThrownAway) {
  Bytes bmp = BlocksBmp(64, 400, 8);
  bmp.resize(bmp.size() / 2);
  WriteBytes(folder_.Path("short.bmp"), bmp);
  AnswerPrintDialog(IDOK);
  EXPECT_FALSE(PrintImage(nullptr, folder_.Path("short.bmp").c_str()));
  EXPECT_EQ(boxes_.Shown(), (std::vector<ShownBox>{{"Glimmora32", "Could not load image."}}));
  EXPECT_TRUE(NoNewPdf(before_, 5));
}

// The PDF printer can do everything; what a lesser printer says is played
// by the raster capabilities given to the job.
TEST_F(PrintTest, APrinterWithoutBitmapsGetsTheErrorAndNoJob) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 48, 8));
  ProgressWatch watch;
  EXPECT_FALSE(PrintOnPrinter(CreateDCA(nullptr, "PDF", nullptr, nullptr), RC_STRETCHDIB, nullptr,
                              path.c_str()));
  EXPECT_EQ(boxes_.Shown(),
            (std::vector<ShownBox>{{"Print Error",
                                    "Cannot print to the selected printer because it\n"
                                    "does not support printing bitmaps."}}));
  EXPECT_FALSE(watch.WasShown());
  EXPECT_TRUE(NoNewPdf(before_, 3));
}

TEST_F(PrintTest, APrinterThatCannotScaleIsWarnedAndPrintsUnscaled) {
  const std::string path = folder_.Path("blocks.bmp");
  WriteBytes(path, BlocksBmp(64, 48, 8));
  EXPECT_TRUE(PrintOnPrinter(CreateDCA(nullptr, "PDF", nullptr, nullptr), RC_BITBLT, nullptr,
                             path.c_str()));
  EXPECT_EQ(boxes_.Shown(),
            (std::vector<ShownBox>{
                {"Print Warning", "The selected print driver\ndoes not support bitmap scaling."}}));
  const std::string pdf = WaitForNewPdf(before_, 60);
  ASSERT_NE(pdf, "");
  const PrinterPage printer = MeasurePrinter("blocks.bmp");
  const RenderedPage page = RenderPdf(pdf, 300, "printed-page-unscaled");
  const InkBox picture = FindInk(page, 2 * printer.title.cy, page.height);
  ASSERT_FALSE(picture.Empty());
  // One page pixel per picture pixel.
  EXPECT_NEAR(picture.right - picture.left + 1, 64, 1);
  EXPECT_NEAR(picture.bottom - picture.top + 1, 48, 1);
  EXPECT_EQ(page.At(picture.left + 4, picture.top + 4), BlockColour(0, 0));
  EXPECT_EQ(page.At(picture.left + 60, picture.top + 44), BlockColour(7, 5));
}

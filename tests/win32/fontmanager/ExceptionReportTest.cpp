// The application-wide report of exceptions that escape event handlers.
#include "fontmanager/ExceptionReport.h"
#include "MainWindowFixture.h"
#include "ReportText.h"

#include "fontmanager/AppMain.h"
#include "fontcore/Exceptions.h"

#include <stdexcept>

namespace {

TEST(ExceptionReportText, NamesClassOffsetAndMessageWithLineFeedBeforeCarriageReturn) {
  EXPECT_EQ(
      ExceptionReportText("EConvertError", 0x1A2B, "'x' is not a valid integer value"),
      "Application Exception: EConvertError at 00001A2B.\n\r'x' is not a valid integer value. "
      "Shutdown of Zel 95 is recommended.");
  EXPECT_EQ(ExceptionReportText("EInOutError", 0, "Read fault"),
            "Application Exception: EInOutError at 00000000.\n\rRead fault. Shutdown of Zel 95 is "
            "recommended.");
}

TEST(ExceptionReportText, GpfInAnyCaseAnywhereAsksMoreStrongly) {
  EXPECT_EQ(ExceptionReportText("EGPFault", 0xFFFFFFFF, "Access"),
            "Application Exception: EGPFault at FFFFFFFF.\n\rAccess. Shutdown of Zel 95 is highly "
            "recommended.");
  EXPECT_EQ(ExceptionReportText("Exception", 16, "a gPf happened"),
            "Application Exception: Exception at 00000010.\n\ra gPf happened. Shutdown of Zel 95 "
            "is highly "
            "recommended.");
  EXPECT_EQ(
      ExceptionReportText("Exception", 16, "G P F"),
      "Application Exception: Exception at 00000010.\n\rG P F. Shutdown of Zel 95 is recommended.");
}

__attribute__((noinline)) void RaiseHere(const char* message) { throw Exception(message); }

__attribute__((noinline)) void RaiseThere(const char* message) { throw Exception(message); }

std::string OffsetOf(void (*raise)(const char*)) {
  try {
    raise("x");
  } catch (const Exception& e) {
    char text[9];
    snprintf(text, sizeof text, "%08X", static_cast<unsigned>(CodeOffset(e.Address())));
    return text;
  }
  return std::string();
}

TEST(CodeOffset, IsTheSameForTheSamePlaceAndLiesInTheProgramsCode) {
  EXPECT_EQ(OffsetOf(RaiseHere), OffsetOf(RaiseHere));
  EXPECT_NE(OffsetOf(RaiseHere), OffsetOf(RaiseThere));
  const auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleA(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  EXPECT_LT(std::stoul(OffsetOf(RaiseHere), nullptr, 16), nt->OptionalHeader.SizeOfCode);
  EXPECT_EQ(CodeOffset(nullptr), 0u);
}

TEST_F(MainWindowTest, AnExceptionInAHandlerIsReportedAndTheWindowGoesOn) {
  CreateMainWindow();
  const auto refresh = form->sbRefresh.OnClick;
  form->sbRefresh.OnClick = [] { throw EConvertError("'x' is not a valid integer value"); };
  SetScreenCursor(TCursor::HourGlass);
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  EXPECT_EQ(boxes.Shown()[0].Caption, "Error");
  const std::string first =
      ExpectReport(boxes.Shown()[0].Text, "EConvertError", "'x' is not a valid integer value");
  EXPECT_EQ(ScreenCursor(), TCursor::Default);

  // The same place again gives the same offset; the window still works.
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(
      ExpectReport(boxes.Shown()[1].Text, "EConvertError", "'x' is not a valid integer value"),
      first);
  form->sbRefresh.OnClick = refresh;
  form->sbRefresh.Click();
  EXPECT_GT(form->lbFonts.Count(), 0);
  EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(MainWindowTest, AGpfExceptionAndAForeignOneAreReportedToo) {
  CreateMainWindow();
  form->lbFonts.OnDblClick = [] { throw Exception("General protection fault (gpf) in module"); };
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  ExpectReport(boxes.Shown()[0].Text, "Exception", "General protection fault (gpf) in module",
               true);

  form->cbTT.OnClick = [] { throw std::runtime_error("out of range"); };
  SendMessageA(form->cbTT.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(boxes.Shown()[1].Text,
            "Application Exception: std::runtime_error at 00000000.\n\rout of range. "
            "Shutdown of Zel 95 is recommended.");
}

TEST(FirstArgument, SplitsAtBlanksAndKeepsQuotedBlanks) {
  EXPECT_EQ(FirstArgument("/UNINSTALL"), "/UNINSTALL");
  EXPECT_EQ(FirstArgument("  /UNINSTALL more"), "/UNINSTALL");
  EXPECT_EQ(FirstArgument("\" /UNINSTALL\""), " /UNINSTALL");
  EXPECT_EQ(FirstArgument("/uninstall"), "/uninstall");
  EXPECT_EQ(FirstArgument(""), "");
  EXPECT_EQ(FirstArgument(nullptr), "");
}

}  // namespace

namespace {

// Read at run time, so that the compiler cannot see the faults coming.
int* volatile nowhere = nullptr;
volatile int zero = 0;
volatile int sink = 0;

TEST_F(MainWindowTest, AnAccessViolationInAHandlerIsReportedAsAGpfAndTheWindowGoesOn) {
  CreateMainWindow();
  const auto refresh = form->sbRefresh.OnClick;
  form->sbRefresh.OnClick = [] { *nowhere = 1; };
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 1u);
  const std::string first = ExpectReport(boxes.Shown()[0].Text, "EGPFault",
                                         "Access violation writing address 00000000", true);

  // The same place again, then the program's own work: the window goes on.
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(boxes.Shown().size(), 2u);
  EXPECT_EQ(ExpectReport(boxes.Shown()[1].Text, "EGPFault",
                         "Access violation writing address 00000000", true),
            first);
  form->sbRefresh.OnClick = refresh;
  SendMessageA(form->sbRefresh.Handle(), BM_CLICK, 0, 0);
  EXPECT_GT(form->lbFonts.Count(), 0);
  EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(MainWindowTest, ADivisionByZeroInAWindowMessageIsReportedToo) {
  CreateMainWindow();
  form->lbFonts.OnDblClick = [&] {
    boxes.Forget();
    sink = 100 / zero;
  };
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(form->lbFonts.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(boxes.Shown().size(), 1u);
  ExpectReport(boxes.Shown()[0].Text, "EGPFault", "Integer division by zero", true);
}

}  // namespace

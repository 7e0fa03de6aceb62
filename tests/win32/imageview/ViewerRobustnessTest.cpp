// The test pictures, a sample of each reader's seeds, and a header that claims
// a huge picture, go through the viewer without bringing the process down:
// each opens (or is refused), its decoding ends, and it closes. A picture
// that cannot be shown at all is said so in a message box.
#include "tests/win32/support/ModalScript.h"
#include "tests/win32/support/TestPictures.h"
#include "ViewerTestSupport.h"

#include "shellext/viewer/ImageView.h"
#include "shellext/module/Module.h"
#include "shellext/viewer/ViewClass.h"
#include "shellext/viewer/ViewerCommands.h"
#include "shellext/viewer/ViewerFrame.h"
#include "shellext/viewer/ViewerState.h"

#include <new>

namespace {

// Opens `path`; when a viewer opens, lets its decoding run out and closes it.
// Returns whether a viewer opened.
bool ViewToTheEnd(const std::string& path) {
  HWND frame = OpenViewer(path);
  if (!frame) return false;
  // A narrow, very tall picture takes thousands of steps: give it time.
  EXPECT_TRUE(PumpUntil([&] { return PacingThreadEnded(frame); }, 120000)) << path;
  EXPECT_FALSE(StateOf(frame)->imageFile->IsLoading()) << path;
  EXPECT_TRUE(CloseViewerWindow(frame)) << path;
  return true;
}

class ViewerRobustnessTest : public ViewerTest {
 protected:
  void SetUp() override {
    // The system's message boxes reach the script as forms.
    boxes_.OnForm = [this](HWND box) {
      char text[512] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      texts_.push_back(text);
      PressButton(box, IDOK);
    };
  }

  // Waits for the decoding to end and for the message it leaves.
  void ExpectCannotShow(HWND frame, const char* title) {
    ASSERT_TRUE(PumpUntil([&] { return PacingThreadEnded(frame) && !texts_.empty(); }));
    EXPECT_EQ(StateOf(frame)->view->imageFile, nullptr) << "decoding could not begin";
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].Caption, "Glimmora32");
    EXPECT_EQ(texts_[0], std::string("Could not read image:\n") + title);
    EXPECT_TRUE(IsWindow(frame));
  }

  ModalScript boxes_;
  std::vector<std::string> texts_;
};

BOOL PrintOutOfMemory(HWND, const char*) { throw std::bad_alloc(); }

class ViewOutOfMemory : public ImageView {
 public:
  using ImageView::ImageView;
  void Paint() override { throw std::bad_alloc(); }
};

// Called the way user32 calls it; true when an exception came out.
bool ThrowsOutOf(WNDPROC procedure, HWND window, UINT message, WPARAM wParam) {
  try {
    procedure(window, message, wParam, 0);
  } catch (...) {
    return true;
  }
  return false;
}

// An exception unwinding through user32 would end the shell's process.
TEST_F(ViewerRobustnessTest, NoExceptionLeavesTheWindowProcedures) {
  HWND frame = OpenViewer(WriteTrueColourPicture("viewer-throws.bmp", 40, 30, Bands));
  ASSERT_NE(frame, nullptr);
  const ViewerCommands saved = viewerCommands;
  viewerCommands.print = PrintOutOfMemory;
  EXPECT_FALSE(ThrowsOutOf(ViewerFrameProc, frame, WM_COMMAND, kCommandPrint)) << "the frame's";
  viewerCommands = saved;
  EXPECT_TRUE(CloseViewerWindow(frame)) << "the viewer still closes";

  HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
  {
    ViewOutOfMemory view(parent);
    ASSERT_NE(view.window, nullptr);
    const auto procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(view.window, GWLP_WNDPROC));
    EXPECT_FALSE(ThrowsOutOf(procedure, view.window, WM_PAINT, 0)) << "the view's";
  }
  DestroyWindow(parent);
}

TEST_F(ViewerRobustnessTest, EveryTestDataFileOpensDecodesAndCloses) {
  const std::vector<std::string> files = TestPictureFiles();
  ASSERT_GT(files.size(), 40u);
  int opened = 0;
  for (const std::string& file : files) {
    const bool isPicture = file.find("README") == std::string::npos;
    const bool viewed = ViewToTheEnd(file);
    opened += viewed;
    if (!isPicture) {
      EXPECT_FALSE(viewed) << file << " is no picture";
    }
  }
  EXPECT_GT(opened, 40);
}

TEST_F(ViewerRobustnessTest, HeaderOfAHugePictureWithNothingBehindItIsRefusedWithAMessage) {
  const std::string path = WriteTrueColourPicture("viewer-huge.bmp", 1, 1, Bands);
  FILE* out = std::fopen(path.c_str(), "r+b");
  const int32_t width = 20000, height = -20000;
  std::fseek(out, 18, SEEK_SET);
  std::fwrite(&width, 4, 1, out);
  std::fwrite(&height, 4, 1, out);
  std::fclose(out);
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  ExpectCannotShow(frame, "viewer-huge.bmp");
}

// Reduced within the pixel bound it would still need all of its rows at
// once, being interlaced.
TEST_F(ViewerRobustnessTest, APictureTooBigToHoldEvenReducedIsRefusedWithAMessage) {
  const std::string path = WriteTrueColourPicture("viewer-huge.png", 1, 1, Bands);
  WriteHugeInterlacedPng(path);
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  ExpectCannotShow(frame, "viewer-huge.png");
  EXPECT_TRUE(CloseViewerWindow(frame));
}

TEST_F(ViewerRobustnessTest, WithoutTheViewClassNothingOpensAndNothingStaysCounted) {
  const std::string path = WriteTrueColourPicture("viewer-no-class.bmp", 40, 30, Bands);
  UseViewClass(ModuleInstance);
  ReleaseViewClass();
  WNDCLASSA registered;
  EXPECT_TRUE(GetClassInfoA(ModuleInstance, kViewClassName, &registered))
      << "a use is still counted";
  ReleaseViewClass();
  EXPECT_FALSE(GetClassInfoA(ModuleInstance, kViewClassName, &registered))
      << "the last release unregisters";
  EXPECT_EQ(viewCursors.hand, nullptr);
  EXPECT_EQ(OpenViewer(path), nullptr);
  EXPECT_EQ(ModuleCount, 0) << "no frame was left behind";
  UseViewClass(ModuleInstance);
  EXPECT_NE(viewCursors.hand, nullptr);
  ASSERT_TRUE(ViewToTheEnd(path));
}

}  // namespace

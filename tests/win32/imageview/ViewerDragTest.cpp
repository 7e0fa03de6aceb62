// Where the view sits in its frame, and dragging a picture larger than the
// window with the hand cursors, offsets kept within the limits.
#include "ViewerTestSupport.h"

#include "shellext/viewer/ViewClass.h"
#include "shellext/viewer/ViewerState.h"

namespace {

class ViewerDragTest : public ViewerTest {
 protected:
  // Opens a viewer on a picture of the given size, with a frame whose client
  // area is `clientWidth` x `clientHeight`, and decodes it.
  HWND OpenDecoded(const char* name, int width, int height, int clientWidth, int clientHeight) {
    HWND frame = OpenViewer(WriteTrueColourPicture(name, width, height, Bands));
    if (!frame) return nullptr;
    RECT size = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
    MoveWindow(frame, 40, 40, size.right - size.left, size.bottom - size.top, TRUE);
    RECT client;
    GetClientRect(frame, &client);
    EXPECT_EQ(client.right, clientWidth);
    EXPECT_EQ(client.bottom, clientHeight);
    if (!DecodeToEnd(frame)) return nullptr;
    view = StateOf(frame)->view.get();
    return frame;
  }

  RECT ViewRect(HWND frame) const {
    RECT rect;
    GetWindowRect(view->window, &rect);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  // A mouse message at client point (x, y) of the view, with the pointer there.
  void Mouse(UINT message, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(view->window, &at);
    SetCursorPos(at.x, at.y);
    SendMessageA(view->window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  }

  ImageView* view = nullptr;
};

TEST_F(ViewerDragTest, SmallerPictureIsCentredAndCannotBeDragged) {
  HWND frame = OpenDecoded("viewer-small.bmp", 100, 80, 401, 300);
  ASSERT_NE(frame, nullptr);
  const RECT rect = ViewRect(frame);
  EXPECT_EQ(rect.left, (402 - 100) / 2);
  EXPECT_EQ(rect.top, (301 - 80) / 2);
  EXPECT_EQ(rect.right - rect.left, 100);
  EXPECT_EQ(rect.bottom - rect.top, 80);
  EXPECT_EQ(view->maxScrollX, 0);
  EXPECT_EQ(view->maxScrollY, 0);

  Mouse(WM_MOUSEMOVE, 50, 40);
  EXPECT_EQ(GetCursor(), viewCursors.arrow);
  Mouse(WM_LBUTTONDOWN, 50, 40);
  EXPECT_FALSE(view->dragging);
  Mouse(WM_MOUSEMOVE, 10, 10);
  EXPECT_EQ(view->scrollX, 0);
  EXPECT_EQ(view->scrollY, 0);
}

TEST_F(ViewerDragTest, LargerPictureIsDraggedWithTheClosedHandWithinItsLimits) {
  HWND frame = OpenDecoded("viewer-large.bmp", 640, 480, 300, 250);
  ASSERT_NE(frame, nullptr);
  const RECT rect = ViewRect(frame);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.right, 301) << "one pixel more than the client area";
  EXPECT_EQ(rect.bottom, 251);
  // Decoding began after the layout, and took two pixels off the limits.
  EXPECT_EQ(view->maxScrollX, 640 - 301 - 2);
  EXPECT_EQ(view->maxScrollY, 480 - 251 - 2);

  Mouse(WM_MOUSEMOVE, 100, 100);
  EXPECT_EQ(GetCursor(), viewCursors.hand) << "the open hand shows once decoded";
  Mouse(WM_LBUTTONDOWN, 100, 100);
  EXPECT_TRUE(view->dragging);
  EXPECT_EQ(GetCapture(), view->window);
  EXPECT_EQ(GetCursor(), viewCursors.handClosed);

  Mouse(WM_MOUSEMOVE, 60, 90);
  EXPECT_EQ(view->scrollX, 40) << "dragging left moves the picture left";
  EXPECT_EQ(view->scrollY, 10);
  EXPECT_EQ(GetCursor(), viewCursors.handClosed);
  Mouse(WM_MOUSEMOVE, -1000, -1000);
  EXPECT_EQ(view->scrollX, view->maxScrollX);
  EXPECT_EQ(view->scrollY, view->maxScrollY);
  UpdateWindow(view->window);
  HDC dc = GetDC(view->window);
  EXPECT_EQ(GetPixel(dc, 0, 0), Bands(view->scrollX, view->scrollY))
      << "the picture moved with the offsets";
  ReleaseDC(view->window, dc);
  Mouse(WM_MOUSEMOVE, 2000, 2000);
  EXPECT_EQ(view->scrollX, 0);
  EXPECT_EQ(view->scrollY, 0);

  Mouse(WM_LBUTTONUP, 2000, 2000);
  EXPECT_FALSE(view->dragging);
  EXPECT_EQ(GetCapture(), nullptr);
  Mouse(WM_MOUSEMOVE, 150, 150);
  EXPECT_EQ(view->scrollX, 0) << "no drag without the button";
  EXPECT_EQ(GetCursor(), viewCursors.hand);
}

TEST_F(ViewerDragTest, WhileDecodingTheArrowWithHourglassShows) {
  HWND frame = OpenViewer(WriteTrueColourPicture("viewer-busy.bmp", 640, 2400, Bands));
  ASSERT_NE(frame, nullptr);
  ViewerState* state = StateOf(frame);
  view = state->view.get();
  HCURSOR duringDecoding = nullptr;
  {
    DecodeStepRecorder recorder(frame);
    recorder.onStep = [&](const DecodeStepSeen&) {
      if (duringDecoding || state->imageFile->IsComplete()) return;
      Mouse(WM_MOUSEMOVE, 100, 100);
      duringDecoding = GetCursor();
    };
    ASSERT_TRUE(DecodeToEnd(frame));
  }
  EXPECT_EQ(duringDecoding, viewCursors.arrowWait);
  Mouse(WM_MOUSEMOVE, 100, 101);
  EXPECT_EQ(GetCursor(), viewCursors.hand) << "a tall picture can be dragged once decoded";
}

TEST_F(ViewerDragTest, GrowingTheFrameKeepsTheOffsetsWithinTheNewLimits) {
  HWND frame = OpenDecoded("viewer-grow.bmp", 640, 480, 300, 250);
  ASSERT_NE(frame, nullptr);
  Mouse(WM_LBUTTONDOWN, 200, 200);
  Mouse(WM_MOUSEMOVE, 0, 0);
  Mouse(WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(view->scrollX, 200);
  RECT size = {0, 0, 500, 400};
  AdjustWindowRect(&size, WS_OVERLAPPEDWINDOW, FALSE);
  MoveWindow(frame, 40, 40, size.right - size.left, size.bottom - size.top, TRUE);
  EXPECT_EQ(view->maxScrollX, 640 - 501 - 1);
  EXPECT_EQ(view->maxScrollY, 480 - 401 - 1);
  EXPECT_EQ(view->scrollX, view->maxScrollX);
  EXPECT_EQ(view->scrollY, view->maxScrollY);
}

}  // namespace

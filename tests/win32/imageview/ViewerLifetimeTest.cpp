// Closing and reloading a viewer while its pacing thread is decoding, at
// every kind of moment: the thread always ends, nothing deadlocks, and
// ModuleCount comes back to 0.
#include "ViewerTestSupport.h"

#include "shellext/module/Module.h"
#include "shellext/viewer/ViewerState.h"

namespace {

class ViewerLifetimeTest : public ViewerTest {
 protected:
  // Tall, so that answering steps for a while seldom reaches the end.
  void SetUp() override { path = WriteTrueColourPicture("viewer-life.bmp", 640, 2400, Bands); }
  std::string path;
};

// Waits until the pacing thread is blocked sending its next step to this
// thread (without answering it).
bool WaitForPendingStep() {
  for (int waited = 0; waited < 5000; ++waited) {
    if (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) return true;
    Sleep(1);
  }
  return false;
}

std::string Describe(HWND frame) {
  ImageFile* file = StateOf(frame)->imageFile.get();
  return "progress " + std::to_string(file->GetProgress()) + ", error " +
         std::to_string(file->LastError()) + ", rows " +
         std::to_string(file->GetDecodedRect().bottom) + ", thread ended " +
         std::to_string(PacingThreadEnded(frame));
}

TEST_F(ViewerLifetimeTest, ViewerCountsInModuleCountWhileOpen) {
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(ModuleCount, 1);
  HWND second = OpenViewer(path);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ModuleCount, 2);
  ASSERT_TRUE(CloseViewerWindow(frame));
  EXPECT_EQ(ModuleCount, 1);
}

TEST_F(ViewerLifetimeTest, ClosingWhileDecodingEndsTheThreadAtAnyMoment) {
  for (int round = 0; round < 36; ++round) {
    HWND frame = OpenViewer(path);
    ASSERT_NE(frame, nullptr) << "round " << round;
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), StateOf(frame)->pacingThread, GetCurrentProcess(), &thread,
                    0, FALSE, DUPLICATE_SAME_ACCESS);
    switch (round % 4) {
      case 0:  // a few steps, then close while the next one is being sent
        ServeDecodeStepsUntil(
            [&] { return StateOf(frame)->imageFile->GetDecodedRect().bottom >= 17 * (round % 9); });
        // Answering may have run to the end; otherwise the next step comes.
        if (!StateOf(frame)->imageFile->IsComplete()) {
          ASSERT_TRUE(WaitForPendingStep()) << "round " << round << ": " << Describe(frame);
        }
        SendMessageA(frame, WM_CLOSE, 0, 0);
        break;
      case 1:  // decoding freely for a while, closed through a posted message
        PumpFor(static_cast<DWORD>(round * 2));
        PostMessageA(frame, WM_CLOSE, 0, 0);
        break;
      case 2:  // the thread left alone for a while, no step answered
        Sleep(static_cast<DWORD>(round % 7));
        SendMessageA(frame, WM_CLOSE, 0, 0);
        break;
      case 3:  // closed at once, before the thread may have begun
        SendMessageA(frame, WM_CLOSE, 0, 0);
        break;
    }
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(frame); }, 5000)) << "round " << round;
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "round " << round;
    CloseHandle(thread);
    EXPECT_EQ(ModuleCount, 0) << "round " << round;
  }
}

TEST_F(ViewerLifetimeTest, ReloadingWhileDecodingLeavesOneThreadAndFinishes) {
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  ViewerState* state = StateOf(frame);
  for (int round = 0; round < 36; ++round) {
    HANDLE before = nullptr;
    DuplicateHandle(GetCurrentProcess(), state->pacingThread, GetCurrentProcess(), &before, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
    switch (round % 4) {
      case 0:
        ServeDecodeStepsUntil(
            [&] { return state->imageFile->GetDecodedRect().bottom >= 17 * (round % 5); });
        if (!state->imageFile->IsComplete()) {
          ASSERT_TRUE(WaitForPendingStep()) << "round " << round << ": " << Describe(frame);
        }
        SendMessageA(frame, WM_COMMAND, 1002, 0);
        break;
      case 1:
        PumpFor(static_cast<DWORD>(round * 2));
        PostMessageA(frame, WM_KEYDOWN, VK_F5, 1);
        PumpFor(5);
        break;
      case 2:
        Sleep(static_cast<DWORD>(round % 7));
        SendMessageA(frame, WM_COMMAND, 1002, 0);
        break;
      case 3:
        SendMessageA(frame, WM_COMMAND, 1002, 0);
        SendMessageA(frame, WM_COMMAND, 1002, 0);
        break;
    }
    EXPECT_EQ(WaitForSingleObject(before, 0), WAIT_OBJECT_0)
        << "round " << round << ": the old thread ended";
    CloseHandle(before);
    ASSERT_NE(state->pacingThread, nullptr) << "round " << round;
    EXPECT_EQ(ModuleCount, 1) << "round " << round;
  }
  ASSERT_TRUE(DecodeToEnd(frame));
  EXPECT_EQ(state->imageFile->GetProgress(), 10000);
  ASSERT_TRUE(CloseViewerWindow(frame));
  EXPECT_EQ(ModuleCount, 0);
}

TEST_F(ViewerLifetimeTest, DestroyingTheFrameWithoutClosingStillStopsTheThread) {
  HWND frame = OpenViewer(path);
  ASSERT_NE(frame, nullptr);
  // Not one step answered: the thread waits with the first.
  ASSERT_TRUE(WaitForPendingStep()) << Describe(frame);
  DestroyWindow(frame);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(ModuleCount, 0);
}

}  // namespace

#include "PacingThread.h"

#include <algorithm>

#include "shellext/module/CallbackGuard.h"
#include "ViewerState.h"

namespace {

struct PacingJob {
  ViewerState* state;
  HWND view;
  int rows;
};

DWORD Pace(const PacingJob& job) {
  while (!job.state->imageFile->IsComplete() && job.state->stopFlag.load() == 0) {
    if (SendMessageA(job.view, WM_USER, static_cast<WPARAM>(job.rows), 0) == 0) break;
  }
  return 0;
}

DWORD WINAPI PacingThreadMain(void* parameter) {
  const PacingJob job = *static_cast<PacingJob*>(parameter);
  delete static_cast<PacingJob*>(parameter);
  return Guarded<DWORD>(0, [&] { return Pace(job); });
}

// The thread may be blocked in SendMessage to this very thread, so the wait
// keeps delivering sent messages (and only those) until the thread has ended.
// The peek answers every sent message waiting; the wait wakes for one that
// arrives after it, and looks again every few milliseconds besides, so none
// can be left unanswered. (Windows 95 has no MsgWaitForMultipleObjectsEx.)
void WaitServingSentMessages(HANDLE thread) {
  for (;;) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_SENDMESSAGE);
    if (woken != WAIT_OBJECT_0 + 1 && woken != WAIT_TIMEOUT) return;
  }
}

}  // namespace

int RowsPerStep(int outputWidth, int sourceWidth) {
  if (sourceWidth <= 0) return 1;
  const int q = sourceWidth / -200;
  return std::max(1, outputWidth * (20 + q) / sourceWidth);
}

void StartPacingThread(ViewerState* state) {
  ImageFile* file = state->imageFile.get();
  auto* job = new PacingJob{state, state->view->window,
                            RowsPerStep(file->GetWidth(), file->GetSourceWidth())};
  state->pacingThread = CreateThread(nullptr, 0, PacingThreadMain, job, 0, nullptr);
  if (!state->pacingThread) delete job;
}

void StopPacingThread(ViewerState* state) {
  state->stopFlag.store(1);
  HANDLE thread = state->pacingThread;
  if (!thread) return;
  ++state->waiting;
  WaitServingSentMessages(thread);
  --state->waiting;
  // A wait nested in this one may have closed the handle already.
  if (state->pacingThread == thread) {
    CloseHandle(thread);
    state->pacingThread = nullptr;
  }
}

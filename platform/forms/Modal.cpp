#include "platform/forms/Modal.h"

#include <algorithm>
#include <vector>

namespace {

// Only plain values and pointers per thread: a thread-local object with a
// destructor keeps the module that holds it loaded until its thread ends,
// and this code is also part of a shell extension that must unload.
thread_local ModalAnswerer* answerer = nullptr;

// Top-level windows created while a modal call runs; the first activation of
// one of them means its modal loop is about to wait for input.
thread_local HHOOK cbtHook = nullptr;
thread_local int watchDepth = 0;
thread_local std::vector<HWND>* createdWindows = nullptr;

struct ModalLoop {
  HWND window;
  bool done;
  int result;
};
thread_local std::vector<ModalLoop*>* modalLoops = nullptr;

const UINT_PTR kAnswerTimer = 0x5A95;

void CALLBACK AnswerTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
  KillTimer(window, id);
  if (!answerer) return;
  // A copy, so that an answerer may replace itself while it runs.
  ModalAnswerer answer = *answerer;
  answer(window);
}

// A timer fires only when the window's modal loop has nothing else to do, so
// the window is shown and painted by then.
void ScheduleAnswer(HWND window) {
  if (answerer) SetTimer(window, kAnswerTimer, USER_TIMER_MINIMUM, AnswerTimerProc);
}

void ForgetWindow(HWND window) {
  createdWindows->erase(std::remove(createdWindows->begin(), createdWindows->end(), window),
                        createdWindows->end());
}

LRESULT CALLBACK WatchCbt(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    if ((create->style & WS_CHILD) == 0) createdWindows->push_back(window);
  } else if (code == HCBT_ACTIVATE) {
    if (std::find(createdWindows->begin(), createdWindows->end(), window) !=
        createdWindows->end()) {
      ForgetWindow(window);
      ScheduleAnswer(window);
    }
  } else if (code == HCBT_DESTROYWND) {
    ForgetWindow(window);
  }
  return CallNextHookEx(cbtHook, code, wParam, lParam);
}

// Watches the windows of one modal call while an answerer is installed.
class ModalWatch {
 public:
  ModalWatch() {
    if (!answerer) return;
    active_ = true;
    if (watchDepth++ == 0) {
      createdWindows = new std::vector<HWND>;
      cbtHook = SetWindowsHookExA(WH_CBT, WatchCbt, nullptr, GetCurrentThreadId());
    }
  }
  ~ModalWatch() {
    if (!active_ || --watchDepth > 0) return;
    if (cbtHook) UnhookWindowsHookEx(cbtHook);
    cbtHook = nullptr;
    delete createdWindows;
    createdWindows = nullptr;
  }
  ModalWatch(const ModalWatch&) = delete;
  ModalWatch& operator=(const ModalWatch&) = delete;

 private:
  bool active_ = false;
};

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM param) {
  auto* windows = reinterpret_cast<std::vector<HWND>*>(param);
  if (IsWindowVisible(window) && IsWindowEnabled(window)) windows->push_back(window);
  return TRUE;
}

}  // namespace

void SetModalAnswerer(ModalAnswerer newAnswerer) {
  delete answerer;
  answerer = newAnswerer ? new ModalAnswerer(std::move(newAnswerer)) : nullptr;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  ModalWatch watch;
  return MessageBoxA(owner, text, caption, type);
}

INT_PTR ShowModalDialog(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND owner,
                        DLGPROC dialogProc, LPARAM param) {
  ModalWatch watch;
  return DialogBoxIndirectParamA(instance, dialogTemplate, owner, dialogProc, param);
}

BOOL ShowPrintDialog(PRINTDLGA* dialog) {
  ModalWatch watch;
  return PrintDlgA(dialog);
}

int RunModal(HWND window) {
  ModalLoop loop{window, false, IDCANCEL};
  if (!modalLoops) modalLoops = new std::vector<ModalLoop*>;
  modalLoops->push_back(&loop);

  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow,
                    reinterpret_cast<LPARAM>(&disabled));
  disabled.erase(std::remove(disabled.begin(), disabled.end(), window), disabled.end());
  for (HWND other : disabled) EnableWindow(other, FALSE);

  ShowWindow(window, SW_SHOW);
  ScheduleAnswer(window);
  MSG msg;
  while (!loop.done && IsWindow(window)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageA(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  // Enabled again before the window goes, so that the system activates the
  // window that was active before rather than some other program.
  for (HWND other : disabled)
    if (IsWindow(other)) EnableWindow(other, TRUE);
  if (IsWindow(window)) ShowWindow(window, SW_HIDE);
  modalLoops->erase(std::remove(modalLoops->begin(), modalLoops->end(), &loop), modalLoops->end());
  if (modalLoops->empty()) {
    delete modalLoops;
    modalLoops = nullptr;
  }
  return loop.result;
}

void EndModal(HWND window, int result) {
  if (!modalLoops) return;
  for (ModalLoop* loop : *modalLoops) {
    if (loop->window != window) continue;
    loop->done = true;
    loop->result = result;
    PostMessageA(window, WM_NULL, 0, 0);
  }
}

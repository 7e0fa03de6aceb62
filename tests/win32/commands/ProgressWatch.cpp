#include "ProgressWatch.h"

#include "shellext/commands/CommandResources.h"

#include <commctrl.h>

namespace {
ProgressWatch* current = nullptr;

bool IsProgressDialog(HWND window) {
  return window && GetDlgItem(window, IDC_PROGRESS_BAR) && GetDlgItem(window, IDC_PROGRESS_TEXT);
}

bool IsControl(HWND window, int id) {
  return GetDlgCtrlID(window) == id && IsProgressDialog(GetParent(window));
}
}  // namespace

ProgressWatch::ProgressWatch()
    : hook_(SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
  current = this;
}

ProgressWatch::~ProgressWatch() {
  UnhookWindowsHookEx(hook_);
  current = nullptr;
}

const ProgressWatch::Stage* ProgressWatch::Find(const std::string& text) const {
  for (const Stage& stage : stages_)
    if (stage.text == text) return &stage;
  return nullptr;
}

LRESULT CALLBACK ProgressWatch::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && current) current->Seen(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ProgressWatch::Seen(const CWPSTRUCT& call) {
  if (call.message == WM_SETTEXT && IsControl(call.hwnd, IDC_PROGRESS_TEXT)) {
    stages_.push_back(Stage{reinterpret_cast<const char*>(call.lParam), {}});
  } else if (call.message == PBM_SETPOS && IsControl(call.hwnd, IDC_PROGRESS_BAR)) {
    if (stages_.empty()) stages_.push_back(Stage{});
    stages_.back().positions.push_back(static_cast<int>(call.wParam));
    if (OnStep) OnStep(GetParent(call.hwnd), static_cast<int>(stages_.back().positions.size()));
  } else if (call.message == WM_SHOWWINDOW && call.wParam && IsProgressDialog(call.hwnd)) {
    shown_ = true;
  }
}

void PressCancel(HWND dialog) { PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0); }

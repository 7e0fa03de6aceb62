#include "LibraryBoxes.h"

#include <algorithm>

namespace {

LibraryBoxes* watching;

const UINT_PTR kAnswerTimer = 0x6B01;

std::string CaptionOf(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Dialogs and message boxes, but not the progress dialog: that one is
// modeless, and the command runs on while it shows.
bool IsModalDialog(HWND window) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770" &&
         !FindWindowExA(window, nullptr, "msctls_progress32", nullptr);
}

}  // namespace

LibraryBoxes::LibraryBoxes() {
  watching = this;
  hook_ = SetWindowsHookExA(WH_CBT, Watch, nullptr, GetCurrentThreadId());
}

LibraryBoxes::~LibraryBoxes() {
  UnhookWindowsHookEx(hook_);
  watching = nullptr;
}

LRESULT CALLBACK LibraryBoxes::Watch(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  std::vector<HWND>& created = watching->created_;
  if (code == HCBT_CREATEWND) {
    if ((reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD) == 0)
      created.push_back(window);
  } else if (code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) {
    const auto found = std::find(created.begin(), created.end(), window);
    if (found != created.end()) {
      created.erase(found);
      // The timer fires once the window's modal loop waits for input.
      if (code == HCBT_ACTIVATE) SetTimer(window, kAnswerTimer, USER_TIMER_MINIMUM, AnswerNow);
    }
  }
  return CallNextHookEx(watching->hook_, code, wParam, lParam);
}

void CALLBACK LibraryBoxes::AnswerNow(HWND window, UINT, UINT_PTR timer, DWORD) {
  KillTimer(window, timer);
  if (!watching || !IsWindow(window) || !IsModalDialog(window)) return;
  if (!GetDlgItem(window, 0xFFFF)) watching->dialogs.push_back(CaptionOf(window));
  watching->script.Handle(window);
}

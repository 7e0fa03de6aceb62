#include "Application.h"

#include "Control.h"
#include "Form.h"
#include "platform/forms/Modal.h"
#include "platform/system/RootWindow.h"

TApplication Application;

std::string GetShortHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

std::string GetLongHint(const std::string& hint) {
  const auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

void TApplication::SetHint(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (OnHint) Guarded(OnHint);
}

void TApplication::HandleException() noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    try {
      if (OnException)
        OnException(e);
      else
        ShowMessageBox(nullptr, e.what(), Title.c_str(), MB_OK | MB_ICONHAND);
    } catch (...) {
      // A failing report must not take the program down with it.
    }
  } catch (...) {
    try {
      const std::runtime_error unknown("Unknown exception");
      if (OnException) OnException(unknown);
    } catch (...) {
    }
  }
}

void TApplication::Run() {
  for (;;) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return;
      HandleMessage(msg);
    } else {
      Idle();
      WaitMessage();
    }
  }
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    HandleMessage(msg);
  }
  Idle();
}

void TApplication::HandleMessage(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

bool TApplication::PreTranslate(MSG& msg) {
  if (!msg.hwnd) return false;
  TForm* form = TForm::FromWindow(RootWindowOf(msg.hwnd));
  if (!form) return false;
  if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
    bool consumed = false;
    Guarded([&] { consumed = form->PreviewKey(msg.message, static_cast<WORD>(msg.wParam)); });
    if (consumed) return true;
  }
  return IsDialogMessageA(form->Handle(), &msg) != FALSE;
}

void TApplication::Idle() {
  POINT cursor;
  GetCursorPos(&cursor);
  HWND window = WindowFromPoint(cursor);
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return;
  const TControl* control = TControl::FromWindowOrAncestor(window);
  SetHint(control ? GetLongHint(control->EffectiveHint()) : std::string());
}

#include "TestWindows.h"

#include "tests/win32/support/Screenshot.h"
#include "tests/win32/support/UserInput.h"

#include <algorithm>

namespace {

const char kOwnerClass[] = "Zel95TestOwner";

ATOM RegisterOwnerClass() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kOwnerClass;
  return RegisterClassA(&windowClass);
}

std::string TextOf(HWND window) {
  char text[2048] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

OwnerWindow::OwnerWindow() {
  static ATOM registered = RegisterOwnerClass();
  (void)registered;
  window_ = CreateWindowExA(0, kOwnerClass, "Zel 95 test owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            20, 20, 400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetForegroundWindow(window_);
  SetActiveWindow(window_);
}

OwnerWindow::~OwnerWindow() { DestroyWindow(window_); }

BoxSeen InspectBox(HWND box, int textId, int iconId) {
  BoxSeen seen;
  seen.title = TextOf(box);
  seen.text = TextOf(GetDlgItem(box, textId));
  seen.icon = reinterpret_cast<HICON>(SendMessageA(GetDlgItem(box, iconId), STM_GETICON, 0, 0));
  std::vector<std::pair<LONG, ButtonSeen>> buttons;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0) continue;
    RECT place;
    GetWindowRect(child, &place);
    LONG style = GetWindowLongA(child, GWL_STYLE);
    buttons.push_back({place.left, ButtonSeen{TextOf(child), GetDlgCtrlID(child),
                                              (style & 0x0F) == BS_DEFPUSHBUTTON}});
  }
  std::sort(buttons.begin(), buttons.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& button : buttons) seen.buttons.push_back(button.second);
  LRESULT defId = SendMessageA(box, DM_GETDEFID, 0, 0);
  if (HIWORD(defId) == DC_HASDEFID) seen.defaultId = LOWORD(defId);
  HWND focus = GetFocus();
  if (focus && GetParent(focus) == box) seen.focusId = GetDlgCtrlID(focus);
  seen.owner = GetWindow(box, GW_OWNER);
  seen.ownerEnabled = seen.owner && IsWindowEnabled(seen.owner);
  seen.closeEnabled =
      (GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) == 0;
  seen.cursor = GetCursor();
  return seen;
}

HWND FindButton(HWND box, const char* caption) {
  return FindWindowExA(box, nullptr, "Button", caption);
}

void PressButton(HWND box, const char* caption) {
  SendMessageA(FindButton(box, caption), BM_CLICK, 0, 0);
}

void PostKey(HWND box, WORD key) {
  HWND focus = GetFocus();
  PostKeyPress(focus && (focus == box || IsChild(box, focus)) ? focus : box, key);
}

void SaveScreenshot(HWND window, const std::string& name) {
  // Painted completely first, children too, so the picture shows every control.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  SaveWindowScreenshot(window, name);
}

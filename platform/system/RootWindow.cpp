#include "RootWindow.h"

#include "SystemFunction.h"

HWND RootWindowOf(HWND window) {
  using GetAncestorCall = HWND WINAPI(HWND, UINT);
  static const auto getAncestor = SystemFunction<GetAncestorCall>("user32.dll", "GetAncestor");
  return getAncestor ? getAncestor(window, GA_ROOT) : RootWindowByParents(window);
}

HWND RootWindowByParents(HWND window) {
  if (!window || !IsWindow(window)) return nullptr;
  // GetParent answers the owner of a popup, so only children climb.
  while (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
    const HWND parent = GetParent(window);
    if (!parent || parent == GetDesktopWindow()) break;
    window = parent;
  }
  return window;
}

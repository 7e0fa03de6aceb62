#include "CentreWindow.h"

#include <algorithm>

void CentreWindow(HWND window, HWND over) {
  if (!over) over = GetParent(window);
  if (!over || !IsWindow(over) || IsIconic(over)) over = GetDesktopWindow();

  RECT self, target;
  GetWindowRect(window, &self);
  GetWindowRect(over, &target);
  const int w = static_cast<int>(self.right - self.left);
  const int h = static_cast<int>(self.bottom - self.top);
  int x = std::min(static_cast<int>(target.left + target.right) / 2 - (w + 1) / 2,
                   GetSystemMetrics(SM_CXSCREEN) - w - 1);
  int y = std::min(static_cast<int>(target.top + target.bottom) / 2 - (h + 1) / 2,
                   GetSystemMetrics(SM_CYSCREEN) - h - 1);
  SetWindowPos(window, nullptr, std::max(x, 0), std::max(y, 0), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

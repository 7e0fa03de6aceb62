#include "ProgressBar.h"

#include <commctrl.h>

void TProgressBar::Create(TControl* parent, int left, int top, int width, int height) {
  CreateChild(parent, PROGRESS_CLASSA, 0, 0, "", left, top, width, height);
  SendMessageA(handle_, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
}

int TProgressBar::Position() const {
  return static_cast<int>(SendMessageA(handle_, PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int position) { SendMessageA(handle_, PBM_SETPOS, position, 0); }

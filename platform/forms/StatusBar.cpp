#include "StatusBar.h"

#include <commctrl.h>

void TStatusBar::Create(TControl* parent) {
  // Positioned by the form's alignment, not by the control itself.
  CreateChild(parent, STATUSCLASSNAMEA,
              SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY, 0, "", 0, 0, 0, 0);
  SendMessageA(handle_, SB_SIMPLE, TRUE, 0);
  SetAlign(TAlign::Bottom);
}

void TStatusBar::SetSimpleText(const std::string& text) {
  simpleText_ = text;
  SendMessageA(handle_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

// The height the bar's font needs, with the control's borders.
int TStatusBar::AlignedHeight() const {
  WindowDC dc(handle_);
  SelectGuard font(dc.Get(), Font());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc.Get(), &tm);
  return tm.tmHeight + 8;
}

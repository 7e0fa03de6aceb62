#include "SystemFonts.h"

#include <cstring>

namespace {
int CALLBACK CollectFamily(const LOGFONTA* logFont, const TEXTMETRICA* metric, DWORD,
                           LPARAM param) {
  auto* families = reinterpret_cast<TSystemFamilies*>(param);
  if (logFont->lfFaceName[0] == '@')
    families->vertical.insert(logFont->lfFaceName);
  else if (metric->tmPitchAndFamily & TMPF_TRUETYPE)
    families->trueType.insert(logFont->lfFaceName);
  else
    families->other.insert(logFont->lfFaceName);
  return 1;
}
}  // namespace

TSystemFamilies EnumerateFamilies() {
  TSystemFamilies families;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesA(screen, nullptr, CollectFamily, reinterpret_cast<LPARAM>(&families));
  ReleaseDC(nullptr, screen);
  return families;
}

int CellHeight(const std::string& face, int points) {
  HDC screen = GetDC(nullptr);
  LOGFONTA lf{};
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  lf.lfCharSet = DEFAULT_CHARSET;
  std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ previous = SelectObject(screen, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(screen, &tm);
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return tm.tmHeight;
}

#include "platform/forms/PointFont.h"

#include <cstring>

FontHandle CreatePointFont(const std::string& face, int points, unsigned style) {
  LOGFONTA lf{};
  {
    WindowDC screen(nullptr);
    lf.lfHeight = -MulDiv(points, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  }
  lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return FontHandle(CreateFontIndirectA(&lf));
}

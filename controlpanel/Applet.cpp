#include "Applet.h"

#include "AppletInfo.h"
#include "OpenFontManager.h"

#include <cpl.h>

namespace {

LONG Answer(UINT message, LPARAM param2) {
  switch (LOWORD(message)) {
    case CPL_INIT:
      return 1;
    case CPL_GETCOUNT:
      return 1;
    case CPL_DBLCLK:
      OpenFontManager();
      return 0;
    case CPL_NEWINQUIRE:
      FillAppletInfo(*reinterpret_cast<NEWCPLINFOA*>(param2));
      return 0;
    default:
      return 0;
  }
}

}  // namespace

extern "C" LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM param2) {
  // Nothing may unwind into the Control Panel, which is another program.
  try {
    return Answer(message, param2);
  } catch (...) {
    return 0;
  }
}

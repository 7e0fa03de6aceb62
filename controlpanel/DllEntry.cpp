#include "Applet.h"

// Keeps CPlApplet from the static library in the DLL.
static auto* const keepAppletEntry = &CPlApplet;

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  (void)keepAppletEntry;
  return TRUE;
}

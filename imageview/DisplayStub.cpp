#include "Display.h"

void RegisterViewerClasses(HINSTANCE) {}
void ReleaseViewerClasses() {}

// Not built yet: beeps.
bool Display(const char*)
{
    MessageBeep(static_cast<UINT>(-1));
    return false;
}

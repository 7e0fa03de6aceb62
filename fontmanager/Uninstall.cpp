#include "Uninstall.h"

void UninstallProgram(DWORD)
{
    // The uninstall procedure is not part of this version; the program ends
    // without changing anything.
}

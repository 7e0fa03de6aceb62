#include "AppMain.h"

int RunZel95App(HINSTANCE, const char *)
{
    return 0;
}

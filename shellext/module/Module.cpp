#include "Module.h"

HINSTANCE ModuleInstance;
LONG ModuleCount;
HICON ProgramIcon;
HICON SecondIcon;

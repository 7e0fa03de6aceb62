#include "ErrorBeep.h"

#include <windows.h>

namespace {
int beeps = 0;
}

void SoundErrorBeep() {
  ++beeps;
  MessageBeep(MB_ICONHAND);
}

int ErrorBeepCount() { return beeps; }

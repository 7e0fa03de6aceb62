// The error beep of a command that does not fit the current state. Each beep
// is counted, so that a test can tell that a command went no further.
#pragma once

void SoundErrorBeep();
int ErrorBeepCount();

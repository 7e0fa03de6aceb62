// The three user settings of the font manager, kept under HKEY_CURRENT_USER
// in kSettingsKey. A stored text that is no number raises EConvertError.
#pragma once

#include <cstdint>

// Bit 0: toolbar shown; bit 1: status bar shown. 0..3, default 3.
int ReadAppTools();
// Point size of the font samples. 6..72, default 12.
int ReadSampleSize();
// 1: only TrueType fonts are listed. 0..1, default 1.
int ReadTTFOnly();

// Writes all three as decimal texts; a failed write is not reported.
void SaveSettings(uint8_t appTools, int sampleSize, int ttfOnly);

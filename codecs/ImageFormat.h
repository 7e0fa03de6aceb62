// Image format codes and the format table texts. Formats are recognised by
// content only; these codes are what detection reports.
#pragma once

enum ImageFormat : int {
  FormatUnknown = -1,
  FormatJpg = 0,
  FormatGif = 1,
  FormatBmp = 2,
  FormatTga = 3,
  FormatPcx = 4,
  FormatTif = 5,
  FormatPcd = 6,
  FormatPng = 7,
};

constexpr int kFormatCount = 8;

// "JPG \tJPEG JFIF Format" and so on: the code, a tab and a description.
// Null for a code outside the table.
const char* FormatTableText(int format);

// libpng behind a handful of plain functions. Each function that calls into
// libpng saves its own recovery point, and libpng's error exit jumps back
// to it; nothing in these frames has a destructor, so the jump is safe in
// C++. The reader holds a PngSession and never calls libpng itself.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteSource;
struct png_struct_def;
struct png_info_def;

// Everything the reader needs to know from the chunks before the image data.
struct PngHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  int bitDepth = 0;
  int colorType = 0;
  int interlaced = 0;
  int paletteCount = 0;
  uint8_t palette[256][3] = {};  // red, green, blue
  bool hasBackground = false;    // a bKGD chunk
  bool hasGamma = false;         // a gAMA chunk
  double fileGamma = 0;
};

// Plain data: the library's structures and where their bytes come from.
struct PngSession {
  png_struct_def* png = nullptr;
  png_info_def* info = nullptr;
  ByteSource* source = nullptr;
};

// Creates the structures, reads through `source` (its position at the
// signature) and fills `header` from the chunks before the image data.
// False when libpng rejects the signature or a header chunk; the session
// must still be closed.
bool PngReadHeader(PngSession* session, ByteSource* source, PngHeader* header);

// Sets the transformations that give rows of one byte per pixel (grey,
// palette index, or blue-green-red) composited on the background and
// gamma-corrected for the screen, and starts the image read. `rowBytes`
// receives the size of a row libpng will deliver. A palette image keeps its
// indices and has its palette composited and corrected instead: the
// header's palette is replaced by the colours shown. False on a library
// error.
bool PngStartImage(PngSession* session, PngHeader* header, size_t* rowBytes);

// Reads the next row libpng delivers (a whole row, or a row of the current
// interlace pass) into `row`. False on a library error.
bool PngReadRow(PngSession* session, uint8_t* row);

// Reads what follows the image data when `readEnd` is set (errors there
// are ignored: every row is already in hand), then frees the structures.
void PngCloseSession(PngSession* session, bool readEnd);

// Error codes of the codec layer. Readers, writers and ImageFile store one
// of these; no text belongs to them, callers choose their own messages.
#pragma once

enum CodecError : int {
  CodecOk = 0,
  ErrOutOfOrder = 1,       // size before header, rows after completion, ...
  ErrInvalidArgument = 2,  // output larger than the image, bad depth or mode
  ErrCannotOpen = 3,       // source or output cannot be opened, no resource
  ErrReadWrite = 4,
  ErrDataEnded = 5,
  ErrSeek = 6,          // seek failed or out of range
  ErrNotSupported = 7,  // not this format, unsupported variant, size 0
  ErrNoPalette = 8,     // a palette is needed and missing; pixel seek;
                        // buffers past what a load may allocate
  ErrBadData = 9,       // pixel data cannot be decoded
  ErrNoScreen = 10,
  ErrDisplayBitmap = 11,
  ErrNativeBitmap = 12,
  ErrLogicalPalette = 13,
  ErrTooWide = 15,    // 15001 pixels wide or wider
  ErrNoReader = 100,  // ImageFile: no reader for the format
  ErrNoFile = 101,    // ImageFile: the file does not exist
};

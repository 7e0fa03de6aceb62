#include "tools/glimmora/ErrorText.h"

#include "codecs/CodecError.h"

const char* CodecErrorText(int code) {
  switch (code) {
    case ErrOutOfOrder:
      return "operation out of order";
    case ErrInvalidArgument:
      return "invalid argument";
    case ErrCannotOpen:
      return "cannot be opened or created";
    case ErrReadWrite:
      return "read or write failure";
    case ErrDataEnded:
      return "data ends early";
    case ErrSeek:
      return "seek out of range";
    case ErrNotSupported:
      return "not a supported image (format, variant, depth or size)";
    case ErrNoPalette:
      return "no palette, pixel data or memory where one is needed";
    case ErrBadData:
      return "pixel data cannot be decoded";
    case ErrNoScreen:
      return "no screen device context";
    case ErrDisplayBitmap:
      return "display bitmap cannot be created";
    case ErrNativeBitmap:
      return "bitmap cannot be created";
    case ErrLogicalPalette:
      return "palette cannot be created";
    case ErrTooWide:
      return "image is 15001 pixels wide or wider";
    case ErrNoReader:
      return "no reader for this format";
    case ErrNoFile:
      return "no such file";
    default:
      return "unknown failure";
  }
}

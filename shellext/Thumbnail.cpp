#include "Thumbnail.h"

#include "codecs/ImageFile.h"

bool LoadThumbnail(ImageFile& image) {
  LoadOptions options;
  options.maxWidth = kThumbnailSize;
  options.maxHeight = kThumbnailSize;
  options.reductionMode = 0;
  options.fixedPalette = false;
  options.keepNative = false;
  options.makeDisplay = true;
  options.bottomUp = false;
  return image.LoadFitted(options) == CodecOk && image.GetDisplayBitmap() != nullptr;
}

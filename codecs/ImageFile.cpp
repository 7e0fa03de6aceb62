#include "codecs/ImageFile.h"

#include "codecs/CodecError.h"
#include "codecs/DetectFormat.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageReader.h"
#include "codecs/ScaleMulDiv.h"

#include <algorithm>

ImageFile::ImageFile(const char* path) : source_(ImageSource::FromPath(path)) {}

ImageFile::ImageFile(ModuleHandle module, const char* resourceName)
    : source_(ImageSource::FromResource(module, resourceName)) {}

ImageFile::ImageFile(const ImageSource& source) : source_(source) {}

ImageFile::~ImageFile() { Release(); }

const char* ImageFile::GetPath() const {
  return source_.kind == ImageSource::Path ? source_.path.c_str() : nullptr;
}

// ---- detection ------------------------------------------------------------

int ImageFile::DetectFormat() {
  if (source_.kind == ImageSource::Path && !codec_platform::FileExists(source_.path.c_str())) {
    lastError_ = ErrNoFile;
    return 0;
  }
  DetectedImage detected;
  int code = DetectSourceFormat(source_, &detected);
  if (code != CodecOk) {
    lastError_ = code;
    return 0;
  }
  format_ = detected.format;
  sourceWidth_ = detected.width;
  sourceHeight_ = detected.height;
  sourceBitsPerPixel_ = detected.bitsPerPixel;
  width_ = sourceWidth_;
  height_ = sourceHeight_;
  return 1;
}

int ImageFile::GetFormat() {
  if (format_ == -1) DetectFormat();
  return format_;
}

int ImageFile::GetSourceWidth() {
  if (sourceWidth_ == 0) DetectFormat();
  return sourceWidth_;
}

int ImageFile::GetSourceHeight() {
  if (sourceHeight_ == 0) DetectFormat();
  return sourceHeight_;
}

int ImageFile::GetSourceBitsPerPixel() {
  if (sourceBitsPerPixel_ == 0) DetectFormat();
  return sourceBitsPerPixel_;
}

int ImageFile::GetWidth() {
  if (width_ == 0) DetectFormat();
  return width_;
}

int ImageFile::GetHeight() {
  if (height_ == 0) DetectFormat();
  return height_;
}

// ---- loading --------------------------------------------------------------

int ImageFile::BeginLoad(int maxWidth, int maxHeight, int reductionMode, int fixedPalette,
                         int keepNative, int makeDisplay, int bottomUp) {
  if (reader_) return 0;
  // A new load replaces the bitmaps of the last one.
  DeleteHandles();
  lastError_ = 0;
  startTick_ = codec_platform::TickCount();
  if (GetFormat() == -1) return 0;

  reader_ = CreateReader(format_, source_);
  if (!reader_) {
    lastError_ = ErrNoReader;
    return 0;
  }
  reader_->SetBottomUp(bottomUp != 0);
  if (!reader_->ReadHeader()) {
    lastError_ = reader_->ErrorCode();
    return 0;
  }
  sourceWidth_ = reader_->Width();
  sourceHeight_ = reader_->Height();
  sourceBitsPerPixel_ = reader_->BitsPerPixel();
  isGrey_ = reader_->IsGrey();
  if (sourceWidth_ <= 0 || sourceHeight_ <= 0) {
    lastError_ = ErrNotSupported;
    return 0;
  }

  // Fit within the box, shrinking only, the aspect kept to a thousandth.
  int scaleX = ScaleMulDiv(maxWidth > 0 ? maxWidth : sourceWidth_, 1000, sourceWidth_);
  int scaleY = ScaleMulDiv(maxHeight > 0 ? maxHeight : sourceHeight_, 1000, sourceHeight_);
  int scale = std::min({scaleX, scaleY, 1000});
  width_ = std::max(ScaleMulDiv(scale, sourceWidth_, 1000), 1);
  height_ = std::max(ScaleMulDiv(scale, sourceHeight_, 1000), 1);

  const int screenDepth = codec_platform::ScreenDepth();
  int displayDepth = 24;
  if (screenDepth == 8 || sourceBitsPerPixel_ < 9)
    displayDepth = 8;
  else if (screenDepth == 16)
    displayDepth = 16;
  if (displayDepth > 8) fixedPalette = 0;

  if (!reader_->SetTargets(keepNative, makeDisplay) ||
      !reader_->SetOutputSize(width_, height_) ||
      !reader_->SetOutputFormat(displayDepth, screenDepth < 24 ? reductionMode : 0,
                                fixedPalette) ||
      !reader_->BeginDecode()) {
    lastError_ = reader_->ErrorCode();
    EndLoad(1);
    return 0;
  }
  return 1;
}

int ImageFile::BeginLoadForView(int maxWidth, int maxHeight, int reductionMode,
                                int fixedPalette, int bottomUp) {
  return BeginLoad(maxWidth, maxHeight, reductionMode, fixedPalette, 0, 1, bottomUp);
}

void ImageFile::TakeHandles() {
  displayBitmap_ = reader_->DisplayBitmap();
  nativeBitmap_ = reader_->NativeBitmap();
  palette_ = reader_->Palette();
}

int ImageFile::DecodeRows(int rowCount, int* changed, ImageRect* rect) {
  if (changed) *changed = 0;
  if (!reader_) {
    lastError_ = ErrOutOfOrder;
    return 0;
  }
  // The partial picture can be drawn; the reader still owns it.
  TakeHandles();
  int result = reader_->DecodeRows(rowCount, changed, rect);
  if (!result) lastError_ = reader_->ErrorCode();
  // The second pass of a two-pass reduction replaces the palette.
  TakeHandles();
  return result;
}

int ImageFile::EndLoad(int discardIfIncomplete) {
  if (!reader_) return 0;
  const bool complete = reader_->GetProgress() >= 10000;
  TakeHandles();
  reader_->ReleaseHandles();
  reader_->EndDecode();
  reader_.reset();
  if (discardIfIncomplete && !complete) DeleteHandles();
  elapsedMs_ = static_cast<int>(codec_platform::TickCount() - startTick_);
  return 1;
}

int ImageFile::LoadFitted(int maxWidth, int maxHeight, int reductionMode, int fixedPalette,
                          int keepNative, int makeDisplay) {
  Release();
  if (!BeginLoad(maxWidth, maxHeight, reductionMode, fixedPalette, keepNative, makeDisplay, 0))
    return 0;
  if (!DecodeRows(height_, nullptr, nullptr)) {
    int error = lastError_;
    EndLoad(1);
    lastError_ = error;
    return 0;
  }
  // The second pass of a two-pass reduction; otherwise this fails harmlessly.
  int error = lastError_;
  DecodeRows(height_, nullptr, nullptr);
  lastError_ = error;
  EndLoad(1);
  if (!displayBitmap_ && !nativeBitmap_) {
    // Still incomplete after both calls: nothing was kept.
    if (lastError_ == 0) lastError_ = ErrBadData;
    return 0;
  }
  return 1;
}

int ImageFile::Load(int keepNative, int makeDisplay) {
  return LoadFitted(0, 0, 0, 0, keepNative, makeDisplay);
}

void ImageFile::DeleteHandles() {
  codec_platform::DeleteBitmap(displayBitmap_);
  codec_platform::DeleteBitmap(nativeBitmap_);
  codec_platform::DeletePalette(palette_);
  displayBitmap_ = nullptr;
  nativeBitmap_ = nullptr;
  palette_ = nullptr;
}

void ImageFile::Release() {
  if (reader_) EndLoad(1);
  DeleteHandles();
}

int ImageFile::GetProgress() const {
  if (reader_) return reader_->GetProgress();
  return displayBitmap_ || nativeBitmap_ ? 10000 : 0;
}

ImageRect ImageFile::GetDecodedRect() const {
  if (reader_) return reader_->GetDecodedRect();
  if (IsComplete()) return ImageRect{0, 0, width_, height_};
  return ImageRect();
}

#include "codecs/ImageFile.h"

#include "codecs/CodecError.h"
#include "codecs/DetectFormat.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageReader.h"
#include "codecs/LoadLimits.h"
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

CodecError ImageFile::DetectFormat() {
  if (source_.kind == ImageSource::Path && !codec_platform::FileExists(source_.path.c_str()))
    return Failed(ErrNoFile);
  DetectedImage detected;
  const int code = DetectSourceFormat(source_, &detected);
  if (code != CodecOk) return Failed(static_cast<CodecError>(code));
  format_ = detected.format;
  detectedReader_ = std::move(detected.reader);
  sourceWidth_ = detected.width;
  sourceHeight_ = detected.height;
  sourceBitsPerPixel_ = detected.bitsPerPixel;
  width_ = sourceWidth_;
  height_ = sourceHeight_;
  return CodecOk;
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

CodecError ImageFile::BeginLoad(const LoadOptions& options) {
  if (reader_) return Failed(ErrOutOfOrder);
  // A new load replaces the bitmaps of the last one.
  DeleteHandles();
  lastError_ = CodecOk;
  startTick_ = codec_platform::TickCount();
  if (GetFormat() == -1) return lastError_;

  if (detectedReader_) {
    // Detection read the header already; the load goes on from there.
    reader_ = std::move(detectedReader_);
  } else {
    reader_ = CreateReader(format_, source_);
    if (!reader_) return Failed(ErrNoReader);
    if (reader_->ReadHeader() != CodecOk) return Failed(reader_->ErrorCode());
  }
  reader_->SetBottomUp(options.bottomUp);
  sourceWidth_ = reader_->Width();
  sourceHeight_ = reader_->Height();
  sourceBitsPerPixel_ = reader_->BitsPerPixel();
  isGrey_ = reader_->IsGrey() != 0;
  if (sourceWidth_ <= 0 || sourceHeight_ <= 0) return Failed(ErrNotSupported);

  // Fit within the box, shrinking only, the aspect kept to a thousandth.
  const int maxWidth = options.maxWidth > 0 ? options.maxWidth : sourceWidth_;
  const int maxHeight = options.maxHeight > 0 ? options.maxHeight : sourceHeight_;
  const int scaleX = ScaleMulDiv(maxWidth, 1000, sourceWidth_);
  const int scaleY = ScaleMulDiv(maxHeight, 1000, sourceHeight_);
  const int scale = std::min({scaleX, scaleY, 1000});
  width_ = std::max(ScaleMulDiv(scale, sourceWidth_, 1000), 1);
  height_ = std::max(ScaleMulDiv(scale, sourceHeight_, 1000), 1);
  if (options.reduceToBound) {
    const PixelSize bounded = WithinOutputPixels(width_, height_, kMaxOutputPixels);
    width_ = bounded.width;
    height_ = bounded.height;
  }

  const int screenDepth = codec_platform::ScreenDepth();
  int displayDepth = 24;
  if (screenDepth == 8 || sourceBitsPerPixel_ < 9)
    displayDepth = 8;
  else if (screenDepth == 16)
    displayDepth = 16;
  const bool fixedPalette = options.fixedPalette && displayDepth <= 8;
  const int reductionMode = screenDepth < 24 ? options.reductionMode : 0;

  if (reader_->SetTargets(options.keepNative, options.makeDisplay) != CodecOk ||
      reader_->SetOutputSize(width_, height_) != CodecOk ||
      reader_->SetOutputFormat(displayDepth, reductionMode, fixedPalette) != CodecOk ||
      reader_->BeginDecode() != CodecOk) {
    const CodecError code = reader_->ErrorCode();
    EndLoad(true);
    return Failed(code);
  }
  // Drawable at once (an interlaced picture starts black); still the reader's.
  return CodecOk;
}

CodecError ImageFile::BeginLoadForView(const LoadOptions& options) {
  LoadOptions view = options;
  view.keepNative = false;
  view.makeDisplay = true;
  return BeginLoad(view);
}

DibHandle ImageFile::GetDisplayBitmap() const {
  return reader_ ? reader_->DisplayBitmap() : bitmaps_.display.Get();
}

DibHandle ImageFile::GetNativeBitmap() const {
  return reader_ ? reader_->NativeBitmap() : bitmaps_.native.Get();
}

PaletteHandle ImageFile::GetPalette() const {
  return reader_ ? reader_->Palette() : bitmaps_.palette.Get();
}

CodecError ImageFile::DecodeRows(int rowCount, bool* changed, ImageRect* rect) {
  if (changed) *changed = false;
  if (!reader_) return Failed(ErrOutOfOrder);
  const CodecError result = reader_->DecodeRows(rowCount, changed, rect);
  return result == CodecOk ? CodecOk : Failed(result);
}

CodecError ImageFile::EndLoad(bool discardIfIncomplete) {
  if (!reader_) return Failed(ErrOutOfOrder);
  const bool complete = reader_->GetProgress() >= 10000;
  bitmaps_ = reader_->TakeBitmaps();
  reader_->EndDecode();
  reader_.reset();
  if (discardIfIncomplete && !complete) DeleteHandles();
  elapsedMs_ = static_cast<int>(codec_platform::TickCount() - startTick_);
  return CodecOk;
}

CodecError ImageFile::LoadFitted(const LoadOptions& options) {
  Release();
  if (BeginLoad(options) != CodecOk) return lastError_;
  // A call ends at a pass boundary at the latest; two calls in a row that
  // move nothing mean a reader that will never finish.
  int stalled = 0;
  while (reader_->GetProgress() < 10000 && stalled < 2) {
    const int before = reader_->GetProgress();
    if (DecodeRows(height_) != CodecOk) {
      const CodecError error = lastError_;
      EndLoad(true);
      return Failed(error);
    }
    stalled = reader_->GetProgress() == before ? stalled + 1 : 0;
  }
  const bool complete = reader_->GetProgress() >= 10000;
  EndLoad(true);
  return complete ? CodecOk : Failed(ErrBadData);
}

CodecError ImageFile::Load(bool keepNative, bool makeDisplay) {
  LoadOptions options;
  options.keepNative = keepNative;
  options.makeDisplay = makeDisplay;
  return LoadFitted(options);
}

void ImageFile::Release() {
  if (reader_) EndLoad(true);
  DeleteHandles();
}

int ImageFile::GetProgress() const {
  if (reader_) return reader_->GetProgress();
  return bitmaps_.display || bitmaps_.native ? 10000 : 0;
}

ImageRect ImageFile::GetDecodedRect() const {
  if (reader_) return reader_->GetDecodedRect();
  if (IsComplete()) return ImageRect{0, 0, width_, height_};
  return ImageRect();
}

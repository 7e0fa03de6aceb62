#include "codecs/JpegReader.h"

#include "codecs/CodecError.h"
#include "codecs/ImageFormat.h"
#include "codecs/JpegScale.h"

#include <algorithm>

namespace {

// The library's recommended output buffer height, but never more.
constexpr int kMaxStripRows = 8;

// The first pass of a progressive file shows this scan; the final pass asks
// for a scan no file reaches, which the library reads up to the end.
constexpr int kCoarseScan = 2;
constexpr int kFinalScan = 100;

// The wait cursor while one long read runs.
class WaitCursor {
 public:
  explicit WaitCursor(bool show)
      : shown_(show), token_(show ? codec_platform::ShowWaitCursor() : nullptr) {}
  ~WaitCursor() {
    if (shown_) codec_platform::RestoreCursor(token_);
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool shown_;
  void* token_;
};

}  // namespace

JpegReader::JpegReader(const ImageSource& source) : ImageReader(source), decoder_() {}

JpegReader::~JpegReader() { DestroyDecoder(); }

// ---- header ---------------------------------------------------------------

CodecError JpegReader::ReadHeaderPart() {
  uint8_t head[1024];
  uint32_t got = 0;
  ReadBytes(head, sizeof head, &got);  // a file shorter than this is fine
  uint32_t start = 0;
  while (start + 1 < got && !(head[start] == 0xFF && head[start + 1] == 0xD8)) ++start;
  if (start + 1 >= got) return ErrNotSupported;
  if (CodecError error = SeekTo(static_cast<long>(start), 0)) return error;
  if (CodecError error = CreateDecoderAndReadHeader()) return error;

  format = FormatJpg;
  width = static_cast<int>(decoder_.image_width);
  height = static_cast<int>(decoder_.image_height);
  isGrey = decoder_.num_components == 1;
  bitsPerPixel = isGrey ? 8 : 24;
  nativeDepth = bitsPerPixel;
  deliveredWidth = width;
  return CodecOk;
}

CodecError JpegReader::CreateDecoderAndReadHeader() {
  DestroyDecoder();
  decoder_.err = UseJpegErrorManager(&errors_);
  bool read = RunJpegGuarded(errors_, [this] {
    jpeg_create_decompress(&decoder_);
    decoder_.mem->max_memory_to_use = static_cast<long>(kMaxLoadBytes);
    AttachJpegSource(&decoder_, &sourceManager_, &Source());
    jpeg_read_header(&decoder_, TRUE);
  });
  decoderBroken_ = !read;
  return read ? CodecOk : ErrNotSupported;
}

void JpegReader::DestroyDecoder() {
  if (decoder_.mem) RunJpegGuarded(errors_, [this] { jpeg_destroy_decompress(&decoder_); });
  decoder_.mem = nullptr;
  decoderBroken_ = false;
}

// ---- decode set-up --------------------------------------------------------

CodecError JpegReader::StartDecode() {
  if (!decoder_.mem || decoderBroken_) return ErrOutOfOrder;
  scale_ = JpegScaleFactor(width, height, OutputWidth(), OutputHeight());
  scaledWidth_ = width / scale_;
  scaledHeight_ = height / scale_;
  deliveredWidth = scaledWidth_;
  // The two-pass dithered reduction must see each pixel once.
  buffered_ = decoder_.progressive_mode && ReductionMode() != 4;
  finalPass_ = false;

  // Progressive files keep every coefficient of the image in memory: the
  // library refuses, before allocating, what the load cannot spare.
  decoder_.mem->max_memory_to_use = static_cast<long>(LoadBytesLeft());
  if (CodecError error = StartLibraryDecode()) {
    decoderBroken_ = true;
    return error;
  }
  // The library rounds scaled sizes up; the sink takes the rounded-down
  // size, so every delivered line is at least that long.
  if (static_cast<int>(decoder_.output_width) < scaledWidth_ ||
      static_cast<int>(decoder_.output_height) < scaledHeight_)
    return ErrNoPalette;

  directRows_ = static_cast<int>(decoder_.output_width) == OutputWidth() &&
                scaledWidth_ == OutputWidth() && scaledHeight_ == OutputHeight();
  stripRowCount_ = std::min(std::max(decoder_.rec_outbuf_height, 1), kMaxStripRows);
  const size_t lineBytes =
      static_cast<size_t>(decoder_.output_width) * static_cast<size_t>(decoder_.output_components);
  strip_.assign(lineBytes * stripRowCount_, 0);
  stripRows_.assign(stripRowCount_, nullptr);
  stripFilled_ = 0;
  lineCounter_ = 0;
  // A progressive picture is shown twice: each showing is half the work.
  StartStoredLines(scaledHeight_, true, 0, buffered_ ? 5000 : 10000);
  return CodecOk;
}

CodecError JpegReader::StartLibraryDecode() {
  decoder_.out_color_space = isGrey ? JCS_GRAYSCALE : JCS_EXT_BGR;
  decoder_.scale_num = 1;
  decoder_.scale_denom = static_cast<unsigned>(scale_);
  decoder_.dct_method = JDCT_IFAST;
  decoder_.do_fancy_upsampling = FALSE;
  decoder_.quantize_colors = FALSE;
  decoder_.buffered_image = buffered_ ? TRUE : FALSE;
  const bool started = RunJpegGuarded(errors_, [this] {
    jpeg_start_decompress(&decoder_);
    if (buffered_) jpeg_start_output(&decoder_, kCoarseScan);
  });
  // Mostly the memory limit: the library refuses what the load cannot spare.
  return started ? CodecOk : ErrNoPalette;
}

// ---- rows -----------------------------------------------------------------

CodecError JpegReader::ReadStrip() {
  const size_t lineBytes = strip_.size() / stripRowCount_;
  for (int i = 0; i < stripRowCount_; ++i) {
    // With direct rows line n of a pass is output row n.
    uint8_t* target = directRows_ ? DirectRowTarget(lineCounter_ + i) : nullptr;
    stripRows_[i] = target ? target : strip_.data() + lineBytes * i;
  }
  stripFilled_ = 0;
  // The first strip of a progressive pass makes the library read the scans
  // the pass shows, which can take a while. (The cursor lives in this frame,
  // above the recovery point, so a library error still restores it.)
  WaitCursor cursor(buffered_ && lineCounter_ == 0);
  bool read = RunJpegGuarded(errors_, [this] {
    // The library may hand out fewer lines per call than asked.
    while (stripFilled_ < stripRowCount_ && decoder_.output_scanline < decoder_.output_height) {
      JDIMENSION lines =
          jpeg_read_scanlines(&decoder_, stripRows_.data() + stripFilled_,
                              static_cast<JDIMENSION>(stripRowCount_ - stripFilled_));
      if (lines == 0) break;
      stripFilled_ += static_cast<int>(lines);
    }
  });
  if (!read) decoderBroken_ = true;
  return read && stripFilled_ > 0 ? CodecOk : Source().FailureOr(ErrBadData);
}

CodecError JpegReader::DecodeRowsPart(int count, int* changed, ImageRect* rect) {
  if (decoderBroken_ || stripRows_.empty()) return Source().FailureOr(ErrBadData);
  return DecodeStoredLines(count, changed, rect);
}

CodecError JpegReader::ReadStoredLine(const uint8_t** line) {
  const int slot = lineCounter_ % stripRowCount_;
  if (slot == 0) {
    if (CodecError error = ReadStrip()) return error;
  }
  if (slot >= stripFilled_) return ErrBadData;
  if (line) *line = stripRows_[slot];
  ++lineCounter_;
  return CodecOk;
}

// The coarse showing of a progressive picture is followed by the final one,
// unless the file held no more than the coarse scans.
CodecError JpegReader::StoredLinesEnded() {
  if (buffered_ && !finalPass_) {
    bool inputComplete = false;
    if (!RunJpegGuarded(errors_,
                        [&] { inputComplete = jpeg_input_complete(&decoder_) != FALSE; })) {
      decoderBroken_ = true;
      return Source().FailureOr(ErrBadData);
    }
    if (!inputComplete) return StartFinalPass();
  }
  FinishPass();
  return CodecOk;
}

CodecError JpegReader::StartFinalPass() {
  // Block smoothing decides which coefficients to estimate when a pass
  // starts; here that is long before the pass reads the rest of the file,
  // so it would blur the complete picture with estimates of coefficients
  // that have meanwhile arrived (as zeros or otherwise).
  decoder_.do_block_smoothing = FALSE;
  bool started = RunJpegGuarded(errors_, [this] {
    jpeg_finish_output(&decoder_);
    jpeg_start_output(&decoder_, kFinalScan);
  });
  if (!started) {
    decoderBroken_ = true;
    return Source().FailureOr(ErrBadData);
  }
  finalPass_ = true;
  lineCounter_ = 0;
  stripFilled_ = 0;
  StartStoredLines(scaledHeight_, true, 5000, 10000);
  return CodecOk;
}

// ---- end ------------------------------------------------------------------

CodecError JpegReader::EndDecodePart() {
  DestroyDecoder();
  std::vector<uint8_t>().swap(strip_);
  std::vector<JSAMPROW>().swap(stripRows_);
  stripRowCount_ = 0;
  stripFilled_ = 0;
  lineCounter_ = 0;
  finalPass_ = false;
  return CodecOk;
}

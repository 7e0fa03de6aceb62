#include "codecs/PngLibrary.h"

#include "codecs/ByteSource.h"
#include "codecs/CodecError.h"

#include <png.h>

namespace {

// The screen the pictures are shown on, and the file gamma assumed for a
// file that does not state its own (the two cancel out).
constexpr double kScreenGamma = 2.2;
constexpr double kDefaultFileGamma = 0.45;

// libpng's own error exit would print; ours only returns to the recovery
// point of the call under way.
void OnLibraryError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void OnLibraryWarning(png_structp, png_const_charp) {}

void ReadFromSource(png_structp png, png_bytep data, size_t length) {
  ByteSource* source = static_cast<ByteSource*>(png_get_io_ptr(png));
  uint32_t got = 0;
  if (length > 0xFFFFFFFFu || source->Read(data, static_cast<uint32_t>(length), &got) != CodecOk)
    png_error(png, "image data ended");
}

void CopyPalette(png_structp png, png_infop info, PngHeader* header) {
  png_colorp entries = nullptr;
  int count = 0;
  if (!png_get_PLTE(png, info, &entries, &count) || !entries) return;
  header->paletteCount = count < 256 ? count : 256;
  for (int i = 0; i < header->paletteCount; ++i) {
    header->palette[i][0] = entries[i].red;
    header->palette[i][1] = entries[i].green;
    header->palette[i][2] = entries[i].blue;
  }
}

void ReadEnd(png_structp png) {
  if (setjmp(png_jmpbuf(png))) return;
  png_read_end(png, nullptr);
}

}  // namespace

bool PngReadHeader(PngSession* session, ByteSource* source, PngHeader* header) {
  session->source = source;
  session->png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnLibraryError, OnLibraryWarning);
  if (!session->png) return false;
  session->info = png_create_info_struct(session->png);
  if (!session->info) return false;
  png_structp png = session->png;
  png_infop info = session->info;
  if (setjmp(png_jmpbuf(png))) return false;

  png_set_read_fn(png, source, ReadFromSource);
  png_read_info(png, info);

  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  header->bitDepth = png_get_bit_depth(png, info);
  header->colorType = png_get_color_type(png, info);
  header->interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  CopyPalette(png, info, header);
  png_color_16p background = nullptr;
  header->hasBackground = png_get_bKGD(png, info, &background) != 0;
  double gamma = 0;
  header->hasGamma = png_get_gAMA(png, info, &gamma) != 0 && gamma > 0;
  header->fileGamma = header->hasGamma ? gamma : 0;
  return true;
}

bool PngStartImage(PngSession* session, PngHeader* header, size_t* rowBytes) {
  png_structp png = session->png;
  png_infop info = session->info;
  if (setjmp(png_jmpbuf(png))) return false;

  png_color_16p fileBackground = nullptr;
  if (png_get_bKGD(png, info, &fileBackground) && fileBackground) {
    png_set_background(png, fileBackground, PNG_BACKGROUND_GAMMA_FILE, 1, 1.0);
  } else {
    png_color_16 black = {};
    png_set_background(png, &black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  }
  png_set_gamma(png, kScreenGamma, header->hasGamma ? header->fileGamma : kDefaultFileGamma);
  if (header->colorType == PNG_COLOR_TYPE_RGB || header->colorType == PNG_COLOR_TYPE_RGB_ALPHA)
    png_set_bgr(png);
  if (header->bitDepth == 16) png_set_strip_16(png);
  // Gamma on 1-, 2- or 4-bit grey would round levels together; widened
  // first, a grey file looks as it would saved with 8 bits.
  if (header->colorType == PNG_COLOR_TYPE_GRAY && header->bitDepth < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  else if (header->bitDepth < 8)
    png_set_packing(png);
  png_read_update_info(png, info);
  *rowBytes = png_get_rowbytes(png, info);
  // libpng composites and corrects the palette in place of the pixels.
  CopyPalette(png, info, header);
  return true;
}

bool PngReadRow(PngSession* session, uint8_t* row) {
  png_structp png = session->png;
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_row(png, row, nullptr);
  return true;
}

void PngCloseSession(PngSession* session, bool readEnd) {
  if (session->png) {
    if (readEnd && session->info) ReadEnd(session->png);
    png_destroy_read_struct(&session->png, session->info ? &session->info : nullptr, nullptr);
  }
  session->png = nullptr;
  session->info = nullptr;
  session->source = nullptr;
}

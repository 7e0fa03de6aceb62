#include "codecs/FormatTable.h"

#include "codecs/BmpReader.h"
#include "codecs/BmpWriter.h"
#include "codecs/DetectFormat.h"
#include "codecs/GifReader.h"
#include "codecs/GifWriter.h"
#include "codecs/ImageReader.h"
#include "codecs/ImageWriter.h"
#include "codecs/JpegReader.h"
#include "codecs/JpegWriter.h"
#include "codecs/PcdReader.h"
#include "codecs/PcxReader.h"
#include "codecs/PcxWriter.h"
#include "codecs/PngReader.h"
#include "codecs/TgaReader.h"
#include "codecs/TiffReader.h"

namespace {

// Indexed by ImageFormat code.
const FormatEntry kFormatTable[kFormatCount] = {
    /* FormatJpg */ {"JPG \tJPEG JFIF Format", IsJpegImage, MakeReader<JpegReader>,
                     MakeWriter<JpegWriter>},
    /* FormatGif */
    {"GIF \tCompuserve GIF 87a", IsGifImage, MakeReader<GifReader>, MakeWriter<GifWriter>},
    /* FormatBmp */
    {"BMP \tWindows Bitmap", IsBmpImage, MakeReader<BmpReader>, MakeWriter<BmpWriter>},
    /* FormatTga */ {"TGA \tTarga", IsTargaImage, MakeReader<TgaReader>, nullptr},
    /* FormatPcx */
    {"PCX \tZSoft PC Paintbrush", IsPcxImage, MakeReader<PcxReader>, MakeWriter<PcxWriter>},
    /* FormatTif */
    {"TIF \tTagged Image File Format", IsTiffImage, MakeReader<TiffReader>, nullptr},
    /* FormatPcd */ {"PCD \tKodak Photo CD", IsPhotoCdImage, MakeReader<PcdReader>, nullptr},
    /* FormatPng */ {"PNG \tPortable Network Graphics", IsPngImage, MakeReader<PngReader>, nullptr},
};

}  // namespace

// TIFF first: its pixel data may hold anything the later tests look for.
// Photo CD after PCX for the same reason: its signature lies 2048 bytes in,
// where a PCX file has pixels.
const int kDetectionOrder[kFormatCount] = {FormatTif, FormatBmp, FormatGif, FormatJpg,
                                           FormatPcx, FormatPcd, FormatPng, FormatTga};

const FormatEntry* FindFormatEntry(int format) {
  if (format < 0 || format >= kFormatCount) return nullptr;
  return &kFormatTable[format];
}

const char* FormatTableText(int format) {
  const FormatEntry* entry = FindFormatEntry(format);
  return entry ? entry->text : nullptr;
}

std::unique_ptr<ImageReader> CreateReader(int format, const ImageSource& source) {
  const FormatEntry* entry = FindFormatEntry(format);
  if (!entry || !entry->reader) return nullptr;
  return entry->reader(source);
}

std::unique_ptr<ImageWriter> CreateWriter(int format, const char* outputPath, DibHandle bitmap) {
  const FormatEntry* entry = FindFormatEntry(format);
  if (!entry || !entry->writer) return nullptr;
  return entry->writer(outputPath, bitmap);
}

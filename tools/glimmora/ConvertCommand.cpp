#include "tools/glimmora/ConvertCommand.h"

#include "codecs/CodecError.h"
#include "codecs/FormatTable.h"
#include "codecs/ImageFile.h"
#include "codecs/ImageWriter.h"
#include "tools/glimmora/ErrorText.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#ifndef _WIN32
#include "platform/codec/HostCodecPlatform.h"
#endif

namespace fs = std::filesystem;

std::string DefaultOutputPath(const std::string& input, const std::string& extension) {
  fs::path path(input);
  path.replace_extension(extension);
  return path.string();
}

namespace {

// A name beside `output` that no other file has.
std::string TemporaryPath(const std::string& output) {
  std::random_device random;
  for (;;) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
    std::string candidate = output + suffix;
    std::error_code ignored;
    if (!fs::exists(candidate, ignored)) return candidate;
  }
}

// Writes `bitmap` to `path`; an error text or empty on success.
std::string WriteImage(int format, const std::string& path, DibHandle bitmap) {
  std::unique_ptr<ImageWriter> writer = CreateWriter(format, path.c_str(), bitmap);
  if (!writer) return "no writer for this format";
  if ((writer->Begin() != CodecOk) || (writer->WriteRows(1 << 30) != CodecOk) ||
      (writer->Finish() != CodecOk))
    return CodecErrorText(writer->ErrorCode());
  return std::string();
}

}  // namespace

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err) {
  const std::string output =
      options.output.empty() ? DefaultOutputPath(options.input, options.extension) : options.output;
  std::error_code same;
  if (fs::equivalent(options.input, output, same)) {
    err << "glimmora: " << options.input
        << ": the output would replace the source; name another with -o\n";
    return 1;
  }

  // With a screen depth the picture is written as that screen would show it.
  const bool asShown = options.screenDepth != 0;
#ifndef _WIN32
  if (asShown) host_codec::SetScreenDepth(options.screenDepth);
#endif
  ImageFile image(options.input.c_str());
  if (image.LoadFitted({.maxWidth = options.fitWidth,
                        .maxHeight = options.fitHeight,
                        .reductionMode = options.reduction,
                        .keepNative = !asShown,
                        .makeDisplay = asShown}) != CodecOk) {
    err << "glimmora: " << options.input << ": " << CodecErrorText(image.LastError()) << "\n";
    return 1;
  }
  DibHandle bitmap = asShown ? image.GetDisplayBitmap() : image.GetNativeBitmap();

  const std::string temporary = TemporaryPath(output);
  std::string failure = WriteImage(options.format, temporary, bitmap);
  std::error_code renamed;
  if (failure.empty()) {
    fs::rename(temporary, output, renamed);
    if (renamed) failure = renamed.message();
  }
  if (!failure.empty()) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    err << "glimmora: " << output << ": " << failure << "\n";
    return 1;
  }
  out << output << "\n";
  return 0;
}

#include "tools/glimmora/Glimmora.h"

#include "codecs/ImageDescription.h"
#include "codecs/ImageFile.h"
#include "tools/glimmora/ConvertCommand.h"
#include "tools/glimmora/ErrorText.h"
#include "tools/glimmora/OutputFormats.h"

#include <cstdlib>

namespace {

void Usage(std::ostream& err) {
  err << "usage: glimmora info FILE...\n"
         "       glimmora convert FILE --to "
      << OutputFormatNames() << " [-o OUT] [--fit WxH] [--screen-depth 8|16|24] [--reduce 0..4]\n";
}

// Whole decimal number within [low, high], or false.
bool ParseNumber(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  int number = std::atoi(text.c_str());
  if (number < low || number > high) return false;
  *value = number;
  return true;
}

bool ParseFit(const std::string& text, int* width, int* height) {
  size_t x = text.find('x');
  return x != std::string::npos && ParseNumber(text.substr(0, x), 1, 100000, width) &&
         ParseNumber(text.substr(x + 1), 1, 100000, height);
}

// The line the context menu would show for the file, after loading a
// thumbnail the way the menu does.
int RunInfo(const std::vector<std::string>& files, std::ostream& out, std::ostream& err) {
  int status = 0;
  for (const std::string& file : files) {
    ImageFile image(file.c_str());
    if (image.GetFormat() == -1 ||
        image.LoadFitted({.maxWidth = 100, .maxHeight = 100}) != CodecOk) {
      err << "glimmora: " << file << ": " << CodecErrorText(image.LastError()) << "\n";
      status = 1;
      continue;
    }
    out << file << ":"
        << DescribeImage("", image.GetFormat(), image.GetSourceWidth(), image.GetSourceHeight(),
                         image.GetSourceBitsPerPixel(), false)
        << "\n";
  }
  return status;
}

int ParseConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ConvertOptions options;
  bool reduceGiven = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--to" && hasValue) {
      const OutputFormat* format = FindOutputFormat(args[++i]);
      if (!format) {
        err << "glimmora: unknown output format '" << args[i] << "' (" << OutputFormatNames()
            << ")\n";
        return 2;
      }
      options.format = format->format;
      options.extension = format->extension;
    } else if (arg == "-o" && hasValue) {
      options.output = args[++i];
    } else if (arg == "--fit" && hasValue) {
      if (!ParseFit(args[++i], &options.fitWidth, &options.fitHeight)) {
        err << "glimmora: --fit wants WIDTHxHEIGHT, not '" << args[i] << "'\n";
        return 2;
      }
    } else if (arg == "--screen-depth" && hasValue) {
      const std::string& depth = args[++i];
      if (depth != "8" && depth != "16" && depth != "24") {
        err << "glimmora: --screen-depth is 8, 16 or 24, not '" << depth << "'\n";
        return 2;
      }
      options.screenDepth = std::atoi(depth.c_str());
    } else if (arg == "--reduce" && hasValue) {
      if (!ParseNumber(args[++i], 0, 4, &options.reduction)) {
        err << "glimmora: --reduce is 0 to 4, not '" << args[i] << "'\n";
        return 2;
      }
      reduceGiven = true;
    } else if (!arg.empty() && arg[0] != '-' && options.input.empty()) {
      options.input = arg;
    } else {
      Usage(err);
      return 2;
    }
  }
  if (options.input.empty() || options.format < 0) {
    Usage(err);
    return 2;
  }
  if (reduceGiven && options.reduction != 0 && options.screenDepth != 8 &&
      options.screenDepth != 16) {
    err << "glimmora: --reduce works for a screen depth of 8 or 16; give --screen-depth\n";
    return 2;
  }
#ifdef _WIN32
  if (options.screenDepth != 0) {
    err << "glimmora: --screen-depth is not available here: the screen decides\n";
    return 2;
  }
#endif
  return RunConvert(options, out, err);
}

}  // namespace

int RunGlimmora(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) {
    Usage(err);
    return 2;
  }
  if (args[0] == "info" && args.size() > 1)
    return RunInfo(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
  if (args[0] == "convert") return ParseConvert(args, out, err);
  Usage(err);
  return 2;
}

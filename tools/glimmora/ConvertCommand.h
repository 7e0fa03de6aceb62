// `glimmora convert`: load through the decode pipeline, write with a
// format's writer into a temporary file beside the output, then rename it,
// so a failure never leaves a partial output file behind.
#pragma once

#include <ostream>
#include <string>

struct ConvertOptions {
  std::string input;
  std::string output;  // empty: the input with the format's extension
  int format = -1;
  std::string extension;
  int fitWidth = 0;
  int fitHeight = 0;
  int screenDepth = 0;  // 0: keep the image's own depth
  int reduction = 0;
};

// The input's name with its extension replaced (or added).
std::string DefaultOutputPath(const std::string& input, const std::string& extension);

int RunConvert(const ConvertOptions& options, std::ostream& out, std::ostream& err);

// The names `glimmora convert --to` accepts and the format each writes.
#pragma once

#include <string>

struct OutputFormat {
  const char* name;       // as typed after --to
  int format;             // ImageFormat code handed to CreateWriter
  const char* extension;  // of the default output file
};

// Null when the name is unknown.
const OutputFormat* FindOutputFormat(const std::string& name);

// "bmp|jpg" for usage texts.
std::string OutputFormatNames();

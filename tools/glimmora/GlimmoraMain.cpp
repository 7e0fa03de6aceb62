#include "platform/codec/CodecPlatform.h"
#include "tools/glimmora/Glimmora.h"

#include <iostream>

namespace {

// A console tool prints what a program would show in a message box.
void PrintSystemError(const char* caption, const char* text) {
  std::cerr << "glimmora: " << caption << ": " << text << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  codec_platform::SetSystemErrorSink(PrintSystemError);
  return RunGlimmora(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}

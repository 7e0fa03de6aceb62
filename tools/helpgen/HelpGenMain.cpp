// helpgen SOURCE OUTPUT: writes the WinHelp file of a help source text.
#include "tools/helpgen/HelpSource.h"
#include "tools/helpgen/WinHelpFile.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: helpgen SOURCE OUTPUT\n");
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the source");
    std::ostringstream text;
    text << in.rdbuf();
    const TBytes file = BuildWinHelpFile(ParseHelpSource(text.str()));
    // Written beside and renamed, so that a failed run leaves no half file.
    const std::string part = std::string(argv[2]) + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out || std::rename(part.c_str(), argv[2]) != 0)
      throw std::runtime_error("cannot write the output");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "helpgen: %s: %s\n", argv[1], e.what());
    return 1;
  }
  return 0;
}

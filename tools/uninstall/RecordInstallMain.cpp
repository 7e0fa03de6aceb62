// RecordInstall LOG REGFILE: appends to the installation log the entries
// that undo importing REGFILE, before the installation imports it. Used by
// scripts/install; exit code 0 on success.
#include "InstallRecorder.h"

#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: RecordInstall LOG REGFILE\n";
    return 2;
  }
  std::ifstream regFile(argv[2], std::ios::binary);
  if (!regFile) {
    std::cerr << "RecordInstall: cannot read " << argv[2] << "\n";
    return 1;
  }
  const std::string text((std::istreambuf_iterator<char>(regFile)),
                         std::istreambuf_iterator<char>());
  std::ofstream log(argv[1], std::ios::binary | std::ios::app);
  for (const TLogEntry& entry : RecordRegistryChanges(ParseRegFile(text)))
    log << FormatLogEntry(entry) << "\r\n";
  if (!log) {
    std::cerr << "RecordInstall: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}

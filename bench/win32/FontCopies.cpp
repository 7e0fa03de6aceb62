#include "FontCopies.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

uint32_t Big16(const std::string& d, size_t at) {
  return (static_cast<uint8_t>(d[at]) << 8) | static_cast<uint8_t>(d[at + 1]);
}

uint32_t Big32(const std::string& d, size_t at) { return (Big16(d, at) << 16) | Big16(d, at + 2); }

// Replaces `from` by `to` (same length) in a name string stored with `width`
// bytes per character (1: Macintosh Roman, 2: big-endian UTF-16).
void ReplaceInName(std::string& d, size_t start, size_t length, int width, const std::string& from,
                   const std::string& to) {
  const size_t span = from.size() * width;
  for (size_t at = start; at + span <= start + length; at += width) {
    bool match = true;
    for (size_t i = 0; i < from.size() && match; ++i)
      match = d[at + i * width + width - 1] == from[i] && (width == 1 || d[at + i * width] == 0);
    if (match)
      for (size_t i = 0; i < to.size(); ++i) d[at + i * width + width - 1] = to[i];
  }
}

void Rename(std::string& d, int number) {
  char family[16];
  char postScript[16];
  std::snprintf(family, sizeof family, "Bench Sans %04d", number);
  std::snprintf(postScript, sizeof postScript, "BenchSans%05d", number);
  const uint32_t tables = Big16(d, 4);
  for (uint32_t t = 0; t < tables; ++t) {
    const size_t entry = 12 + 16 * t;
    if (d.compare(entry, 4, "name") != 0) continue;
    const size_t table = Big32(d, entry + 8);
    const uint32_t records = Big16(d, table + 2);
    const size_t storage = table + Big16(d, table + 4);
    for (uint32_t r = 0; r < records; ++r) {
      const size_t record = table + 6 + 12 * r;
      const int width = Big16(d, record) == 1 ? 1 : 2;
      const size_t start = storage + Big16(d, record + 10);
      const size_t length = Big16(d, record + 8);
      if (start + length > d.size()) continue;
      ReplaceInName(d, start, length, width, "Liberation Sans", family);
      ReplaceInName(d, start, length, width, "LiberationSans", postScript);
    }
  }
}

}  // namespace

std::vector<std::string> MakeRenamedCopies(const std::string& source, const std::string& folder,
                                           int count) {
  std::ifstream in(source, std::ios::binary);
  const std::string original((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  std::vector<std::string> paths;
  if (original.size() < 12) return paths;
  for (int n = 1; n <= count; ++n) {
    std::string copy = original;
    Rename(copy, n);
    char name[32];
    std::snprintf(name, sizeof name, "\\bench%04d.ttf", n);
    const std::string path = folder + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(copy.data(), static_cast<std::streamsize>(copy.size()));
    paths.push_back(path);
  }
  return paths;
}

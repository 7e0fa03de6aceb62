#include "UninstallArguments.h"

#include <cctype>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Where the arguments start: after a quoted program name, after the first
// ".exe" that ends a word, or after the first word.
size_t ArgumentsStart(const std::string& commandLine) {
  const std::string line = Lower(commandLine);
  size_t p = 0;
  while (p < line.size() && IsBlank(line[p])) ++p;
  if (p < line.size() && line[p] == '"') {
    const size_t close = line.find('"', p + 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  for (size_t exe = line.find(".exe", p); exe != std::string::npos;
       exe = line.find(".exe", exe + 1)) {
    const size_t end = exe + 4;
    if (end == line.size() || IsBlank(line[end])) return end;
  }
  while (p < line.size() && !IsBlank(line[p])) ++p;
  return p;
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

TUninstallArguments ParseUninstallArguments(const std::string& commandLine) {
  TUninstallArguments arguments;
  std::string rest = Trimmed(commandLine.substr(ArgumentsStart(commandLine)));
  if (rest.size() >= 2 && rest[0] == '/' && (rest[1] == 'A' || rest[1] == 'a') &&
      (rest.size() == 2 || IsBlank(rest[2]))) {
    arguments.Automatic = true;
    rest = Trimmed(rest.substr(2));
  }
  if (rest.size() >= 2 && rest.back() == '"') {
    const size_t open = rest.rfind('"', rest.size() - 2);
    if (open != std::string::npos && open > 0 && IsBlank(rest[open - 1])) {
      arguments.Title = rest.substr(open + 1, rest.size() - open - 2);
      rest = Trimmed(rest.substr(0, open));
    }
  }
  arguments.LogPath = Unquoted(rest);
  return arguments;
}

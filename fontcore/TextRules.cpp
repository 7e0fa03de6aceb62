#include "fontcore/TextRules.h"

#include "fontcore/Exceptions.h"

#include <climits>

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

[[noreturn]] void RaiseNotInteger(const std::string& text) {
  throw EConvertError("'" + text + "' is not a valid integer value");
}

}  // namespace

std::string Trim(const std::string& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return text.substr(first, last - first);
}

int StrToInt(const std::string& text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) RaiseNotInteger(text);
  // Accumulated as a negative number, whose range reaches INT_MIN.
  long long value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') RaiseNotInteger(text);
    value = value * 10 - (c - '0');
    if (value < INT_MIN) RaiseNotInteger(text);
  }
  if (!negative) {
    if (-value > INT_MAX) RaiseNotInteger(text);
    value = -value;
  }
  return static_cast<int>(value);
}

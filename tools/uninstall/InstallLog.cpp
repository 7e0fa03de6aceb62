#include "InstallLog.h"

#include <sstream>

namespace {

struct TKindName {
  TLogKind Kind;
  const char* Name;
  size_t Fields;  // after the kind
};

const TKindName kKinds[] = {
    {TLogKind::Folder, "Folder", 1}, {TLogKind::File, "File", 1},       {TLogKind::Key, "Key", 1},
    {TLogKind::Value, "Value", 2},   {TLogKind::Restore, "Restore", 3},
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::optional<TLogEntry> ParseEntry(const std::string& line) {
  const std::vector<std::string> fields = SplitTabs(line);
  for (const TKindName& kind : kKinds) {
    if (fields[0] != kind.Name || fields.size() != kind.Fields + 1 || fields[1].empty()) continue;
    TLogEntry entry{kind.Kind, fields[1], "", ""};
    if (kind.Fields >= 2) entry.Name = fields[2];
    if (kind.Fields >= 3) entry.Data = fields[3];
    return entry;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<TLogEntry>> ParseInstallLog(const std::string& text) {
  std::vector<TLogEntry> entries;
  std::istringstream in(text);
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (header) {
      if (line != kInstallLogHeader) return std::nullopt;
      header = false;
      continue;
    }
    if (line.empty()) continue;
    std::optional<TLogEntry> entry = ParseEntry(line);
    if (!entry) return std::nullopt;
    entries.push_back(*entry);
  }
  if (header) return std::nullopt;
  return entries;
}

std::string FormatLogEntry(const TLogEntry& entry) {
  std::string line;
  for (const TKindName& kind : kKinds) {
    if (kind.Kind != entry.Kind) continue;
    line = std::string(kind.Name) + "\t" + entry.Path;
    if (kind.Fields >= 2) line += "\t" + entry.Name;
    if (kind.Fields >= 3) line += "\t" + entry.Data;
  }
  return line;
}

std::string FormatInstallLog(const std::vector<TLogEntry>& entries) {
  std::string text = std::string(kInstallLogHeader) + "\r\n";
  for (const TLogEntry& entry : entries) text += FormatLogEntry(entry) + "\r\n";
  return text;
}

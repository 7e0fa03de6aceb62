// Install.Log: what the installation put on the machine, one entry a line, in
// the order it was done, so that undoing it goes from the last line up.
//
//   ZEL95 INSTALL LOG 1                          first line, always
//   Folder<TAB>C:\Program Files\Zel95            a folder it made
//   File<TAB>C:\Program Files\Zel95\Zel95APP.exe a file it wrote
//   Key<TAB>HKEY_LOCAL_MACHINE\SOFTWARE\Velmor   a key it made, with all below
//   Value<TAB>HKEY_CLASSES_ROOT\.png<TAB>NAME    a value it added to a key
//                                                that was there; NAME "" is
//                                                the key's default value
//   Restore<TAB>KEY<TAB>NAME<TAB>DATA            a string value it replaced,
//                                                with the data it had before
//
// Lines end in CR LF; paths and data hold no tab or line break. Installing
// again appends to the same log, so its lines undo the second installation
// first and the first one's restore what was there before either.
#pragma once

#include <optional>
#include <string>
#include <vector>

inline constexpr char kInstallLogHeader[] = "ZEL95 INSTALL LOG 1";

enum class TLogKind { Folder, File, Key, Value, Restore };

struct TLogEntry {
  TLogKind Kind;
  std::string Path;  // the folder, file or key
  std::string Name;  // Value, Restore: the value's name
  std::string Data;  // Restore: the data it had before

  bool operator==(const TLogEntry& other) const {
    return Kind == other.Kind && Path == other.Path && Name == other.Name && Data == other.Data;
  }
};

// The entries of a log's text; nothing when the header is missing or a line
// is not one of the entries above (a log that is not understood is not used).
std::optional<std::vector<TLogEntry>> ParseInstallLog(const std::string& text);

// One line of the log, without its line end.
std::string FormatLogEntry(const TLogEntry& entry);

// The header and every entry, each line ended by CR LF.
std::string FormatInstallLog(const std::vector<TLogEntry>& entries);

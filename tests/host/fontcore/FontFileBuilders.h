// Font files built byte by byte, with the fields the readers take and little
// else, so that each test states the one thing it varies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A font resource file in the 16-bit executable layout: DOS header, new
// header, resource table, module description, font directory.
struct FonLayout {
  std::string description = "FONTRES 100,96,96 : Test Face 10,12";
  std::string deviceName;
  std::string faceName = "Test Face";
  // The font directory's type: the integer 0x8007, or a named type when
  // typeName is not empty.
  uint16_t typeId = 0x8007;
  std::string typeName;
  // Other resource types (type, number of entries) before the directory.
  std::vector<std::pair<uint16_t, uint16_t>> typesBefore;
  uint16_t shift = 4;
  // File offset of the directory data; 0 puts it right after the tables.
  uint32_t directoryAt = 0;
  bool withDirectory = true;
};
Bytes BuildFonFile(const FonLayout& layout);

// One record of a TrueType naming table.
struct NameRecord {
  uint16_t platform;
  uint16_t encoding;
  uint16_t language;
  uint16_t nameId;
  std::string bytes;
};
Bytes NamingTable(const std::vector<NameRecord>& records);

// A TrueType file holding the given tables in order, each entry pointing at
// its data.
struct FontTable {
  std::string tag;
  Bytes data;
};
Bytes BuildTrueTypeFile(const std::vector<FontTable>& tables);

// Big-endian UTF-16 of an ASCII text, as Unicode and Microsoft names are kept.
std::string Utf16BE(const std::string& ascii);

void PutWordLE(Bytes& bytes, size_t at, uint16_t value);
void PutLongLE(Bytes& bytes, size_t at, uint32_t value);

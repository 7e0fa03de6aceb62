#include "fontcore/FontReaders.h"
#include "fontcore/Exceptions.h"
#include "fontcore/TextRules.h"

#include <algorithm>
#include <cstring>

namespace {

const uint16_t kIntegerType = 0x8000;
const uint16_t kFontDirectoryType = 7;
const size_t kMaxFaceName = 255;

// Resource table: the alignment shift, then type records of 8 bytes (type,
// count, reserved) each followed by its 12-byte resource entries, ended by a
// type of 0. A named type holds the offset of its length-prefixed name
// relative to the table.
bool IsFontDirectory(FontByteReader& file, uint64_t table, uint16_t type) {
  if (type & kIntegerType) return (type & ~kIntegerType) == kFontDirectoryType;
  file.Seek(table + type);
  uint8_t length = file.ReadByte();
  return file.ReadString(length) == "FONTDIR";
}

// File offset of the data of the first resource of a type record.
uint64_t FirstResourceData(FontByteReader& file, uint64_t typeRecord, uint16_t shift) {
  file.Seek(typeRecord + 8);
  uint64_t units = file.ReadWord();
  // Any shift from 40 on points past the end of every file, as 40 does; the
  // cap keeps the offset and the reads after it within 64 bits.
  return units << std::min<uint16_t>(shift, 40);
}

// Font directory data: font count, ordinal of the first font, its 113-byte
// metrics header, its device name and its face name, both NUL-terminated.
std::string FirstFaceName(FontByteReader& file, uint64_t directory) {
  uint8_t skipped[2 + 113];
  file.Seek(directory + 2);
  file.Read(skipped, sizeof skipped);
  while (file.ReadByte() != 0) {
  }
  std::string faceName;
  for (uint8_t c = file.ReadByte(); c != 0; c = file.ReadByte())
    if (faceName.size() < kMaxFaceName) faceName += static_cast<char>(c);
  return faceName;
}

// Walks the type records one by one; each step moves forward by at least a
// record, so the walk ends at the closing 0 or at the end of the file.
std::string FontDirectoryFaceName(FontByteReader& file, uint64_t table) {
  file.Seek(table);
  uint16_t shift = file.ReadWord();
  for (uint64_t typeRecord = table + 2;;) {
    file.Seek(typeRecord);
    uint16_t type = file.ReadWord();
    if (type == 0) return std::string();
    uint16_t count = file.ReadWord();
    if (IsFontDirectory(file, table, type))
      return FirstFaceName(file, FirstResourceData(file, typeRecord, shift));
    typeRecord += 8 + 12 * static_cast<uint64_t>(count);
  }
}

}  // namespace

TFontReadResult ReadFonNames(FontByteReader& file, std::string& description, std::string& faceName,
                             bool& scalable) {
  // DOS header, then the new-executable header it points to; no signature is
  // tested, the fields are simply taken.
  uint8_t header[64];
  file.Seek(0);
  file.Read(header, sizeof header);
  uint32_t newHeader = LongAt(header + 0x3C);
  file.Seek(newHeader);
  file.Read(header, sizeof header);
  uint32_t nonResidentNames = LongAt(header + 0x2C);
  uint16_t resourceTable = WordAt(header + 0x24);

  // The first entry of the non-resident name table is the module description.
  file.Seek(nonResidentNames);
  uint8_t length = file.ReadByte();
  std::string raw = file.ReadString(length);
  raw.resize(std::strlen(raw.c_str()));

  scalable = raw.find("CONTINUOUSSCALING") != std::string::npos;
  size_t colon = raw.find(':');
  description = Trim(colon == std::string::npos ? raw : raw.substr(colon + 1));
  faceName = FontDirectoryFaceName(file, static_cast<uint64_t>(newHeader) + resourceTable);
  return description.empty() ? frFailed : frOK;
}

TFontReadResult ReadFonNames(const std::string& fileName, std::string& description,
                             std::string& faceName, bool& scalable) {
  std::unique_ptr<FontByteReader> file;
  TFontReadResult opened = OpenFontFile(fileName, file);
  if (opened != frOK) return opened;
  try {
    return ReadFonNames(*file, description, faceName, scalable);
  } catch (const EInOutError&) {
    // A damaged file fails alone, so that a caller goes on with the next.
    return frFailed;
  }
}

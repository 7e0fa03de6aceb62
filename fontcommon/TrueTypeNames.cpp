#include "fontcommon/FontReaders.h"

#include <cstring>

namespace {

const uint16_t kMacintosh = 1;
const uint16_t kFamilyName = 1;
const uint16_t kFullName = 4;

// Where a name record's string lies. Only the last taken record of each kind
// is read, at the end: a hostile table of many long records then costs one
// range check per record instead of a copy.
struct NameString {
  uint64_t position = 0;
  uint16_t length = 0;
};

// Naming table: format, record count, string storage offset (relative to the
// table), then 12-byte records: platform, encoding, language, name, length
// and offset into the storage, all big-endian.
TFontReadResult ReadNamingTable(FontByteReader& file, uint64_t table, std::string& family,
                                std::string& fullName) {
  uint8_t header[6];
  file.Seek(table);
  file.Read(header, sizeof header);
  uint16_t count = SwapWord(WordAt(header + 2));
  uint64_t storage = table + SwapWord(WordAt(header + 4));

  NameString familyAt, fullNameAt;
  bool found = false;
  for (uint16_t i = 0; i < count && !found; ++i) {
    uint8_t record[12];
    file.Read(record, sizeof record);
    uint16_t platform = SwapWord(WordAt(record));
    uint16_t name = SwapWord(WordAt(record + 6));
    bool isFamily = platform == kMacintosh && name == kFamilyName;
    if (!isFamily && name != kFullName) continue;

    NameString& target = isFamily ? familyAt : fullNameAt;
    target.position = storage + SwapWord(WordAt(record + 10));
    target.length = SwapWord(WordAt(record + 8));
    file.Require(target.position, target.length);
    found = familyAt.length != 0 && fullNameAt.length != 0;
  }

  file.Seek(familyAt.position);
  family = file.ReadString(familyAt.length);
  file.Seek(fullNameAt.position);
  fullName = file.ReadString(fullNameAt.length);
  return found ? frOK : frFailed;
}

}  // namespace

TFontReadResult ReadTrueTypeNames(FontByteReader& file, std::string& family, std::string& fullName) {
  family.clear();
  fullName.clear();
  // Offset table: version, number of tables and three search fields; then one
  // 16-byte entry per table: tag, checksum, offset, length.
  uint8_t offsetTable[12];
  file.Seek(0);
  file.Read(offsetTable, sizeof offsetTable);
  uint16_t tables = SwapWord(WordAt(offsetTable + 4));
  for (uint16_t i = 0; i < tables; ++i) {
    uint8_t entry[16];
    file.Read(entry, sizeof entry);
    // A font has one naming table; the first entry tagged "name" is it.
    if (std::memcmp(entry, "name", 4) == 0)
      return ReadNamingTable(file, SwapLong(LongAt(entry + 8)), family, fullName);
  }
  return frFailed;
}

TFontReadResult ReadTrueTypeNames(const std::string& fileName, std::string& family,
                                  std::string& fullName) {
  family.clear();
  fullName.clear();
  std::unique_ptr<FontByteReader> file;
  TFontReadResult opened = OpenFontFile(fileName, file);
  if (opened != frOK) return opened;
  return ReadTrueTypeNames(*file, family, fullName);
}

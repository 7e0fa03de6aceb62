#include "fontcore/FontReaders.h"

#include "fontcore/AnsiText.h"
#include "fontcore/Exceptions.h"

#include <cstring>

namespace {

const uint16_t kMacintosh = 1;
const uint16_t kMicrosoft = 3;
const uint16_t kUsEnglish = 0x409;
const uint16_t kFamilyName = 1;
const uint16_t kFullName = 4;

// Where a name record's string lies. Only the last taken record of each kind
// is read, at the end: a hostile table of many long records then costs one
// range check per record instead of a copy.
struct NameString {
  uint64_t position = 0;
  uint16_t length = 0;
};

// The Microsoft-platform names, for fonts without Macintosh names (most made
// today): per name, US English when there is one, else the first language.
struct MicrosoftName {
  NameString at;
  bool found = false;
  bool usEnglish = false;

  void Offer(const NameString& string, uint16_t language) {
    if (usEnglish || (found && language != kUsEnglish)) return;
    at = string;
    found = true;
    usEnglish = language == kUsEnglish;
  }
};

// Symbol (0), Unicode BMP (1) and full Unicode (10) names are all big-endian
// UTF-16.
bool IsUtf16Encoding(uint16_t encoding) { return encoding == 0 || encoding == 1 || encoding == 10; }

std::string ReadUtf16AsAnsi(FontByteReader& file, const NameString& string) {
  file.Seek(string.position);
  std::string bytes = file.ReadString(string.length);
  std::u16string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>((static_cast<uint8_t>(bytes[i]) << 8) |
                                  static_cast<uint8_t>(bytes[i + 1]));
  return AnsiFromUtf16(text);
}

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
  MicrosoftName microsoftFamily, microsoftFullName;
  bool macintoshFamily = false;
  bool found = false;
  for (uint16_t i = 0; i < count && !found; ++i) {
    uint8_t record[12];
    file.Read(record, sizeof record);
    uint16_t platform = SwapWord(WordAt(record));
    uint16_t name = SwapWord(WordAt(record + 6));
    if (platform == kMicrosoft && IsUtf16Encoding(SwapWord(WordAt(record + 2))) &&
        (name == kFamilyName || name == kFullName)) {
      NameString string{storage + SwapWord(WordAt(record + 10)), SwapWord(WordAt(record + 8))};
      MicrosoftName& candidate = name == kFamilyName ? microsoftFamily : microsoftFullName;
      candidate.Offer(string, SwapWord(WordAt(record + 4)));
    }
    bool isFamily = platform == kMacintosh && name == kFamilyName;
    if (!isFamily && name != kFullName) continue;

    NameString& target = isFamily ? familyAt : fullNameAt;
    target.position = storage + SwapWord(WordAt(record + 10));
    target.length = SwapWord(WordAt(record + 8));
    file.Require(target.position, target.length);
    macintoshFamily = macintoshFamily || (isFamily && target.length != 0);
    found = familyAt.length != 0 && fullNameAt.length != 0;
  }

  if (!found && !macintoshFamily && microsoftFamily.found && microsoftFullName.found) {
    std::string microsoftFamilyText = ReadUtf16AsAnsi(file, microsoftFamily.at);
    std::string microsoftFullNameText = ReadUtf16AsAnsi(file, microsoftFullName.at);
    if (!microsoftFamilyText.empty() && !microsoftFullNameText.empty()) {
      family = microsoftFamilyText;
      fullName = microsoftFullNameText;
      return frOK;
    }
  }

  file.Seek(familyAt.position);
  family = file.ReadString(familyAt.length);
  file.Seek(fullNameAt.position);
  fullName = file.ReadString(fullNameAt.length);
  return found ? frOK : frFailed;
}

}  // namespace

TFontReadResult ReadTrueTypeNames(FontByteReader& file, std::string& family,
                                  std::string& fullName) {
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
  try {
    return ReadTrueTypeNames(*file, family, fullName);
  } catch (const EInOutError&) {
    // A damaged file fails alone, so that a caller goes on with the next.
    family.clear();
    fullName.clear();
    return frFailed;
  }
}

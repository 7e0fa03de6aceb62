// Names out of TrueType files: Debian's and Wine's fonts, and naming tables
// built here with Macintosh, Unicode and Microsoft records.
#include "FontFileBuilders.h"

#include "fontcore/FontReaders.h"
#include "fontcore/Exceptions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

const std::string kWineFonts = "/usr/share/wine/fonts/";                  // fonts-wine
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";          // fonts-dejavu-core
const std::string kLiberation = "/usr/share/fonts/truetype/liberation/";  // fonts-liberation
const std::string kHack = "/usr/share/fonts/truetype/hack/";              // fonts-hack
const std::string kRoboto =
    "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/";  // fonts-roboto-unhinted

struct TrueTypeNames {
  TFontReadResult result;
  std::string family;
  std::string fullName;
};

TrueTypeNames ReadFrom(const Bytes& bytes) {
  FontByteReader reader(bytes.data(), bytes.size());
  TrueTypeNames names{frFailed, "stale", "stale"};
  names.result = ReadTrueTypeNames(reader, names.family, names.fullName);
  return names;
}

TrueTypeNames ReadFrom(const std::vector<NameRecord>& records) {
  return ReadFrom(BuildTrueTypeFile({{"OS/2", Bytes(8, 0)}, {"name", NamingTable(records)}}));
}

TEST(TrueTypeNamesOfInstalledFonts, GiveTheMacintoshFamilyAndFullName) {
  struct Expected {
    std::string path;
    const char* family;
    const char* fullName;
  } expected[] = {
      {kDejaVu + "DejaVuSans.ttf", "DejaVu Sans", "DejaVu Sans"},
      {kDejaVu + "DejaVuSerif-Bold.ttf", "DejaVu Serif", "DejaVu Serif Bold"},
      {kLiberation + "LiberationSans-Regular.ttf", "Liberation Sans", "Liberation Sans"},
      {kLiberation + "LiberationMono-Bold.ttf", "Liberation Mono", "Liberation Mono Bold"},
      {kWineFonts + "tahomabd.ttf", "Tahoma", "Tahoma Bold"},
      {kWineFonts + "marlett.ttf", "Marlett", "Marlett"},
  };
  for (const Expected& font : expected) {
    std::string family = "stale", fullName = "stale";
    EXPECT_EQ(frOK, ReadTrueTypeNames(font.path, family, fullName)) << font.path;
    EXPECT_EQ(font.family, family) << font.path;
    EXPECT_EQ(font.fullName, fullName) << font.path;
  }
}

TEST(TrueTypeNamesOfInstalledFonts, TruncatedAnywhereGiveTheNamesOrAnInputOutputError) {
  std::ifstream in(kWineFonts + "courier.ttf", std::ios::binary);
  const Bytes whole{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(whole.size(), 10000u) << "courier.ttf of fonts-wine is missing";
  int failures = 0;
  for (size_t length = 0; length < whole.size(); ++length) {
    try {
      TrueTypeNames names = ReadFrom(Bytes(whole.begin(), whole.begin() + length));
      EXPECT_EQ(frOK, names.result) << "cut at " << length;
      EXPECT_EQ("Courier", names.family) << "cut at " << length;
    } catch (const EInOutError&) {
      ++failures;
    }
  }
  // The last byte the reader needs is the end of the Macintosh full name.
  EXPECT_EQ(4227, failures);
}

TEST(TrueTypeNamesOfBuiltFiles, TakeBothNamesFromMacintoshRecords) {
  TrueTypeNames names = ReadFrom({{1, 0, 0, 1, "Mac Family"},
                                  {1, 0, 0, 2, "Regular"},
                                  {1, 0, 0, 4, "Mac Family Regular"},
                                  {3, 1, 0x409, 1, Utf16BE("Win Family")},
                                  {3, 1, 0x409, 4, Utf16BE("Win Family Regular")}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Mac Family", names.family);
  EXPECT_EQ("Mac Family Regular", names.fullName);
}

TEST(TrueTypeNamesOfInstalledFonts, WithoutMacintoshNamesGiveTheMicrosoftNames) {
  struct Expected {
    std::string path;
    const char* family;
    const char* fullName;
  } expected[] = {
      {kHack + "Hack-Regular.ttf", "Hack", "Hack Regular"},
      {kHack + "Hack-BoldItalic.ttf", "Hack", "Hack Bold Italic"},
      {kRoboto + "Roboto-Regular.ttf", "Roboto", "Roboto"},
      {kRoboto + "Roboto-LightItalic.ttf", "Roboto Light", "Roboto Light Italic"},
  };
  for (const Expected& font : expected) {
    std::string family = "stale", fullName = "stale";
    EXPECT_EQ(frOK, ReadTrueTypeNames(font.path, family, fullName)) << font.path;
    EXPECT_EQ(font.family, family) << font.path;
    EXPECT_EQ(font.fullName, fullName) << font.path;
  }
}

TEST(TrueTypeNamesOfBuiltFiles, WithoutAMacintoshFamilyTakeTheMicrosoftNamesInTheAnsiCodePage) {
  TrueTypeNames names = ReadFrom({{0, 3, 0, 1, Utf16BE("Unicode Family")},
                                  {3, 1, 0x409, 1, Utf16BE("Win Family")},
                                  {3, 1, 0x409, 4, Utf16BE("Win Family Bold")}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Win Family", names.family);
  EXPECT_EQ("Win Family Bold", names.fullName);

  // "Caf\u00E9 \u20AC\u4E00": Latin-1, a Windows-1252 extra and a character
  // the code page lacks.
  const std::string cafe = {0, 'C', 0, 'a', 0, 'f', 0, '\xE9', 0, ' ', '\x20', '\xAC', '\x4E', 0};
  names = ReadFrom({{3, 1, 0x409, 1, cafe}, {3, 1, 0x409, 4, cafe}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Caf\xE9 \x80?", names.family);
}

TEST(TrueTypeNamesOfBuiltFiles, PreferUsEnglishMicrosoftNamesElseTheFirstLanguage) {
  TrueTypeNames names = ReadFrom({{3, 1, 0x407, 1, Utf16BE("Deutsch")},
                                  {3, 1, 0x407, 4, Utf16BE("Deutsch Fett")},
                                  {3, 1, 0x409, 1, Utf16BE("English")},
                                  {3, 1, 0x409, 4, Utf16BE("English Bold")},
                                  {3, 1, 0x40C, 1, Utf16BE("Francais")}});
  EXPECT_EQ("English", names.family);
  EXPECT_EQ("English Bold", names.fullName);

  names = ReadFrom({{3, 1, 0x407, 1, Utf16BE("Deutsch")},
                    {3, 1, 0x40C, 1, Utf16BE("Francais")},
                    {3, 1, 0x40C, 4, Utf16BE("Francais Gras")}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Deutsch", names.family);
  EXPECT_EQ("Francais Gras", names.fullName);
}

TEST(TrueTypeNamesOfBuiltFiles, FailWithoutAMacintoshOrMicrosoftFamilyName) {
  TrueTypeNames names = ReadFrom(
      {{0, 3, 0, 1, Utf16BE("Unicode Family")}, {3, 1, 0x409, 4, Utf16BE("Win Family Bold")}});
  EXPECT_EQ(frFailed, names.result);
  EXPECT_EQ("", names.family);
  // An empty Microsoft name is no name either.
  EXPECT_EQ(frFailed, ReadFrom({{3, 1, 0x409, 1, ""}, {3, 1, 0x409, 4, Utf16BE("Full")}}).result);
}

TEST(TrueTypeNamesOfBuiltFiles, KeepTheMacintoshNamesWhereThereAreSome) {
  // A Macintosh family without a full name fails, as it always did.
  TrueTypeNames names =
      ReadFrom({{1, 0, 0, 1, "Mac Family"}, {3, 1, 0x409, 1, Utf16BE("Win Family")}});
  EXPECT_EQ(frFailed, names.result);
  EXPECT_EQ("Mac Family", names.family);
}

TEST(TrueTypeNamesOfBuiltFiles, KeepAUnicodeFullNameReadBeforeTheMacintoshFamily) {
  TrueTypeNames names = ReadFrom(
      {{0, 3, 0, 4, Utf16BE("Uni Full")}, {1, 0, 0, 1, "Mac Family"}, {1, 0, 0, 4, "Mac Full"}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Mac Family", names.family);
  EXPECT_EQ(std::string("\0U\0n\0i\0 \0F\0u\0l\0l", 16), names.fullName);
}

TEST(TrueTypeNamesOfBuiltFiles, LetALaterRecordOverwriteAnEarlierOne) {
  TrueTypeNames names = ReadFrom(
      {{1, 0, 0, 4, "First Full"}, {3, 1, 0x409, 4, Utf16BE("Win")}, {1, 0, 0, 1, "Family"}});
  EXPECT_EQ(Utf16BE("Win"), names.fullName);

  // An empty record empties the name again, so the search goes on.
  names = ReadFrom({{1, 0, 0, 4, "Full"},
                    {1, 0, 0, 4, ""},
                    {1, 0, 0, 1, "Family"},
                    {3, 1, 0x409, 4, Utf16BE("Late")}});
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ(Utf16BE("Late"), names.fullName);
}

TEST(TrueTypeNamesOfBuiltFiles, FindTheNamingTableAnywhereInTheDirectory) {
  Bytes file =
      BuildTrueTypeFile({{"cmap", Bytes(20, 1)},
                         {"head", Bytes(54, 2)},
                         {"name", NamingTable({{1, 0, 0, 1, "Late"}, {1, 0, 0, 4, "Late Table"}})},
                         {"post", Bytes(32, 3)}});
  TrueTypeNames names = ReadFrom(file);
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Late Table", names.fullName);

  // Tags are compared exactly.
  EXPECT_EQ(
      frFailed,
      ReadFrom(BuildTrueTypeFile({{"NAME", NamingTable({{1, 0, 0, 1, "F"}, {1, 0, 0, 4, "G"}})}}))
          .result);
  EXPECT_EQ(frFailed, ReadFrom(BuildTrueTypeFile({})).result);
}

TEST(TrueTypeNamesOfBuiltFiles, ReadOnlyTheFirstNamingTable) {
  Bytes file =
      BuildTrueTypeFile({{"name", NamingTable({{3, 1, 0x409, 4, Utf16BE("First")}})},
                         {"name", NamingTable({{1, 0, 0, 1, "Second"}, {1, 0, 0, 4, "Second"}})}});
  TrueTypeNames names = ReadFrom(file);
  EXPECT_EQ(frFailed, names.result);
  EXPECT_EQ(Utf16BE("First"), names.fullName);
}

TEST(TrueTypeNamesOfBuiltFiles, RaiseAnInputOutputErrorForAStringPastTheEnd) {
  Bytes file =
      BuildTrueTypeFile({{"name", NamingTable({{1, 0, 0, 1, "Family"}, {1, 0, 0, 4, "Full"}})}});
  file.pop_back();  // the last byte of "Full"
  EXPECT_THROW(ReadFrom(file), EInOutError);

  // Offsets add up beyond 32 bits without wrapping round to the start.
  file = BuildTrueTypeFile({{"name", NamingTable({{1, 0, 0, 1, "Family"}})}});
  file[12 + 8] = file[12 + 9] = file[12 + 10] = file[12 + 11] = 0xFF;
  EXPECT_THROW(ReadFrom(file), EInOutError);
  EXPECT_THROW(ReadFrom(Bytes(11, 0)), EInOutError);
}

TEST(TrueTypeNamesOfBuiltFiles, ManyLongRecordsOfOneKindEndWithTheLast) {
  std::vector<NameRecord> records(5000, NameRecord{3, 1, 0x409, 4, std::string(4000, 'x')});
  records.push_back({3, 1, 0x409, 4, "last"});
  TrueTypeNames names = ReadFrom(records);
  EXPECT_EQ(frFailed, names.result);
  EXPECT_EQ("last", names.fullName);
}

TEST(TrueTypeNamesOfFiles, EmptyBothNamesAndTellAMissingFile) {
  std::string family = "stale", fullName = "stale";
  EXPECT_EQ(frNotFound, ReadTrueTypeNames(kDejaVu + "NoSuchFont.ttf", family, fullName));
  EXPECT_EQ("", family);
  EXPECT_EQ("", fullName);
}

TEST(ByteOrder, SwapWordAndSwapLongReverseTheBytes) {
  EXPECT_EQ(0x3412, SwapWord(0x1234));
  EXPECT_EQ(0x00FF, SwapWord(0xFF00));
  EXPECT_EQ(0x78563412u, SwapLong(0x12345678));
  EXPECT_EQ(0x000000FFu, SwapLong(0xFF000000));
  EXPECT_EQ(0x01000080u, SwapLong(0x80000001));
}

}  // namespace

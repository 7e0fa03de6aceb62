// Names out of font resource files: Wine's own raster fonts, and files built
// here to vary one field at a time.
#include "FontFileBuilders.h"

#include "fontcore/FontReaders.h"
#include "fontcore/Exceptions.h"

#include <gtest/gtest.h>

#include <dirent.h>

#include <fstream>
#include <iterator>

namespace {

const std::string kWineFonts = "/usr/share/wine/fonts/";  // package fonts-wine

Bytes ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct FonNames {
  TFontReadResult result;
  std::string description;
  std::string faceName;
  bool scalable;
};

FonNames ReadFrom(const Bytes& bytes) {
  FontByteReader reader(bytes.data(), bytes.size());
  FonNames names{frFailed, "?", "?", true};
  names.result = ReadFonNames(reader, names.description, names.faceName, names.scalable);
  return names;
}

FonNames ReadFrom(const FonLayout& layout) { return ReadFrom(BuildFonFile(layout)); }

TEST(FonNamesOfWineFonts, GiveTheDescriptionBehindTheColonAndTheFirstFaceName) {
  struct Expected {
    const char* file;
    const char* description;
    const char* faceName;
  } expected[] = {
      {"sserife.fon", "MS Sans Serif 8,10,12 (VGA res)", "MS Sans Serif"},
      {"sseriff.fon", "MS Sans Serif 8,10 (8514 res)", "MS Sans Serif"},
      {"vgasys.fon", "System 10 (VGA res)", "System"},
      {"coure.fon", "Courier 10 (VGA res)", "Courier"},
      {"smalle.fon", "Small Fonts 7 (VGA res)", "Small Fonts"},
      {"vgafix.fon", "Fixedsys 9 (VGA res)", "Fixedsys"},
  };
  for (const Expected& font : expected) {
    std::string description = "?", faceName = "?";
    bool scalable = true;
    EXPECT_EQ(frOK, ReadFonNames(kWineFonts + font.file, description, faceName, scalable))
        << font.file;
    EXPECT_EQ(font.description, description) << font.file;
    EXPECT_EQ(font.faceName, faceName) << font.file;
    EXPECT_FALSE(scalable) << font.file;
  }
}

TEST(FonNamesOfWineFonts, EveryRasterFontOfTheFolderHasNames) {
  DIR* folder = opendir(kWineFonts.c_str());
  ASSERT_NE(nullptr, folder) << kWineFonts << " is missing; scripts/setup installs fonts-wine";
  int fonts = 0;
  while (dirent* entry = readdir(folder)) {
    std::string name = entry->d_name;
    if (name.size() < 4 || name.compare(name.size() - 4, 4, ".fon") != 0) continue;
    ++fonts;
    FonNames names = ReadFrom(ReadWholeFile(kWineFonts + name));
    EXPECT_EQ(frOK, names.result) << name;
    EXPECT_NE(std::string::npos, names.description.find(" res)"))
        << name << ": " << names.description;
    EXPECT_FALSE(names.faceName.empty()) << name;
  }
  closedir(folder);
  EXPECT_GE(fonts, 40);
}

TEST(FonNamesOfWineFonts, TruncatedAnywhereGiveTheNamesOrAnInputOutputError) {
  const Bytes whole = ReadWholeFile(kWineFonts + "vgasys.fon");
  ASSERT_GT(whole.size(), 1000u);
  int failures = 0;
  for (size_t length = 0; length < whole.size(); ++length) {
    Bytes part(whole.begin(), whole.begin() + length);
    try {
      FonNames names = ReadFrom(part);
      EXPECT_EQ("System 10 (VGA res)", names.description) << "cut at " << length;
      EXPECT_EQ("System", names.faceName) << "cut at " << length;
    } catch (const EInOutError& e) {
      EXPECT_EQ("Read beyond end of file", e.Message());
      ++failures;
    }
  }
  // The last byte the reader needs is the NUL after the face name, at 444.
  EXPECT_EQ(445, failures);
}

TEST(FonNamesOfBuiltFiles, FindTheFontDirectoryByIntegerOrByName) {
  FonLayout layout;
  layout.faceName = "Integer Type";
  EXPECT_EQ("Integer Type", ReadFrom(layout).faceName);

  layout.typeName = "FONTDIR";
  layout.faceName = "Named Type";
  FonNames named = ReadFrom(layout);
  EXPECT_EQ(frOK, named.result);
  EXPECT_EQ("Named Type", named.faceName);

  // Type names are compared exactly.
  layout.typeName = "FontDir";
  EXPECT_EQ("", ReadFrom(layout).faceName);
}

TEST(FonNamesOfBuiltFiles, SkipTheDeviceNameAndKeepAtMost255CharactersOfTheFace) {
  FonLayout layout;
  layout.deviceName = "PostScript Printer";
  layout.faceName = "After Device";
  EXPECT_EQ("After Device", ReadFrom(layout).faceName);

  layout.faceName = std::string(300, 'F');
  EXPECT_EQ(std::string(255, 'F'), ReadFrom(layout).faceName);
}

TEST(FonNamesOfBuiltFiles, WalkPastOtherResourceTypesToTheFontDirectory) {
  FonLayout layout;
  layout.typesBefore = {{0x8008, 3}, {0x800E, 1}};
  layout.faceName = "Behind Fonts";
  EXPECT_EQ("Behind Fonts", ReadFrom(layout).faceName);

  // A table without a font directory still gives the description.
  layout.withDirectory = false;
  FonNames names = ReadFrom(layout);
  EXPECT_EQ(frOK, names.result);
  EXPECT_EQ("Test Face 10,12", names.description);
  EXPECT_EQ("", names.faceName);
}

TEST(FonNamesOfBuiltFiles, ReadAFontDirectoryBeyondTheFirst64Kilobytes) {
  FonLayout layout;
  layout.directoryAt = 0x12340;
  layout.faceName = "Far Away";
  EXPECT_EQ("Far Away", ReadFrom(layout).faceName);
}

TEST(FonNamesOfBuiltFiles, TakeTheDescriptionBehindTheFirstColonTrimmed) {
  FonLayout layout;
  layout.description = "FONTRES 100,96,96 :\t Roman 8: Bold \r";
  EXPECT_EQ("Roman 8: Bold", ReadFrom(layout).description);

  layout.description = "  Whole Description Without Colon  ";
  EXPECT_EQ("Whole Description Without Colon", ReadFrom(layout).description);

  // The description ends at a NUL within its length.
  layout.description = std::string("FONTRES : Kept\0Dropped", 22);
  EXPECT_EQ("Kept", ReadFrom(layout).description);
}

TEST(FonNamesOfBuiltFiles, FailWithoutADescription) {
  for (const char* description : {"", "FONTRES 100,96,96 :", "FONTRES 100,96,96 :  \t ", "   "}) {
    FonLayout layout;
    layout.description = description;
    FonNames names = ReadFrom(layout);
    EXPECT_EQ(frFailed, names.result) << "'" << description << "'";
    EXPECT_EQ("Test Face", names.faceName) << "'" << description << "'";
  }
}

TEST(FonNamesOfBuiltFiles, ScalableOnlyForContinuousScalingInCapitals) {
  FonLayout layout;
  layout.description = "FONTRES 100,96,96 : CONTINUOUSSCALING Outline";
  FonNames scalable = ReadFrom(layout);
  EXPECT_TRUE(scalable.scalable);
  EXPECT_EQ("CONTINUOUSSCALING Outline", scalable.description);

  layout.description = "FONTRES 100,96,96 : continuousscaling Outline";
  EXPECT_FALSE(ReadFrom(layout).scalable);

  // The word counts on either side of the colon.
  layout.description = "CONTINUOUSSCALING: Outline";
  EXPECT_TRUE(ReadFrom(layout).scalable);
}

TEST(FonNamesOfBuiltFiles, RaiseAnInputOutputErrorForOffsetsPastTheEnd) {
  const Bytes good = BuildFonFile(FonLayout());
  auto expectReadPastEnd = [](const Bytes& bytes, const char* what) {
    FontByteReader reader(bytes.data(), bytes.size());
    std::string description, faceName;
    bool scalable;
    try {
      ReadFonNames(reader, description, faceName, scalable);
      ADD_FAILURE() << what << ": no exception";
    } catch (const EInOutError& e) {
      EXPECT_EQ(38, e.ErrorCode()) << what;
    }
  };

  Bytes bytes = good;
  PutLongLE(bytes, 0x3C, 0xFFFFFFF0);
  expectReadPastEnd(bytes, "new header offset");

  bytes = good;
  PutLongLE(bytes, 0x80 + 0x2C, static_cast<uint32_t>(good.size()));
  expectReadPastEnd(bytes, "description offset");

  bytes = good;
  PutWordLE(bytes, 0xC0, 0xFFFF);  // shift count
  expectReadPastEnd(bytes, "shift count");

  bytes = good;
  bytes.pop_back();  // the face name's NUL
  expectReadPastEnd(bytes, "face name without end");

  expectReadPastEnd(Bytes(), "empty file");
}

TEST(FonNamesOfFiles, TellAMissingFileFromOneThatCannotBeRead) {
  std::string description = "?", faceName = "?";
  bool scalable = true;
  EXPECT_EQ(frNotFound,
            ReadFonNames(kWineFonts + "no-such-font.fon", description, faceName, scalable));
  EXPECT_EQ(frNotFound,
            ReadFonNames("/no-such-folder/vgasys.fon", description, faceName, scalable));
  EXPECT_EQ("?", description);
}

}  // namespace

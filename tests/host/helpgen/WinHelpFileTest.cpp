// The structure of the WinHelp files the generator writes, read back as a
// help viewer reads them.
#include "tools/helpgen/ContextHash.h"
#include "tools/helpgen/HelpSource.h"
#include "tools/helpgen/WinHelpFile.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class THelpReader {
 public:
  explicit THelpReader(TBytes bytes) : b_(std::move(bytes)) {}

  uint32_t U16(size_t at) const { return b_.at(at) | b_.at(at + 1) << 8; }
  uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
  std::string Text(size_t at, size_t length) const {
    return std::string(b_.begin() + at, b_.begin() + at + length);
  }
  size_t Size() const { return b_.size(); }

  // Name -> offset of each internal file's header, from the directory.
  std::map<std::string, uint32_t> Directory() const {
    std::map<std::string, uint32_t> files;
    const size_t tree = U32(4) + 9;
    EXPECT_EQ(U16(tree), 0x293Bu);
    EXPECT_EQ(U16(tree + 32), 1u) << "one level";
    size_t at = tree + 38 + 8;
    for (uint32_t i = 0, n = U16(tree + 38 + 2); i < n; ++i) {
      const std::string name(reinterpret_cast<const char*>(&b_.at(at)));
      at += name.size() + 1;
      files[name] = U32(at);
      at += 4;
    }
    return files;
  }

  size_t Contents(const std::string& name) const { return Directory().at(name) + 9; }

  // Hash -> topic offset, from the context tree.
  std::map<int32_t, uint32_t> Contexts() const {
    std::map<int32_t, uint32_t> contexts;
    const size_t page = Contents("|CONTEXT") + 38;
    for (uint32_t i = 0, n = U16(page + 2); i < n; ++i)
      contexts[static_cast<int32_t>(U32(page + 8 + 8 * i))] = U32(page + 12 + 8 * i);
    return contexts;
  }

  struct TRecord {
    uint32_t Position, Size;
    uint8_t Type;
    std::string Text;
  };
  // The topic records in the order the chain links them, starting at the first.
  std::vector<TRecord> Records() const {
    std::vector<TRecord> records;
    const size_t topic = Contents("|TOPIC");
    for (uint32_t position = 12; position != 0xFFFFFFFF && records.size() < 1000;) {
      const size_t at = topic + (position >> 14) * 0x1000 + 12 + ((position - 12) & 0x3FFF);
      const uint32_t size = U32(at), firstPart = U32(at + 16);
      records.push_back({position, size, b_.at(at + 20), Text(at + firstPart, size - firstPart)});
      position = U32(at + 12);
    }
    return records;
  }

 private:
  TBytes b_;
};

THelpReader Build(const std::string& source) {
  return THelpReader(BuildWinHelpFile(ParseHelpSource(source)));
}

TEST(ContextHash, CountsLettersOfEitherCaseDigitsDotAndUnderscore) {
  EXPECT_EQ(ContextHash("a"), 17);
  EXPECT_EQ(ContextHash("Ab"), 17 * 43 + 18);
  EXPECT_EQ(ContextHash("a_1"), (17 * 43 + 13) * 43 + 1);
  EXPECT_EQ(ContextHash("a-b c"), ContextHash("abc"));
  EXPECT_EQ(ContextHash("0."), 10 * 43 + 12);
}

TEST(WinHelpFile, ContainerHoldsItsFilesWhole) {
  const THelpReader file = Build("@title T\n@topic one One\n");
  EXPECT_EQ(file.U32(0), 0x00035F3Fu);
  EXPECT_EQ(file.U32(12), file.Size());
  std::vector<std::string> names;
  for (const auto& [name, at] : file.Directory()) {
    names.push_back(name);
    EXPECT_EQ(file.U32(at), file.U32(at + 4) + 9) << name;
    EXPECT_LE(at + file.U32(at), file.Size()) << name;
  }
  EXPECT_EQ(names,
            (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC"}));
  const size_t system = file.Contents("|SYSTEM");
  EXPECT_EQ(file.U16(system), 0x036Cu);
  EXPECT_EQ(file.U16(system + 2), 21u);
  EXPECT_EQ(file.U16(system + 12), 1u) << "title record";
  EXPECT_EQ(file.Text(system + 16, 2), std::string("T\0", 2));
}

TEST(WinHelpFile, ContextsAndNumbersLeadToTheirTopics) {
  // "One" and "Hi" are 3 and 2 characters, each paragraph one more.
  const THelpReader file = Build("@title T\n@topic one One\nHi\n@topic two Two\n@map 2000\n");
  const auto records = file.Records();
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[0].Type, 0x02);
  EXPECT_EQ(records[0].Text, "One");
  EXPECT_EQ(records[3].Type, 0x02);
  EXPECT_EQ(records[3].Text, "Two");
  EXPECT_EQ(records[2].Text, std::string("\0Hi\0\0", 5));

  EXPECT_EQ(file.Contexts(),
            (std::map<int32_t, uint32_t>{{ContextHash("one"), 0}, {ContextHash("two"), 7}}));
  const size_t map = file.Contents("|CTXOMAP");
  EXPECT_EQ(file.U16(map), 1u);
  EXPECT_EQ(file.U32(map + 2), 2000u);
  EXPECT_EQ(file.U32(map + 6), 7u);
  EXPECT_EQ(file.U32(file.Contents("|SYSTEM") + 12 + 4 + 2 + 4), 0u) << "contents topic";
}

TEST(WinHelpFile, LongHelpFillsBlocksWithoutSplittingARecord) {
  std::string source;
  for (int t = 0; t < 3; ++t) {
    source += "@topic t" + std::to_string(t) + " Topic " + std::to_string(t) + "\n";
    for (int p = 0; p < 20; ++p) source += std::string(100, 'x') + "\n";
  }
  const THelpReader file = Build(source);
  const auto records = file.Records();
  ASSERT_EQ(records.size(), 3u * 22);
  for (const auto& record : records)
    EXPECT_LE(((record.Position - 12) & 0x3FFF) + record.Size, 0x1000u - 12) << record.Position;
  EXPECT_GT(records.back().Position >> 14, 0u) << "the help takes more than one block";
  // A topic beginning in a later block counts from that block's 0x8000.
  const uint32_t lastBlock = records[44].Position >> 14;
  EXPECT_EQ(file.Contexts().at(ContextHash("t2")) >> 15, lastBlock);
}

}  // namespace

#include "tools/helpgen/WinHelpFile.h"

#include "tools/helpgen/ContextHash.h"
#include "tools/helpgen/HelpContainer.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr uint32_t kBlockSize = 0x1000;
constexpr uint32_t kBlockHeader = 12;
constexpr uint32_t kBlockData = kBlockSize - kBlockHeader;
constexpr uint32_t kLinkHeader = 21;
constexpr uint8_t kTopicHeaderRecord = 0x02;
constexpr uint8_t kParagraphRecord = 0x20;

// Topic positions count blocks in steps of 0x4000 and begin after the block
// header; topic offsets count blocks in steps of 0x8000 and characters within.
uint32_t TopicPosition(uint32_t block, uint32_t at) { return kBlockHeader + block * 0x4000 + at; }
uint32_t TopicOffset(uint32_t block, uint32_t characters) { return block * 0x8000 + characters; }

enum TFont : uint16_t { kBodyFont, kTitleFont, kHeadingFont };

struct TRecord {
  uint8_t Type = kParagraphRecord;
  size_t Topic = 0;
  TBytes Format;  // the record's first part: paragraph layout and commands
  TBytes Text;    // its second part: NUL-separated strings
  uint32_t Characters = 0;
  uint32_t Block = 0, At = 0;
  uint32_t Size() const { return static_cast<uint32_t>(kLinkHeader + Format.size() + Text.size()); }
  uint32_t Position() const { return TopicPosition(Block, At); }
};

// Small numbers in the paragraph layout are stored in one byte when they fit.
void CompressedShort(TByteWriter& out, int value) {
  out.U8(static_cast<uint32_t>(0x80 + 2 * value));
}
void CompressedUShort(TByteWriter& out, uint32_t value) {
  if (value < 0x80)
    out.U8(2 * value);
  else
    out.U16(2 * value + 1);
}
void CompressedLong(TByteWriter& out, uint32_t value) { out.U32(0x80000000u + 2 * value + 1); }

TRecord ParagraphRecord(size_t topic, const THelpParagraph& paragraph) {
  static constexpr uint16_t kSpaceBefore = 0x0002, kSpaceAfter = 0x0004, kLeftIndent = 0x0010;
  TRecord record;
  record.Topic = topic;
  TByteWriter text, commands;
  uint16_t font = kBodyFont;
  uint16_t bits = kSpaceAfter;
  if (paragraph.Style == TParagraphStyle::Title) font = kTitleFont;
  if (paragraph.Style == TParagraphStyle::Heading) font = kHeadingFont, bits = kSpaceBefore;
  if (paragraph.Style == TParagraphStyle::Indented) bits |= kLeftIndent;

  // Strings and commands alternate: each string is followed by one command.
  std::string pending;
  text.Text("");
  commands.U8(0x80);  // font
  commands.U16(font);
  for (const THelpRun& run : paragraph.Runs) {
    record.Characters += static_cast<uint32_t>(run.Text.size());
    if (run.JumpTo.empty()) {
      pending += run.Text;
      continue;
    }
    text.Text(pending);
    pending.clear();
    commands.U8(0xE3);  // jump to the topic of a context number
    commands.U32(static_cast<uint32_t>(ContextHash(run.JumpTo)));
    text.Text(run.Text);
    commands.U8(0x89);  // end of the jump
  }
  text.Text(pending);
  commands.U8(0x82);  // end of the paragraph
  text.Text("");
  commands.U8(0xFF);
  record.Characters += 1;

  TByteWriter format;
  CompressedLong(format, static_cast<uint32_t>(text.Size()));
  CompressedUShort(format, record.Characters);
  format.U8(0);
  format.U8(0x80);
  format.U16(0);
  format.U16(bits);
  if (bits & kSpaceBefore) CompressedShort(format, 12);
  if (bits & kSpaceAfter) CompressedShort(format, 6);
  if (bits & kLeftIndent) CompressedShort(format, 36);
  format.Append(commands.Bytes);
  record.Format = format.Bytes;
  record.Text = text.Bytes;
  return record;
}

struct TTopicLayout {
  std::vector<TRecord> Records;
  std::vector<uint32_t> TopicOffsets;
  uint32_t Blocks = 0;
};

TTopicLayout LayOutTopics(const THelpProject& project) {
  TTopicLayout layout;
  for (size_t t = 0; t < project.Topics.size(); ++t) {
    TRecord header;
    header.Type = kTopicHeaderRecord;
    header.Topic = t;
    header.Format.assign(28, 0);  // filled in once every record has its place
    TByteWriter title;
    title.Text(project.Topics[t].Title, false);
    header.Text = title.Bytes;
    layout.Records.push_back(header);
    for (const THelpParagraph& paragraph : project.Topics[t].Paragraphs)
      layout.Records.push_back(ParagraphRecord(t, paragraph));
  }

  // A record never straddles two blocks: the rest of a block stays empty.
  uint32_t block = 0, at = 0, characters = 0;
  for (TRecord& record : layout.Records) {
    if (record.Size() > kBlockData) throw std::length_error("a paragraph of the help is too long");
    if (at + record.Size() > kBlockData) ++block, at = 0, characters = 0;
    record.Block = block;
    record.At = at;
    at += record.Size();
    if (record.Type == kTopicHeaderRecord)
      layout.TopicOffsets.push_back(TopicOffset(block, characters));
    else
      characters += record.Characters;
  }
  layout.Blocks = block + 1;
  return layout;
}

void FillTopicHeaders(TTopicLayout& layout) {
  auto& records = layout.Records;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i].Type != kTopicHeaderRecord) continue;
    size_t next = i + 1;
    uint32_t topicBytes = records[i].Size();
    while (next < records.size() && records[next].Type != kTopicHeaderRecord)
      topicBytes += records[next++].Size();
    TByteWriter header;
    header.U32(topicBytes);
    header.U32(kNone);  // no browse sequence
    header.U32(kNone);
    header.U32(static_cast<uint32_t>(records[i].Topic));
    header.U32(kNone);  // no non-scrolling region
    header.U32(i + 1 < next ? records[i + 1].Position() : kNone);
    header.U32(next < records.size() ? records[next].Position() : kNone);
    records[i].Format = header.Bytes;
  }
}

TBytes TopicFile(const TTopicLayout& layout) {
  const auto& records = layout.Records;
  std::vector<TByteWriter> blocks(layout.Blocks);
  uint32_t lastHeader = kNone;
  size_t r = 0;
  for (uint32_t b = 0; b < layout.Blocks; ++b) {
    TByteWriter& out = blocks[b];
    out.U32(b == 0 ? kNone : records[r - 1].Position());  // last record of the block before
    out.U32(records[r].Position());
    out.U32(lastHeader);
    for (; r < records.size() && records[r].Block == b; ++r) {
      const TRecord& record = records[r];
      if (record.Type == kTopicHeaderRecord) lastHeader = record.Position();
      out.U32(record.Size());
      out.U32(static_cast<uint32_t>(record.Text.size()));
      out.U32(r == 0 ? kNone : records[r - 1].Position());
      out.U32(r + 1 < records.size() ? records[r + 1].Position() : kNone);
      out.U32(static_cast<uint32_t>(kLinkHeader + record.Format.size()));
      out.U8(record.Type);
      out.Append(record.Format);
      out.Append(record.Text);
    }
    out.Fill(kBlockSize - out.Size());
  }
  TByteWriter file;
  for (const TByteWriter& block : blocks) file.Append(block.Bytes);
  return file.Bytes;
}

TBytes SystemFile(const THelpProject& project, uint32_t contentsOffset) {
  TByteWriter out;
  out.U16(0x036C);  // magic
  out.U16(21);      // minor version: WinHelp 3.1
  out.U16(1);       // major version
  out.U32(0);       // generation date
  out.U16(0);       // flags: topic text not compressed, 4 KB blocks
  TByteWriter title;
  title.Text(project.Title);
  out.U16(1);
  out.U16(static_cast<uint32_t>(title.Size()));
  out.Append(title.Bytes);
  out.U16(3);  // contents topic
  out.U16(4);
  out.U32(contentsOffset);
  return out.Bytes;
}

TBytes FontFile() {
  struct TFontDescription {
    uint8_t Flags, HalfPoints, Red, Green, Blue;
  };
  static constexpr TFontDescription kFonts[] = {
      {0, 20, 0, 0, 0},    // body
      {1, 28, 0, 0, 128},  // title: bold, navy
      {1, 20, 0, 0, 0},    // heading: bold
  };
  constexpr uint16_t kFaceLength = 20;
  TByteWriter out;
  out.U16(1);  // face names
  out.U16(std::size(kFonts));
  out.U16(8);
  out.U16(8 + kFaceLength);
  std::string face = "Arial";
  face.resize(kFaceLength, '\0');
  out.Text(face, false);
  for (const TFontDescription& font : kFonts) {
    out.U8(font.Flags);
    out.U8(font.HalfPoints);
    out.U8(3);   // swiss family
    out.U16(0);  // face name 0
    out.U8(font.Red);
    out.U8(font.Green);
    out.U8(font.Blue);
    out.Fill(3, 0xFF);  // background white
  }
  return out.Bytes;
}

TBytes ContextFile(const THelpProject& project, const std::vector<uint32_t>& offsets) {
  std::vector<std::pair<int32_t, uint32_t>> entries;
  for (size_t t = 0; t < project.Topics.size(); ++t)
    entries.emplace_back(ContextHash(project.Topics[t].Context), offsets[t]);
  std::sort(entries.begin(), entries.end());
  for (size_t i = 1; i < entries.size(); ++i)
    if (entries[i].first == entries[i - 1].first)
      throw std::invalid_argument("two context strings of the help have the same number");
  std::vector<TBytes> leaves;
  for (const auto& [hash, offset] : entries) {
    TByteWriter entry;
    entry.U32(static_cast<uint32_t>(hash));
    entry.U32(offset);
    leaves.push_back(entry.Bytes);
  }
  return SinglePageBTree(leaves, 0x0800, 0x0002, "L4");
}

TBytes MapFile(const THelpProject& project, const std::vector<uint32_t>& offsets) {
  TByteWriter entries;
  uint32_t count = 0;
  for (size_t t = 0; t < project.Topics.size(); ++t)
    for (uint32_t id : project.Topics[t].MapIds) {
      entries.U32(id);
      entries.U32(offsets[t]);
      ++count;
    }
  TByteWriter out;
  out.U16(count);
  out.Append(entries.Bytes);
  return out.Bytes;
}

}  // namespace

TBytes BuildWinHelpFile(const THelpProject& project) {
  TTopicLayout layout = LayOutTopics(project);
  FillTopicHeaders(layout);
  return BuildHelpContainer({
      {"|CONTEXT", ContextFile(project, layout.TopicOffsets)},
      {"|CTXOMAP", MapFile(project, layout.TopicOffsets)},
      {"|FONT", FontFile()},
      {"|SYSTEM", SystemFile(project, layout.TopicOffsets.front())},
      {"|TOPIC", TopicFile(layout)},
  });
}

#include "tools/helpgen/HelpContainer.h"

#include <stdexcept>

namespace {

constexpr uint32_t kFileMagic = 0x00035F3F;
constexpr uint16_t kBTreeMagic = 0x293B;
constexpr uint16_t kDirectoryPageSize = 0x0400;
constexpr uint16_t kDirectoryFlags = 0x0402;
constexpr uint32_t kNone = 0xFFFFFFFF;

// Every internal file begins with its reserved and used sizes and a flag byte.
void PutInternalFile(TByteWriter& out, const TBytes& contents) {
  out.U32(static_cast<uint32_t>(contents.size() + 9));
  out.U32(static_cast<uint32_t>(contents.size()));
  out.U8(4);
  out.Append(contents);
}

}  // namespace

TBytes SinglePageBTree(const std::vector<TBytes>& entries, uint16_t pageSize, uint16_t flags,
                       const std::string& structure) {
  constexpr size_t kLeafHeader = 8;
  size_t used = kLeafHeader;
  for (const TBytes& entry : entries) used += entry.size();
  if (used > pageSize) throw std::length_error("B+ tree entries do not fit in one page");

  TByteWriter out;
  out.U16(kBTreeMagic);
  out.U16(flags);
  out.U16(pageSize);
  std::string layout = structure;
  layout.resize(16, '\0');
  out.Text(layout, false);
  out.U16(0);       // must be zero
  out.U16(0);       // page splits
  out.U16(0);       // root page
  out.U16(0xFFFF);  // must be -1
  out.U16(1);       // total pages
  out.U16(1);       // levels
  out.U32(static_cast<uint32_t>(entries.size()));
  out.U16(static_cast<uint32_t>(pageSize - used));  // unused bytes of the page
  out.U16(static_cast<uint32_t>(entries.size()));
  out.U16(0xFFFF);  // previous page
  out.U16(0xFFFF);  // next page
  for (const TBytes& entry : entries) out.Append(entry);
  out.Fill(pageSize - used);
  return out.Bytes;
}

TBytes BuildHelpContainer(const std::map<std::string, TBytes>& files) {
  constexpr uint32_t kHeaderSize = 16;
  TByteWriter body;
  std::vector<TBytes> directory;  // std::map keeps the names in byte order, as the tree wants
  for (const auto& [name, contents] : files) {
    TByteWriter entry;
    entry.Text(name);
    entry.U32(static_cast<uint32_t>(kHeaderSize + body.Size()));
    directory.push_back(entry.Bytes);
    PutInternalFile(body, contents);
  }
  const auto directoryStart = static_cast<uint32_t>(kHeaderSize + body.Size());
  PutInternalFile(body, SinglePageBTree(directory, kDirectoryPageSize, kDirectoryFlags, "z4"));

  TByteWriter out;
  out.U32(kFileMagic);
  out.U32(directoryStart);
  out.U32(kNone);  // no free block
  out.U32(static_cast<uint32_t>(kHeaderSize + body.Size()));
  out.Append(body.Bytes);
  return out.Bytes;
}

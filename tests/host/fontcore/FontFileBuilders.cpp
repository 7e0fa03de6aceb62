#include "FontFileBuilders.h"

namespace {

void AppendWordLE(Bytes& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value));
  bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendWordBE(Bytes& bytes, uint16_t value) {
  bytes.push_back(static_cast<uint8_t>(value >> 8));
  bytes.push_back(static_cast<uint8_t>(value));
}

void AppendLongBE(Bytes& bytes, uint32_t value) {
  AppendWordBE(bytes, static_cast<uint16_t>(value >> 16));
  AppendWordBE(bytes, static_cast<uint16_t>(value));
}

void AppendText(Bytes& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

}  // namespace

void PutWordLE(Bytes& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutLongLE(Bytes& bytes, size_t at, uint32_t value) {
  PutWordLE(bytes, at, static_cast<uint16_t>(value));
  PutWordLE(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

Bytes BuildFonFile(const FonLayout& layout) {
  const size_t newHeader = 0x80, resourceTable = 0xC0;
  Bytes file(resourceTable, 0);
  file[0] = 'M';
  file[1] = 'Z';
  PutLongLE(file, 0x3C, newHeader);
  file[newHeader] = 'N';
  file[newHeader + 1] = 'E';
  PutWordLE(file, newHeader + 0x24, resourceTable - newHeader);

  AppendWordLE(file, layout.shift);
  for (auto [type, count] : layout.typesBefore) {
    AppendWordLE(file, type);
    AppendWordLE(file, count);
    file.resize(file.size() + 4 + 12 * count, 0);
  }
  size_t directoryType = file.size();
  if (layout.withDirectory) {
    AppendWordLE(file, layout.typeId);
    AppendWordLE(file, 1);
    file.resize(file.size() + 4 + 12, 0);  // the entry's data offset is set below
  }
  AppendWordLE(file, 0);
  if (!layout.typeName.empty()) {
    PutWordLE(file, directoryType, static_cast<uint16_t>(file.size() - resourceTable));
    file.push_back(static_cast<uint8_t>(layout.typeName.size()));
    AppendText(file, layout.typeName);
  }

  PutLongLE(file, newHeader + 0x2C, static_cast<uint32_t>(file.size()));
  file.push_back(static_cast<uint8_t>(layout.description.size()));
  AppendText(file, layout.description);
  file.push_back(0);

  if (!layout.withDirectory) return file;
  const size_t unit = size_t(1) << layout.shift;
  size_t directory =
      layout.directoryAt ? layout.directoryAt : (file.size() + unit - 1) / unit * unit;
  file.resize(directory, 0);
  PutWordLE(file, directoryType + 8, static_cast<uint16_t>(directory >> layout.shift));
  AppendWordLE(file, 1);  // one font
  AppendWordLE(file, 1);  // its ordinal
  file.resize(file.size() + 113, 0x20);
  AppendText(file, layout.deviceName);
  file.push_back(0);
  AppendText(file, layout.faceName);
  file.push_back(0);
  return file;
}

Bytes NamingTable(const std::vector<NameRecord>& records) {
  Bytes table;
  AppendWordBE(table, 0);
  AppendWordBE(table, static_cast<uint16_t>(records.size()));
  AppendWordBE(table, static_cast<uint16_t>(6 + 12 * records.size()));
  std::string storage;
  for (const NameRecord& record : records) {
    AppendWordBE(table, record.platform);
    AppendWordBE(table, record.encoding);
    AppendWordBE(table, record.language);
    AppendWordBE(table, record.nameId);
    AppendWordBE(table, static_cast<uint16_t>(record.bytes.size()));
    // Equal strings are stored once, as font tools do.
    size_t at = record.bytes.empty() ? 0 : storage.find(record.bytes);
    if (at == std::string::npos) {
      at = storage.size();
      storage += record.bytes;
    }
    AppendWordBE(table, static_cast<uint16_t>(at));
  }
  AppendText(table, storage);
  return table;
}

Bytes BuildTrueTypeFile(const std::vector<FontTable>& tables) {
  Bytes file;
  AppendLongBE(file, 0x00010000);
  AppendWordBE(file, static_cast<uint16_t>(tables.size()));
  AppendWordBE(file, 16);  // search range, entry selector, range shift: not read
  AppendWordBE(file, 0);
  AppendWordBE(file, 0);
  uint32_t offset = static_cast<uint32_t>(12 + 16 * tables.size());
  for (const FontTable& table : tables) {
    AppendText(file, table.tag);
    AppendLongBE(file, 0);
    AppendLongBE(file, offset);
    AppendLongBE(file, static_cast<uint32_t>(table.data.size()));
    offset += static_cast<uint32_t>(table.data.size());
  }
  for (const FontTable& table : tables)
    file.insert(file.end(), table.data.begin(), table.data.end());
  return file;
}

std::string Utf16BE(const std::string& ascii) {
  std::string bytes;
  for (char c : ascii) {
    bytes += '\0';
    bytes += c;
  }
  return bytes;
}

// The .res reader: walks the records with every offset checked against the image's end before a
// byte is read, so a truncated or hostile file ends the walk instead of the process.
#include "resources/reader.h"

namespace cesim::detail {

namespace {

// The fixed fields that follow the type and the name: DataVersion, MemoryFlags, LanguageId,
// Version, Characteristics.
constexpr size_t kTrailerSize = 16;
// DataSize and HeaderSize.
constexpr size_t kPrefixSize = 8;
// The smallest header: prefix, two ordinals, trailer.
constexpr size_t kMinimumHeaderSize = kPrefixSize + 4 + 4 + kTrailerSize;

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Dword(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

size_t AlignUp4(size_t value) { return (value + 3) & ~static_cast<size_t>(3); }

// Reads a type or name field at *offset, which must stay below limit; advances past it (the name
// follows the type directly, only the fixed fields after the name are DWORD-aligned). False when
// the field does not fit.
bool ReadId(const uint8_t* data, size_t limit, size_t* offset, ResourceId* id) {
  size_t at = *offset;
  if (at > limit || limit - at < 2) return false;
  if (Word(data + at) == 0xFFFF) {
    if (limit - at < 4) return false;
    id->isString = false;
    id->ordinal = Word(data + at + 2);
    at += 4;
  } else {
    id->isString = true;
    id->text.clear();
    for (;;) {
      if (limit - at < 2) return false;  // no terminator inside the header
      const uint16_t c = Word(data + at);
      at += 2;
      if (c == 0) break;
      id->text.push_back(static_cast<char16_t>(c));
    }
  }
  *offset = at;
  return true;
}

}  // namespace

std::vector<ResourceRecord> ReadResourceFile(const uint8_t* data, size_t size) {
  std::vector<ResourceRecord> records;
  if (data == nullptr) return records;
  size_t offset = 0;
  bool first = true;
  while (size - offset >= kPrefixSize) {
    const size_t dataSize = Dword(data + offset);
    const size_t headerSize = Dword(data + offset + 4);
    if (headerSize < kMinimumHeaderSize || headerSize % 4 != 0) break;
    if (headerSize > size - offset) break;
    const size_t headerEnd = offset + headerSize;
    if (dataSize > size - headerEnd) break;

    ResourceRecord record;
    size_t at = offset + kPrefixSize;
    const size_t idLimit = headerEnd - kTrailerSize;
    if (!ReadId(data, idLimit, &at, &record.type)) break;
    if (!ReadId(data, idLimit, &at, &record.name)) break;
    at = AlignUp4(at);
    if (at > idLimit) break;
    // The trailer follows the names; anything between it and the header's end is padding.
    record.dataVersion = Dword(data + at);
    record.memoryFlags = Word(data + at + 4);
    record.language = Word(data + at + 6);
    record.version = Dword(data + at + 8);
    record.characteristics = Dword(data + at + 12);
    record.headerOffset = offset;
    record.dataOffset = headerEnd;
    record.dataSize = dataSize;

    const bool emptyRecord = !record.type.isString && record.type.ordinal == 0;
    if (first) {
      // A 32-bit resource file opens with the empty record; anything else is another format.
      if (!emptyRecord || dataSize != 0 || headerSize != kMinimumHeaderSize) break;
      first = false;
    } else if (!emptyRecord) {
      records.push_back(record);
    }

    const size_t dataEnd = headerEnd + dataSize;
    if (dataEnd == size) break;
    offset = AlignUp4(dataEnd);
    if (offset > size) break;
  }
  return records;
}

}  // namespace cesim::detail

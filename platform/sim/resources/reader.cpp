// The .res reader: walks the records with every read bounded by the image's end (and each record's
// fields by its header), so a truncated or hostile file ends the walk instead of the process.
#include "resources/reader.h"

#include "core/byte_reader.h"

namespace cesim::detail {

namespace {

// DataSize and HeaderSize.
constexpr size_t kPrefixSize = 8;
// The smallest header: prefix, two ordinals, and the fixed fields that follow the names
// (DataVersion, MemoryFlags, LanguageId, Version, Characteristics).
constexpr size_t kMinimumHeaderSize = kPrefixSize + 4 + 4 + 16;

}  // namespace

std::vector<ResourceRecord> ReadResourceFile(const uint8_t* data, size_t size) {
  std::vector<ResourceRecord> records;
  if (data == nullptr) return records;
  ByteReader file(data, size);
  bool first = true;
  while (file.Remaining() >= kPrefixSize) {
    const size_t offset = file.Offset();
    uint32_t dataSize = 0;
    uint32_t headerSize = 0;
    file.U32(&dataSize);
    file.U32(&headerSize);
    if (headerSize < kMinimumHeaderSize || headerSize % 4 != 0) break;
    if (headerSize > size - offset) break;
    const size_t headerEnd = offset + headerSize;
    if (dataSize > size - headerEnd) break;

    // The name follows the type directly; the fixed fields after the name start on a DWORD
    // boundary of the file, and anything between them and the header's end is padding.
    ResourceRecord record;
    ByteReader header = file.Sub(offset + kPrefixSize, headerSize - kPrefixSize);
    header.ReadOrdinalOrText(ByteReader::kNoTextLimit, &record.type);
    header.ReadOrdinalOrText(ByteReader::kNoTextLimit, &record.name);
    header.AlignToDword(data);
    header.U32(&record.dataVersion);
    header.U16(&record.memoryFlags);
    header.U16(&record.language);
    header.U32(&record.version);
    header.U32(&record.characteristics);
    if (header.Failed()) break;
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
    if (!file.Seek(dataEnd) || !file.AlignToDword(data)) break;
  }
  return records;
}

}  // namespace cesim::detail

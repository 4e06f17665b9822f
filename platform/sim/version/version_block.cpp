// The VS_VERSIONINFO walk: a block is read only inside its parent's bytes, and its children only
// inside its own, so that lengths from the resource never reach outside it.
#include "version/version_block.h"

#include <vector>

#include "core/byte_reader.h"
#include "sim/crt.h"

namespace cesim::detail {

namespace {

constexpr size_t kHeaderSize = 6;  // wLength, wValueLength, wType

size_t AlignUp(size_t offset) { return (offset + 3) & ~static_cast<size_t>(3); }

struct Block {
  size_t start = 0;
  size_t end = 0;  // start + wLength
  uint16_t valueLength = 0;
  bool text = false;
  std::u16string key;
  size_t valueOffset = 0;
  size_t childrenOffset = 0;
};

// The block at `start` of the resource, which must end by `limit`; a block allowed to be `cut`
// (the root of a copy that did not take the whole resource) ends at the limit instead.
std::optional<Block> ReadBlock(const ByteReader& resource, size_t start, size_t limit, bool cut = false) {
  if (start > limit || limit - start < kHeaderSize) return std::nullopt;
  ByteReader header = resource.Sub(start, limit - start);
  uint16_t length = 0;
  uint16_t type = 0;
  Block block;
  header.U16(&length);
  header.U16(&block.valueLength);
  header.U16(&type);
  if (header.Failed() || length < kHeaderSize) return std::nullopt;
  if (length > limit - start) {
    if (!cut) return std::nullopt;
    length = static_cast<uint16_t>(limit - start);
  }
  block.start = start;
  block.end = start + length;
  block.text = type != 0;
  ByteReader keyText = resource.Sub(start + kHeaderSize, length - kHeaderSize);
  if (!keyText.Text(ByteReader::kNoTextLimit, &block.key)) return std::nullopt;
  block.valueOffset = AlignUp(start + kHeaderSize + keyText.Offset());
  const size_t valueBytes = static_cast<size_t>(block.valueLength) * (block.text ? 2 : 1);
  block.childrenOffset = AlignUp(block.valueOffset + valueBytes);
  return block;
}

bool SameKey(const std::u16string& key, const std::u16string& name) {
  if (key.size() != name.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    if (towlower(key[i]) != towlower(name[i])) return false;
  }
  return true;
}

std::optional<Block> FindChild(const ByteReader& resource, const Block& parent, const std::u16string& name) {
  size_t at = parent.childrenOffset;
  while (at < parent.end) {
    std::optional<Block> child = ReadBlock(resource, at, parent.end);
    if (!child) return std::nullopt;
    if (SameKey(child->key, name)) return child;
    at = AlignUp(child->end);
  }
  return std::nullopt;
}

// Whether the block's value lies inside it: a binary value whole, a text one up to its terminator
// (resource compilers differ in whether they count a text's length in characters or bytes). A
// value of length 0 points where it would start and is never read.
bool ValueFits(const ByteReader& resource, const Block& block) {
  if (block.valueLength == 0) return true;
  if (block.valueOffset >= block.end) return false;
  if (!block.text) return block.valueLength <= block.end - block.valueOffset;
  ByteReader text = resource.Sub(block.valueOffset, block.end - block.valueOffset);
  std::u16string value;
  return text.Text(ByteReader::kNoTextLimit, &value);
}

}  // namespace

std::optional<uint16_t> VersionBlockLength(const uint8_t* block, size_t size) {
  ByteReader reader(block, size);
  uint16_t length = 0;
  if (!reader.U16(&length)) return std::nullopt;
  return length;
}

std::optional<VersionValue> QueryVersionValue(const uint8_t* block, size_t size, const std::u16string& subBlock) {
  const ByteReader resource(block, size);
  // A 16-bit resource has its narrow key where a 32-bit one has its type.
  uint16_t type = 0;
  ByteReader typeField = resource.Sub(4, 2);
  if (!typeField.U16(&type) || (type & 0xFF) >= 0x20) return std::nullopt;
  std::optional<Block> current = ReadBlock(resource, 0, size, true);
  if (!current) return std::nullopt;
  size_t start = 0;
  while (start < subBlock.size()) {
    size_t end = subBlock.find(u'\\', start);
    if (end == std::u16string::npos) end = subBlock.size();
    if (end > start) {
      current = FindChild(resource, *current, subBlock.substr(start, end - start));
      if (!current) return std::nullopt;
    }
    start = end + 1;
  }
  if (!ValueFits(resource, *current)) return std::nullopt;
  VersionValue value;
  value.offset = current->valueOffset;
  value.length = current->valueLength;
  value.text = current->text;
  return value;
}

}  // namespace cesim::detail

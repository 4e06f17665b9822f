// Reading values out of a version resource, the VS_VERSIONINFO tree: each block holds its length,
// its value's length and type (binary or text), a key, its value and its child blocks, every part
// starting on a 32-bit boundary of the resource. Pure parsing over a range of bytes, so that a
// fuzzer can drive it.
#ifndef CESIM_VERSION_VERSION_BLOCK_H
#define CESIM_VERSION_VERSION_BLOCK_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace cesim::detail {

struct VersionValue {
  size_t offset = 0;     // of the value, from the start of the resource
  uint16_t length = 0;   // as the block gives it: bytes of a binary value, characters of a text
  bool text = false;
};

// The length that the root block of a resource claims for itself, or nothing when fewer than its
// two bytes are there.
std::optional<uint16_t> VersionBlockLength(const uint8_t* block, size_t size);

// The value that a sub-block path names in the resource held by [block, block + size): names
// separated by "\\" (empty ones skipped; an empty path is the root), each matched without letter
// case against the keys of the children of the block before it. "\\" gives the root's value, the
// VS_FIXEDFILEINFO. Nothing when a name is not found or when the tree is malformed on the way: a
// block shorter than its header or running past its parent, a key without its terminator, a value
// that does not fit its block, a text value without a terminator in its block, a resource of the
// 16-bit kind. A root longer than the range (a copy cut short) is read as far as the range goes.
std::optional<VersionValue> QueryVersionValue(const uint8_t* block, size_t size, const std::u16string& subBlock);

}  // namespace cesim::detail

#endif

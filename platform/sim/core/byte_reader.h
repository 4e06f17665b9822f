// Bounded little-endian reads over a range of bytes, for the readers of the platform's binary
// formats (.res files, dialog templates): a read whose bytes do not all lie inside the range
// fails instead of reading past it, and leaves the reader failed, so that a run of reads needs
// one check at its end. Also the "ordinal or text" field that those formats share.
#ifndef CESIM_CORE_BYTE_READER_H
#define CESIM_CORE_BYTE_READER_H

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace cesim::detail {

// A type, name, class or menu field of the resource formats: 0xFFFF followed by a 16-bit
// ordinal, or a zero-terminated UTF-16 text.
struct OrdinalOrText {
  bool isString = false;
  uint16_t ordinal = 0;
  std::u16string text;  // as stored (the resource compiler stores names in upper case)
};

class ByteReader {
 public:
  // A text limited only by the end of the range.
  static constexpr size_t kNoTextLimit = std::numeric_limits<size_t>::max();

  // Reads [data, data + size); a null data has no bytes. The size may be larger than any real
  // object (a template whose only bound is its own counts): only offsets are ever computed.
  ByteReader(const void* data, size_t size);

  bool U16(uint16_t* value);
  bool U32(uint32_t* value);
  bool I16(int16_t* value);
  // The next 16-bit value, without moving on.
  bool PeekU16(uint16_t* value) const;
  bool Skip(size_t bytes);
  // Moves to an offset inside the range (its end included).
  bool Seek(size_t offset);
  // Skips to the next multiple of four bytes counted from `base`, the address that the format
  // aligns to: the start of a file, or null for the DWORD boundaries of memory. `base` lies at or
  // before the start of the range.
  bool AlignToDword(const void* base);

  // A zero-terminated text of at most maxLength units before its terminator; a longer one fails.
  bool Text(size_t maxLength, std::u16string* text);
  // An ordinal (0xFFFF and the number) or a zero-terminated text of at most maxLength units.
  bool ReadOrdinalOrText(size_t maxLength, OrdinalOrText* field);

  // A reader of `length` bytes at `offset` of this range; a failed one when they do not fit.
  ByteReader Sub(size_t offset, size_t length) const;

  size_t Offset() const { return offset_; }
  size_t Remaining() const { return failed_ || offset_ > size_ ? 0 : size_ - offset_; }
  const uint8_t* Here() const { return data_ + offset_; }
  bool Failed() const { return failed_; }

 private:
  bool Fits(size_t bytes) const { return !failed_ && offset_ <= size_ && bytes <= size_ - offset_; }
  bool Fail() {
    failed_ = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t offset_ = 0;
  bool failed_ = false;
};

}  // namespace cesim::detail

#endif

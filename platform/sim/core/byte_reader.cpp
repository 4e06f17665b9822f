// The bounded byte reader: every read checks its bytes against the range before touching them.
#include "core/byte_reader.h"

namespace cesim::detail {

ByteReader::ByteReader(const void* data, size_t size)
    : data_(static_cast<const uint8_t*>(data)), size_(data == nullptr ? 0 : size) {}

bool ByteReader::U16(uint16_t* value) {
  if (!PeekU16(value)) return Fail();
  offset_ += 2;
  return true;
}

bool ByteReader::U32(uint32_t* value) {
  if (!Fits(4)) return Fail();
  const uint8_t* p = data_ + offset_;
  *value = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  offset_ += 4;
  return true;
}

bool ByteReader::I16(int16_t* value) {
  uint16_t word = 0;
  if (!U16(&word)) return false;
  *value = static_cast<int16_t>(word);
  return true;
}

bool ByteReader::PeekU16(uint16_t* value) const {
  if (!Fits(2)) return false;
  const uint8_t* p = data_ + offset_;
  *value = static_cast<uint16_t>(p[0] | (p[1] << 8));
  return true;
}

bool ByteReader::Skip(size_t bytes) {
  if (!Fits(bytes)) return Fail();
  offset_ += bytes;
  return true;
}

bool ByteReader::Seek(size_t offset) {
  if (failed_ || offset > size_) return Fail();
  offset_ = offset;
  return true;
}

bool ByteReader::AlignToDword(const void* base) {
  const uintptr_t distance = reinterpret_cast<uintptr_t>(data_) + offset_ - reinterpret_cast<uintptr_t>(base);
  return Skip((4 - (distance & 3)) & 3);
}

bool ByteReader::Text(size_t maxLength, std::u16string* text) {
  text->clear();
  for (;;) {
    uint16_t c = 0;
    if (!U16(&c)) return false;
    if (c == 0) return true;
    if (text->size() == maxLength) return Fail();
    text->push_back(static_cast<char16_t>(c));
  }
}

bool ByteReader::ReadOrdinalOrText(size_t maxLength, OrdinalOrText* field) {
  uint16_t first = 0;
  if (!PeekU16(&first)) return Fail();
  if (first == 0xFFFF) {
    field->isString = false;
    field->text.clear();
    return Skip(2) && U16(&field->ordinal);
  }
  field->isString = true;
  return Text(maxLength, &field->text);
}

ByteReader ByteReader::Sub(size_t offset, size_t length) const {
  if (failed_ || offset > size_ || length > size_ - offset) {
    ByteReader none(nullptr, 0);
    none.failed_ = true;
    return none;
  }
  return ByteReader(data_ + offset, length);
}

}  // namespace cesim::detail

// The bounded byte reader that cesim's readers of binary formats share: little-endian reads that
// fail at the end of their range instead of reading past it and stay failed, DWORD alignment
// counted from the format's base, and the "ordinal or text" field of the resource formats.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/byte_reader.h"

namespace {

using cesim::detail::ByteReader;
using cesim::detail::OrdinalOrText;

// Bytes of UTF-16 units, little-endian.
std::vector<uint8_t> Units(std::initializer_list<uint16_t> units) {
  std::vector<uint8_t> bytes;
  for (uint16_t u : units) {
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
  }
  return bytes;
}

TEST(ByteReader, ReadsLittleEndianValues) {
  const std::vector<uint8_t> bytes = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF};
  ByteReader reader(bytes.data(), bytes.size());
  uint16_t word = 0;
  uint32_t dword = 0;
  int16_t signedWord = 0;
  ASSERT_TRUE(reader.U16(&word));
  ASSERT_TRUE(reader.U32(&dword));
  ASSERT_TRUE(reader.I16(&signedWord));
  EXPECT_EQ(word, 0x1234);
  EXPECT_EQ(dword, 0x12345678u);
  EXPECT_EQ(signedWord, -2);
  EXPECT_EQ(reader.Remaining(), 0u);
  EXPECT_FALSE(reader.Failed());
}

TEST(ByteReader, FailsAtTheEndAndStaysFailed) {
  const std::vector<uint8_t> bytes = {1, 2, 3, 4, 5};
  ByteReader reader(bytes.data(), 3);  // the range ends before the buffer does
  uint32_t dword = 0xDEADBEEF;
  EXPECT_FALSE(reader.U32(&dword));
  EXPECT_EQ(dword, 0xDEADBEEFu);  // nothing written on failure
  EXPECT_TRUE(reader.Failed());
  uint16_t word = 0xBEEF;
  EXPECT_FALSE(reader.U16(&word));  // two bytes were there, but the reader has failed
  EXPECT_EQ(word, 0xBEEF);
  EXPECT_EQ(reader.Remaining(), 0u);

  ByteReader skipping(bytes.data(), bytes.size());
  EXPECT_TRUE(skipping.Skip(5));
  EXPECT_FALSE(skipping.Skip(1));
  ByteReader seeking(bytes.data(), bytes.size());
  EXPECT_TRUE(seeking.Seek(5));
  EXPECT_FALSE(seeking.Seek(6));

  ByteReader none(nullptr, 100);  // no data: no bytes, whatever the size says
  EXPECT_EQ(none.Remaining(), 0u);
  EXPECT_FALSE(none.U16(&word));
}

TEST(ByteReader, AlignsFromTheFormatsBase) {
  alignas(4) uint8_t bytes[16] = {};
  // From the start of a file: offset 6 moves to 8.
  ByteReader file(bytes, sizeof bytes);
  ASSERT_TRUE(file.Skip(6));
  ASSERT_TRUE(file.AlignToDword(bytes));
  EXPECT_EQ(file.Offset(), 8u);
  ASSERT_TRUE(file.AlignToDword(bytes));  // already aligned: stays
  EXPECT_EQ(file.Offset(), 8u);

  // A range that starts two bytes into the file aligns to the file, not to itself.
  ByteReader inside(bytes + 2, sizeof bytes - 2);
  ASSERT_TRUE(inside.AlignToDword(bytes));
  EXPECT_EQ(inside.Offset(), 2u);

  // In memory (base null), the DWORD boundaries of addresses count.
  ByteReader memory(bytes + 1, sizeof bytes - 1);
  ASSERT_TRUE(memory.AlignToDword(nullptr));
  EXPECT_EQ(memory.Here(), bytes + 4);

  // Padding that runs past the end fails.
  ByteReader shortRange(bytes + 1, 2);
  EXPECT_FALSE(shortRange.AlignToDword(bytes));
  EXPECT_TRUE(shortRange.Failed());
}

TEST(ByteReader, ReadsOrdinalsAndTexts) {
  const std::vector<uint8_t> ordinal = Units({0xFFFF, 101});
  ByteReader ordinalReader(ordinal.data(), ordinal.size());
  OrdinalOrText field;
  field.text = u"stale";
  ASSERT_TRUE(ordinalReader.ReadOrdinalOrText(ByteReader::kNoTextLimit, &field));
  EXPECT_FALSE(field.isString);
  EXPECT_EQ(field.ordinal, 101);
  EXPECT_TRUE(field.text.empty());

  const std::vector<uint8_t> text = Units({'C', 'F', 'G', 0, 'x'});
  ByteReader textReader(text.data(), text.size());
  ASSERT_TRUE(textReader.ReadOrdinalOrText(ByteReader::kNoTextLimit, &field));
  EXPECT_TRUE(field.isString);
  EXPECT_EQ(field.text, u"CFG");
  EXPECT_EQ(textReader.Offset(), 8u);  // past the terminator, nothing more

  const std::vector<uint8_t> empty = Units({0});
  ByteReader emptyReader(empty.data(), empty.size());
  ASSERT_TRUE(emptyReader.ReadOrdinalOrText(ByteReader::kNoTextLimit, &field));
  EXPECT_TRUE(field.isString);
  EXPECT_TRUE(field.text.empty());
}

TEST(ByteReader, RefusesCutOrOverlongFields) {
  // An ordinal without its number, a text without its terminator inside the range.
  const std::vector<uint8_t> cutOrdinal = Units({0xFFFF});
  ByteReader a(cutOrdinal.data(), cutOrdinal.size());
  OrdinalOrText field;
  EXPECT_FALSE(a.ReadOrdinalOrText(ByteReader::kNoTextLimit, &field));
  const std::vector<uint8_t> unterminated = Units({'A', 'B', 0});
  ByteReader b(unterminated.data(), 4);
  EXPECT_FALSE(b.ReadOrdinalOrText(ByteReader::kNoTextLimit, &field));
  EXPECT_TRUE(b.Failed());

  // Exactly maxLength units fit; one more fails.
  const std::vector<uint8_t> three = Units({'a', 'b', 'c', 0});
  ByteReader fits(three.data(), three.size());
  std::u16string text;
  EXPECT_TRUE(fits.Text(3, &text));
  EXPECT_EQ(text, u"abc");
  ByteReader tooLong(three.data(), three.size());
  EXPECT_FALSE(tooLong.Text(2, &text));
  EXPECT_TRUE(tooLong.Failed());
}

TEST(ByteReader, SubRangesStayInsideTheirParent) {
  const std::vector<uint8_t> bytes = {1, 0, 2, 0, 3, 0};
  ByteReader whole(bytes.data(), bytes.size());
  ByteReader middle = whole.Sub(2, 2);
  uint16_t word = 0;
  ASSERT_TRUE(middle.U16(&word));
  EXPECT_EQ(word, 2);
  EXPECT_FALSE(middle.U16(&word));  // the parent has more; the sub-range does not
  EXPECT_TRUE(whole.Sub(4, 3).Failed());
  EXPECT_TRUE(whole.Sub(7, 0).Failed());
  EXPECT_FALSE(whole.Sub(6, 0).Failed());
}

}  // namespace

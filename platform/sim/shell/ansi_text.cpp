// Windows-1252: Latin-1 except for 0x80 to 0x9F, which hold punctuation and letters; the five
// bytes it leaves unassigned stand for the control characters of their value.
#include "shell/ansi_text.h"

namespace cesim::detail {

namespace {

const char16_t kHighRow[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

std::optional<char> ByteOf(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighRow[i] == c) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> EncodeAnsi(const std::u16string& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char16_t c : text) {
    std::optional<char> byte = ByteOf(c);
    if (!byte) return std::nullopt;
    bytes.push_back(*byte);
  }
  return bytes;
}

std::u16string DecodeAnsi(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(bytes[i]);
    text[i] = byte >= 0x80 && byte < 0xA0 ? kHighRow[byte - 0x80] : static_cast<char16_t>(byte);
  }
  return text;
}

}  // namespace cesim::detail

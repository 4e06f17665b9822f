// UTF-16 <-> UTF-8 conversion for the automation API and for cesim's own use (host file names,
// settings, the registry file). Broken sequences become U+FFFD; nothing is dropped silently.
#include "cesim/automation.h"

namespace cesim {

std::string Narrow(const std::u16string& text) {
  std::string out;
  AppendNarrow(out, text.data(), text.size());
  return out;
}

void AppendNarrow(std::string& out, const char16_t* text, size_t length) {
  // Plain ASCII at the start, the usual case, goes in one byte a unit at once.
  size_t i = 0;
  while (i < length && text[i] < 0x80) ++i;
  const size_t at = out.size();
  out.resize(at + i);
  for (size_t k = 0; k < i; ++k) out[at + k] = static_cast<char>(text[k]);
  if (i == length) return;
  out.reserve(out.size() + (length - i));
  for (; i < length; ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // an unpaired surrogate
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
}

std::u16string Widen(const std::string& text) {
  // Plain ASCII at the start, the usual case, goes in one unit a byte at once.
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  std::u16string out(i, u'\0');
  for (size_t k = 0; k < i; ++k) out[k] = static_cast<char16_t>(text[k]);
  if (i == text.size()) return out;
  out.reserve(text.size());
  while (i < text.size()) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    uint32_t c = 0;
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
      c = lead;
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      c = lead & 0x1F;
      length = 2;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      c = lead & 0x0F;
      length = 3;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      c = lead & 0x07;
      length = 4;
      minimum = 0x10000;
    }
    bool valid = length != 0 && i + length <= text.size();
    for (size_t k = 1; valid && k < length; ++k) {
      const unsigned char next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        valid = false;
      } else {
        c = (c << 6) | (next & 0x3F);
      }
    }
    if (valid && (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) valid = false;
    if (!valid) {
      out += u'\xFFFD';
      ++i;  // resynchronise on the next byte
      continue;
    }
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

}  // namespace cesim

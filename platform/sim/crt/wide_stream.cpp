// The wide stream calls that read and write lines and formatted text: fgetws, fputws, fwprintf.
// Text streams hold bytes of the device's ANSI code page, one byte a character; binary streams
// hold UTF-16 units, low byte first.
#include <string>
#include <vector>

#include "crt/codepage.h"
#include "crt/stream.h"
#include "crt/wide_stream.h"
#include "sim/crt.h"

namespace cesim::detail {

int ReadWide(FILE* stream) {
  const int low = getc(stream);
  if (low == EOF) return kWideEnd;
  if (IsTextStream(stream)) return AnsiToWide(static_cast<unsigned char>(low));
  const int high = getc(stream);
  if (high == EOF) return kWideEnd;  // half a unit at the end counts for nothing
  return low | (high << 8);
}

void UnreadWide(FILE* stream, int c) {
  if (c == kWideEnd) return;
  if (IsTextStream(stream)) {
    // The character came from one byte, which gives it back.
    ungetc(*WideToAnsi(static_cast<char16_t>(c)), stream);
    return;
  }
  ungetc((c >> 8) & 0xFF, stream);
  ungetc(c & 0xFF, stream);
}

bool WriteWide(FILE* stream, char16_t c) {
  if (IsTextStream(stream)) {
    std::optional<unsigned char> byte = WideToAnsi(c);
    return byte && putc(*byte, stream) != EOF;
  }
  return putc(c & 0xFF, stream) != EOF && putc(c >> 8, stream) != EOF;
}

}  // namespace cesim::detail

using namespace cesim::detail;

WCHAR* fgetws(WCHAR* string, int n, FILE* stream) {
  if (string == nullptr || stream == nullptr || n <= 0) return nullptr;
  int stored = 0;
  while (stored < n - 1) {
    const int c = ReadWide(stream);
    if (c == kWideEnd) {
      // At the end with nothing read the buffer is left as it was.
      if (stored == 0 || ferror(stream)) return nullptr;
      break;
    }
    string[stored++] = static_cast<WCHAR>(c);
    if (c == u'\n') break;
  }
  string[stored] = 0;
  return string;
}

int fputws(const WCHAR* string, FILE* stream) {
  if (string == nullptr || stream == nullptr) return kWideEnd;
  for (const WCHAR* c = string; *c != 0; ++c) {
    if (!WriteWide(stream, *c)) return kWideEnd;
  }
  return 0;
}

int vfwprintf(FILE* stream, const WCHAR* format, va_list arguments) {
  if (stream == nullptr || format == nullptr) return -1;
  std::vector<WCHAR> text(256);
  for (;;) {
    va_list copy;
    va_copy(copy, arguments);
    const int written = _vsnwprintf(text.data(), text.size(), format, copy);
    va_end(copy);
    if (written >= 0 && static_cast<size_t>(written) < text.size()) {
      for (int i = 0; i < written; ++i) {
        if (!WriteWide(stream, text[i])) return -1;
      }
      return written;
    }
    if (text.size() >= (1u << 24)) return -1;
    text.resize(text.size() * 2);
  }
}

int fwprintf(FILE* stream, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int written = vfwprintf(stream, format, arguments);
  va_end(arguments);
  return written;
}

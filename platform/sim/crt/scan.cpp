// The scanf family on wide formats: fwscanf reads a stream, swscanf a string. Whitespace in the
// format skips any whitespace of the input; other characters must match; a conversion (%d %i %u
// %o %x %X %p %c %s %[ %n %e %f %g, with "*", a width and the sizes h, l, ll, I64, L, w) skips
// leading whitespace (except %c, %[ and %n) and stops at the first character that does not fit,
// which is given back to the input. The result counts the fields stored; it is EOF when the input
// ends before any conversion has completed (stored or suppressed), 0 when the first conversion
// stops at a character that does not match. In a wide format %s
// and %c store wide characters, %S, %C, %hs and %hc narrow ones (in the device's code page).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "crt/codepage.h"
#include "crt/wide_stream.h"
#include "sim/crt.h"

namespace {

using cesim::detail::kWideEnd;

struct StreamInput {
  FILE* stream;
  int Get() { return cesim::detail::ReadWide(stream); }
  void Unget(int c) { cesim::detail::UnreadWide(stream, c); }
};

struct StringInput {
  const WCHAR* text;
  size_t at = 0;
  int Get() { return text[at] == 0 ? kWideEnd : text[at++]; }
  void Unget(int c) {
    if (c != kWideEnd && at > 0) --at;
  }
};

// Counts what a conversion consumes, for %n and the width.
template <typename Input>
struct Counted {
  Input& input;
  size_t consumed = 0;
  int Get() {
    const int c = input.Get();
    if (c != kWideEnd) ++consumed;
    return c;
  }
  void Unget(int c) {
    if (c == kWideEnd) return;
    input.Unget(c);
    --consumed;
  }
};

enum class Size { Default, Short, Long, LongLong, LongDouble };

struct Arguments {
  va_list list;
};

int DigitValue(int c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

void StoreInteger(Arguments& arguments, Size size, uint64_t value) {
  switch (size) {
    case Size::Short:
      *va_arg(arguments.list, int16_t*) = static_cast<int16_t>(value);
      break;
    case Size::LongLong:
      *va_arg(arguments.list, int64_t*) = static_cast<int64_t>(value);
      break;
    default:  // int and long are 32 bits on the device
      *va_arg(arguments.list, int32_t*) = static_cast<int32_t>(value);
      break;
  }
}

// Whether a character is in a scanset ("abc", "a-z", where "z-a" is the same range; `negated` for
// "^...").
bool InSet(const std::u16string& set, bool negated, int c) {
  bool found = false;
  for (size_t i = 0; i < set.size() && !found; ++i) {
    if (i + 2 < set.size() && set[i + 1] == u'-') {
      const int low = set[i] < set[i + 2] ? set[i] : set[i + 2];
      const int high = set[i] < set[i + 2] ? set[i + 2] : set[i];
      found = c >= low && c <= high;
      i += 2;
    } else {
      found = c == set[i];
    }
  }
  return found != negated;
}

// The characters of one input field: at most `width` of them (0: no limit). Reading past the
// width gives kWideEnd without touching the input; `ended` tells when the input itself ended.
template <typename Input>
struct Field {
  Counted<Input>& input;
  size_t width;
  size_t start;
  bool ended = false;
  int Next() {
    if (width != 0 && input.consumed - start >= width) return kWideEnd;
    const int c = input.Get();
    if (c == kWideEnd) ended = true;
    return c;
  }
  size_t Taken() const { return input.consumed - start; }
};

template <typename Input>
int Scan(Input& raw, const WCHAR* format, Arguments& arguments) {
  Counted<Input> input{raw};
  int stored = 0;
  bool converted = false;  // a conversion has completed, stored or not
  // The result when the input ends: EOF before the first conversion.
  auto inputEnded = [&]() { return converted ? stored : EOF; };
  // Skips whitespace; false when the input ended.
  auto skipSpace = [&]() {
    int c;
    do {
      c = input.Get();
    } while (c != kWideEnd && iswspace(static_cast<WCHAR>(c)));
    input.Unget(c);
    return c != kWideEnd;
  };
  // What a field that matched nothing returns: as at the end of the input when the input ended
  // where the field should have started; a field cut short ("-" and the end) is a failed match.
  auto noMatch = [&](const auto& field) { return field.ended && field.Taken() == 0 ? inputEnded() : stored; };

  for (const WCHAR* f = format; *f != 0;) {
    if (iswspace(*f)) {
      while (iswspace(*f)) ++f;
      skipSpace();
      continue;
    }
    if (*f != u'%' || f[1] == u'%') {
      const WCHAR literal = *f;
      f += *f == u'%' ? 2 : 1;
      const int c = input.Get();
      if (c == kWideEnd) return inputEnded();
      if (c != literal) {
        input.Unget(c);
        return stored;
      }
      continue;
    }
    ++f;
    bool suppress = false;
    if (*f == u'*') {
      suppress = true;
      ++f;
    }
    size_t width = 0;
    while (*f >= u'0' && *f <= u'9') width = width * 10 + static_cast<size_t>(*f++ - u'0');
    Size size = Size::Default;
    bool narrow = false;
    bool wide = false;
    if (f[0] == u'h') {
      size = Size::Short;
      narrow = true;
      ++f;
    } else if (f[0] == u'l' && f[1] == u'l') {
      size = Size::LongLong;
      f += 2;
    } else if (f[0] == u'l' || f[0] == u'w') {
      size = Size::Long;
      wide = true;
      ++f;
    } else if (f[0] == u'L') {
      size = Size::LongDouble;
      ++f;
    } else if (f[0] == u'I' && f[1] == u'6' && f[2] == u'4') {
      size = Size::LongLong;
      f += 3;
    } else if (f[0] == u'I' && f[1] == u'3' && f[2] == u'2') {
      f += 3;
    }
    const WCHAR conversion = *f;
    if (conversion == 0) return stored;
    ++f;

    switch (conversion) {
      case u'n':
        if (!suppress) *va_arg(arguments.list, int32_t*) = static_cast<int32_t>(input.consumed);
        continue;
      case u'd':
      case u'i':
      case u'u':
      case u'o':
      case u'x':
      case u'X':
      case u'p': {
        if (!skipSpace()) return inputEnded();
        Field<Input> field{input, width, input.consumed};
        unsigned base = conversion == u'o' ? 8 : (conversion == u'x' || conversion == u'X' || conversion == u'p') ? 16 : 10;
        bool negative = false;
        bool digits = false;
        int c = field.Next();
        if (c == u'-' || c == u'+') {
          negative = c == u'-';
          c = field.Next();
        }
        if (c == u'0' && (conversion == u'i' || base == 16)) {
          // A leading 0 is a digit; 0x starts a hexadecimal number, 0 alone an octal one for %i.
          digits = true;
          c = field.Next();
          if (c == u'x' || c == u'X') {
            base = 16;
            c = field.Next();
          } else if (conversion == u'i') {
            base = 8;
          }
        }
        uint64_t value = 0;
        while (c != kWideEnd && DigitValue(c) < static_cast<int>(base)) {
          digits = true;
          value = value * base + static_cast<unsigned>(DigitValue(c));
          c = field.Next();
        }
        input.Unget(c);
        if (!digits) return noMatch(field);
        if (negative) value = 0 - value;
        converted = true;
        if (!suppress) {
          if (conversion == u'p') {
            *va_arg(arguments.list, void**) = reinterpret_cast<void*>(static_cast<uintptr_t>(value));
          } else {
            StoreInteger(arguments, size, value);
          }
          ++stored;
        }
        continue;
      }
      case u'e':
      case u'E':
      case u'f':
      case u'g':
      case u'G': {
        if (!skipSpace()) return inputEnded();
        Field<Input> field{input, width, input.consumed};
        std::string number;
        int c = field.Next();
        auto take = [&](bool accept) {
          if (!accept || c == kWideEnd) return false;
          number += static_cast<char>(c);
          c = field.Next();
          return true;
        };
        take(c == u'-' || c == u'+');
        bool digits = false;
        while (take(c >= u'0' && c <= u'9')) digits = true;
        if (take(c == u'.')) {
          while (take(c >= u'0' && c <= u'9')) digits = true;
        }
        if (digits && take(c == u'e' || c == u'E')) {
          take(c == u'-' || c == u'+');
          while (take(c >= u'0' && c <= u'9')) {
          }
        }
        input.Unget(c);
        if (!digits) return noMatch(field);
        converted = true;
        if (!suppress) {
          const double value = std::strtod(number.c_str(), nullptr);
          if (size == Size::Long || size == Size::LongDouble) {
            *va_arg(arguments.list, double*) = value;
          } else {
            *va_arg(arguments.list, float*) = static_cast<float>(value);
          }
          ++stored;
        }
        continue;
      }
      case u'c':
      case u'C':
      case u's':
      case u'S':
      case u'[': {
        // The format's own width unless a size or the capital letter says otherwise.
        const bool toNarrow = narrow || ((conversion == u'C' || conversion == u'S') && !wide);
        std::u16string set;
        bool negated = false;
        if (conversion == u'[') {
          if (*f == u'^') {
            negated = true;
            ++f;
          }
          if (*f == u']') set += *f++;
          while (*f != 0 && *f != u']') set += *f++;
          if (*f == 0) return stored;
          ++f;
        }
        const bool characters = conversion == u'c' || conversion == u'C';
        if (!characters && conversion != u'[' && !skipSpace()) return inputEnded();
        Field<Input> field{input, characters && width == 0 ? 1 : width, input.consumed};
        WCHAR* wideOut = nullptr;
        char* narrowOut = nullptr;
        if (!suppress) {
          if (toNarrow) {
            narrowOut = va_arg(arguments.list, char*);
          } else {
            wideOut = va_arg(arguments.list, WCHAR*);
          }
        }
        size_t count = 0;
        for (;;) {
          const int c = field.Next();
          if (c == kWideEnd) break;
          const bool fits = characters                                   ? true
                            : conversion == u'[' ? InSet(set, negated, c)
                                                 : !iswspace(static_cast<WCHAR>(c));
          if (!fits) {
            input.Unget(c);
            break;
          }
          if (wideOut != nullptr) wideOut[count] = static_cast<WCHAR>(c);
          if (narrowOut != nullptr) {
            std::optional<unsigned char> byte = cesim::detail::WideToAnsi(static_cast<char16_t>(c));
            narrowOut[count] = static_cast<char>(byte ? *byte : '?');
          }
          ++count;
        }
        if (count == 0) return noMatch(field);
        if (!characters) {
          if (wideOut != nullptr) wideOut[count] = 0;
          if (narrowOut != nullptr) narrowOut[count] = 0;
        }
        converted = true;
        if (!suppress) ++stored;
        continue;
      }
      default:
        return stored;
    }
  }
  return stored;
}

}  // namespace

int vfwscanf(FILE* stream, const WCHAR* format, va_list arguments) {
  if (stream == nullptr || format == nullptr) return EOF;
  StreamInput input{stream};
  Arguments copy;
  va_copy(copy.list, arguments);
  const int result = Scan(input, format, copy);
  va_end(copy.list);
  return result;
}

int fwscanf(FILE* stream, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = vfwscanf(stream, format, arguments);
  va_end(arguments);
  return result;
}

int swscanf(const WCHAR* string, const WCHAR* format, ...) {
  if (string == nullptr || format == nullptr) return EOF;
  StringInput input{string};
  Arguments arguments;
  va_start(arguments.list, format);
  const int result = Scan(input, format, arguments);
  va_end(arguments.list);
  return result;
}

// The printf family of the device's C run-time. One engine serves wide and narrow formats:
// %s and %c take strings and characters of the format's own width, %S and %C of the other
// width, %hs/%hc narrow and %ls/%lc/%ws/%wc wide. long (%ld) is 32 bits as on the device,
// %I64d and %lld 64 bits. Text that does not fit a counted buffer gives -1.
#include <cstdint>
#include <cstdio>
#include <string>

#include "sim/crt.h"

namespace {

// va_list wrapped so that the engine can consume arguments through a reference.
struct Arguments {
  va_list list;
};

enum class Size { Default, Short, Char, Long32, Long64, Pointer, LongDouble };

struct FieldFormat {
  bool left = false;
  bool plus = false;
  bool space = false;
  bool alternate = false;
  bool zero = false;
  int width = 0;
  int precision = -1;
  Size size = Size::Default;
  int explicitWidth = 0;  // 1: h (narrow), 2: l or w (wide), 0: the conversion decides
};

template <typename C>
void Pad(std::basic_string<C>& out, int count, C c) {
  for (int i = 0; i < count; ++i) out += c;
}

template <typename C>
void AppendField(std::basic_string<C>& out, const std::basic_string<C>& body, const FieldFormat& field) {
  const int padding = field.width > static_cast<int>(body.size()) ? field.width - static_cast<int>(body.size()) : 0;
  if (!field.left) Pad(out, padding, static_cast<C>(' '));
  out += body;
  if (field.left) Pad(out, padding, static_cast<C>(' '));
}

template <typename C>
std::basic_string<C> FromAscii(const std::string& text) {
  std::basic_string<C> out;
  for (char c : text) out += static_cast<C>(static_cast<unsigned char>(c));
  return out;
}

// Narrow text is taken byte for byte (the device's Western code page agrees with Latin-1 on
// letters); a wide unit that has no narrow form becomes '?'.
template <typename C>
C ConvertUnit(uint32_t unit);
template <>
char16_t ConvertUnit<char16_t>(uint32_t unit) {
  return static_cast<char16_t>(unit);
}
template <>
char ConvertUnit<char>(uint32_t unit) {
  return unit < 0x100 ? static_cast<char>(unit) : '?';
}

template <typename C>
void AppendInteger(std::basic_string<C>& out, const FieldFormat& field, bool isSigned, uint64_t bits, char conversion) {
  bool negative = false;
  uint64_t magnitude = bits;
  if (isSigned && static_cast<int64_t>(bits) < 0) {
    negative = true;
    magnitude = 0 - bits;
  }
  const unsigned base = conversion == 'o' ? 8 : (conversion == 'x' || conversion == 'X' || conversion == 'p') ? 16 : 10;
  const char* digitSet = conversion == 'x' ? "0123456789abcdef" : "0123456789ABCDEF";
  std::string digits;
  for (uint64_t v = magnitude; v != 0; v /= base) digits.insert(digits.begin(), digitSet[v % base]);
  const int precision = field.precision >= 0 ? field.precision : 1;
  while (static_cast<int>(digits.size()) < precision) digits.insert(digits.begin(), '0');
  if (field.alternate && conversion == 'o' && (digits.empty() || digits[0] != '0')) digits.insert(digits.begin(), '0');
  std::string prefix;
  if (negative) {
    prefix = "-";
  } else if (isSigned && field.plus) {
    prefix = "+";
  } else if (isSigned && field.space) {
    prefix = " ";
  }
  if (field.alternate && magnitude != 0 && (conversion == 'x' || conversion == 'X')) prefix += conversion == 'x' ? "0x" : "0X";
  if (field.zero && !field.left && field.precision < 0) {
    while (static_cast<int>(prefix.size() + digits.size()) < field.width) digits.insert(digits.begin(), '0');
  }
  AppendField(out, FromAscii<C>(prefix + digits), field);
}

uint64_t FetchSigned(Arguments& args, Size size) {
  switch (size) {
    case Size::Long64:
      return static_cast<uint64_t>(va_arg(args.list, long long));
    case Size::Pointer:
      return static_cast<uint64_t>(va_arg(args.list, intptr_t));
    case Size::Short:
      return static_cast<uint64_t>(static_cast<int64_t>(static_cast<short>(va_arg(args.list, int))));
    case Size::Char:
      return static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(va_arg(args.list, int))));
    default:
      return static_cast<uint64_t>(static_cast<int64_t>(va_arg(args.list, int32_t)));
  }
}

uint64_t FetchUnsigned(Arguments& args, Size size) {
  switch (size) {
    case Size::Long64:
      return va_arg(args.list, unsigned long long);
    case Size::Pointer:
      return va_arg(args.list, uintptr_t);
    case Size::Short:
      return static_cast<unsigned short>(va_arg(args.list, unsigned int));
    case Size::Char:
      return static_cast<unsigned char>(va_arg(args.list, unsigned int));
    default:
      return va_arg(args.list, uint32_t);
  }
}

template <typename C>
void AppendFloat(std::basic_string<C>& out, const FieldFormat& field, Arguments& args, char conversion) {
  std::string format = "%";
  if (field.left) format += '-';
  if (field.plus) format += '+';
  if (field.space) format += ' ';
  if (field.alternate) format += '#';
  if (field.zero) format += '0';
  if (field.width > 0) format += std::to_string(field.width);
  if (field.precision >= 0) format += "." + std::to_string(field.precision);
  double value = 0;
  if (field.size == Size::LongDouble) {
    value = static_cast<double>(va_arg(args.list, long double));
  } else {
    value = va_arg(args.list, double);
  }
  format += conversion;
  const int length = std::snprintf(nullptr, 0, format.c_str(), value);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(&text[0], text.size(), format.c_str(), value);
  text.resize(static_cast<size_t>(length));
  out += FromAscii<C>(text);
}

// Whether a %s or %c of this format takes wide arguments.
template <typename C>
bool TakesWide(const FieldFormat& field, bool upperCase) {
  if (field.explicitWidth == 1) return false;
  if (field.explicitWidth == 2) return true;
  const bool formatIsWide = sizeof(C) == 2;
  return upperCase ? !formatIsWide : formatIsWide;
}

template <typename C>
void AppendString(std::basic_string<C>& out, const FieldFormat& field, Arguments& args, bool upperCase) {
  // The text goes straight to the output; the padding of a wider field is put beside it after.
  const size_t start = out.size();
  const size_t limit = field.precision >= 0 ? static_cast<size_t>(field.precision) : static_cast<size_t>(-1);
  if (TakesWide<C>(field, upperCase)) {
    const WCHAR* text = va_arg(args.list, const WCHAR*);
    if (text == nullptr) text = u"(null)";
    if constexpr (sizeof(C) == sizeof(WCHAR)) {
      // Wide into wide: the units as they are, at once.
      size_t length = 0;
      while (length < limit && text[length] != 0) ++length;
      out.append(reinterpret_cast<const C*>(text), length);
    } else {
      for (size_t i = 0; i < limit && text[i] != 0; ++i) out += ConvertUnit<C>(text[i]);
    }
  } else {
    const char* text = va_arg(args.list, const char*);
    if (text == nullptr) text = "(null)";
    for (size_t i = 0; i < limit && text[i] != 0; ++i) out += ConvertUnit<C>(static_cast<unsigned char>(text[i]));
  }
  const size_t length = out.size() - start;
  if (field.width > static_cast<int>(length)) {
    const size_t padding = static_cast<size_t>(field.width) - length;
    if (field.left) {
      out.append(padding, static_cast<C>(' '));
    } else {
      out.insert(start, padding, static_cast<C>(' '));
    }
  }
}

template <typename C>
void AppendCharacter(std::basic_string<C>& out, const FieldFormat& field, Arguments& args, bool upperCase) {
  const int value = va_arg(args.list, int);
  const uint32_t unit = TakesWide<C>(field, upperCase) ? static_cast<uint16_t>(value) : static_cast<unsigned char>(value);
  AppendField(out, std::basic_string<C>(1, ConvertUnit<C>(unit)), field);
}

int ReadNumber(const char16_t*& p) {
  int value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < 100000) value = value * 10 + (*p - '0');
    ++p;
  }
  return value;
}

int ReadNumber(const char*& p) {
  int value = 0;
  while (*p >= '0' && *p <= '9') {
    if (value < 100000) value = value * 10 + (*p - '0');
    ++p;
  }
  return value;
}

// Room that a path takes, so that most results are made without growing.
constexpr size_t kUsualResult = MAX_PATH;

template <typename C>
std::basic_string<C> Format(const C* format, Arguments& args) {
  std::basic_string<C> out;
  out.reserve(kUsualResult);
  const C* p = format;
  while (*p != 0) {
    if (*p != '%') {
      // The text up to the next field, at once.
      const C* run = p;
      while (*p != 0 && *p != '%') ++p;
      out.append(run, static_cast<size_t>(p - run));
      continue;
    }
    ++p;
    FieldFormat field;
    for (;; ++p) {
      if (*p == '-') {
        field.left = true;
      } else if (*p == '+') {
        field.plus = true;
      } else if (*p == ' ') {
        field.space = true;
      } else if (*p == '#') {
        field.alternate = true;
      } else if (*p == '0') {
        field.zero = true;
      } else {
        break;
      }
    }
    if (*p == '*') {
      field.width = va_arg(args.list, int);
      if (field.width < 0) {
        field.left = true;
        field.width = field.width == INT32_MIN ? 0 : -field.width;
      }
      ++p;
    } else {
      field.width = ReadNumber(p);
    }
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        field.precision = va_arg(args.list, int);
        if (field.precision < 0) field.precision = -1;
        ++p;
      } else {
        field.precision = ReadNumber(p);
      }
    }
    if (*p == 'h') {
      ++p;
      field.size = Size::Short;
      field.explicitWidth = 1;
      if (*p == 'h') {
        ++p;
        field.size = Size::Char;
      }
    } else if (*p == 'l') {
      ++p;
      field.size = Size::Long32;
      field.explicitWidth = 2;
      if (*p == 'l') {
        ++p;
        field.size = Size::Long64;
      }
    } else if (*p == 'w') {
      ++p;
      field.explicitWidth = 2;
    } else if (*p == 'L') {
      ++p;
      field.size = Size::LongDouble;
    } else if (*p == 'I') {
      if (p[1] == '6' && p[2] == '4') {
        p += 3;
        field.size = Size::Long64;
      } else if (p[1] == '3' && p[2] == '2') {
        p += 3;
        field.size = Size::Long32;
      } else {
        ++p;
        field.size = Size::Pointer;
      }
    }
    const C conversion = *p;
    if (conversion == 0) break;  // a lone '%' at the end prints nothing
    ++p;
    switch (conversion) {
      case 'd':
      case 'i':
        AppendInteger(out, field, true, FetchSigned(args, field.size), 'd');
        break;
      case 'u':
      case 'o':
      case 'x':
      case 'X':
        AppendInteger(out, field, false, FetchUnsigned(args, field.size), static_cast<char>(conversion));
        break;
      case 'p': {
        FieldFormat pointer = field;
        pointer.precision = static_cast<int>(2 * sizeof(void*));
        AppendInteger(out, pointer, false, reinterpret_cast<uintptr_t>(va_arg(args.list, void*)), 'X');
        break;
      }
      case 's':
      case 'S':
        AppendString(out, field, args, conversion == 'S');
        break;
      case 'c':
      case 'C':
        AppendCharacter(out, field, args, conversion == 'C');
        break;
      case 'e':
      case 'E':
      case 'f':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        AppendFloat(out, field, args, static_cast<char>(conversion));
        break;
      case 'n':
        // Writing the count through an argument is refused, as safe run-times do.
        (void)va_arg(args.list, void*);
        break;
      default:
        out += conversion;  // "%%" and unknown conversions print the character itself
        break;
    }
  }
  return out;
}

// The counted forms: all of the text and a terminator when they fit; exactly count
// characters and no terminator when the text is count long; count characters and -1 when it
// is longer.
template <typename C>
int PutCounted(C* buffer, size_t count, const std::basic_string<C>& text) {
  if (buffer == nullptr) return count == 0 && text.empty() ? 0 : -1;
  const size_t copied = text.size() < count ? text.size() : count;
  for (size_t i = 0; i < copied; ++i) buffer[i] = text[i];
  if (text.size() < count) buffer[text.size()] = 0;
  return text.size() <= count ? static_cast<int>(text.size()) : -1;
}

}  // namespace

int vswprintf(WCHAR* buffer, const WCHAR* format, va_list arguments) {
  if (buffer == nullptr || format == nullptr) return -1;
  Arguments args;
  va_copy(args.list, arguments);
  const std::u16string text = Format(format, args);
  va_end(args.list);
  for (size_t i = 0; i < text.size(); ++i) buffer[i] = text[i];
  buffer[text.size()] = 0;
  return static_cast<int>(text.size());
}

int swprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = vswprintf(buffer, format, arguments);
  va_end(arguments);
  return result;
}

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list arguments) {
  if (format == nullptr) return -1;
  Arguments args;
  va_copy(args.list, arguments);
  const std::u16string text = Format(format, args);
  va_end(args.list);
  return PutCounted(buffer, count, text);
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = _vsnwprintf(buffer, count, format, arguments);
  va_end(arguments);
  return result;
}

int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments) {
  if (format == nullptr) return -1;
  Arguments args;
  va_copy(args.list, arguments);
  const std::string text = Format(format, args);
  va_end(args.list);
  return PutCounted(buffer, count, text);
}

int _snprintf(char* buffer, size_t count, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  const int result = _vsnprintf(buffer, count, format, arguments);
  va_end(arguments);
  return result;
}

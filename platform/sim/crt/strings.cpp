// The device's C run-time on wide strings: copying, joining, comparing and searching.
#include "sim/crt.h"

size_t wcslen(const WCHAR* string) {
  size_t length = 0;
  while (string[length] != 0) ++length;
  return length;
}

WCHAR* wcscpy(WCHAR* destination, const WCHAR* source) {
  size_t i = 0;
  do {
    destination[i] = source[i];
  } while (source[i++] != 0);
  return destination;
}

WCHAR* wcsncpy(WCHAR* destination, const WCHAR* source, size_t count) {
  // Copies at most count characters and pads the rest with zeros; no terminator is added
  // when the source has count characters or more.
  size_t i = 0;
  for (; i < count && source[i] != 0; ++i) destination[i] = source[i];
  for (; i < count; ++i) destination[i] = 0;
  return destination;
}

WCHAR* wcscat(WCHAR* destination, const WCHAR* source) {
  wcscpy(destination + wcslen(destination), source);
  return destination;
}

WCHAR* wcsncat(WCHAR* destination, const WCHAR* source, size_t count) {
  // Appends at most count characters and always a terminator.
  WCHAR* end = destination + wcslen(destination);
  size_t i = 0;
  for (; i < count && source[i] != 0; ++i) end[i] = source[i];
  end[i] = 0;
  return destination;
}

int wcscmp(const WCHAR* string1, const WCHAR* string2) {
  return wcsncmp(string1, string2, static_cast<size_t>(-1));
}

int wcsncmp(const WCHAR* string1, const WCHAR* string2, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (string1[i] != string2[i]) return string1[i] < string2[i] ? -1 : 1;
    if (string1[i] == 0) return 0;
  }
  return 0;
}

int _wcsicmp(const WCHAR* string1, const WCHAR* string2) {
  return _wcsnicmp(string1, string2, static_cast<size_t>(-1));
}

int _wcsnicmp(const WCHAR* string1, const WCHAR* string2, size_t count) {
  // Both sides in lower case, as the run-time compares them.
  for (size_t i = 0; i < count; ++i) {
    const WCHAR a = towlower(string1[i]);
    const WCHAR b = towlower(string2[i]);
    if (a != b) return a < b ? -1 : 1;
    if (a == 0) return 0;
  }
  return 0;
}

const WCHAR* wcschr(const WCHAR* string, WCHAR c) {
  for (;; ++string) {
    if (*string == c) return string;
    if (*string == 0) return nullptr;
  }
}

WCHAR* wcschr(WCHAR* string, WCHAR c) {
  return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(string), c));
}

const WCHAR* wcsrchr(const WCHAR* string, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++string) {
    if (*string == c) found = string;
    if (*string == 0) return found;
  }
}

WCHAR* wcsrchr(WCHAR* string, WCHAR c) {
  return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(string), c));
}

const WCHAR* wcsstr(const WCHAR* string, const WCHAR* search) {
  if (*search == 0) return string;
  for (; *string != 0; ++string) {
    size_t i = 0;
    while (search[i] != 0 && string[i] == search[i]) ++i;
    if (search[i] == 0) return string;
  }
  return nullptr;
}

WCHAR* wcsstr(WCHAR* string, const WCHAR* search) {
  return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(string), search));
}

namespace {

bool InSet(WCHAR c, const WCHAR* set) {
  for (; *set != 0; ++set) {
    if (*set == c) return true;
  }
  return false;
}

}  // namespace

const WCHAR* wcspbrk(const WCHAR* string, const WCHAR* set) {
  for (; *string != 0; ++string) {
    if (InSet(*string, set)) return string;
  }
  return nullptr;
}

WCHAR* wcspbrk(WCHAR* string, const WCHAR* set) {
  return const_cast<WCHAR*>(wcspbrk(static_cast<const WCHAR*>(string), set));
}

size_t wcscspn(const WCHAR* string, const WCHAR* set) {
  size_t i = 0;
  while (string[i] != 0 && !InSet(string[i], set)) ++i;
  return i;
}

size_t wcsspn(const WCHAR* string, const WCHAR* set) {
  size_t i = 0;
  while (string[i] != 0 && InSet(string[i], set)) ++i;
  return i;
}

WCHAR* wcstok(WCHAR* string, const WCHAR* delimiters) {
  // The position after the last token, kept between calls as the run-time keeps it.
  static thread_local WCHAR* next = nullptr;
  WCHAR* start = string != nullptr ? string : next;
  if (start == nullptr) return nullptr;
  start += wcsspn(start, delimiters);
  if (*start == 0) {
    next = nullptr;
    return nullptr;
  }
  WCHAR* end = start + wcscspn(start, delimiters);
  if (*end != 0) {
    *end = 0;
    next = end + 1;
  } else {
    next = nullptr;
  }
  return start;
}

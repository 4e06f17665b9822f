// The Windows CE C run-time on wide strings, with the device's meaning: WCHAR is a 16-bit unit,
// swprintf takes no count, "%s" in a wide format is a wide string, long is 32 bits. The wide
// functions are C++ overloads on WCHAR, so they never stand in for the host's own C library.
#ifndef CESIM_FACE_CRT_H
#define CESIM_FACE_CRT_H

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "sim/types.h"

#define CESIM_CRT __attribute__((visibility("default")))

// Copying, joining and comparing.
CESIM_CRT size_t wcslen(const WCHAR* string);
CESIM_CRT WCHAR* wcscpy(WCHAR* destination, const WCHAR* source);
CESIM_CRT WCHAR* wcsncpy(WCHAR* destination, const WCHAR* source, size_t count);
CESIM_CRT WCHAR* wcscat(WCHAR* destination, const WCHAR* source);
CESIM_CRT WCHAR* wcsncat(WCHAR* destination, const WCHAR* source, size_t count);
CESIM_CRT int wcscmp(const WCHAR* string1, const WCHAR* string2);
CESIM_CRT int wcsncmp(const WCHAR* string1, const WCHAR* string2, size_t count);
CESIM_CRT int _wcsicmp(const WCHAR* string1, const WCHAR* string2);
CESIM_CRT int _wcsnicmp(const WCHAR* string1, const WCHAR* string2, size_t count);

// Searching. The C++ pairs: a constant string gives a constant result.
CESIM_CRT const WCHAR* wcschr(const WCHAR* string, WCHAR c);
CESIM_CRT WCHAR* wcschr(WCHAR* string, WCHAR c);
CESIM_CRT const WCHAR* wcsrchr(const WCHAR* string, WCHAR c);
CESIM_CRT WCHAR* wcsrchr(WCHAR* string, WCHAR c);
CESIM_CRT const WCHAR* wcsstr(const WCHAR* string, const WCHAR* search);
CESIM_CRT WCHAR* wcsstr(WCHAR* string, const WCHAR* search);
CESIM_CRT const WCHAR* wcspbrk(const WCHAR* string, const WCHAR* set);
CESIM_CRT WCHAR* wcspbrk(WCHAR* string, const WCHAR* set);
CESIM_CRT size_t wcscspn(const WCHAR* string, const WCHAR* set);
CESIM_CRT size_t wcsspn(const WCHAR* string, const WCHAR* set);
// The two-argument form: the position is kept between calls (per thread).
CESIM_CRT WCHAR* wcstok(WCHAR* string, const WCHAR* delimiters);

// Conversions. long is 32 bits on the device: results are clamped to its range.
CESIM_CRT LONG wcstol(const WCHAR* string, WCHAR** end, int base);
CESIM_CRT ULONG wcstoul(const WCHAR* string, WCHAR** end, int base);
CESIM_CRT int _wtoi(const WCHAR* string);
CESIM_CRT LONG _wtol(const WCHAR* string);

// Characters.
CESIM_CRT WCHAR towlower(WCHAR c);
CESIM_CRT WCHAR towupper(WCHAR c);
CESIM_CRT int iswspace(WCHAR c);
CESIM_CRT int iswdigit(WCHAR c);

// Formatting. In a wide format %s and %c take wide arguments and %S and %C narrow ones; in a
// narrow format it is the other way round; %hs and %ls (or %ws) name the width explicitly.
// The counted forms write at most count characters and return -1 when the text did not fit;
// the terminator is written only when there is room for it.
CESIM_CRT int swprintf(WCHAR* buffer, const WCHAR* format, ...);
CESIM_CRT int vswprintf(WCHAR* buffer, const WCHAR* format, va_list arguments);
CESIM_CRT int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
CESIM_CRT int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list arguments);
CESIM_CRT int _snprintf(char* buffer, size_t count, const char* format, ...);
CESIM_CRT int _vsnprintf(char* buffer, size_t count, const char* format, va_list arguments);

// Scanning. Whitespace in the format skips any whitespace; other characters must match; %d %i %u
// %o %x %p %c %s %[ %n %e %f %g with "*", a width and the sizes h, l, ll, I64. The result counts
// the fields stored, EOF when the input ends before the first conversion, 0 when the first
// conversion matches nothing. The character that stops a field is left for the next read.
CESIM_CRT int swscanf(const WCHAR* string, const WCHAR* format, ...);

// Streams. A stream is the host's FILE over a device file, so fclose, feof, ferror, fflush,
// fread, fwrite and fseek are the host's own calls, which mean what the device's do. The device's
// modes: "r", "w", "a", each with "+" for reading and writing, "t" (text, the default) or "b"
// (binary), and the commit flags "c" and "n". In text mode the wide calls read and write bytes of
// the device's ANSI code page (Windows-1252), one byte a character, a carriage return before a line
// feed is dropped on input and added on output, and CTRL+Z ends the input; in binary mode they read
// and write UTF-16 units as they are. _wfopen fails with a null stream and the device's error as the
// last error (the device's run-time has no errno).
CESIM_CRT FILE* _wfopen(const WCHAR* filename, const WCHAR* mode);
// Reads up to n - 1 characters, up to and with the first line feed; null at the end of the input
// with nothing read (the buffer is left as it was) or on an error.
CESIM_CRT WCHAR* fgetws(WCHAR* string, int n, FILE* stream);
// 0, or WEOF (0xFFFF on the device) when a character cannot be written.
CESIM_CRT int fputws(const WCHAR* string, FILE* stream);
CESIM_CRT int fwprintf(FILE* stream, const WCHAR* format, ...);
CESIM_CRT int vfwprintf(FILE* stream, const WCHAR* format, va_list arguments);
CESIM_CRT int fwscanf(FILE* stream, const WCHAR* format, ...);
CESIM_CRT int vfwscanf(FILE* stream, const WCHAR* format, va_list arguments);

#endif

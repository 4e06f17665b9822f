// National language support of the core library as the Windows CE SDK declares it: locale
// identifiers, the device's user and system locale, and the date and time formats of a locale.
#ifndef CESIM_FACE_LOCALE_H
#define CESIM_FACE_LOCALE_H

#include "sim/types.h"

#define SUBLANG_ENGLISH_US 0x01
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))
#define SORTIDFROMLCID(lcid) ((WORD)((((DWORD)(lcid)) >> 16) & 0xf))

#define LOCALE_NEUTRAL 0x0000

#define LOCALE_NOUSEROVERRIDE 0x80000000
#define LOCALE_USE_CP_ACP 0x40000000

#define DATE_SHORTDATE 0x00000001
#define DATE_LONGDATE 0x00000002
#define DATE_USE_ALT_CALENDAR 0x00000004
#define DATE_YEARMONTH 0x00000008
#define DATE_LTRREADING 0x00000010
#define DATE_RTLREADING 0x00000020

#define TIME_NOMINUTESORSECONDS 0x00000001
#define TIME_NOSECONDS 0x00000002
#define TIME_NOTIMEMARKER 0x00000004
#define TIME_FORCE24HOURFORMAT 0x00000008

CESIM_API LCID WINAPI GetUserDefaultLCID(void);
CESIM_API LCID WINAPI GetSystemDefaultLCID(void);
CESIM_API LANGID WINAPI GetUserDefaultLangID(void);
CESIM_API LANGID WINAPI GetSystemDefaultLangID(void);

// Without a date or time the current local time is formatted; without a format picture the
// locale's own. The result counts the characters written, terminator included; with a capacity of
// 0 nothing is written and the result is the capacity needed; a result that does not fit gives 0
// and ERROR_INSUFFICIENT_BUFFER.
CESIM_API int WINAPI GetDateFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCWSTR lpFormat,
                                    LPWSTR lpDateStr, int cchDate);
CESIM_API int WINAPI GetTimeFormatW(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpTime, LPCWSTR lpFormat,
                                    LPWSTR lpTimeStr, int cchTime);
#define GetDateFormat GetDateFormatW
#define GetTimeFormat GetTimeFormatW

#endif

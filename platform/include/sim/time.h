// Time of the core library as the Windows CE SDK declares it: the system time and the local time
// from the device's clock, its time zone, and the conversions between file times, system times
// and local file times.
#ifndef CESIM_FACE_TIME_H
#define CESIM_FACE_TIME_H

#include "sim/types.h"

#define TIME_ZONE_ID_UNKNOWN 0
#define TIME_ZONE_ID_STANDARD 1
#define TIME_ZONE_ID_DAYLIGHT 2
#define TIME_ZONE_ID_INVALID ((DWORD)0xFFFFFFFF)

struct TIME_ZONE_INFORMATION {
  LONG Bias;  // minutes west of UTC: local time is UTC minus the bias
  WCHAR StandardName[32];
  SYSTEMTIME StandardDate;
  LONG StandardBias;
  WCHAR DaylightName[32];
  SYSTEMTIME DaylightDate;
  LONG DaylightBias;
};
typedef TIME_ZONE_INFORMATION* PTIME_ZONE_INFORMATION;
typedef TIME_ZONE_INFORMATION* LPTIME_ZONE_INFORMATION;

CESIM_API void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime);
CESIM_API void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime);
CESIM_API DWORD WINAPI GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation);

// The source and the result may be the same structure.
CESIM_API BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
CESIM_API BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
CESIM_API BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
CESIM_API BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
CESIM_API LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);

#endif

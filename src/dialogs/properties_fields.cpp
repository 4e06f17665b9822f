// The properties dialog's type, size and time texts, each built in its own fixed buffer.
#include "dialogs/properties_fields.h"

#include "module/bounded_format.h"

namespace {

const int kTypeNameSize = 80;
const DWORD kBytesPerMegabyte = 1u << 20;

// Whole megabytes, truncated, and the tenth after them, truncated too (never carried).
DWORD Megabytes(ULONGLONG bytes) { return static_cast<DWORD>(bytes >> 20); }
DWORD Tenths(ULONGLONG bytes) { return static_cast<DWORD>(((bytes % kBytesPerMegabyte) * 10) >> 20); }

BOOL FormatVolumeSpace(LPCWSTR path, WCHAR* text) {
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  ULARGE_INTEGER free;
  if (!GetDiskFreeSpaceExW(path, &available, &total, &free)) return FALSE;
  // The free space is the volume's, not what is left for this caller.
  return FormatBounded(text, kSizeTextSize, TEXT("%u.%0u/%u.%0u MB"), Megabytes(free.QuadPart),
                       Tenths(free.QuadPart), Megabytes(total.QuadPart), Tenths(total.QuadPart));
}

}  // namespace

void FormatTypeText(const WCHAR* typeName, DWORD attributes, WCHAR* text) {
  CopyCut(text, kTypeNameSize, typeName);
  if (attributes & FILE_ATTRIBUTE_INROM) wcsncat(text, TEXT(" (ROM)"), kTypeNameSize);
}

BOOL FormatSizeText(LPCWSTR path, const WIN32_FIND_DATAW& find, WCHAR* text) {
  text[0] = 0;
  const DWORD attributes = find.dwFileAttributes;
  if (find.nFileSizeHigh != 0) return FALSE;
  const DWORD volumeFolder = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
  if ((attributes & volumeFolder) == volumeFolder) return FormatVolumeSpace(path, text);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return FALSE;
  FormatBounded(text, kSizeTextSize, TEXT("%u bytes"), find.nFileSizeLow);
  return FALSE;
}

void FormatModifiedText(const FILETIME& localTime, WCHAR* text) {
  text[0] = 0;
  SYSTEMTIME time;
  if (!FileTimeToSystemTime(&localTime, &time)) return;
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, NULL, text, kModifiedTextSize) == 0) text[0] = 0;
  const int dateLength = static_cast<int>(wcslen(text));
  // The time goes directly after the space, in what is left of the budget.
  if (dateLength + 2 >= kModifiedTextSize) return;
  text[dateLength] = TEXT(' ');
  text[dateLength + 1] = 0;
  WCHAR* timeText = text + dateLength + 1;
  if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, NULL, timeText, kModifiedTextSize - dateLength - 1) == 0) {
    text[dateLength] = 0;
  }
}

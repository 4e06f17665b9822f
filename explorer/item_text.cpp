// The texts of the Explorer's list columns.
#include "item_text.h"

#include "item_record.h"

namespace {

const WCHAR* const kTitles[kColumnCount] = {TEXT("Name"), TEXT("Size"), TEXT("Type"), TEXT("Date")};

// Copies at most chars - 1 characters and a terminator.
void CopyText(WCHAR* text, int chars, LPCWSTR from, size_t length) {
  if (chars <= 0) return;
  if (length > static_cast<size_t>(chars - 1)) length = static_cast<size_t>(chars - 1);
  memcpy(text, from, length * sizeof(WCHAR));
  text[length] = 0;
}

void CopyText(WCHAR* text, int chars, LPCWSTR from) { CopyText(text, chars, from, wcslen(from)); }

void FormatSize(const BYTE* record, WCHAR* text, int chars) {
  if (ItemRecordIsFolder(record)) {
    CopyText(text, chars, TEXT(""));
    return;
  }
  ULONGLONG size = ItemRecordSize(record);
  WCHAR number[32];
  if (size < 1024) {
    _snwprintf(number, 31, TEXT("%u B"), static_cast<unsigned>(size));
  } else if (size < 1024 * 1024) {
    _snwprintf(number, 31, TEXT("%uK"), static_cast<unsigned>((size + 1023) / 1024));
  } else {
    _snwprintf(number, 31, TEXT("%uM"), static_cast<unsigned>((size + 1024 * 1024 - 1) / (1024 * 1024)));
  }
  number[31] = 0;
  CopyText(text, chars, number);
}

void FormatType(const BYTE* record, WCHAR* text, int chars) {
  if (ItemRecordIsFolder(record)) {
    CopyText(text, chars, TEXT("Folder"));
    return;
  }
  LPCWSTR name = ItemRecordName(record);
  LPCWSTR dot = wcsrchr(name, TEXT('.'));
  if (dot == NULL || dot == name || dot[1] == 0 || wcslen(dot + 1) > 16) {
    CopyText(text, chars, TEXT("File"));
    return;
  }
  // "DOC File" for Letter.doc.
  WCHAR type[32];
  size_t length = 0;
  for (LPCWSTR c = dot + 1; *c != 0; ++c) {
    WCHAR ch = *c;
    type[length++] = (ch >= TEXT('a') && ch <= TEXT('z')) ? static_cast<WCHAR>(ch - TEXT('a') + TEXT('A')) : ch;
  }
  memcpy(type + length, TEXT(" File"), 6 * sizeof(WCHAR));
  CopyText(text, chars, type);
}

void FormatDate(const BYTE* record, WCHAR* text, int chars) {
  FILETIME written = ItemRecordWriteTime(record);
  FILETIME local;
  SYSTEMTIME time;
  CopyText(text, chars, TEXT(""));
  if (chars <= 0 || !FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &time)) return;
  if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, NULL, text, chars) == 0) text[0] = 0;
}

}  // namespace

LPCWSTR ListColumnTitle(int column) {
  return column >= 0 && column < kColumnCount ? kTitles[column] : TEXT("");
}

LPCWSTR HiddenExtension(const BYTE* record) {
  if (record == NULL || ItemRecordIsFolder(record)) return NULL;
  LPCWSTR name = ItemRecordName(record);
  LPCWSTR dot = wcsrchr(name, TEXT('.'));
  if (dot == NULL || dot == name || dot[1] == 0) return NULL;
  return dot;
}

void FormatItemText(const BYTE* record, int column, WCHAR* text, int chars) {
  if (text == NULL || chars <= 0) return;
  if (record == NULL) {
    text[0] = 0;
    return;
  }
  switch (column) {
    case kColumnName: {
      LPCWSTR name = ItemRecordName(record);
      LPCWSTR extension = HiddenExtension(record);
      CopyText(text, chars, name, extension != NULL ? static_cast<size_t>(extension - name) : wcslen(name));
      break;
    }
    case kColumnSize:
      FormatSize(record, text, chars);
      break;
    case kColumnType:
      FormatType(record, text, chars);
      break;
    case kColumnDate:
      FormatDate(record, text, chars);
      break;
    default:
      text[0] = 0;
      break;
  }
}

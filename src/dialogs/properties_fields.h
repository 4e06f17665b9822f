// The texts that the properties dialog shows for an item: its type, its size (or a storage
// volume's free and total space) and the time of its last change.
#ifndef FOLDWISE_DIALOGS_PROPERTIES_FIELDS_H
#define FOLDWISE_DIALOGS_PROPERTIES_FIELDS_H

#include "ceplatform.h"

// The type name as the shell gives it (80 characters with the terminator), followed by " (ROM)"
// for a file in ROM.
const int kTypeTextSize = 80 + 7;
void FormatTypeText(const WCHAR* typeName, DWORD attributes, WCHAR* text);

// "1234 bytes" for a file below 4 GB; "117.7/1430.5 MB" of free and total space for the folder of
// a storage volume (the result TRUE: the label then reads "Free/Total:"); empty for a folder, a
// file of 4 GB or more, or a volume whose space cannot be read.
const int kSizeTextSize = 64;
BOOL FormatSizeText(LPCWSTR path, const WIN32_FIND_DATAW& find, WCHAR* text);

// The local date and time of a file time, the short date and the time, separated by a space, in
// one budget of 32 characters with the terminator.
const int kModifiedTextSize = 32;
void FormatModifiedText(const FILETIME& localTime, WCHAR* text);

#endif

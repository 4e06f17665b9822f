// Filling the Explorer's list with a folder's items: a search of the folder with the pattern
// "<folder>\*.*" ("\*.*" for the root) through the routed FindFirstFileW and FindNextFileW, one
// list item per found item (hidden ones only while "ViewAll" is set), each carrying its item
// record and asking for its texts (LPSTR_TEXTCALLBACKW).
#ifndef FEXPLORE_FOLDER_LISTING_H
#define FEXPLORE_FOLDER_LISTING_H

#include "ceplatform.h"

// The search pattern of a folder into a buffer of MAX_PATH characters; FALSE when it would not fit.
BOOL FolderSearchPattern(LPCWSTR folder, WCHAR* pattern);

// Empties the list (the records go with LVN_DELETEITEM, see FreeListedRecord) and lists the
// folder into it. Returns how many items it holds.
int ListFolder(HWND list, LPCWSTR folder, BOOL showHidden);

// The record of a list item, or null.
BYTE* ListedRecord(HWND list, int item);

#endif

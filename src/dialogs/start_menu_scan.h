// The Open with Program list: every program that the device's Start Menu starts, found by
// walking the Start Menu and its subfolders and resolving each shortcut to its program.
#ifndef FOLDWISE_DIALOGS_START_MENU_SCAN_H
#define FOLDWISE_DIALOGS_START_MENU_SCAN_H

#include "ceplatform.h"
#include "dialogs/shell_library.h"

// Sets up the list view's two columns (the item text with its small icon; the program path,
// hidden) and the system image list, scans the Start Menu and fits the first column.
void FillProgramList(HWND list, const ShellLibrary& library);

// Adds a row for each program and shortcut to a program in the folder and, depth first, in its
// subfolders. Folders and entries whose paths do not fit MAX_PATH are passed over.
void AddProgramsFromFolder(HWND list, LPCWSTR folder, const ShellLibrary& library);

#endif

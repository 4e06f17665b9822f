// The modal dialogs that the context menu's commands open, each owned by the window of the
// invocation and given the selected path; each returns when its dialog closes.
#ifndef FOLDWISE_DIALOGS_FILE_DIALOGS_H
#define FOLDWISE_DIALOGS_FILE_DIALOGS_H

#include "ceplatform.h"

// Name, type, size or free and total space, time, attributes and a shortcut's target; edits
// applied on OK. Opens the version dialog for a file with version information.
void ShowPropertiesDialog(HWND owner, LPCWSTR path);

// The version information of a file: its fixed fields and every string of its first table.
void ShowVersionDialog(HWND owner, LPCWSTR path);

// Starts a program with parameters the user types.
void ShowParametersDialog(HWND owner, LPCWSTR path);

// Opens the item with a program chosen from the Start menu, optionally as its type's open
// command.
void ShowProgramDialog(HWND owner, LPCWSTR path);

#endif

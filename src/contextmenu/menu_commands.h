// The two context menu commands that run without a dialog, each on the selected path.
#ifndef FOLDWISE_CONTEXTMENU_MENU_COMMANDS_H
#define FOLDWISE_CONTEXTMENU_MENU_COMMANDS_H

#include "ceplatform.h"

// Puts the path on the clipboard as Unicode text, the owner window as the clipboard's opener.
// While another window holds the clipboard the open is retried a bounded number of times; when
// it stays held, or the text block cannot be had, the clipboard keeps what it held before.
void CopyPathToClipboard(HWND owner, LPCWSTR path);

// Creates a shortcut to the program in the Start menu's Programs folder, asking what to do when
// one of that name exists (overwrite, a numbered name, or nothing).
void SendShortcutToPrograms(HWND owner, LPCWSTR path);

#endif

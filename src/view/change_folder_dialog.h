// The Change Folder pop-up: the device's folders as a tree, opened along the folder that the
// Explorer shows last; one tap sends the chosen folder to the Explorer's frame window.
#ifndef FOLDWISE_CHANGE_FOLDER_DIALOG_H
#define FOLDWISE_CHANGE_FOLDER_DIALOG_H

#include "ceplatform.h"

// The open Change Folder dialog owned by the frame window, or a new one (null on failure).
HWND ShowChangeFolderDialog(HWND frame);

INT_PTR CALLBACK ChangeFolderDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the file-system path of a tree item into `path` (MAX_PATH characters). Returns FALSE,
// with `path` empty, when the path would not fit: such a folder cannot be navigated to.
BOOL GetTreeItemPath(HWND tree, HTREEITEM item, WCHAR* path);

// Opens the tree along the path and selects the folder it names; nothing is selected when a
// component is missing from the tree.
void ExpandTreeToPath(HWND tree, LPCWSTR path);

// Inserts the sub-folders of the folder as children of the item.
void FillFolderChildren(HWND tree, HTREEITEM parent, LPCWSTR folder);

#endif

// Whole file names in the list and the rename box without the extension.
#include "view/extension_display.h"

#include "host/host_item.h"
#include "module/module_state.h"

DisplayTextBuffer TakeDisplayTextBuffer(const NMLVDISPINFOW* info) {
  DisplayTextBuffer buffer;
  buffer.text = info->item.pszText;
  buffer.size = info->item.cchTextMax;
  return buffer;
}

void ShowWholeFileName(NMLVDISPINFOW* info, const DisplayTextBuffer& buffer) {
  if (info->item.iSubItem != 0 || (info->item.mask & LVIF_TEXT) == 0) return;
  if (buffer.text == NULL || buffer.size <= 0) return;
  LPCWSTR path = HostItemPath(info->item.lParam);
  if (path == NULL) return;
  // A path without a folder gives no name to show: the host's text stays.
  LPCWSTR name = wcsrchr(path, TEXT('\\'));
  if (name == NULL) return;
  ++name;
  int length = 0;
  while (length < buffer.size - 1 && name[length] != 0) {
    buffer.text[length] = name[length];
    ++length;
  }
  buffer.text[length] = 0;
  info->item.pszText = buffer.text;
}

void CutExtensionInRenameBox(const NMLVDISPINFOW* info) {
  LPCWSTR path = HostItemPath(info->item.lParam);
  if (path == NULL) return;
  // A failed query counts as a folder: the box keeps its text.
  DWORD attributes = GetFileAttributesW(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return;
  HWND box = reinterpret_cast<HWND>(SendMessageW(g_module.listView, LVM_GETEDITCONTROL, 0, 0));
  if (box == NULL) return;
  WCHAR text[MAX_PATH];
  text[0] = 0;
  GetWindowTextW(box, text, MAX_PATH);
  text[MAX_PATH - 1] = 0;
  WCHAR* dot = wcsrchr(text, TEXT('.'));
  if (dot == NULL) return;
  *dot = 0;
  SetWindowTextW(box, text);
}

// Filling the Open with Program list from the Start Menu.
#include "dialogs/start_menu_scan.h"

#include "dialogs/path_name.h"
#include "dialogs/shortcut_reader.h"
#include "module/bounded_format.h"

namespace {

const int kProgramPathColumn = 1;

BOOL IsDotEntry(LPCWSTR name) {
  return name[0] == TEXT('.') && (name[1] == 0 || (name[1] == TEXT('.') && name[2] == 0));
}

// The program that a shortcut starts, as a bare path (or a ":NAME" command) in `program`
// (MAX_PATH characters). FALSE for a shortcut that cannot be read, whose command is longer than a
// path, or that starts no program.
BOOL ReadShortcutProgram(LPCWSTR shortcut, WCHAR* program, const ShellLibrary& library) {
  // One character more than a path, so that a command too long for one is told from one that fits.
  WCHAR command[MAX_PATH + 1];
  ReadShortcutTarget(shortcut, command, MAX_PATH + 1);
  size_t length = wcslen(command);
  if (length >= MAX_PATH) {
    // Only a line break as the last character read makes the command fit; a longer command cut
    // short would name another program.
    if (command[length - 1] != TEXT('\n')) return FALSE;
    command[--length] = 0;
  }
  library.cleanCommand(command);
  command[wcscspn(command, TEXT("\t\r\n"))] = 0;
  if (!NamesProgram(library, command) && command[0] != TEXT(':')) return FALSE;
  WCHAR* icon = wcschr(command, TEXT('?'));
  if (icon != NULL) *icon = 0;
  CopyCut(program, MAX_PATH, command);
  return TRUE;
}

// "display name (file name)". A text longer than the row's buffer loses the end of the display
// name, never the program's file name: the text is only shown, the path is kept in its column.
void BuildItemText(WCHAR* text, LPCWSTR displayName, LPCWSTR fileName) {
  if (FormatBounded(text, MAX_PATH, TEXT("%s (%s)"), displayName, fileName)) return;
  int fileLength = static_cast<int>(wcslen(fileName));
  int room = (MAX_PATH - 1) - (fileLength + 3);
  if (room < 0) {
    CopyCut(text, MAX_PATH, fileName);
    return;
  }
  CopyCut(text, room + 1, displayName);
  int length = static_cast<int>(wcslen(text));
  FormatBounded(text + length, MAX_PATH - length, TEXT(" (%s)"), fileName);
}

void AddRow(HWND list, LPCWSTR text, int icon, WCHAR* program) {
  LVITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.pszText = const_cast<LPWSTR>(text);
  item.iImage = icon;
  int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row < 0) return;
  LVITEMW column;
  memset(&column, 0, sizeof(column));
  column.iSubItem = kProgramPathColumn;
  column.pszText = program;
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&column));
}

// One row for a program, or a shortcut to one; other files and "icon.lnk" are passed over.
// Kept out of the folder walk, so that its buffers are on the stack once, not once per level.
void AddProgramEntry(HWND list, LPCWSTR path, LPCWSTR name, const ShellLibrary& library) {
  BOOL shortcut = NamesShortcut(library, name);
  if (!shortcut && !NamesProgram(library, name)) return;
  if (_wcsicmp(name, TEXT("icon.lnk")) == 0) return;

  // The program first: a shortcut that starts none is passed over without asking the shell.
  WCHAR program[MAX_PATH];
  if (shortcut) {
    if (!ReadShortcutProgram(path, program, library)) return;
  } else {
    CopyCut(program, MAX_PATH, path);
  }

  SHFILEINFO info;
  memset(&info, 0, sizeof(info));
  if (SHGetFileInfo(path, 0, &info, sizeof(SHFILEINFO), SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON) ==
      0) {
    // Without the shell's answer the entry shows its own name and the list's first icon.
    CopyCut(info.szDisplayName, MAX_PATH, name);
    info.iIcon = 0;
  }
  info.szDisplayName[MAX_PATH - 1] = 0;

  WCHAR text[MAX_PATH];
  BuildItemText(text, info.szDisplayName, FileNameOf(program));
  AddRow(list, text, info.iIcon, program);
}

}  // namespace

void AddProgramsFromFolder(HWND list, LPCWSTR folder, const ShellLibrary& library) {
  // The one path buffer of a level holds the pattern first, then each entry's path.
  WCHAR path[MAX_PATH];
  if (!FormatBounded(path, MAX_PATH, TEXT("%s\\*.*"), folder)) return;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(path, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // Desktop file systems list the folder itself and its parent; walking into them never ends.
    if (IsDotEntry(found.cFileName)) continue;
    if (!FormatBounded(path, MAX_PATH, TEXT("%s\\%s"), folder, found.cFileName)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      AddProgramsFromFolder(list, path, library);
    } else {
      AddProgramEntry(list, path, found.cFileName, library);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void FillProgramList(HWND list, const ShellLibrary& library) {
  LVCOLUMNW column;
  memset(&column, 0, sizeof(column));
  column.mask = LVCF_WIDTH;
  column.cx = 0;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SendMessageW(list, LVM_INSERTCOLUMNW, kProgramPathColumn, reinterpret_cast<LPARAM>(&column));

  // The shared system image list: the list view does not own it (LVS_SHAREIMAGELISTS).
  SHFILEINFO info;
  memset(&info, 0, sizeof(info));
  HIMAGELIST icons = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfo(TEXT(""), 0, &info, sizeof(SHFILEINFO), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (icons != NULL) SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));

  // The scan starts at the Programs folder's parent, the Start Menu itself, so that entries
  // directly in the Start Menu are found as well. Without a Programs folder the list stays empty.
  WCHAR startMenu[MAX_PATH];
  startMenu[0] = 0;
  if (library.module != NULL && SHGetSpecialFolderPath(NULL, startMenu, CSIDL_PROGRAMS, FALSE) && startMenu[0] != 0) {
    startMenu[MAX_PATH - 1] = 0;
    WCHAR* slash = wcsrchr(startMenu, TEXT('\\'));
    if (slash != NULL) *slash = 0;
    AddProgramsFromFolder(list, startMenu, library);
  }

  SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(LVSCW_AUTOSIZE, 0));
  SendMessageW(list, LVM_SETCOLUMNWIDTH, kProgramPathColumn, 0);
}

// The Open with Program dialog: the Start Menu's programs in a list; a tap (or Open) starts the
// chosen one with the item's path and, when asked, first makes it the open command of the
// item's file type.
#include "dialogs/modal_dialog.h"
#include "dialogs/file_dialogs.h"

#include "dialogs/path_name.h"
#include "dialogs/program_association.h"
#include "dialogs/program_start.h"
#include "dialogs/shell_library.h"
#include "dialogs/start_menu_scan.h"
#include "module/bounded_format.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

BOOL IsChecked(HWND dialog, int box) {
  return SendDlgItemMessageW(dialog, box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The association only makes sense for a file with an extension that is no program or shortcut.
BOOL CanAssociate(LPCWSTR path, const ShellLibrary& library) {
  // A failed query (all bits set) counts as a folder.
  if (GetFileAttributesW(path) & FILE_ATTRIBUTE_DIRECTORY) return FALSE;
  if (wcschr(path, TEXT('.')) == NULL) return FALSE;
  return !NamesProgram(library, path) && !NamesShortcut(library, path);
}

BOOL OnInitDialog(HWND dialog, LPCWSTR path) {
  g_module.programDialogPath = path;
  SetWindowTextW(dialog, FileNameOf(path));
  ShellLibrary library;
  OpenShellLibrary(&library);
  FillProgramList(GetDlgItem(dialog, IDC_PROGRAM_LIST), library);
  SendDlgItemMessageW(dialog, IDC_PROGRAM_QUOTE, BM_SETCHECK, BST_CHECKED, 0);
  if (!CanAssociate(path, library)) EnableWindow(GetDlgItem(dialog, IDC_PROGRAM_ASSOCIATE), FALSE);
  CloseShellLibrary(&library);
  return TRUE;
}

void OnOk(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_PROGRAM_LIST);
  int row = static_cast<int>(SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0));
  if (row == -1) {
    EndDialog(dialog, IDOK);
    return;
  }
  WCHAR program[MAX_PATH];
  program[0] = 0;
  LVITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = 1;
  item.pszText = program;
  item.cchTextMax = MAX_PATH;
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));

  LPCWSTR path = g_module.programDialogPath;
  // Two characters more than a path: any path fits between its quotation marks.
  WCHAR argument[MAX_PATH + 2];
  if (IsChecked(dialog, IDC_PROGRAM_QUOTE)) {
    FormatBounded(argument, MAX_PATH + 2, TEXT("\"%s\""), path);
  } else {
    FormatBounded(argument, MAX_PATH + 2, TEXT("%s"), path);
  }
  // A disabled box keeps the state it had when it was disabled, which is off.
  if (IsChecked(dialog, IDC_PROGRAM_ASSOCIATE)) {
    AssociateProgram(dialog, path, program, IsChecked(dialog, IDC_PROGRAM_QUOTE));
  }

  StartProgram(program, argument);
  EndDialog(dialog, IDOK);
}

BOOL OnCommand(HWND dialog, WORD id) {
  switch (id) {
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL OnNotify(HWND dialog, int control, const NMHDR* header) {
  if (header->code == static_cast<UINT>(NM_RECOGNIZEGESTURE)) {
    SetWindowLongW(dialog, DWL_MSGRESULT, 1);
    return TRUE;
  }
  // A single tap on the list acts at once, exactly as the Open button does.
  if (header->code == static_cast<UINT>(NM_CLICK) && control == IDC_PROGRAM_LIST) {
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  }
  return FALSE;
}

INT_PTR CALLBACK ProgramDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<LPCWSTR>(lParam));
    case WM_NOTIFY:
      return OnNotify(dialog, static_cast<int>(wParam), reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowProgramDialog(HWND owner, LPCWSTR path) {
  RunModalDialog(IDD_PROGRAM, owner, ProgramDialogProc, reinterpret_cast<LPARAM>(path));
}

// The Open with Parameters dialog: the program's name as its caption, a field for the
// parameters, and the program started with them on OK.
#include "dialogs/modal_dialog.h"
#include "dialogs/file_dialogs.h"

#include "dialogs/path_name.h"
#include "dialogs/program_start.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

BOOL OnInitDialog(HWND dialog, LPCWSTR path) {
  g_module.parametersPath = path;
  SetWindowTextW(dialog, FileNameOf(path));
  // The field takes no more than the parameters buffer holds, so what the user typed is what the
  // program gets.
  SendDlgItemMessageW(dialog, IDC_PARAMETERS, EM_LIMITTEXT, MAX_PATH - 1, 0);
  return TRUE;  // the platform gives the focus to the parameter field
}

void OnOk(HWND dialog) {
  WCHAR parameters[MAX_PATH];
  parameters[0] = 0;
  GetWindowTextW(GetDlgItem(dialog, IDC_PARAMETERS), parameters, MAX_PATH);
  StartProgram(g_module.parametersPath, parameters);
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

INT_PTR CALLBACK ParametersDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<LPCWSTR>(lParam));
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam));
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShowParametersDialog(HWND owner, LPCWSTR path) {
  RunModalDialog(IDD_PARAMETERS, owner, ParametersDialogProc, reinterpret_cast<LPARAM>(path));
}

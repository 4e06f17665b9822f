// The module's modal dialogs, run from their templates in the module's resources.
#include "dialogs/modal_dialog.h"

#include "module/module_state.h"
#include "resources/strings.h"

INT_PTR RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, LPARAM parameter) {
  LPCVOID dialogTemplate = GetDialogTemplate(templateId);
  if (dialogTemplate == NULL) return -1;
  return DialogBoxIndirectParamW(g_module.instance, static_cast<LPCDLGTEMPLATEW>(dialogTemplate), owner, procedure,
                                 parameter);
}

// Running one of the module's dialog templates modally.
#ifndef FOLDWISE_DIALOGS_MODAL_DIALOG_H
#define FOLDWISE_DIALOGS_MODAL_DIALOG_H

#include "ceplatform.h"

// Runs the template with the given identifier modally on the owner, with the procedure and the
// initialisation parameter; the dialog's end code, or -1 when the module has no such template.
INT_PTR RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, LPARAM parameter);

#endif

// The device shell's set-up of a dialog that fills the screen with a Done button on its caption.
#ifndef FOLDWISE_DIALOGS_FULL_SCREEN_DIALOG_H
#define FOLDWISE_DIALOGS_FULL_SCREEN_DIALOG_H

#include "ceplatform.h"

// Called from WM_INITDIALOG: sizes the dialog to the screen, puts the Done (OK) button on its
// caption and gives it an empty menu bar.
void InitFullScreenDialog(HWND dialog);

#endif

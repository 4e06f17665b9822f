// The pane's context menu: "Show Extension", "Preview Image", "Change Style" and "Change
// Folder", added once to the host's menu, with their marks set at every opening.
#ifndef FOLDWISE_VIEW_PANE_CONTEXT_MENU_H
#define FOLDWISE_VIEW_PANE_CONTEXT_MENU_H

#include "ceplatform.h"

// A pop-up menu of the pane opens. Only the host's pane context menu, recognised by its item at
// position 1 against the shell's own menu, gets the entries.
void OnPanePopupOpens(HMENU popup);

#endif

// The Explorer's message loop. Modeless dialogs owned by the frame window (the Explorer's own, and
// those its extensions open for it) get the dialog manager's keyboard handling through
// IsDialogMessageW, as in any host; every other message is translated and dispatched.
#ifndef FEXPLORE_MESSAGE_LOOP_H
#define FEXPLORE_MESSAGE_LOOP_H

#include "ceplatform.h"

// Hands one message to the frame's modeless dialog it belongs to, or translates and dispatches it.
void RouteExplorerMessage(HWND frame, MSG* msg);

// Runs the loop until WM_QUIT; returns the exit code that it carries.
int RunExplorerMessageLoop(HWND frame);

#endif

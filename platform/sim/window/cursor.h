// The cursor: the device's own cursors (arrow, wait, ...) and the one currently shown, with a
// count of the changes for automation to read.
#ifndef CESIM_WINDOW_CURSOR_H
#define CESIM_WINDOW_CURSOR_H

#include "sim/types.h"

namespace cesim::detail {

HCURSOR CurrentCursor();
// How many times SetCursor changed the shown cursor since boot.
int CursorChanges();
// The identifier (32512 for the arrow, 32514 for the wait cursor) of one of the device's
// cursors; 0 for other handles.
int CursorResourceId(HCURSOR cursor);
void ResetCursor();

}  // namespace cesim::detail

#endif

// What the dialog manager keeps for each dialog window: its base units, the control that had the
// focus when it was deactivated, its default button, whether EndDialog has ended it and with
// which result, and the owner that a modal dialog disabled.
#ifndef CESIM_DIALOG_STATE_H
#define CESIM_DIALOG_STATE_H

#include <memory>

#include "sim/types.h"

namespace cesim::detail {

struct DialogState {
  int baseX = 0;
  int baseY = 0;
  HWND savedFocus = nullptr;
  int defaultId = 0;           // 0: none set with DM_SETDEFID
  bool ended = false;
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;
};

// The state of a dialog window; created on first use for windows of other classes that use
// the default dialog procedure. Null for handles that are not windows.
std::shared_ptr<DialogState> DialogStateOf(HWND hwnd);
// The state of a window the dialog manager made, without creating one.
std::shared_ptr<DialogState> ExistingDialogState(HWND hwnd);

// Gives the focus to a dialog control, selecting all of an edit control's text as the dialog
// manager does when it moves the focus itself.
void SetDialogFocus(HWND control);

}  // namespace cesim::detail

#endif

// Message boxes as automation sees them: the boxes shown now and every box shown since boot with
// the button that answered it.
#ifndef CESIM_MESSAGE_BOX_MESSAGE_BOX_H
#define CESIM_MESSAGE_BOX_MESSAGE_BOX_H

#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

struct MessageBoxShown {
  HWND window = nullptr;  // null once the box is gone
  HWND owner = nullptr;
  std::u16string caption;
  std::u16string text;
  UINT type = 0;              // the uType given
  std::vector<int> buttons;   // IDOK ... IDNO, from the left
  int defaultButton = 0;
  int result = 0;             // the button that ended it; 0 while it shows (or when it stalled)
};

// Every box since boot, the first shown first.
const std::vector<MessageBoxShown>& MessageBoxHistory();
// The box shown in a window, or null.
const MessageBoxShown* MessageBoxOf(HWND window);

// Message boxes go with the device.
void ResetMessageBoxes(Phase phase);

}  // namespace cesim::detail

#endif

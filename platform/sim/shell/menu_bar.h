// The shell's menu bar along the bottom of the screen ("menu_worker"), as SHInitDialog gives an
// empty one to a dialog: a window owned by the dialog that goes with it.
#ifndef CESIM_SHELL_MENU_BAR_H
#define CESIM_SHELL_MENU_BAR_H

#include "sim/types.h"

namespace cesim::detail {

// The class, registered at boot with the device's other classes.
void RegisterMenuBarClass();
// A menu bar without commands across the bottom of the work area, owned by `owner`; shown without
// taking the activation. Null when it cannot be made.
HWND CreateEmptyMenuBar(HWND owner);

}  // namespace cesim::detail

#endif

// The part of the screen that the shell gives applications: the screen below the taskbar (the
// navigation bar at its top), and the height of the shell's menu bar at its bottom.
#ifndef CESIM_SHELL_WORK_AREA_H
#define CESIM_SHELL_WORK_AREA_H

#include "sim/types.h"

namespace cesim::detail {

// The screen below a taskbar of [screen] taskbar pixels (none unless the image names one).
RECT ShellWorkArea();

// The shell's menu bar: 26 pixels high on a 96-dpi screen, across the bottom of the work area.
constexpr int kMenuBarHeight = 26;

}  // namespace cesim::detail

#endif

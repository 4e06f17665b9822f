// The toolbar control, class "ToolbarWindow32", and the command bar built on it: what the command
// bar functions and cesim's automation use beyond the control's messages (the menu bar a command
// bar holds and where its items lie).
#ifndef CESIM_CONTROLS_TOOLBAR_TOOLBAR_H
#define CESIM_CONTROLS_TOOLBAR_TOOLBAR_H

#include <vector>

#include "sim/types.h"

namespace cesim::detail {

// Registers the class; each boot does this for the device's own classes.
void RegisterToolbarClass();

bool IsToolbar(HWND hwnd);

// The parts of a shown button, client coordinates: the main part, and the drop-down arrow's part
// (empty unless the button is a drop-down button whose arrow is drawn apart). False when no shown
// button has the command.
bool ToolbarButtonParts(HWND toolbar, int command, RECT* main, RECT* arrow);

// Inserts a menu bar as one button before button `before` (at the end when there is no such
// button). With `owned`, the toolbar destroys the menu when it goes. False when the toolbar has a
// menu bar already.
bool InsertToolbarMenuBar(HWND toolbar, HMENU menu, bool owned, UINT before);
// The menu bar's menu and the index of its button; null when the toolbar has none.
HMENU ToolbarMenuBar(HWND toolbar, int* button);
// Where the menu bar's items lie, client coordinates, one per item of its menu.
std::vector<RECT> ToolbarMenuBarItems(HWND toolbar);

}  // namespace cesim::detail

#endif

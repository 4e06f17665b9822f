// The menu loop: a pop-up menu tracked with TrackPopupMenu(Ex) or a command bar's menu bar with
// one of its pop-up menus open. It runs modally, as the platform's does: it sends the owner
// WM_ENTERMENULOOP, WM_INITMENUPOPUP for each pop-up menu as it opens and WM_EXITMENULOOP, takes
// the stylus and the keys itself, dispatches every other message, and posts the chosen command.
// Automation reads the open levels while the loop waits for the user.
#ifndef CESIM_MENU_TRACKING_H
#define CESIM_MENU_TRACKING_H

#include <vector>

#include "sim/types.h"

namespace cesim::detail {

// One open level of the running menu loop, as the user sees it.
struct OpenMenuLevel {
  HMENU menu = nullptr;
  bool bar = false;          // a command bar's menu bar, the first level of a menu-bar loop
  RECT rect = {0, 0, 0, 0};  // screen coordinates
  std::vector<RECT> items;   // one per item, screen coordinates
  int selected = -1;         // the highlighted item, -1 for none
};

// The levels of the running loop, the outermost first; empty when no menu loop runs.
std::vector<OpenMenuLevel> OpenMenuLevels();

// The loop of TrackPopupMenuEx, with its checks and its result.
BOOL TrackPopupMenuLoop(HMENU menu, UINT flags, POINT at, HWND owner, const RECT* exclude);

// The loop of a menu bar whose items lie at `items` (screen coordinates), started by the user's
// tap on the item at `position`; messages go to `owner`. A command item of the bar is chosen
// at once; a pop-up item opens its pop-up menu.
void TrackMenuBar(HMENU bar, const std::vector<RECT>& items, UINT position, HWND owner);

}  // namespace cesim::detail

#endif

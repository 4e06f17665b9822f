// The Explorer frame's menu bar: "File" (Close), "View" (Refresh, Show All Files, Redisplay) and
// "Go", the path history pop-up: "Up One Level" first, then the path history, the most recent
// folder first. Choosing a history entry goes to that folder.
#ifndef FEXPLORE_FRAME_MENUS_H
#define FEXPLORE_FRAME_MENUS_H

#include "ceplatform.h"
#include "path_history.h"

#define CMD_CLOSE 21001
#define CMD_REFRESH 21002           // list the folder again
#define CMD_SHOW_ALL 21003          // show all files: flips "ViewAll", then lists anew
#define CMD_REDISPLAY 21004         // show the list anew with the current settings
#define CMD_UP_ONE_LEVEL 210        // the parent folder; the first item of the history pop-up
#define CMD_HISTORY_FIRST 211       // the history entries, in the pop-up's order
#define CMD_HISTORY_LAST (CMD_HISTORY_FIRST + PATH_HISTORY_MAX - 1)

struct FrameMenus {
  HMENU bar;
  HMENU view;
  HMENU history;
};

// Builds the menu bar and its pop-ups; FALSE (nothing left behind) when a menu cannot be made.
BOOL BuildFrameMenus(FrameMenus* menus);

// Sets the View pop-up's marks from the settings (21003 while "ViewAll" is set).
void UpdateViewPopup(HMENU view);

// Fills the history pop-up anew: every item after "Up One Level" is replaced by the entries.
void FillHistoryPopup(HMENU history, const PathHistory& entries);

#endif

// The module's own command identifiers, in the menus that it adds to the Explorer's windows.
#ifndef FOLDWISE_VIEW_COMMANDS_H
#define FOLDWISE_VIEW_COMMANDS_H

#include "ceplatform.h"

#define CMD_SHOW_EXTENSION 0xF000       // 61440: toggle "ShowExt" and redisplay
#define CMD_STYLE_DETAIL 0xF001         // 61441: report view without header
#define CMD_STYLE_DETAIL_HEADER 0xF002  // 61442: report view with header
#define CMD_STYLE_ICON 0xF003           // 61443: icon view
#define CMD_PREVIEW_IMAGE 0xF004        // 61444: toggle "Preview"
#define CMD_CHANGE_FOLDER 0xF010        // 61456: open the Change Folder dialog

// Delete Path items: 0xF000 plus the character code of a path history letter "a" to "j".
#define CMD_DELETE_PATH_BASE 0xF000
#define CMD_DELETE_PATH_FIRST (CMD_DELETE_PATH_BASE + 'a')  // 61537
#define CMD_DELETE_PATH_LAST (CMD_DELETE_PATH_BASE + 'j')   // 61546

// The overlay window's control identifier; its tap arrives at the frame as this command.
#define OVERLAY_CONTROL_ID 0xFFF0  // 65520

// The preview timer on the pane window.
#define PREVIEW_TIMER_ID 1
#define PREVIEW_DELAY_MS 300

// List style values: the list view's style bits within LIST_STYLE_MASK.
#define LIST_STYLE_DETAIL (LVS_REPORT | LVS_NOCOLUMNHEADER)  // 0x4001
#define LIST_STYLE_DETAIL_HEADER LVS_REPORT                  // 0x0001
#define LIST_STYLE_ICON (LVS_ICON | LVS_NOCOLUMNHEADER)      // 0x4000

#endif

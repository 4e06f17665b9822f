// What the module relies on the host Explorer for: its program, its window classes, messages,
// commands and menu identifiers, the layout of its list item records and its registry keys.
#ifndef FOLDWISE_HOST_CONTRACT_H
#define FOLDWISE_HOST_CONTRACT_H

#include "ceplatform.h"

// The one process the module agrees to live in (compared without letter case).
#define HOST_PROGRAM_PATH TEXT("\\Windows\\fexplore.exe")
#define HOST_PROGRAM_NAME TEXT("fexplore.exe")

// The frame window, found by class name, and its child control that places the folder pop-up.
#define HOST_FRAME_CLASS TEXT("FEXPLORE")
#define HOST_FRAME_PATH_CONTROL 300

// Sent to the frame window: wParam 0, lParam the terminated path of the folder to show.
#define HOST_MSG_NAVIGATE 5237

// Commands of the frame window and the pane window.
#define HOST_CMD_VIEW_FIRST 21002      // first item of the host's View pop-up
#define HOST_CMD_SHOW_ALL 21003        // show all files (hidden ones too)
#define HOST_CMD_REFRESH_VIEW 21004    // show the list anew with the current settings
#define HOST_CMD_FOLDER 301            // the host's folder command
#define HOST_CMD_REFILL_LIST 28006     // the pane refills its list
#define HOST_MENU_HISTORY_FIRST 210    // first item of the path history pop-up

// The host's item record, the lParam of every list item.
#define HOST_ITEM_ATTRIBUTES_OFFSET 10  // 32-bit file attributes
#define HOST_ITEM_PATH_OFFSET 26        // the path, when the character here is "\"
#define HOST_ITEM_PATH_OFFSET_ALT 30    // else the path starts here

// The Explorer's registry keys.
#define HOST_KEY_MACHINE TEXT("Explorer")                                // under HKEY_LOCAL_MACHINE
#define HOST_KEY_USER TEXT("Software\\Microsoft\\File Explorer")         // under HKEY_CURRENT_USER
#define HOST_KEY_HISTORY TEXT("Software\\Microsoft\\File Explorer\\DialogMRU")

#endif

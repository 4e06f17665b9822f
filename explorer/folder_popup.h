// The Explorer's folder pop-up (its folder command 301 and the drop-down arrow of the toolbar's
// first button): "\\" for the network folder that the Explorer showed last, then the current
// folder and each folder above it, the root first. Choosing one goes there.
#ifndef FEXPLORE_FOLDER_POPUP_H
#define FEXPLORE_FOLDER_POPUP_H

#include "ceplatform.h"

#define CMD_FOLDER 301
#define CMD_FOLDER_NETWORK 256          // "\\": the stored network folder (greyed without one)
#define CMD_FOLDER_FIRST_ANCESTOR 257   // the root, then each folder down to the current one
#define FOLDER_POPUP_MAX_ANCESTORS 32

// Shows the pop-up at a screen point, owned by the frame; when the user chooses a folder, writes
// it into `chosen` (MAX_PATH characters) and returns TRUE.
BOOL TrackFolderPopup(HWND frame, LPCWSTR currentFolder, POINT at, WCHAR* chosen);

#endif

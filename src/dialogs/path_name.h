// The file name of a path, as the dialogs show it in their captions and rows.
#ifndef FOLDWISE_DIALOGS_PATH_NAME_H
#define FOLDWISE_DIALOGS_PATH_NAME_H

#include "ceplatform.h"

// The text after the path's last "\", or the whole path when it has none (as for ":NAME").
LPCWSTR FileNameOf(LPCWSTR path);

#endif

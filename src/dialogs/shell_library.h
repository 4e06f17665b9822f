// The path tests of the device's shell library, which exports them by number only.
#ifndef FOLDWISE_DIALOGS_SHELL_LIBRARY_H
#define FOLDWISE_DIALOGS_SHELL_LIBRARY_H

#include "ceplatform.h"

// TRUE when the path names a shortcut file, as the shell library's shortcut test (export 38)
// says. Where the device has no shell library, or it lacks the export, a shortcut is what the
// shell writes one as: a file whose name ends in ".lnk", in any letter case.
BOOL PathIsShortcut(LPCWSTR path);

#endif

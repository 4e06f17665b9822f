// Making a program the open command of a file's type under HKEY_CLASSES_ROOT.
#ifndef FOLDWISE_DIALOGS_PROGRAM_ASSOCIATION_H
#define FOLDWISE_DIALOGS_PROGRAM_ASSOCIATION_H

#include "ceplatform.h"

// Points the extension of `path` (from its last ".") at the type "<extension>-file" and makes
// `program` that type's open command, the file placeholder quoted when `quoteFile` says so. When
// the extension's type already has an open command the user is asked first, owned by `dialog`;
// any answer but Yes writes nothing. Names and commands that do not fit their buffers are not
// written at all, never cut.
void AssociateProgram(HWND dialog, LPCWSTR path, LPCWSTR program, BOOL quoteFile);

#endif

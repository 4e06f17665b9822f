// The module's resources in place: strings as read-only pointers into the string table (each
// stored with its terminator) and dialog templates for the indirect dialog functions.
#ifndef FOLDWISE_RESOURCES_STRINGS_H
#define FOLDWISE_RESOURCES_STRINGS_H

#include "ceplatform.h"

// The terminated string with the given identifier, valid for the life of the module; an empty
// text when the module has no such string.
LPCWSTR GetResourceString(UINT id);

// The dialog template with the given identifier, or null.
LPCVOID GetDialogTemplate(UINT id);

#endif

// Formatting texts into the module's fixed buffers without overflow and without cutting: a path
// cut short names another file, so a text that does not fit is refused instead.
#ifndef FOLDWISE_MODULE_BOUNDED_FORMAT_H
#define FOLDWISE_MODULE_BOUNDED_FORMAT_H

#include "ceplatform.h"

// Formats into `buffer` of `capacity` characters, terminator included. TRUE when the whole text
// and its terminator fit; otherwise FALSE with `buffer` empty.
BOOL FormatBounded(WCHAR* buffer, int capacity, LPCWSTR format, ...);

// Copies `text` into `buffer` of `capacity` characters, cut to capacity - 1 characters and always
// terminated: for texts that are shown or passed on, never for paths.
void CopyCut(WCHAR* buffer, int capacity, LPCWSTR text);

#endif

// The shell of Windows CE as its SDK declares it: the calls of the shell library (aygshell) and
// the shell calls of the core library, each in a block of its own.
#ifndef CESIM_FACE_SHELL_H
#define CESIM_FACE_SHELL_H

#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Image loading (aygshell).

// Reads an image file (BMP, JPEG, PNG or GIF) and gives a new bitmap of its picture, or null when
// the file cannot be read as an image. The caller deletes the bitmap with DeleteObject.
CESIM_API HBITMAP WINAPI SHLoadImageFile(LPCTSTR pszFileName);

#endif

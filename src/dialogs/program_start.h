// Starting a program through the shell, as the dialogs' OK does.
#ifndef FOLDWISE_DIALOGS_PROGRAM_START_H
#define FOLDWISE_DIALOGS_PROGRAM_START_H

#include "ceplatform.h"

// ShellExecuteEx with only the file and its parameters set; whatever the shell reports of a
// failure is the shell's own.
void StartProgram(LPCWSTR file, LPCWSTR parameters);

#endif

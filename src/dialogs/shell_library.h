// The shell library's path functions, which it exports by number only: the program test, the
// shortcut test and the command clean-up.
#ifndef FOLDWISE_DIALOGS_SHELL_LIBRARY_H
#define FOLDWISE_DIALOGS_SHELL_LIBRARY_H

#include "ceplatform.h"

struct ShellLibrary {
  HMODULE module;
  CESHELL_PATHISPROGRAM isProgram;
  CESHELL_PATHISSHORTCUT isShortcut;
  CESHELL_CLEANCOMMAND cleanCommand;
};

// Loads the library and looks its three functions up. FALSE, with every member null, when the
// device lacks the library or any of them; the caller then knows no programs and no shortcuts.
BOOL OpenShellLibrary(ShellLibrary* library);
void CloseShellLibrary(ShellLibrary* library);

// The program test and the shortcut test; FALSE without the library.
BOOL NamesProgram(const ShellLibrary& library, LPCWSTR path);
BOOL NamesShortcut(const ShellLibrary& library, LPCWSTR path);

#endif

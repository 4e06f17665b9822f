// Looking the shell library's numbered exports up.
#include "dialogs/shell_library.h"

namespace {

void Clear(ShellLibrary* library) {
  library->module = NULL;
  library->isProgram = NULL;
  library->isShortcut = NULL;
  library->cleanCommand = NULL;
}

// Through a generic pointer: the functions' own types differ from FARPROC's.
void* Export(HMODULE module, int ordinal) {
  return reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEW(ordinal)));
}

}  // namespace

BOOL OpenShellLibrary(ShellLibrary* library) {
  Clear(library);
  HMODULE module = LoadLibraryW(TEXT("ceshell.dll"));
  if (module == NULL) return FALSE;
  library->isProgram = reinterpret_cast<CESHELL_PATHISPROGRAM>(Export(module, CESHELL_ORDINAL_PATHISPROGRAM));
  library->isShortcut = reinterpret_cast<CESHELL_PATHISSHORTCUT>(Export(module, CESHELL_ORDINAL_PATHISSHORTCUT));
  library->cleanCommand = reinterpret_cast<CESHELL_CLEANCOMMAND>(Export(module, CESHELL_ORDINAL_CLEANCOMMAND));
  if (library->isProgram == NULL || library->isShortcut == NULL || library->cleanCommand == NULL) {
    FreeLibrary(module);
    Clear(library);
    return FALSE;
  }
  library->module = module;
  return TRUE;
}

void CloseShellLibrary(ShellLibrary* library) {
  if (library->module != NULL) FreeLibrary(library->module);
  Clear(library);
}

BOOL NamesProgram(const ShellLibrary& library, LPCWSTR path) {
  return library.isProgram != NULL && library.isProgram(path);
}

BOOL NamesShortcut(const ShellLibrary& library, LPCWSTR path) {
  return library.isShortcut != NULL && library.isShortcut(path);
}

// The file name of a path.
#include "dialogs/path_name.h"

LPCWSTR FileNameOf(LPCWSTR path) {
  const WCHAR* slash = wcsrchr(path, TEXT('\\'));
  return slash != NULL ? slash + 1 : path;
}

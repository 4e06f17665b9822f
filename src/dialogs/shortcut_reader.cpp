// The shortcut reader, through the run-time's wide text streams: it takes exactly what they
// decode from a file that the shell wrote.
#include "dialogs/shortcut_reader.h"

BOOL ReadShortcutTarget(LPCWSTR path, WCHAR* buffer, int capacity) {
  if (buffer == NULL || capacity <= 0) return FALSE;
  buffer[0] = 0;
  FILE* file = _wfopen(path, TEXT("r"));
  if (file == NULL) return FALSE;
  int count = 0;  // read and discarded: it need not match the command
  BOOL read = FALSE;
  if (fwscanf(file, TEXT("%d#"), &count) != 0) {
    read = fgetws(buffer, capacity, file) == buffer;
    if (!read) buffer[0] = 0;  // what a failed read leaves in the buffer is not defined
  }
  fclose(file);
  return read;
}

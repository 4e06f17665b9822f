// Bounded formatting and copying into fixed buffers.
#include "module/bounded_format.h"

BOOL FormatBounded(WCHAR* buffer, int capacity, LPCWSTR format, ...) {
  if (capacity <= 0) return FALSE;
  va_list arguments;
  va_start(arguments, format);
  int written = _vsnwprintf(buffer, static_cast<size_t>(capacity), format, arguments);
  va_end(arguments);
  // A negative count, or one that leaves no room for the terminator, means the text was cut.
  if (written < 0 || written >= capacity) {
    buffer[0] = 0;
    return FALSE;
  }
  buffer[written] = 0;
  return TRUE;
}

void CopyCut(WCHAR* buffer, int capacity, LPCWSTR text) {
  if (capacity <= 0) return;
  int i = 0;
  for (; i < capacity - 1 && text[i] != 0; ++i) buffer[i] = text[i];
  buffer[i] = 0;
}

// swprintf and vswprintf with the device's meaning: no count, and in a wide format %s and %c take
// wide arguments. The system C run-time's legacy formatting has exactly that meaning; it is called
// by its own name so that neither the ISO swprintf nor mingw's own formatting stands in for it.
#include <limits.h>

#include "desktop/ce_desktop.h"

int cedesktop_vswprintf(WCHAR* buffer, const WCHAR* format, va_list arguments) {
  // The device's swprintf trusts its caller with the buffer size: the count given here is the
  // largest the run-time accepts, so the text is never cut and always terminated.
  return _vsnwprintf(buffer, static_cast<size_t>(INT_MAX), format, arguments);
}

int cedesktop_swprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int written = cedesktop_vswprintf(buffer, format, arguments);
  va_end(arguments);
  return written;
}

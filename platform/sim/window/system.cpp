// The window system's part in a device's life: every boot starts with no windows and no classes
// (the device's own classes register next, as a part of their own), the image's screen, an empty
// queue, no activation, focus or capture, the arrow cursor and the clock at 0; shutdown forgets
// all of it
// without sending a message.
#include "window/system.h"

#include "core/clock.h"
#include "message/input.h"
#include "message/queue.h"
#include "window/cursor.h"
#include "window/focus.h"
#include "window/metrics.h"
#include "window/table.h"

namespace cesim::detail {

void ResetWindowSystem(Phase) {
  ResetScreen();
  ResetSystemMetrics();
  ResetFocusState();
  ResetMessageQueue();
  ResetInput();
  ResetClock();
  ResetCursor();
  ResetWindowTable();
}

}  // namespace cesim::detail

// The window system's part in a device's life: every boot starts with no windows, only the
// device's own classes, an empty queue, no activation, focus or capture, the arrow cursor and
// the clock at 0; shutdown forgets all of it without sending a message.
#include "clock.h"
#include "input.h"
#include "message_queue.h"
#include "subsystems.h"
#include "window_cursor.h"
#include "window_focus.h"
#include "window_table.h"

namespace cesim::detail {

namespace {

void ResetWindowSystem(Phase phase) {
  ResetFocusState();
  ResetMessageQueue();
  ResetInput();
  ResetClock();
  ResetCursor();
  ResetWindowTable(phase == Phase::Boot);
}

const bool registered = RegisterSubsystem(kOrderWindows, &ResetWindowSystem);

}  // namespace

}  // namespace cesim::detail

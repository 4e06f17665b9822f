// The window system's part in a device's life: every boot starts with no windows, only the
// device's own classes, an empty queue, no activation, focus or capture, the arrow cursor and
// the clock at 0; shutdown forgets all of it without sending a message.
#include "core/clock.h"
#include "core/subsystems.h"
#include "message/input.h"
#include "message/queue.h"
#include "window/cursor.h"
#include "window/focus.h"
#include "window/table.h"

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

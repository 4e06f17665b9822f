// The gesture engine: recognising taps, double taps, holds, pans and flicks in the queued stylus
// input, the WM_GESTURE messages they become, and GetGestureInfo and CloseGestureInfoHandle on
// the handles those messages carry.
#include "message/gesture.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

#include "core/device.h"
#include "message/input.h"
#include "sim/core.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

// One touch from the stylus going down to its lifting.
struct Touch {
  DWORD session = 0;
  DWORD downTime = 0;
  POINT downPt = {0, 0};
  bool panning = false;
  uint64_t holdEvent = 0;  // the scheduled GID_HOLD; 0 once it is cancelled
  uintptr_t holdHandle = 0;
  DWORD holdTime = 0;
};

enum class HandleState { Queued, Dispatching };

struct GestureRecord {
  GESTUREINFO info = {};
  HandleState state = HandleState::Queued;
};

struct Engine {
  std::optional<Touch> touch;
  std::optional<DWORD> lastSelectTime;
  POINT lastSelectPt = {0, 0};
  DWORD nextSession = 0;
  DWORD nextSequence = 0;
  std::map<DWORD, HWND> sessionTargets;  // the window that each touch's first gesture went to
  std::map<uintptr_t, GestureRecord> handles;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

// Handles are numbered like the device's kernel handles and never reused in the process's life.
uintptr_t NewHandle() {
  static uintptr_t issued = 0;
  return 0x00E00000 + (++issued) * 4;
}

bool EngineIsPresent() { return CoreExportPresent("GetGestureInfo"); }

POINTS ToPoints(POINT pt) {
  POINTS pts;
  pts.x = static_cast<SHORT>(pt.x);
  pts.y = static_cast<SHORT>(pt.y);
  return pts;
}

// Queues one gesture at a time (now or ahead); returns the queued event's id and its handle.
uint64_t QueueGesture(DWORD id, DWORD flags, POINT pt, DWORD time, ULONGLONG arguments, DWORD session,
                      uintptr_t* handleOut = nullptr) {
  Engine& engine = TheEngine();
  uintptr_t handle = NewHandle();
  GestureRecord record;
  record.info.cbSize = sizeof(GESTUREINFO);
  record.info.dwFlags = flags;
  record.info.dwID = id;
  record.info.ptsLocation = ToPoints(pt);
  record.info.dwInstanceID = session;
  record.info.dwSequenceID = ++engine.nextSequence;
  record.info.ullArguments = arguments;
  engine.handles[handle] = record;
  InputEvent event;
  event.kind = InputEvent::Kind::Gesture;
  event.pt = pt;
  event.gestureId = id;
  event.gestureHandle = handle;
  event.gestureSession = session;
  if (handleOut != nullptr) *handleOut = handle;
  return PostInputAt(event, time);
}

// A flick's arguments: velocity in pixels per second (bits 32 to 47), direction (bits 48 to 51)
// and the angle of its travel (bits 52 to 63), counted counter-clockwise from the right with the
// screen's y axis pointing down.
ULONGLONG FlickArguments(POINT from, POINT to, DWORD milliseconds) {
  long dx = to.x - from.x;
  long dy = to.y - from.y;
  DWORD direction = ARG_SCROLL_NONE;
  if (std::labs(dx) >= std::labs(dy)) {
    direction = dx < 0 ? ARG_SCROLL_LEFT : ARG_SCROLL_RIGHT;
  } else {
    direction = dy < 0 ? ARG_SCROLL_UP : ARG_SCROLL_DOWN;
  }
  const double pi = 3.14159265358979323846;
  double angle = std::atan2(static_cast<double>(-dy), static_cast<double>(dx));
  // -2 pi to 2 pi map onto the 16-bit argument.
  DWORD angleArgument = static_cast<DWORD>(((angle + 2.0 * pi) / (4.0 * pi)) * 65536.0) & 0xFFF0;
  long velocity = static_cast<long>(PointDistance(from, to)) * 1000 / static_cast<long>(milliseconds == 0 ? 1 : milliseconds);
  if (velocity > 32767) velocity = 32767;
  ULONGLONG high = (static_cast<ULONGLONG>(angleArgument | direction) << 16) | static_cast<WORD>(velocity);
  return high << 32;
}

// Takes back the hold of a touch that moved or lifted before its time.
void CancelHold(Touch& touch) {
  if (touch.holdEvent == 0) return;
  if (CancelInput(touch.holdEvent)) TheEngine().handles.erase(touch.holdHandle);
  touch.holdEvent = 0;
}

void OnDown(const InputEvent& stylus) {
  Engine& engine = TheEngine();
  // A second press without a lift (the hardware lost the lift) starts a touch of its own.
  if (engine.touch) CancelHold(*engine.touch);
  Touch touch;
  touch.session = ++engine.nextSession;
  touch.downTime = stylus.time;
  touch.downPt = stylus.pt;
  QueueGesture(GID_BEGIN, GF_BEGIN, stylus.pt, stylus.time, 0, touch.session);
  // The hold comes by itself when the stylus stays put long enough.
  touch.holdTime = stylus.time + kHoldTimeout;
  touch.holdEvent = QueueGesture(GID_HOLD, GF_BEGIN | GF_END, stylus.pt, touch.holdTime, 0, touch.session,
                                 &touch.holdHandle);
  engine.touch = touch;
}

void OnMove(const InputEvent& stylus) {
  Engine& engine = TheEngine();
  if (!engine.touch) return;
  Touch& touch = *engine.touch;
  if (touch.panning) {
    QueueGesture(GID_PAN, 0, stylus.pt, stylus.time, 0, touch.session);
    return;
  }
  if (PointDistance(stylus.pt, touch.downPt) < kPanDistance) return;
  // Panning may follow a hold that has happened already; one still to come does not.
  if (static_cast<int32_t>(stylus.time - touch.holdTime) < 0) CancelHold(touch);
  touch.panning = true;
  QueueGesture(GID_PAN, GF_BEGIN, stylus.pt, stylus.time, 0, touch.session);
}

void OnUp(const InputEvent& stylus) {
  Engine& engine = TheEngine();
  if (!engine.touch) return;
  Touch touch = *engine.touch;
  engine.touch.reset();
  const DWORD contact = stylus.time - touch.downTime;
  const bool held = touch.holdEvent != 0 && static_cast<int32_t>(stylus.time - touch.holdTime) >= 0;
  if (!held) CancelHold(touch);
  if (touch.panning) {
    if (contact <= kFlickTimeout && PointDistance(stylus.pt, touch.downPt) >= kFlickDistance) {
      // The pan turns into a flick: its last message says so, then the flick itself.
      ULONGLONG arguments = FlickArguments(touch.downPt, stylus.pt, contact);
      QueueGesture(GID_PAN, GF_END | GF_INERTIA, stylus.pt, stylus.time, arguments, touch.session);
      QueueGesture(GID_SCROLL, GF_BEGIN | GF_END, touch.downPt, stylus.time, arguments, touch.session);
    } else {
      QueueGesture(GID_PAN, GF_END, stylus.pt, stylus.time, 0, touch.session);
    }
    engine.lastSelectTime.reset();
  } else if (!held && contact <= kSelectTimeout) {
    bool doubleTap = engine.lastSelectTime &&
                     static_cast<DWORD>(touch.downTime - *engine.lastSelectTime) <= kDoubleSelectTimeout &&
                     PointDistance(touch.downPt, engine.lastSelectPt) <= kTapTolerance;
    QueueGesture(doubleTap ? GID_DOUBLESELECT : GID_SELECT, GF_BEGIN | GF_END, stylus.pt, stylus.time, 0,
                 touch.session);
    if (doubleTap) {
      engine.lastSelectTime.reset();
    } else {
      engine.lastSelectTime = stylus.time;
      engine.lastSelectPt = stylus.pt;
    }
  } else {
    engine.lastSelectTime.reset();
  }
  QueueGesture(GID_END, GF_END, stylus.pt, stylus.time, 0, touch.session);
}

GestureRecord* RecordOf(uintptr_t handle) {
  auto& handles = TheEngine().handles;
  auto it = handles.find(handle);
  return it == handles.end() ? nullptr : &it->second;
}

}  // namespace

int PointDistance(POINT a, POINT b) {
  double dx = static_cast<double>(a.x - b.x);
  double dy = static_cast<double>(a.y - b.y);
  return static_cast<int>(std::lround(std::sqrt(dx * dx + dy * dy)));
}

void RecognizeGestures(const InputEvent& stylus) {
  if (!EngineIsPresent()) return;
  switch (stylus.kind) {
    case InputEvent::Kind::StylusDown:
      OnDown(stylus);
      break;
    case InputEvent::Kind::StylusMove:
      OnMove(stylus);
      break;
    case InputEvent::Kind::StylusUp:
      OnUp(stylus);
      break;
    default:
      break;
  }
}

bool GestureMessage(const InputEvent& event, bool deliver, MSG* msg) {
  Engine& engine = TheEngine();
  // Every gesture of a touch goes to the window that its first one went to.
  HWND target = nullptr;
  auto known = engine.sessionTargets.find(event.gestureSession);
  if (known != engine.sessionTargets.end()) {
    target = FindWindowRecord(known->second) != nullptr ? known->second : nullptr;
  } else if (event.gestureId == GID_BEGIN) {
    target = StylusTarget(event.pt);
  }
  if (deliver) {
    if (event.gestureId == GID_BEGIN) engine.sessionTargets[event.gestureSession] = target;
    if (event.gestureId == GID_END) engine.sessionTargets.erase(event.gestureSession);
  }
  GestureRecord* record = RecordOf(event.gestureHandle);
  if (target == nullptr || record == nullptr) {
    if (deliver) engine.handles.erase(event.gestureHandle);
    return false;
  }
  if (deliver) record->info.hwndTarget = target;
  *msg = MSG();
  msg->hwnd = target;
  msg->message = WM_GESTURE;
  msg->wParam = event.gestureId;
  msg->lParam = static_cast<LPARAM>(event.gestureHandle);
  msg->time = event.time;
  msg->pt = event.pt;
  return true;
}

bool BeginGestureDispatch(const MSG& msg) {
  if (msg.message != WM_GESTURE) return false;
  GestureRecord* record = RecordOf(static_cast<uintptr_t>(msg.lParam));
  if (record == nullptr || record->state != HandleState::Queued) return false;
  record->state = HandleState::Dispatching;
  return true;
}

void EndGestureDispatch(const MSG& msg) { TheEngine().handles.erase(static_cast<uintptr_t>(msg.lParam)); }

void ResetGestures() { TheEngine() = Engine(); }

}  // namespace cesim::detail

using namespace cesim::detail;

CESIM_API BOOL WINAPI GetGestureInfo(HGESTUREINFO hGestureInfo, PGESTUREINFO pGestureInfo) {
  GestureRecord* record = RecordOf(reinterpret_cast<uintptr_t>(hGestureInfo));
  // Only the handle of a gesture being dispatched is valid, and only a structure of this size.
  if (record == nullptr || record->state != HandleState::Dispatching || pGestureInfo == nullptr ||
      pGestureInfo->cbSize != sizeof(GESTUREINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *pGestureInfo = record->info;
  return TRUE;
}

CESIM_API BOOL WINAPI CloseGestureInfoHandle(HGESTUREINFO hGestureInfo) {
  GestureRecord* record = RecordOf(reinterpret_cast<uintptr_t>(hGestureInfo));
  if (record == nullptr || record->state != HandleState::Dispatching) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  TheEngine().handles.erase(reinterpret_cast<uintptr_t>(hGestureInfo));
  return TRUE;
}

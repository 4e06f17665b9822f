// The gesture engine of a device whose core library has the gesture entry points: it watches the
// stylus input as it is queued and queues the gestures it recognises (GID_BEGIN, GID_PAN,
// GID_SCROLL, GID_HOLD, GID_SELECT, GID_DOUBLESELECT, GID_END) ahead of the stylus messages they
// belong to; and the gesture information handles behind GetGestureInfo, valid only while their
// WM_GESTURE is being dispatched.
#ifndef CESIM_MESSAGE_GESTURE_H
#define CESIM_MESSAGE_GESTURE_H

#include "message/queue.h"
#include "sim/message.h"

namespace cesim::detail {

// The recognizer's limits: the platform's default gesture metrics where they are documented
// (timeouts in milliseconds; the flick distance of 198/1000 inch is 19 pixels at 96 dots per
// inch), cesim's choice for the distances the documentation leaves open.
constexpr DWORD kFlickTimeout = 250;        // longest touch that can be a flick
constexpr DWORD kHoldTimeout = 901;         // shortest touch that is a hold
constexpr DWORD kSelectTimeout = 900;       // longest touch that is a tap
constexpr DWORD kDoubleSelectTimeout = 350; // longest time from one tap to the next of a double tap
constexpr int kFlickDistance = 19;          // shortest travel of a flick, in pixels
constexpr int kPanDistance = 5;             // travel at which a touch starts to pan (cesim's choice)
constexpr int kTapTolerance = 5;            // how far apart the two taps of a double tap may be

// How far apart two stylus points are, in whole pixels.
int PointDistance(POINT a, POINT b);

// Called by the queue for every stylus event before it is queued: queues the gestures that come
// before it (and schedules or cancels the hold of a touch).
void RecognizeGestures(const InputEvent& stylus);

// The WM_GESTURE message of a gesture event now; with `deliver`, the touch's target is settled
// and the handle's details name it. False when the touch has no window to go to.
bool GestureMessage(const InputEvent& event, bool deliver, MSG* msg);

// DispatchMessageW of a WM_GESTURE: the handle in lParam is valid from the start of the dispatch
// that delivers it until that dispatch returns.
bool BeginGestureDispatch(const MSG& msg);
void EndGestureDispatch(const MSG& msg);

void ResetGestures();

}  // namespace cesim::detail

#endif

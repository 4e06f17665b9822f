// Touch gestures as a Windows CE 6.5 device's gesture engine delivers them: WM_GESTURE ahead of
// the stylus messages of a tap, a double tap, a hold, a pan and a flick; the gesture information
// handle valid only while its message is dispatched; unhandled gestures going to the parent; and
// SHRecognizeGesture, the shell's tap-and-hold recognizer. These are the device's own; desktop
// Windows has neither of them in this form (Gesture Commands, GESTUREINFO, WM_GESTURE and
// SHRecognizeGesture in the Windows Embedded CE 6.0 reference).
#include <gtest/gtest.h>

#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::Code;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

// What the window's procedure read of each gesture while it was dispatched.
struct GestureSeen {
  WPARAM id = 0;
  HGESTUREINFO handle = nullptr;
  BOOL read = FALSE;
  GESTUREINFO info = {};
  DWORD time = 0;
};
std::vector<GestureSeen> gestures;
// Whether the window's procedure handles gestures itself (else they go to DefWindowProcW).
bool handleGestures = true;
// The window closes each gesture's handle after reading it.
bool closeHandles = false;
BOOL closeResult = FALSE;

// Calls SHRecognizeGesture on presses of the stylus and of Enter, with these flags.
DWORD recognizeFlags = 0;
bool recognizeOnPress = false;
std::vector<DWORD> recognized;
std::vector<DWORD> recognizedAt;
LRESULT notifyAnswer = 0;

LRESULT CALLBACK GestureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  foldwise_test::MessageRecorder* recorder = foldwise_test::MessageRecorder::Active();
  if (message == WM_GESTURE && handleGestures) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    GestureSeen g;
    g.id = wParam;
    g.handle = reinterpret_cast<HGESTUREINFO>(lParam);
    g.info.cbSize = sizeof g.info;
    g.read = GetGestureInfo(g.handle, &g.info);
    g.time = static_cast<DWORD>(GetMessageTime());
    if (closeHandles) closeResult = CloseGestureInfoHandle(g.handle);
    gestures.push_back(g);
    return 1;
  }
  if (recognizeOnPress && (message == WM_LBUTTONDOWN || (message == WM_KEYDOWN && wParam == VK_RETURN))) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    SHRGINFO info = {};
    info.cbSize = sizeof info;
    info.hwndClient = hwnd;
    info.ptDown = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_KEYDOWN) info.ptDown = {5, 5};
    info.dwFlags = recognizeFlags;
    recognized.push_back(SHRecognizeGesture(&info));
    recognizedAt.push_back(cesim::Now());
    return 0;
  }
  if (message == WM_NOTIFY) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    return notifyAnswer;
  }
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

class GestureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gestures.clear();
    handleGestures = true;
    closeHandles = false;
    closeResult = FALSE;
    recognizeFlags = 0;
    recognizeOnPress = false;
    recognized.clear();
    recognizedAt.clear();
    notifyAnswer = 0;
  }

  void Boot() {
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &GestureProc;
    cls.lpszClassName = u"Gestures";
    ASSERT_NE(RegisterClassW(&cls), 0);
  }

  // A top-level window at 20,20 of 200 x 200 pixels, and a child of it at 10,10 of 100 x 100 in
  // its client area (screen 30,30 to 130,130).
  void Windows(MessageRecorder& recorder) {
    parent = CreateWindowExW(0, u"Gestures", u"", WS_POPUP | WS_VISIBLE, 20, 20, 200, 200, nullptr, nullptr, nullptr,
                             nullptr);
    child = CreateWindowExW(0, u"Gestures", u"", WS_CHILD | WS_VISIBLE, 10, 10, 100, 100, parent,
                            reinterpret_cast<HMENU>(7), nullptr, nullptr);
    recorder.Name(parent, "parent");
    recorder.Name(child, "child");
    recorder.Flush();
  }

  foldwise_test::BootedDevice device;
  HWND parent = nullptr;
  HWND child = nullptr;
};

TEST_F(GestureTest, ATapIsSelectBetweenBeginAndEndEachAheadOfItsStylusMessage) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_GESTURE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  cesim::Tap({40, 50});
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_GESTURE, GID_BEGIN, Any(), 0},
      {"child", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), 0},
      {"child", WM_GESTURE, GID_SELECT, Any(), 0},
      {"child", WM_GESTURE, GID_END, Any(), 0},
      {"child", WM_LBUTTONUP, 0, MAKELPARAM(10, 20), 0},
  }));
  ASSERT_EQ(gestures.size(), 3u);
  for (const GestureSeen& g : gestures) {
    EXPECT_TRUE(g.read);
    EXPECT_EQ(g.info.cbSize, sizeof(GESTUREINFO));
    EXPECT_EQ(g.info.dwID, g.id);
    EXPECT_EQ(g.info.hwndTarget, child);
    EXPECT_EQ(g.info.ptsLocation.x, 40);  // screen coordinates
    EXPECT_EQ(g.info.ptsLocation.y, 50);
    EXPECT_EQ(g.info.ullArguments, 0u);
    EXPECT_EQ(g.info.cbExtraArguments, 0u);
    EXPECT_EQ(g.info.dwInstanceID, gestures[0].info.dwInstanceID);  // one touch
  }
  EXPECT_EQ(gestures[0].info.dwFlags, static_cast<DWORD>(GF_BEGIN));
  EXPECT_EQ(gestures[1].info.dwFlags, static_cast<DWORD>(GF_BEGIN | GF_END));  // a gesture of one message
  EXPECT_EQ(gestures[2].info.dwFlags, static_cast<DWORD>(GF_END));
  EXPECT_LT(gestures[0].info.dwSequenceID, gestures[1].info.dwSequenceID);
  EXPECT_LT(gestures[1].info.dwSequenceID, gestures[2].info.dwSequenceID);
}

TEST_F(GestureTest, TheHandleIsValidOnlyWhileItsMessageIsDispatched) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Tap({40, 50});
  ASSERT_FALSE(gestures.empty());
  GESTUREINFO info = {};
  info.cbSize = sizeof info;
  info.dwID = 0xBEEF;
  SetLastError(0);
  EXPECT_FALSE(GetGestureInfo(gestures[0].handle, &info));  // its dispatch has returned
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(info.dwID, 0xBEEFu);  // not written
}

TEST_F(GestureTest, AGestureTakenButNotYetDispatchedHasNoDetailsYet) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  // The application's own loop waits; the user taps meanwhile.
  cesim::WhenIdle([] { cesim::Tap({40, 50}); });
  MSG msg;
  ASSERT_TRUE(GetMessageW(&msg, nullptr, 0, 0));
  ASSERT_EQ(msg.message, static_cast<UINT>(WM_GESTURE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(GID_BEGIN));
  EXPECT_EQ(msg.hwnd, child);
  GESTUREINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetGestureInfo(reinterpret_cast<HGESTUREINFO>(msg.lParam), &info));
  DispatchMessageW(&msg);
  ASSERT_EQ(gestures.size(), 1u);
  EXPECT_TRUE(gestures[0].read);
  // Dispatching the same message again finds its handle gone.
  DispatchMessageW(&msg);
  ASSERT_EQ(gestures.size(), 2u);
  EXPECT_FALSE(gestures[1].read);
}

// Asks for a gesture's details with structures of the wrong size from inside the dispatch.
struct SizeProbe {
  static BOOL tooSmall, tooLarge, noStructure, right;
  static DWORD untouchedId;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GESTURE && wParam == GID_BEGIN) {
      HGESTUREINFO handle = reinterpret_cast<HGESTUREINFO>(lParam);
      GESTUREINFO info = {};
      info.cbSize = sizeof info - 1;
      info.dwID = 0xBEEF;
      tooSmall = GetGestureInfo(handle, &info);
      untouchedId = info.dwID;
      info.cbSize = sizeof info + 1;
      tooLarge = GetGestureInfo(handle, &info);
      noStructure = GetGestureInfo(handle, nullptr);
      info.cbSize = sizeof info;
      right = GetGestureInfo(handle, &info);
      return 1;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};
BOOL SizeProbe::tooSmall = TRUE, SizeProbe::tooLarge = TRUE, SizeProbe::noStructure = TRUE, SizeProbe::right = FALSE;
DWORD SizeProbe::untouchedId = 0;

TEST_F(GestureTest, DetailsNeedAStructureOfTheDevicesSizeAndAHandleOfAGesture) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  SetWindowLongW(child, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SizeProbe::Proc));
  cesim::Tap({40, 50});
  EXPECT_FALSE(SizeProbe::tooSmall);
  EXPECT_EQ(SizeProbe::untouchedId, 0xBEEFu);
  EXPECT_FALSE(SizeProbe::tooLarge);
  EXPECT_FALSE(SizeProbe::noStructure);
  EXPECT_TRUE(SizeProbe::right);
  GESTUREINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetGestureInfo(nullptr, &info));
  EXPECT_FALSE(GetGestureInfo(reinterpret_cast<HGESTUREINFO>(0x1234), &info));
  EXPECT_FALSE(CloseGestureInfoHandle(nullptr));
}

TEST_F(GestureTest, AClosedHandleGivesNoMoreDetails) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  closeHandles = true;
  cesim::Tap({40, 50});
  EXPECT_TRUE(closeResult);
  ASSERT_FALSE(gestures.empty());
  GESTUREINFO info = {};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetGestureInfo(gestures[0].handle, &info));
  EXPECT_FALSE(CloseGestureInfoHandle(gestures[0].handle));
}

LRESULT CALLBACK PassOnProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(GestureTest, AGestureTheChildPassesOnGoesToItsParentWithTheSameHandle) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  // The child leaves gestures to the default procedure; the parent handles them.
  SetWindowLongW(child, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOnProc));
  recorder.Watch(child, "child");
  recorder.Only({WM_GESTURE});
  cesim::Tap({40, 50});
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_GESTURE, GID_BEGIN, Any(), 0},
      {"parent", WM_GESTURE, GID_BEGIN, Any(), 1},
      {"child", WM_GESTURE, GID_SELECT, Any(), 0},
      {"parent", WM_GESTURE, GID_SELECT, Any(), 1},
      {"child", WM_GESTURE, GID_END, Any(), 0},
      {"parent", WM_GESTURE, GID_END, Any(), 1},
  }));
  ASSERT_EQ(gestures.size(), 3u);
  for (const GestureSeen& g : gestures) {
    EXPECT_TRUE(g.read);  // the parent reads the details during the child's dispatch
    EXPECT_EQ(g.info.hwndTarget, child);
  }
}

TEST_F(GestureTest, ASecondTapSoonAfterIsADoubleSelectAndALaterOneASelect) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Tap({40, 50});
  cesim::AdvanceClock(300);
  cesim::Tap({42, 51});
  cesim::AdvanceClock(300);
  cesim::Tap({42, 51});  // the double tap used up the first: a tap of its own
  cesim::AdvanceClock(400);
  cesim::Tap({42, 51});  // too late for a double tap
  std::vector<WPARAM> middles;
  for (size_t i = 1; i < gestures.size(); i += 3) middles.push_back(gestures[i].id);
  EXPECT_EQ(middles, (std::vector<WPARAM>{GID_SELECT, GID_DOUBLESELECT, GID_SELECT, GID_SELECT}));
}

TEST_F(GestureTest, AHoldComesAfterTheHoldTimeAndNoTapFollowsIt) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_GESTURE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  DWORD start = cesim::Now();
  cesim::Hold({40, 50}, 1200);
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_GESTURE, GID_BEGIN, Any(), 0},
      {"child", WM_LBUTTONDOWN, Any(), Any(), 0},
      {"child", WM_GESTURE, GID_HOLD, Any(), 0},
      {"child", WM_GESTURE, GID_END, Any(), 0},
      {"child", WM_LBUTTONUP, Any(), Any(), 0},
  }));
  ASSERT_EQ(gestures.size(), 3u);
  EXPECT_EQ(gestures[1].time, start + 901);
  EXPECT_EQ(gestures[1].info.dwFlags, static_cast<DWORD>(GF_BEGIN | GF_END));
  EXPECT_EQ(gestures[2].time, start + 1200);
}

TEST_F(GestureTest, AStylusHeldWithoutALiftInSightHoldsWhenTheClockGetsThere) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::StylusDown({40, 50});
  cesim::AdvanceClock(900);
  EXPECT_EQ(gestures.size(), 1u);  // GID_BEGIN only
  cesim::AdvanceClock(1);
  ASSERT_EQ(gestures.size(), 2u);
  EXPECT_EQ(gestures[1].id, static_cast<WPARAM>(GID_HOLD));
  cesim::StylusUp({40, 50});
  ASSERT_EQ(gestures.size(), 3u);
  EXPECT_EQ(gestures[2].id, static_cast<WPARAM>(GID_END));
}

TEST_F(GestureTest, ADragPansFromTheFirstMoveToTheLift) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_GESTURE, WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP});
  cesim::Drag({40, 40}, {40, 100}, 2, 600);
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_GESTURE, GID_BEGIN, Any(), 0},
      {"child", WM_LBUTTONDOWN, Any(), Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_MOUSEMOVE, Any(), Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_MOUSEMOVE, Any(), Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_GESTURE, GID_END, Any(), 0},
      {"child", WM_LBUTTONUP, Any(), Any(), 0},
  }));
  ASSERT_EQ(gestures.size(), 5u);
  EXPECT_EQ(gestures[1].info.dwFlags, static_cast<DWORD>(GF_BEGIN));
  EXPECT_EQ(gestures[1].info.ptsLocation.y, 70);  // where the stylus is
  EXPECT_EQ(gestures[2].info.dwFlags, 0u);
  // Every gesture of the touch goes to the window it began in, outside it too.
  EXPECT_EQ(gestures[2].info.hwndTarget, child);
  EXPECT_EQ(gestures[3].info.dwFlags, static_cast<DWORD>(GF_END));  // too slow for a flick
  EXPECT_EQ(gestures[3].info.ullArguments, 0u);
}

TEST_F(GestureTest, AQuickStrokeEndsInAFlickAfterItsPan) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_GESTURE, WM_LBUTTONUP});
  cesim::Flick({100, 60}, {40, 60}, 100);  // 60 pixels to the left in 100 ms
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_GESTURE, GID_BEGIN, Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_GESTURE, GID_PAN, Any(), 0},
      {"child", WM_GESTURE, GID_SCROLL, Any(), 0},
      {"child", WM_GESTURE, GID_END, Any(), 0},
      {"child", WM_LBUTTONUP, Any(), Any(), 0},
  }));
  ASSERT_EQ(gestures.size(), 6u);
  const GESTUREINFO& lastPan = gestures[3].info;
  const GESTUREINFO& flick = gestures[4].info;
  EXPECT_EQ(lastPan.dwFlags, static_cast<DWORD>(GF_END | GF_INERTIA));
  EXPECT_EQ(lastPan.ullArguments, flick.ullArguments);
  EXPECT_EQ(flick.dwFlags, static_cast<DWORD>(GF_BEGIN | GF_END));
  EXPECT_EQ(GID_SCROLL_DIRECTION(flick.ullArguments), ARG_SCROLL_LEFT);
  EXPECT_EQ(GID_SCROLL_VELOCITY(flick.ullArguments), 600);
  // Leftwards is half a turn, pi radians: three quarters of the argument's range.
  EXPECT_EQ(GID_SCROLL_ANGLE(flick.ullArguments), 0xC000);
  EXPECT_EQ(flick.ullArguments & 0xFFFFFFFFu, 0u);
  // Where the flick began, in screen coordinates.
  EXPECT_EQ(flick.ptsLocation.x, 100);
  EXPECT_EQ(flick.ptsLocation.y, 60);
}

class FlickDirectionTest : public GestureTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(FlickDirectionTest, TheFlicksDirectionIsWhereTheStylusWent) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::ScrollGesture(child, {50, 50}, GetParam(), 40);
  ASSERT_EQ(gestures.size(), 6u);
  EXPECT_EQ(gestures[4].id, static_cast<WPARAM>(GID_SCROLL));
  EXPECT_EQ(static_cast<UINT>(GID_SCROLL_DIRECTION(gestures[4].info.ullArguments)), GetParam());
  EXPECT_EQ(gestures[4].info.ptsLocation.x, 80);
  EXPECT_EQ(gestures[4].info.ptsLocation.y, 80);
}

INSTANTIATE_TEST_SUITE_P(Directions, FlickDirectionTest,
                         ::testing::Values(ARG_SCROLL_LEFT, ARG_SCROLL_RIGHT, ARG_SCROLL_UP, ARG_SCROLL_DOWN));

TEST_F(GestureTest, AStrokeTooShortForAFlickIsAPanAndOneTooShortToPanATap) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Flick({60, 60}, {50, 60}, 100);  // 10 pixels: it pans, it does not flick
  ASSERT_EQ(gestures.size(), 5u);
  EXPECT_EQ(gestures[3].info.dwFlags, static_cast<DWORD>(GF_END));
  gestures.clear();
  cesim::AdvanceClock(1000);
  cesim::Flick({60, 60}, {57, 60}, 100);  // 3 pixels: not even a pan
  ASSERT_EQ(gestures.size(), 3u);
  EXPECT_EQ(gestures[1].id, static_cast<WPARAM>(GID_SELECT));
}

TEST_F(GestureTest, ATouchOnNothingOrOnADisabledWindowBringsNoGestures) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Tap({230, 300});  // no window there
  EXPECT_TRUE(gestures.empty());
  EnableWindow(parent, FALSE);
  cesim::Tap({40, 50});
  EXPECT_TRUE(gestures.empty());
}

TEST_F(GestureTest, WithoutTheGestureEngineTouchesBringNoGestures) {
  device.image.SetCoreExport("GetGestureInfo", false);
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_GESTURE, WM_LBUTTONDOWN, WM_LBUTTONUP});
  cesim::Flick({100, 60}, {40, 60});
  cesim::Hold({40, 50});
  std::vector<UINT> messages;
  for (const auto& r : recorder.Recorded()) messages.push_back(r.message);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}));
  HMODULE core = GetModuleHandleW(u"coredll");
  EXPECT_EQ(GetProcAddressW(core, u"GetGestureInfo"), nullptr);
  EXPECT_EQ(GetProcAddressW(core, u"CloseGestureInfoHandle"), nullptr);
}

TEST_F(GestureTest, TheCoreLibraryExportsTheGestureCallsWhenItHasTheEngine) {
  Boot();
  HMODULE core = GetModuleHandleW(u"coredll");
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddressW(core, u"GetGestureInfo")),
            reinterpret_cast<void*>(&GetGestureInfo));
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddressW(core, u"CloseGestureInfoHandle")),
            reinterpret_cast<void*>(&CloseGestureInfoHandle));
  // The device's 48 bytes, with this host's 64-bit window handle.
  EXPECT_EQ(sizeof(GESTUREINFO), 56u);
}

// ---------------------------------------------------------------------------------------------
// SHRecognizeGesture.

class RecognizeGestureTest : public GestureTest {
 protected:
  void SetUp() override {
    GestureTest::SetUp();
    handleGestures = false;
    recognizeOnPress = true;
  }
};

TEST_F(RecognizeGestureTest, ATapIsNoGestureAndItsLiftStaysForTheControl) {
  recognizeFlags = SHRG_RETURNCMD;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CONTEXTMENU});
  DWORD start = cesim::Now();
  cesim::Tap({40, 50});
  EXPECT_EQ(recognized, (std::vector<DWORD>{0}));
  EXPECT_EQ(recognizedAt, (std::vector<DWORD>{start}));  // it did not wait
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_LBUTTONDOWN, Any(), Any(), 0},
      {"child", WM_LBUTTONUP, Any(), Any(), 0},
  }));
}

TEST_F(RecognizeGestureTest, AHoldIsAContextMenuGestureThatSendsWmContextMenuUpTheParentChain) {
  recognizeFlags = SHRG_RETURNCMD;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_CONTEXTMENU, WM_NOTIFY});
  DWORD start = cesim::Now();
  cesim::Hold({40, 50}, 1200);
  EXPECT_EQ(recognized, (std::vector<DWORD>{GN_CONTEXTMENU}));
  EXPECT_EQ(recognizedAt, (std::vector<DWORD>{start + 500}));
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_LBUTTONDOWN, Any(), MAKELPARAM(10, 20), 0},
      {"child", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(40, 50), 1},
      {"parent", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(40, 50), 2},
      {"child", WM_LBUTTONUP, Any(), Any(), 0},
  }));
}

TEST_F(RecognizeGestureTest, WithNotifyParentTheParentIsToldAndItsAnswerReturned) {
  recognizeFlags = SHRG_NOTIFYPARENT;
  notifyAnswer = 5;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_NOTIFY});
  static NMRGINFO told;
  struct Catch {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_NOTIFY) told = *reinterpret_cast<NMRGINFO*>(lParam);
      return GestureProc(hwnd, message, wParam, lParam);
    }
  };
  SetWindowLongW(parent, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&Catch::Proc));
  cesim::Hold({40, 50}, 1200);
  EXPECT_EQ(recognized, (std::vector<DWORD>{5}));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 7, Code(GN_CONTEXTMENU), 1}}));
  EXPECT_EQ(told.hdr.hwndFrom, child);
  EXPECT_EQ(told.hdr.idFrom, 7u);
  EXPECT_EQ(told.ptAction.x, 40);  // screen coordinates
  EXPECT_EQ(told.ptAction.y, 50);
  EXPECT_EQ(told.dwItemSpec, 0u);
}

TEST_F(RecognizeGestureTest, WithoutReturnCmdOrNotifyParentTheControlItselfIsTold) {
  recognizeFlags = 0;
  notifyAnswer = 9;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  recorder.Only({WM_NOTIFY});
  cesim::Hold({40, 50}, 1200);
  EXPECT_EQ(recognized, (std::vector<DWORD>{9}));
  EXPECT_TRUE(recorder.Sequence({{"child", WM_NOTIFY, 7, Code(GN_CONTEXTMENU), 1}}));
}

TEST_F(RecognizeGestureTest, ALongDelayWaitsLonger) {
  recognizeFlags = SHRG_RETURNCMD | SHRG_LONGDELAY;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Hold({40, 50}, 600);  // long enough for the usual delay, not for the long one
  cesim::AdvanceClock(1000);
  DWORD start = cesim::Now();
  cesim::Hold({40, 50}, 900);
  EXPECT_EQ(recognized, (std::vector<DWORD>{0, GN_CONTEXTMENU}));
  EXPECT_EQ(recognizedAt.back(), start + 800);
}

TEST_F(RecognizeGestureTest, MovingAwayIsNoGestureButMovingWithinTheToleranceIs) {
  recognizeFlags = SHRG_RETURNCMD;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  cesim::Drag({40, 50}, {40, 90}, 4, 1000);  // 10 pixels in the first 250 ms
  cesim::AdvanceClock(1000);
  cesim::Drag({40, 50}, {40, 54}, 4, 1000);  // 4 pixels in all
  EXPECT_EQ(recognized, (std::vector<DWORD>{0, GN_CONTEXTMENU}));
}

TEST_F(RecognizeGestureTest, HoldingTheActionButtonIsAGestureAndPressingItIsNot) {
  recognizeFlags = SHRG_RETURNCMD;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  SetFocus(child);
  cesim::PressKey(VK_RETURN);
  cesim::HoldKey(VK_RETURN, 1000);
  EXPECT_EQ(recognized, (std::vector<DWORD>{0, GN_CONTEXTMENU}));
}

TEST_F(RecognizeGestureTest, AStylusStillDownIsHeldUnlessTheUserLiftsItMeanwhile) {
  recognizeFlags = SHRG_RETURNCMD;
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  DWORD start = cesim::Now();
  cesim::StylusDown({40, 50});  // nothing says when it will be lifted
  EXPECT_EQ(recognized, (std::vector<DWORD>{GN_CONTEXTMENU}));
  EXPECT_EQ(recognizedAt.back(), start + 500);
  cesim::StylusUp({40, 50});
  cesim::AdvanceClock(1000);
  // The user lifts the stylus while the press is followed.
  cesim::WhenIdle([] { cesim::StylusUp({40, 50}); });
  cesim::StylusDown({40, 50});
  EXPECT_EQ(recognized.back(), 0u);
  EXPECT_EQ(cesim::PendingIdleActions(), 0u);
}

TEST_F(RecognizeGestureTest, BadArgumentsAndNoPressGiveNoGesture) {
  Boot();
  MessageRecorder recorder;
  Windows(recorder);
  SetLastError(0);
  EXPECT_EQ(SHRecognizeGesture(nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SHRGINFO info = {};
  info.cbSize = sizeof info - 4;
  info.hwndClient = child;
  info.dwFlags = SHRG_RETURNCMD;
  EXPECT_EQ(SHRecognizeGesture(&info), 0u);
  info.cbSize = sizeof info;
  info.hwndClient = reinterpret_cast<HWND>(0x4321);
  EXPECT_EQ(SHRecognizeGesture(&info), 0u);
  // Nothing is pressed: it returns at once.
  info.hwndClient = child;
  DWORD before = cesim::Now();
  EXPECT_EQ(SHRecognizeGesture(&info), 0u);
  EXPECT_EQ(cesim::Now(), before);
  EXPECT_EQ(sizeof(SHRGINFO), 32u);  // the device's 20 bytes, with this host's 64-bit handle
}

}  // namespace

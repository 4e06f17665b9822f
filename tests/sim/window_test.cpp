// Windows against the platform's documented behaviour: classes by name and atom, creation and
// destruction with their messages in order, stale handles, parents, owners and z-order,
// rectangles of framed windows, moving and sizing, showing, enabling, window text and window
// data, subclassing chains, the default procedure, and the system cursors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::ExpectedMessage;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

// Refuses to be created.
LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) return -1;
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

// What WM_CREATE carried.
CREATESTRUCTW lastCreate;
std::u16string lastCreateName;
bool visibleWhileCreated = true;
LRESULT CALLBACK CreateReadingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    lastCreate = *reinterpret_cast<const CREATESTRUCTW*>(lParam);
    lastCreateName = lastCreate.lpszName != nullptr ? lastCreate.lpszName : u"";
    visibleWhileCreated = (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    ASSERT_NE(Register(u"TestWindow", &foldwise_test::RecordingWindowProc), 0);
  }

  static ATOM Register(LPCWSTR name, WNDPROC proc, int extra = 0) {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = proc;
    cls.cbWndExtra = extra;
    cls.lpszClassName = name;
    return RegisterClassW(&cls);
  }

  static HWND TopLevel(DWORD style = WS_POPUP, HWND owner = nullptr, RECT r = {10, 20, 110, 120}) {
    return CreateWindowExW(0, u"TestWindow", u"top", style, r.left, r.top, r.right - r.left, r.bottom - r.top, owner,
                           nullptr, nullptr, nullptr);
  }

  static HWND Child(HWND parent, int id, DWORD style = WS_CHILD | WS_VISIBLE, RECT r = {5, 5, 25, 25}) {
    return CreateWindowExW(0, u"TestWindow", u"child", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                           parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }

  foldwise_test::BootedDevice device;
};

TEST_F(WindowTest, ClassesAreFoundByNameWithoutLetterCaseAndByAtom) {
  ATOM atom = Register(u"Sample", &foldwise_test::RecordingWindowProc, 8);
  ASSERT_NE(atom, 0);
  SetLastError(0);
  EXPECT_EQ(Register(u"SAMPLE", &foldwise_test::RecordingWindowProc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  WNDCLASSW info = {};
  ASSERT_TRUE(GetClassInfoW(nullptr, u"sample", &info));
  EXPECT_EQ(info.lpfnWndProc, &foldwise_test::RecordingWindowProc);
  EXPECT_EQ(info.cbWndExtra, 8);
  EXPECT_EQ(std::u16string(info.lpszClassName), u"Sample");

  HWND byAtom = CreateWindowExW(0, MAKEINTATOM(atom), u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(byAtom, nullptr);
  WCHAR name[8];
  EXPECT_EQ(GetClassNameW(byAtom, name, 8), 6);
  EXPECT_EQ(std::u16string(name), u"Sample");
  // Cut to the buffer and terminated.
  for (WCHAR& c : name) c = u'#';
  EXPECT_EQ(GetClassNameW(byAtom, name, 4), 3);
  EXPECT_EQ(std::u16string(name), u"Sam");
  EXPECT_EQ(name[4], u'#');
}

// Class names and window texts compare in the device's one letter-case folding, the same as file
// names: Greek and Cyrillic letters too, not only Latin ones.
TEST_F(WindowTest, ClassNamesAndWindowTextsFoldAsFileNamesDo) {
  ASSERT_NE(Register(u"\x03A9\x03BC\x03AD\x03B3\x03B1", &foldwise_test::RecordingWindowProc), 0);  // Ωμέγα
  SetLastError(0);
  EXPECT_EQ(Register(u"\x03A9\x039C\x0388\x0393\x0391", &foldwise_test::RecordingWindowProc), 0);  // ΩΜΈΓΑ
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  WNDCLASSW info = {};
  EXPECT_TRUE(GetClassInfoW(nullptr, u"\x03C9\x03BC\x03AD\x03B3\x03B1", &info));
  HWND window = CreateWindowExW(0, u"\x03C9\x039C\x0388\x0393\x0391", u"\x041E\x043A\x043D\x043E", WS_POPUP, 0,
                                0, 10, 10, nullptr, nullptr, nullptr, nullptr);  // title Окно
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowW(nullptr, u"\x041E\x041A\x041D\x041E"), window);  // ОКНО
}

TEST_F(WindowTest, TheDeviceHasItsOwnControlAndDialogClasses) {
  WNDCLASSW info = {};
  for (LPCWSTR name : {u"Dialog", u"Button", u"Edit", u"Static", u"SysTreeView32", u"systreeview32"}) {
    EXPECT_TRUE(GetClassInfoW(nullptr, name, &info)) << cesim::Narrow(name);
  }
  // The device's own classes stay.
  SetLastError(0);
  EXPECT_FALSE(UnregisterClassW(u"Button", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST_F(WindowTest, ClassWithWindowsCannotBeUnregistered) {
  HWND window = TopLevel();
  ASSERT_NE(window, nullptr);
  SetLastError(0);
  EXPECT_FALSE(UnregisterClassW(u"TestWindow", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  ASSERT_TRUE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassW(u"testwindow", nullptr));
  SetLastError(0);
  EXPECT_EQ(TopLevel(), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(WindowTest, CreationSendsCreateSizeMoveAndShowsAVisibleWindow) {
  MessageRecorder recorder;
  recorder.Ignore({WM_GETTEXT, WM_GETTEXTLENGTH});
  HWND window = TopLevel(WS_POPUP | WS_VISIBLE | WS_BORDER);
  ASSERT_NE(window, nullptr);
  recorder.Name(window, "window");
  // No WM_NCCREATE on the device: WM_CREATE comes first.
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_CREATE, 0, Any(), 0},
      {"window", WM_SIZE, SIZE_RESTORED, MAKELPARAM(98, 98), 0},
      {"window", WM_MOVE, 0, MAKELPARAM(11, 21), 0},
      {"window", WM_ACTIVATE, WA_ACTIVE, 0, 0},
      {"window", WM_SETFOCUS, 0, 0, 1},
      {"window", WM_WINDOWPOSCHANGED, 0, Any(), 0},
  }));
  EXPECT_EQ(GetActiveWindow(), window);
  EXPECT_EQ(GetFocus(), window);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(WindowTest, CreateStructCarriesTheCreationParameters) {
  ASSERT_NE(Register(u"Reader", &CreateReadingProc), 0);
  HWND parent = TopLevel(WS_POPUP | WS_VISIBLE);
  int marker = 7;
  HWND child = CreateWindowExW(WS_EX_CLIENTEDGE, u"Reader", u"Name", WS_CHILD | WS_VISIBLE, 1, 2, 30, 40, parent,
                               reinterpret_cast<HMENU>(42), nullptr, &marker);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(lastCreate.lpCreateParams, &marker);
  EXPECT_EQ(lastCreate.hwndParent, parent);
  EXPECT_EQ(lastCreate.hMenu, reinterpret_cast<HMENU>(42));
  EXPECT_EQ(lastCreate.x, 1);
  EXPECT_EQ(lastCreate.y, 2);
  EXPECT_EQ(lastCreate.cx, 30);
  EXPECT_EQ(lastCreate.cy, 40);
  EXPECT_EQ(lastCreate.dwExStyle, static_cast<DWORD>(WS_EX_CLIENTEDGE));
  EXPECT_EQ(lastCreateName, u"Name");
  EXPECT_EQ(GetDlgCtrlID(child), 42);
  // The window is shown only after WM_CREATE, which sees the style asked for.
  EXPECT_NE(lastCreate.style & WS_VISIBLE, 0);
  EXPECT_FALSE(visibleWhileCreated);
  EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowTest, WindowRefusingCreationIsNotCreated) {
  ASSERT_NE(Register(u"Refusing", &RefusingProc), 0);
  MessageRecorder recorder;
  EXPECT_EQ(CreateWindowExW(0, u"Refusing", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_TRUE(recorder.Recorded().empty());  // no WM_DESTROY either
  cesim::WindowQuery query;
  query.className = u"Refusing";
  EXPECT_TRUE(cesim::FindWindows(query).empty());
}

TEST_F(WindowTest, ChildWindowNeedsAParent) {
  SetLastError(0);
  EXPECT_EQ(CreateWindowExW(0, u"TestWindow", u"", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowTest, DestroyTellsOwnedWindowsFirstThenTheWindowThenItsChildren) {
  HWND frame = TopLevel();
  HWND child = Child(frame, 1);
  HWND grandchild = Child(child, 2);
  HWND owned = TopLevel(WS_POPUP, frame);
  MessageRecorder recorder;
  recorder.Only({WM_DESTROY});
  recorder.Name(frame, "frame");
  recorder.Name(child, "child");
  recorder.Name(grandchild, "grandchild");
  recorder.Name(owned, "owned");
  ASSERT_TRUE(DestroyWindow(frame));
  EXPECT_TRUE(recorder.Sequence({
      {"owned", WM_DESTROY, 0, 0, 0},
      {"frame", WM_DESTROY, 0, 0, 0},
      {"child", WM_DESTROY, 0, 0, 0},
      {"grandchild", WM_DESTROY, 0, 0, 0},
  }));
  for (HWND gone : {frame, child, grandchild, owned}) EXPECT_FALSE(IsWindow(gone));
}

// A visible child is hidden first, as ShowWindow(SW_HIDE) hides it: its focus goes to its
// parent before it is told WM_DESTROY. A hidden one loses the focus to nobody.
TEST_F(WindowTest, DestroyingAFocusedChildHandsTheFocusToItsParentFirst) {
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND child = Child(frame, 1);
  SetFocus(child);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(child, "child");
  recorder.Only({WM_WINDOWPOSCHANGED, WM_KILLFOCUS, WM_SETFOCUS, WM_DESTROY});
  ASSERT_TRUE(DestroyWindow(child));
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"child", WM_KILLFOCUS, Wnd("frame"), 0, 0},
      {"frame", WM_SETFOCUS, Wnd("child"), 0, 0},
      {"child", WM_DESTROY, 0, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), frame);

  HWND hidden = Child(frame, 2, WS_CHILD);
  SetFocus(hidden);
  recorder.Flush();
  recorder.Name(hidden, "hidden");
  ASSERT_TRUE(DestroyWindow(hidden));
  EXPECT_TRUE(recorder.Sequence({
      {"hidden", WM_KILLFOCUS, 0, 0, 0},
      {"hidden", WM_DESTROY, 0, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(WindowTest, StaleHandlesFailWithInvalidWindowHandle) {
  HWND window = TopLevel();
  ASSERT_TRUE(DestroyWindow(window));
  WCHAR text[4] = {u'#', u'#', u'#', u'#'};
  SetLastError(0);
  EXPECT_EQ(GetWindowTextW(window, text, 4), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(text[0], 0);
  EXPECT_EQ(text[1], u'#');
  SetLastError(0);
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0);
  EXPECT_EQ(SetWindowLongW(window, GWL_USERDATA, 5), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageW(window, WM_USER, 0, 0));
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_EQ(GetParent(window), nullptr);
  RECT rect = {1, 2, 3, 4};
  EXPECT_FALSE(GetWindowRect(window, &rect));
  EXPECT_EQ(rect.left, 1);
  // A new window never gets a handle that was used before.
  EXPECT_NE(TopLevel(), window);
}

TEST_F(WindowTest, ChildrenKeepCreationOrderAndTopLevelWindowsComeOnTop) {
  HWND first = TopLevel();
  HWND second = TopLevel();
  HWND a = Child(first, 1);
  HWND b = Child(first, 2);
  HWND c = Child(first, 3);
  EXPECT_EQ(GetWindow(first, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDFIRST), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), nullptr);
  EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
  EXPECT_EQ(GetWindow(c, GW_CHILD), nullptr);
}

TEST_F(WindowTest, OwnedWindowsStayAboveTheirOwner) {
  HWND frame = TopLevel();
  HWND owned = TopLevel(WS_POPUP, frame);
  HWND other = TopLevel();
  ASSERT_EQ(GetWindow(other, GW_HWNDNEXT), owned);
  SetActiveWindow(frame);  // activation brings the owner, and its owned window, to the top
  EXPECT_EQ(GetWindow(frame, GW_HWNDPREV), owned);
  EXPECT_EQ(GetWindow(owned, GW_HWNDPREV), nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), frame);
  EXPECT_EQ(GetWindow(frame, GW_OWNER), nullptr);
  // A pop-up answers GetParent with its owner; a child with its parent.
  EXPECT_EQ(GetParent(owned), frame);
  HWND child = Child(frame, 1);
  EXPECT_EQ(GetParent(child), frame);
  EXPECT_EQ(GetWindow(child, GW_OWNER), nullptr);
  EXPECT_TRUE(IsChild(frame, child));
  EXPECT_FALSE(IsChild(frame, owned));
  EXPECT_FALSE(IsChild(child, frame));
}

TEST_F(WindowTest, SetParentMovesAChild) {
  HWND first = TopLevel();
  HWND second = TopLevel();
  HWND child = Child(first, 7);
  EXPECT_EQ(SetParent(child, second), first);
  EXPECT_TRUE(IsChild(second, child));
  EXPECT_FALSE(IsChild(first, child));
  EXPECT_EQ(GetWindow(first, GW_CHILD), nullptr);
  // Never below itself.
  EXPECT_EQ(SetParent(second, child), nullptr);
}

TEST_F(WindowTest, FindWindowMatchesClassAndTitleOfTopLevelWindows) {
  HWND window = CreateWindowExW(0, u"TestWindow", u"Explorer", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  Child(window, 1);
  EXPECT_EQ(FindWindowW(u"testwindow", u"EXPLORER"), window);
  EXPECT_EQ(FindWindowW(nullptr, u"Explorer"), window);
  EXPECT_EQ(FindWindowW(u"TestWindow", u"child"), nullptr);  // top-level windows only
  EXPECT_EQ(FindWindowW(u"NoSuchClass", nullptr), nullptr);
}

TEST_F(WindowTest, FramesTakeTheirRoomFromTheClientArea) {
  HWND plain = TopLevel(WS_POPUP, nullptr, {0, 0, 100, 60});
  HWND bordered = TopLevel(WS_POPUP | WS_BORDER, nullptr, {0, 0, 100, 60});
  HWND captioned = TopLevel(WS_POPUP | WS_CAPTION, nullptr, {0, 0, 100, 60});
  RECT r;
  ASSERT_TRUE(GetClientRect(plain, &r));
  EXPECT_EQ(r.right, 100);
  EXPECT_EQ(r.bottom, 60);
  ASSERT_TRUE(GetClientRect(bordered, &r));
  EXPECT_EQ(r.right, 100 - 2 * GetSystemMetrics(SM_CXBORDER));
  EXPECT_EQ(r.bottom, 60 - 2 * GetSystemMetrics(SM_CYBORDER));
  ASSERT_TRUE(GetClientRect(captioned, &r));
  EXPECT_EQ(r.bottom, 60 - 2 * GetSystemMetrics(SM_CYBORDER) - GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(WindowTest, PointsMapBetweenScreenAndClients) {
  HWND frame = TopLevel(WS_POPUP | WS_BORDER, nullptr, {10, 20, 210, 220});
  HWND child = Child(frame, 1, WS_CHILD | WS_VISIBLE, {30, 40, 80, 90});
  RECT r;
  ASSERT_TRUE(GetWindowRect(child, &r));
  EXPECT_EQ(r.left, 10 + 1 + 30);
  EXPECT_EQ(r.top, 20 + 1 + 40);
  POINT p = {0, 0};
  ASSERT_TRUE(ClientToScreen(child, &p));
  EXPECT_EQ(p.x, 41);
  EXPECT_EQ(p.y, 61);
  ASSERT_TRUE(ScreenToClient(frame, &p));
  EXPECT_EQ(p.x, 30);
  EXPECT_EQ(p.y, 40);
  POINT points[2] = {{0, 0}, {5, 5}};
  MapWindowPoints(child, frame, points, 2);
  EXPECT_EQ(points[0].x, 30);
  EXPECT_EQ(points[1].y, 45);
  MapWindowPoints(frame, nullptr, points, 1);  // to the screen
  EXPECT_EQ(points[0].x, 41);
}

TEST_F(WindowTest, SetWindowPosReportsWhatChanged) {
  HWND window = TopLevel(WS_POPUP | WS_VISIBLE);
  MessageRecorder recorder;
  recorder.Name(window, "window");
  recorder.Only({WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE});
  ASSERT_TRUE(SetWindowPos(window, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"window", WM_MOVE, 0, MAKELPARAM(50, 60), 1},
  }));
  ASSERT_EQ(recorder.Recorded().size(), 2u);

  recorder.Flush();
  ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 30, 40, SWP_NOMOVE | SWP_NOZORDER));
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"window", WM_SIZE, SIZE_RESTORED, MAKELPARAM(30, 40), 1},
  }));

  // Nothing asked, nothing told.
  recorder.Flush();
  ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_TRUE(recorder.Recorded().empty());
  // The same place again is no change either.
  ASSERT_TRUE(SetWindowPos(window, nullptr, 50, 60, 30, 40, SWP_NOZORDER));
  EXPECT_TRUE(recorder.Recorded().empty());
  RECT r;
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.bottom, 100);
}

TEST_F(WindowTest, WindowPosChangedCarriesTheNewPlaceAndFlags) {
  struct Captured {
    WINDOWPOS pos;
    int count = 0;
  };
  static Captured captured;
  captured = Captured();
  struct Proc {
    static LRESULT CALLBACK Capture(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_WINDOWPOSCHANGED) {
        captured.pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
        ++captured.count;
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  };
  ASSERT_NE(Register(u"Capture", &Proc::Capture), 0);
  HWND window = CreateWindowExW(0, u"Capture", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(SetWindowPos(window, nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  ASSERT_EQ(captured.count, 1);
  EXPECT_EQ(captured.pos.hwnd, window);
  EXPECT_EQ(captured.pos.x, 5);
  EXPECT_EQ(captured.pos.y, 6);
  EXPECT_EQ(captured.pos.cx, 10);
  EXPECT_EQ(captured.pos.flags & (SWP_NOSIZE | SWP_NOMOVE), static_cast<UINT>(SWP_NOSIZE));
  ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW));
  EXPECT_EQ(captured.count, 1);  // it was hidden already: nothing to report
  ShowWindow(window, SW_SHOWNA);
  EXPECT_EQ(captured.count, 2);
  EXPECT_NE(captured.pos.flags & SWP_SHOWWINDOW, 0u);
  EXPECT_NE(GetActiveWindow(), window);  // shown without activation
}

// Without SWP_NOACTIVATE, SetWindowPos activates a top-level window and brings it to the top,
// hidden or not: activation and the focus first, then WM_WINDOWPOSCHANGED, and it stays hidden.
TEST_F(WindowTest, SetWindowPosActivatesAHiddenTopLevelWindow) {
  HWND hidden = TopLevel(WS_POPUP);
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), frame);
  ASSERT_EQ(GetWindow(frame, GW_HWNDNEXT), hidden);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(hidden, "hidden");
  recorder.Only({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_WINDOWPOSCHANGED});
  ASSERT_TRUE(SetWindowPos(hidden, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_TRUE(recorder.Sequence({
      {"frame", WM_ACTIVATE, WA_INACTIVE, Wnd("hidden"), 0},
      {"hidden", WM_ACTIVATE, WA_ACTIVE, Wnd("frame"), 0},
      {"frame", WM_KILLFOCUS, Wnd("hidden"), 0, 1},
      {"hidden", WM_SETFOCUS, Wnd("frame"), 0, 1},
      {"hidden", WM_WINDOWPOSCHANGED, 0, Any(), 0},
  }));
  EXPECT_EQ(GetActiveWindow(), hidden);
  EXPECT_EQ(GetFocus(), hidden);
  EXPECT_FALSE(IsWindowVisible(hidden));
  EXPECT_EQ(GetWindow(hidden, GW_HWNDNEXT), frame);  // on top, although SWP_NOZORDER was given

  // SWP_HIDEWINDOW for a window that is hidden already hides nothing, so it activates too.
  HWND another = TopLevel(WS_POPUP);
  ASSERT_TRUE(SetWindowPos(another, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW));
  EXPECT_EQ(GetActiveWindow(), another);
}

// A disabled top-level window is activated too; a child is never activated (the device has no
// WM_CHILDACTIVATE), and neither is anything with SWP_NOACTIVATE.
TEST_F(WindowTest, SetWindowPosActivatesNoChildAndNothingWithNoActivate) {
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND child = Child(frame, 1);
  HWND other = TopLevel(WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), other);
  ASSERT_TRUE(SetWindowPos(child, nullptr, 1, 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_EQ(GetActiveWindow(), other);
  ASSERT_TRUE(SetWindowPos(frame, nullptr, 1, 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE));
  EXPECT_EQ(GetActiveWindow(), other);
  EnableWindow(frame, FALSE);
  ASSERT_TRUE(SetWindowPos(frame, nullptr, 2, 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
  EXPECT_EQ(GetActiveWindow(), frame);
}

// Hidden with SWP_HIDEWINDOW, the active window stays active and keeps the focus: SetWindowPos
// hands nothing on. ShowWindow(SW_HIDE) does: activation moves on and the focus follows it.
TEST_F(WindowTest, HidingWithSetWindowPosHandsNothingOnButShowWindowDoes) {
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND popup = TopLevel(WS_POPUP | WS_VISIBLE, frame);
  HWND field = Child(popup, 1);
  SetFocus(field);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(popup, "popup");
  recorder.Name(field, "field");
  recorder.Only({WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS, WM_WINDOWPOSCHANGED});
  ASSERT_TRUE(SetWindowPos(popup, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW));
  EXPECT_TRUE(recorder.Sequence({{"popup", WM_WINDOWPOSCHANGED, 0, Any(), 0}}));
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_EQ(GetFocus(), field);

  ShowWindow(popup, SW_SHOWNA);
  recorder.Flush();
  EXPECT_TRUE(ShowWindow(popup, SW_HIDE));
  EXPECT_TRUE(recorder.Sequence({
      {"popup", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"popup", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Wnd("popup"), 0},
      {"field", WM_KILLFOCUS, Wnd("frame"), 0, 1},
      {"frame", WM_SETFOCUS, Wnd("field"), 0, 1},
  }));
  EXPECT_EQ(GetActiveWindow(), frame);
  EXPECT_EQ(GetFocus(), frame);
}

// ShowWindow acts on a change of state only: a window that shows already is neither activated
// nor told anything, whatever the command.
TEST_F(WindowTest, ShowingAWindowThatShowsAlreadyChangesNothing) {
  HWND first = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND second = TopLevel(WS_POPUP | WS_VISIBLE);
  ASSERT_EQ(GetActiveWindow(), second);
  MessageRecorder recorder;
  recorder.Name(first, "first");
  for (int command : {SW_SHOWNORMAL, SW_SHOW, SW_RESTORE, SW_SHOWNA}) EXPECT_TRUE(ShowWindow(first, command));
  EXPECT_TRUE(recorder.Recorded().empty());
  EXPECT_EQ(GetActiveWindow(), second);
}

TEST_F(WindowTest, VisibilityIncludesTheParents) {
  HWND frame = TopLevel(WS_POPUP);
  HWND child = Child(frame, 1);
  EXPECT_FALSE(IsWindowVisible(child));  // its parent is hidden
  EXPECT_FALSE(ShowWindow(frame, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));
  EXPECT_FALSE(ShowWindow(child, SW_HIDE));
}

TEST_F(WindowTest, DisablingCancelsModesTakesTheFocusAndTells) {
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND child = Child(frame, 1);
  SetFocus(child);
  MessageRecorder recorder;
  recorder.Name(child, "child");
  recorder.Only({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE});
  EXPECT_FALSE(EnableWindow(child, FALSE));  // it was enabled
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_CANCELMODE, 0, 0, 0},
      {"child", WM_KILLFOCUS, 0, 0, 0},
      {"child", WM_ENABLE, FALSE, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(SetFocus(child), nullptr);  // a disabled window takes no focus
  EXPECT_TRUE(EnableWindow(child, TRUE));
  EXPECT_TRUE(IsWindowEnabled(child));
}

TEST_F(WindowTest, WindowTextGoesThroughMessagesAndIsCut) {
  HWND window = TopLevel();
  MessageRecorder recorder;
  recorder.Name(window, "window");
  ASSERT_TRUE(SetWindowTextW(window, u"Hello"));
  EXPECT_EQ(GetWindowTextLengthW(window), 5);
  WCHAR text[8];
  for (WCHAR& c : text) c = u'#';
  EXPECT_EQ(GetWindowTextW(window, text, 4), 3);
  EXPECT_EQ(std::u16string(text), u"Hel");
  EXPECT_EQ(text[4], u'#');
  EXPECT_EQ(GetWindowTextW(window, text, 0), 0);
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_SETTEXT, 0, Any(), 0},
      {"window", WM_GETTEXTLENGTH, 0, 0, 0},
      {"window", WM_GETTEXT, 4, Any(), 0},
  }));
}

TEST_F(WindowTest, WindowLongsRoundTripAndExtraBytesAreBounded) {
  ASSERT_NE(Register(u"WithExtra", &foldwise_test::RecordingWindowProc, 8), 0);
  HWND window = CreateWindowExW(0, u"WithExtra", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(SetWindowLongW(window, GWL_USERDATA, 0x12345678), 0);
  EXPECT_EQ(GetWindowLongW(window, GWL_USERDATA), 0x12345678);
  EXPECT_EQ(SetWindowLongW(window, 4, -5), 0);
  EXPECT_EQ(GetWindowLongW(window, 4), -5);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongW(window, 5, 1), 0);  // a LONG at 5 does not fit in 8 bytes
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
  EXPECT_EQ(GetWindowLongW(window, -100), 0);
  // Styles read back as the device's LONG: WS_POPUP is the sign bit.
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE), static_cast<LONG>(WS_POPUP));
  SetWindowLongW(window, GWL_EXSTYLE, WS_EX_TOPMOST);
  EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE), WS_EX_TOPMOST);
  // A window procedure round-trips whole on this 64-bit host.
  LONG_PTR previous = SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(&foldwise_test::RecordingWindowProc));
  EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&DefWindowProcW));
}

// Two subclass layers, each handing on with CallWindowProcW.
WNDPROC innerPrevious = nullptr;
WNDPROC outerPrevious = nullptr;
std::string callOrder;
LRESULT CALLBACK InnerSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) callOrder += "inner ";
  LRESULT result = CallWindowProcW(innerPrevious, hwnd, message, wParam, lParam);
  return message == WM_USER ? result + 10 : result;
}
LRESULT CALLBACK OuterSubclass(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) callOrder += "outer ";
  LRESULT result = CallWindowProcW(outerPrevious, hwnd, message, wParam, lParam);
  return message == WM_USER ? result + 100 : result;
}
LRESULT CALLBACK BaseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    callOrder += "base";
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, SubclassingChainsProceduresThroughCallWindowProc) {
  ASSERT_NE(Register(u"Base", &BaseProc), 0);
  HWND window = CreateWindowExW(0, u"Base", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  innerPrevious = reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&InnerSubclass)));
  outerPrevious = reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterSubclass)));
  callOrder.clear();
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 111);
  EXPECT_EQ(callOrder, "outer inner base");
  // Taking the outer layer off restores the inner one.
  SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(outerPrevious));
  callOrder.clear();
  EXPECT_EQ(SendMessageW(window, WM_USER, 0, 0), 11);
  EXPECT_EQ(callOrder, "inner base");
  EXPECT_EQ(CallWindowProcW(nullptr, window, WM_USER, 0, 0), 0);
}

TEST_F(WindowTest, DefaultProcedureDestroysOnClose) {
  HWND window = TopLevel();
  MessageRecorder recorder;
  recorder.Name(window, "window");
  recorder.Only({WM_CLOSE, WM_DESTROY});
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(recorder.Sequence({
      {"window", WM_CLOSE, 0, 0, 0},
      {"window", WM_DESTROY, 0, 0, 1},
  }));
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowTest, SystemCursorsAndSetCursor) {
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  ASSERT_NE(wait, nullptr);
  ASSERT_NE(arrow, nullptr);
  EXPECT_NE(wait, arrow);
  EXPECT_EQ(LoadCursorW(nullptr, MAKEINTRESOURCEW(1)), nullptr);
  EXPECT_EQ(GetCursor(), arrow);  // the device starts with the arrow
  EXPECT_EQ(cesim::CurrentCursorId(), 32512);
  int changes = cesim::CursorChanges();
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(cesim::CurrentCursorId(), 32514);
  EXPECT_EQ(SetCursor(arrow), wait);
  EXPECT_EQ(SetCursor(arrow), arrow);  // no change
  EXPECT_EQ(cesim::CursorChanges(), changes + 2);
}

TEST_F(WindowTest, AutomationDescribesWindows) {
  HWND frame = CreateWindowExW(0, u"TestWindow", u"Frame", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50, nullptr, nullptr,
                               nullptr, nullptr);
  HWND child = Child(frame, 300);
  EnableWindow(child, FALSE);
  cesim::WindowDescription d = cesim::Describe(frame);
  EXPECT_EQ(d.className, u"TestWindow");
  EXPECT_EQ(d.text, u"Frame");
  EXPECT_TRUE(d.visible);
  EXPECT_TRUE(d.active);
  ASSERT_EQ(d.children.size(), 1u);
  EXPECT_EQ(d.children[0].id, 300);
  EXPECT_FALSE(d.children[0].enabled);
  EXPECT_EQ(cesim::DescribeText(frame),
            "TestWindow \"Frame\" (0,0)-(100,50) visible active focused\n"
            "  TestWindow \"child\" id 300 (5,5)-(25,25) visible disabled\n");
  cesim::WindowQuery query;
  query.className = u"testwindow";
  query.topLevelOnly = false;
  EXPECT_EQ(cesim::FindWindows(query), (std::vector<HWND>{frame, child}));
  query.text = u"child";
  EXPECT_EQ(cesim::FindFirstWindow(query), child);
}

// What WM_STYLECHANGED carried, and the style the window had by then.
struct StyleNotice {
  WPARAM which;
  DWORD styleOld;
  DWORD styleNew;
  LONG_PTR storedBy;
};
std::vector<StyleNotice> styleNotices;
LRESULT CALLBACK StyleReadingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_STYLECHANGED) {
    const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam);
    styleNotices.push_back({wParam, change->styleOld, change->styleNew, GetWindowLongW(hwnd, static_cast<int>(wParam))});
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, ChangingAStyleTellsTheWindowAfterwards) {
  // Windows CE has WM_STYLECHANGED but no WM_STYLECHANGING: the change is made, then told.
  ASSERT_NE(Register(u"StyleReader", &StyleReadingProc), 0);
  HWND window = CreateWindowExW(0, u"StyleReader", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  styleNotices.clear();
  SetWindowLongW(window, GWL_STYLE, WS_POPUP | WS_BORDER);
  SetWindowLongW(window, GWL_EXSTYLE, WS_EX_TOPMOST);
  SetWindowLongW(window, GWL_EXSTYLE, WS_EX_TOPMOST);  // the same again is told too
  SetWindowLongW(window, GWL_USERDATA, 5);               // not a style
  ASSERT_EQ(styleNotices.size(), 3u);
  EXPECT_EQ(styleNotices[0].which, static_cast<WPARAM>(GWL_STYLE));
  EXPECT_EQ(styleNotices[0].styleOld, static_cast<DWORD>(WS_POPUP));
  EXPECT_EQ(styleNotices[0].styleNew, static_cast<DWORD>(WS_POPUP | WS_BORDER));
  EXPECT_EQ(styleNotices[0].storedBy, static_cast<LONG>(WS_POPUP | WS_BORDER));
  EXPECT_EQ(styleNotices[1].which, static_cast<WPARAM>(GWL_EXSTYLE));
  EXPECT_EQ(styleNotices[1].styleOld, 0u);
  EXPECT_EQ(styleNotices[2].styleOld, static_cast<DWORD>(WS_EX_TOPMOST));
  EXPECT_EQ(styleNotices[2].styleNew, static_cast<DWORD>(WS_EX_TOPMOST));
}

TEST_F(WindowTest, DefaultProcedureLeavesAChildsContextMenuToItsParent) {
  HWND frame = TopLevel(WS_POPUP | WS_VISIBLE);
  HWND child = Child(frame, 7);
  MessageRecorder recorder;
  recorder.Name(frame, "frame");
  recorder.Name(child, "child");
  recorder.Only({WM_CONTEXTMENU});
  SendMessageW(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(12, 34));
  SendMessageW(frame, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(frame), MAKELPARAM(1, 2));  // goes nowhere
  EXPECT_TRUE(recorder.Sequence({
      {"child", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(12, 34), 0},
      {"frame", WM_CONTEXTMENU, Wnd("child"), MAKELPARAM(12, 34), 1},
      {"frame", WM_CONTEXTMENU, Wnd("frame"), MAKELPARAM(1, 2), 0},
  }));
}

}  // namespace

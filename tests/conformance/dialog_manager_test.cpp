// The dialog manager as the Change Folder dialog uses it: the focus after WM_INITDIALOG, the keys
// that IsDialogMessageW takes for itself (Escape, Enter, Tab) when the application's loop runs
// the dialog through it, answers to WM_NOTIFY through DWL_MSGRESULT, the modal loop's end, and
// modeless dialogs.
#include <algorithm>

#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"
#include "tree_items.h"

namespace conformance {
namespace {

using foldwise_test::Any;
using foldwise_test::Code;
using foldwise_test::ExpectedMessage;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

constexpr WORD kButtonId = 200;

class DialogTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    frame = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
    ASSERT_NE(frame, nullptr);
    host.Activate(frame);
    recorder.Name(frame, "frame");
  }

  // A visible pop-up dialog holding a tree, and below it a push button when asked for.
  HWND CreateTreeDialog(Handler handler, bool withButton = false) {
    DialogTemplate shape(WS_POPUP | WS_VISIBLE, 120, withButton ? 120 : 100);
    shape.Add(WC_TREEVIEWW, kTreeId, kFolderTreeStyle, 0, 0, 120, 100);
    if (withButton) shape.Add(TEXT("Button"), kButtonId, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 102, 60, 14, TEXT("Go"));
    HWND dialog = CreateTestDialog(host, shape, frame, std::move(handler));
    if (dialog != nullptr) {
      recorder.Name(dialog, "dialog");
      recorder.Name(GetDlgItem(dialog, kTreeId), "tree");
      InsertItem(GetDlgItem(dialog, kTreeId), TVI_ROOT, TEXT("Folder"));
    }
    host.Pump();
    return dialog;
  }

  // A handler that keeps the codes of the notifications and commands it receives.
  Handler Keeping() {
    return [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT*) {
      if (message == WM_NOTIFY) notified.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
      if (message == WM_COMMAND) commands.push_back(LOWORD(wParam));
      return false;
    };
  }

  bool Notified(UINT code) const { return std::find(notified.begin(), notified.end(), code) != notified.end(); }

  MessageRecorder recorder;
  HWND frame = nullptr;
  std::vector<UINT> notified;
  std::vector<WORD> commands;
};

// --- WM_INITDIALOG and the focus ---

TEST_F(DialogTest, InitDialogAnsweredTrueFocusesTheFirstTabStop) {
  HWND firstTabStop = nullptr;
  HWND dialog = CreateTreeDialog([&](HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    if (message != WM_INITDIALOG) return false;
    firstTabStop = reinterpret_cast<HWND>(wParam);
    *result = TRUE;
    return true;
  }, true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(firstTabStop, GetDlgItem(dialog, kTreeId));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kTreeId));
  EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(DialogTest, InitDialogAnsweredFalseKeepsTheFocusItSet) {
  HWND dialog = CreateTreeDialog([](HWND self, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_INITDIALOG) return false;
    SetFocus(GetDlgItem(self, kButtonId));
    *result = FALSE;
    return true;
  }, true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kButtonId));
}

TEST_F(DialogTest, TheDialogIsShownAfterInitDialog) {
  bool visibleDuringInit = true;
  HWND dialog = CreateTreeDialog([&](HWND self, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_INITDIALOG) visibleDuringInit = IsWindowVisible(self) != FALSE;
    return false;
  });
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(visibleDuringInit);
  EXPECT_TRUE(IsWindowVisible(dialog));
}

// --- IsDialogMessageW: the keys the dialog manager takes ---

TEST_F(DialogTest, EscapeThroughTheDialogManagerIsCancel) {
  HWND dialog = CreateTreeDialog(Keeping());
  ASSERT_EQ(GetFocus(), GetDlgItem(dialog, kTreeId));
  host.UseDialogMessage(dialog);
  host.PressKey(VK_ESCAPE);
  EXPECT_EQ(commands, (std::vector<WORD>{IDCANCEL}));
  EXPECT_FALSE(Notified(TVN_KEYDOWN));
}

TEST_F(DialogTest, EnterThroughTheDialogManagerIsOk) {
  HWND dialog = CreateTreeDialog(Keeping());
  host.UseDialogMessage(dialog);
  host.PressKey(VK_RETURN);
  EXPECT_EQ(commands, (std::vector<WORD>{IDOK}));
  EXPECT_FALSE(Notified(TVN_KEYDOWN));
  EXPECT_FALSE(Notified(NM_RETURN));
}

TEST_F(DialogTest, TabThroughTheDialogManagerMovesTheFocus) {
  HWND dialog = CreateTreeDialog(Keeping(), true);
  host.UseDialogMessage(dialog);
  recorder.Only({WM_NEXTDLGCTL});
  recorder.Flush();
  host.PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kButtonId));
  host.PressShiftedKey(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kTreeId));
  // Tab asks for the next control (wParam 0), Shift+Tab for the previous one (nonzero).
  EXPECT_TRUE(recorder.Sequence({{"dialog", WM_NEXTDLGCTL, 0, 0, 0}, {"dialog", WM_NEXTDLGCTL, Any(), 0, 0}}));
  ASSERT_EQ(recorder.Recorded().size(), 2u);
  EXPECT_NE(recorder.Recorded()[1].wParam, 0u);
  EXPECT_FALSE(Notified(TVN_KEYDOWN));
}

TEST_F(DialogTest, TabInADialogWithOneTabStopStaysAndNeverReachesTheTree) {
  HWND dialog = CreateTreeDialog(Keeping());
  host.UseDialogMessage(dialog);
  host.PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kTreeId));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(Notified(TVN_KEYDOWN));
}

TEST_F(DialogTest, ArrowsThroughTheDialogManagerReachTheTree) {
  HWND dialog = CreateTreeDialog(Keeping());
  HWND tree = GetDlgItem(dialog, kTreeId);
  HTREEITEM second = InsertItem(tree, TVI_ROOT, TEXT("Second"));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(NextItem(tree, nullptr, TVGN_ROOT)));
  host.UseDialogMessage(dialog);
  host.PressKey(VK_DOWN);
  EXPECT_TRUE(Notified(TVN_KEYDOWN));
  EXPECT_EQ(Selection(tree), second);
}

TEST_F(DialogTest, WithoutTheDialogManagerTheTreeGetsEscapeAndTab) {
  HWND dialog = CreateTreeDialog(Keeping());
  host.UseDialogMessage(nullptr);
  host.PressKey(VK_ESCAPE);
  host.PressKey(VK_TAB);
  EXPECT_TRUE(commands.empty());
  EXPECT_EQ(std::count(notified.begin(), notified.end(), UINT(TVN_KEYDOWN)), 2);
  EXPECT_TRUE(IsWindow(dialog));
}

// --- Answers through DWL_MSGRESULT ---

TEST_F(DialogTest, ANotificationIsAnsweredThroughMsgResult) {
  HWND dialog = CreateTreeDialog([](HWND self, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TVN_SELCHANGINGW) return false;
    SetWindowLongPtrW(self, DWL_MSGRESULT, TRUE);  // refuses the change
    *result = TRUE;
    return true;
  });
  HWND tree = GetDlgItem(dialog, kTreeId);
  HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT);
  EXPECT_FALSE(SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
  EXPECT_EQ(Selection(tree), nullptr);
}

TEST_F(DialogTest, TheProceduresOwnResultIsNotTheAnswer) {
  HWND dialog = CreateTreeDialog([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TVN_SELCHANGINGW) return false;
    *result = TRUE;  // handled, DWL_MSGRESULT left at 0: the change goes ahead
    return true;
  });
  HWND tree = GetDlgItem(dialog, kTreeId);
  HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT);
  EXPECT_TRUE(SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
  EXPECT_EQ(Selection(tree), item);
}

TEST_F(DialogTest, MsgResultIsResetBeforeEachMessage) {
  int calls = 0;
  HWND dialog = CreateTreeDialog([&](HWND self, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TVN_SELCHANGINGW) return false;
    if (++calls == 1) SetWindowLongPtrW(self, DWL_MSGRESULT, TRUE);
    *result = TRUE;
    return true;
  });
  HWND tree = GetDlgItem(dialog, kTreeId);
  HTREEITEM item = NextItem(tree, nullptr, TVGN_ROOT);
  EXPECT_FALSE(SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
  EXPECT_TRUE(SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)));
  EXPECT_EQ(calls, 2);
}

// --- The modal loop ---

TEST_F(DialogTest, EndDialogEndsTheModalLoopWithItsResult) {
  bool ownerEnabledDuringDialog = true;
  DialogTemplate shape(WS_POPUP | WS_VISIBLE, 120, 100);
  shape.Add(WC_TREEVIEWW, kTreeId, kFolderTreeStyle, 0, 0, 120, 100);
  host.WhenIdle([this] { host.PressKey(VK_ESCAPE); });
  INT_PTR result = RunModalTestDialog(host, shape, frame, [&](HWND self, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message == WM_INITDIALOG) ownerEnabledDuringDialog = IsWindowEnabled(frame) != FALSE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) EndDialog(self, 42);
    return false;
  });
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(ownerEnabledDuringDialog);
  EXPECT_TRUE(IsWindowEnabled(frame));
  EXPECT_EQ(GetActiveWindow(), frame);
}

TEST_F(DialogTest, EndDialogHidesTheDialogBeforeTheLoopEnds) {
  DialogTemplate shape(WS_POPUP | WS_VISIBLE, 120, 100);
  shape.Add(WC_TREEVIEWW, kTreeId, kFolderTreeStyle, 0, 0, 120, 100);
  HWND modal = nullptr;
  bool visibleAfterEnd = true;
  bool windowAfterEnd = false;
  host.WhenIdle([&] {
    EndDialog(modal, 7);
    visibleAfterEnd = IsWindowVisible(modal) != FALSE;
    windowAfterEnd = IsWindow(modal) != FALSE;
  });
  INT_PTR result = RunModalTestDialog(host, shape, frame, [&](HWND self, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_INITDIALOG) modal = self;
    return false;
  });
  EXPECT_EQ(result, 7);
  EXPECT_FALSE(visibleAfterEnd);
  EXPECT_TRUE(windowAfterEnd);
  EXPECT_FALSE(IsWindow(modal));
}

// --- Modeless dialogs and activation ---

TEST_F(DialogTest, AModelessDialogIsActiveAndOwnedByItsParent) {
  HWND dialog = CreateTreeDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), frame);
  EXPECT_TRUE(IsWindowEnabled(frame));
}

// A dialog that destroys itself when it loses activation, as the Change Folder dialog does.
// While it is destroyed it is still the active window, so DestroyWindow deactivates it once more
// (WM_ACTIVATE with WA_INACTIVE, nested), and the dialog destroys itself again from there: each
// of these nested destructions starts another deactivation. (Wine's user32 stops the recursion
// only at its limit of nested window procedures, after which the dialog never sees WM_DESTROY.)
// A dialog that destroys itself when it is deactivated, as a modeless dialog that closes when
// the user switches away does. Destroying the active window deactivates it, and a window that is
// destroyed from its own deactivation is still the active one: the nested DestroyWindow
// deactivates it once more, nested inside the first WM_ACTIVATE. This dialog destroys itself on
// the first deactivation only, as a dialog must that is to survive it.
class SelfDestroyingDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    dialog = CreateTreeDialog([this](HWND self, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
      if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        if (++deactivations == 1) DestroyWindow(self);
      }
      return false;
    });
    ASSERT_EQ(GetActiveWindow(), dialog);
    recorder.Only({WM_ACTIVATE, WM_DESTROY});
    recorder.Flush();
  }

  // The first two messages the dialog received: its deactivation, and the deactivation nested in
  // the DestroyWindow that the first one made; then its destruction.
  void ExpectDeactivatedAgainWhileDestroyed() {
    std::vector<foldwise_test::RecordedMessage> toDialog;
    for (const auto& r : recorder.Recorded()) {
      if (r.window == "dialog") toDialog.push_back(r);
    }
    ASSERT_GE(toDialog.size(), 3u);
    EXPECT_EQ(toDialog[0].message, UINT(WM_ACTIVATE));
    EXPECT_EQ(LOWORD(toDialog[0].wParam), WA_INACTIVE);
    EXPECT_EQ(toDialog[0].depth, 0);
    EXPECT_EQ(toDialog[1].message, UINT(WM_ACTIVATE));
    EXPECT_EQ(LOWORD(toDialog[1].wParam), WA_INACTIVE);
    EXPECT_EQ(toDialog[1].depth, 1);
    EXPECT_EQ(toDialog.back().message, UINT(WM_DESTROY));
    EXPECT_EQ(deactivations, 2);
  }

  HWND dialog = nullptr;
  int deactivations = 0;
};

TEST_F(SelfDestroyingDialogTest, WhenTheUserSwitchesAwayItGoesAndItsOwnerIsActive) {
  host.Activate(frame);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetActiveWindow(), frame);
  ASSERT_FALSE(recorder.Recorded().empty());
  const auto& first = recorder.Recorded().front();
  EXPECT_EQ(first.window, "dialog");
  EXPECT_EQ(first.message, UINT(WM_ACTIVATE));
  EXPECT_EQ(LOWORD(first.wParam), WA_INACTIVE);
  EXPECT_EQ(reinterpret_cast<HWND>(first.lParam), frame);
}

TEST_F(SelfDestroyingDialogTest, WhenTheUserSwitchesAwayItIsDeactivatedAgainWhileItGoes) {
  host.Activate(frame);
  ExpectDeactivatedAgainWhileDestroyed();
}

TEST_F(SelfDestroyingDialogTest, DestroyedWhileActiveItIsDeactivatedAgainWhileItGoes) {
  DestroyWindow(dialog);
  host.Pump();
  ExpectDeactivatedAgainWhileDestroyed();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetActiveWindow(), frame);
}

TEST_F(DialogTest, ADialogThatDestroysItselfOnEveryDeactivationIsReported) {
  // Each nested DestroyWindow deactivates the dialog again, so a dialog that answers every
  // deactivation with DestroyWindow recurses until the stack gives out (Wine stops at its limit
  // of nested window procedures, after which the dialog never sees WM_DESTROY).
  CONFORMANCE_CESIM_ONLY("the destruction repeats until the stack overflows");
  HWND dialog = CreateTreeDialog([](HWND self, UINT message, WPARAM wParam, LPARAM, LRESULT*) {
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) DestroyWindow(self);
    return false;
  });
  ASSERT_EQ(GetActiveWindow(), dialog);
  EXPECT_DEATH(DestroyWindow(dialog), "a device would not survive this");
}

TEST_F(DialogTest, DestroyingTheActiveDialogDeactivatesItFirst) {
  HWND dialog = CreateTreeDialog(nullptr);
  ASSERT_EQ(GetActiveWindow(), dialog);
  recorder.Only({WM_ACTIVATE, WM_DESTROY});
  recorder.Flush();
  DestroyWindow(dialog);
  EXPECT_TRUE(recorder.Sequence({
      {"dialog", WM_ACTIVATE, WA_INACTIVE, Wnd("frame"), 0},
      {"frame", WM_ACTIVATE, WA_ACTIVE, Any(), 0},
      {"dialog", WM_DESTROY, Any(), Any(), 0},
  }));
  EXPECT_EQ(GetActiveWindow(), frame);
}

TEST_F(DialogTest, ADialogBoxIsOfTheClassNamedDialog) {
  // The Change Folder dialog and the Explorer's message loop tell dialog boxes by this name. On the
  // desktop the desktop layer gives the device's name for the desktop's class (below).
  HWND dialog = CreateTreeDialog(nullptr);
  WCHAR name[16] = {};
  EXPECT_EQ(GetClassNameW(dialog, name, 16), 6);
  EXPECT_EQ(Text(name), Text(TEXT("Dialog")));
}

TEST_F(DialogTest, TheDesktopsDialogClassIsNumber32770) {
  CONFORMANCE_DESKTOP_ONLY("About Window Classes, learn.microsoft.com/windows/win32/winmsg/about-window-classes: "
                           "the system class of a dialog box is #32770; a device's is named Dialog");
  // The desktop's own GetClassNameW, past the desktop layer that gives the device's name.
  using ClassNameFunc = int(WINAPI*)(HWND, LPWSTR, int);
  auto desktops = reinterpret_cast<ClassNameFunc>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(TEXT("user32.dll")), TEXT("GetClassNameW"))));
  ASSERT_NE(desktops, nullptr);
  HWND dialog = CreateTreeDialog(nullptr);
  WCHAR name[16] = {};
  desktops(dialog, name, 16);
  EXPECT_EQ(Text(name), Text(TEXT("#32770")));
}

}  // namespace
}  // namespace conformance

// Pop-up menus tracked with TrackPopupMenu, as the Explorer's context and drop-down menus are: the
// loop tells its owner it starts, fills each level with WM_INITMENUPOPUP and tells it ends; the
// user's keys and taps choose, and the choice comes back as the result or as WM_COMMAND posted for
// after the loop. What the user does is queued with WhenIdle before the loop starts.
#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {
namespace {

using foldwise_test::Any;

// Menus that keys drive open here, away from where taps leave the cursor: a menu that opens
// under the cursor may get a mouse move that selects the item there.
const POINT kKeyedMenuAt = {160, 240};
// Menus that taps drive open here.
const POINT kTappedMenuAt = {20, 200};

class PopupMenuTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    owner = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
    ASSERT_NE(owner, nullptr);
    host.Activate(owner);
    // Open (1), Save (2), More > {Copy (10), Move (11)}.
    menu = CreatePopupMenu();
    more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 10, TEXT("Copy"));
    AppendMenuW(more, MF_STRING, 11, TEXT("Move"));
    AppendMenuW(menu, MF_STRING, 1, TEXT("Open"));
    AppendMenuW(menu, MF_STRING, 2, TEXT("Save"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), TEXT("More"));
    recorder.Name(owner, "owner");
    recorder.Only({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND});
    recorder.Flush();
  }
  void TearDown() override { DestroyMenu(menu); }

  // The user presses these keys, one after the other, once the loop waits.
  void WillPress(std::vector<UINT> keys) {
    host.WhenIdle([this, keys] {
      for (UINT vk : keys) host.PressKey(vk);
    });
  }
  void WillTap(HMENU level, UINT position) {
    host.WhenIdle([this, level, position] { host.TapMenuItem(level, position); });
  }

  int TrackByKeys(UINT flags) { return TrackPopupMenu(menu, flags, kKeyedMenuAt.x, kKeyedMenuAt.y, 0, owner, nullptr); }
  int TrackByTaps(UINT flags) {
    return TrackPopupMenu(menu, flags, kTappedMenuAt.x, kTappedMenuAt.y, 0, owner, nullptr);
  }

  size_t Count(UINT message) const {
    size_t count = 0;
    for (const foldwise_test::RecordedMessage& r : recorder.Recorded()) count += r.message == message ? 1 : 0;
    return count;
  }
  const foldwise_test::RecordedMessage* First(UINT message) const {
    for (const foldwise_test::RecordedMessage& r : recorder.Recorded()) {
      if (r.message == message) return &r;
    }
    return nullptr;
  }

  foldwise_test::MessageRecorder recorder;
  HWND owner = nullptr;
  HMENU menu = nullptr;
  HMENU more = nullptr;
};

// --- Starting and ending the loop ---

TEST_F(PopupMenuTest, BadMenusAndOwnersFailWithoutMessages) {
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(nullptr, TPM_RETURNCMD, 10, 10, 0, owner, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_TRUE(recorder.Sequence({}));
}

TEST_F(PopupMenuTest, TheLoopIsEnteredInitialisedAndLeftInThisOrder) {
  WillPress({VK_ESCAPE});
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 0);
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
}

TEST_F(PopupMenuTest, NoNotifySendsNoInitialisationButTellsTheEnd) {
  WillPress({VK_ESCAPE});
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD | TPM_NONOTIFY), 0);
  EXPECT_TRUE(recorder.Sequence({{"owner", WM_EXITMENULOOP, TRUE, 0, 0}}));
}

TEST_F(PopupMenuTest, AnEmptyMenuIsInitialisedAndGivesNothing) {
  HMENU empty = CreatePopupMenu();
  EXPECT_EQ(TrackPopupMenu(empty, TPM_RETURNCMD, kKeyedMenuAt.x, kKeyedMenuAt.y, 0, owner, nullptr), 0);
  EXPECT_EQ(Count(WM_INITMENUPOPUP), 1u);
  EXPECT_EQ(Count(WM_EXITMENULOOP), 1u);
  DestroyMenu(empty);
}

TEST_F(PopupMenuTest, CancelModeEndsTheLoop) {
  PostMessageW(owner, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 0);
  EXPECT_EQ(Count(WM_EXITMENULOOP), 1u);
}

TEST_F(PopupMenuTest, TheMenuBeingTrackedCannotBeTrackedAgain) {
  BOOL nested = TRUE;
  DWORD nestedError = 0;
  SetHandler(owner, [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_INITMENUPOPUP) {
      SetLastError(0);
      nested = TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, owner, nullptr);
      nestedError = GetLastError();
    }
    return false;
  });
  WillPress({VK_ESCAPE});
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 0);
  EXPECT_FALSE(nested);
  EXPECT_EQ(nestedError, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
  EXPECT_EQ(Count(WM_EXITMENULOOP), 1u);
}

// --- Keys ---

TEST_F(PopupMenuTest, KeysChooseAndTheResultIsReturned) {
  WillPress({VK_DOWN, VK_DOWN, VK_RETURN});
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 2);
  host.Pump();
  EXPECT_EQ(Count(WM_COMMAND), 0u);
}

TEST_F(PopupMenuTest, WithoutReturnCommandTheCommandIsPostedForAfterTheLoop) {
  WillPress({VK_DOWN, VK_RETURN});
  EXPECT_EQ(TrackByKeys(0), TRUE);
  EXPECT_EQ(Count(WM_COMMAND), 0u);
  host.Pump();
  ASSERT_EQ(Count(WM_COMMAND), 1u);
  EXPECT_EQ(First(WM_COMMAND)->wParam, MAKEWPARAM(1, 0));
  EXPECT_EQ(First(WM_COMMAND)->lParam, 0);
}

TEST_F(PopupMenuTest, ASubmenuOpensAtItsFirstItemAndIsInitialisedWithItsItemsPosition) {
  WillPress({VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN});  // More (the last item), its Copy, Move
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 11);
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(more), MAKELPARAM(2, 0), 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
}

TEST_F(PopupMenuTest, EscapeInASubmenuClosesOnlyTheSubmenu) {
  WillPress({VK_UP, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN});  // More stays selected; then Save
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 2);
}

TEST_F(PopupMenuTest, AMnemonicChoosesItsItem) {
  WCHAR text[] = TEXT("&Open");
  MENUITEMINFOW info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = text;
  ASSERT_TRUE(SetMenuItemInfoW(menu, 1, FALSE, &info));
  WillPress({'O'});
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 1);
}

TEST_F(PopupMenuTest, EnterOnAGrayedItemClosesTheMenuWithoutACommand) {
  EnableMenuItem(menu, 1, MF_BYCOMMAND | MF_GRAYED);
  WillPress({VK_DOWN, VK_RETURN});  // the grayed Open can be selected
  EXPECT_EQ(TrackByKeys(TPM_RETURNCMD), 0);
  EXPECT_EQ(Count(WM_EXITMENULOOP), 1u);
}

// --- Taps ---

TEST_F(PopupMenuTest, ATapOnAnItemChoosesIt) {
  WillTap(menu, 1);
  EXPECT_EQ(TrackByTaps(TPM_RETURNCMD), 2);
}

TEST_F(PopupMenuTest, ATapOpensASubmenuAndATapInsideItChooses) {
  WillTap(menu, 2);
  WillTap(more, 1);
  EXPECT_EQ(TrackByTaps(TPM_RETURNCMD), 11);
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(more), MAKELPARAM(2, 0), 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
}

TEST_F(PopupMenuTest, ATapOnAGrayedItemLeavesTheMenuOpen) {
  EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_GRAYED);
  WillTap(menu, 1);
  WillPress({VK_UP, VK_RETURN});  // still open, at the grayed Save: Open above it
  EXPECT_EQ(TrackByTaps(TPM_RETURNCMD), 1);
}

TEST_F(PopupMenuTest, ATapOutsideTheMenuEndsTheLoopAndGoesToTheWindowThere) {
  recorder.Only({WM_EXITMENULOOP, WM_COMMAND, WM_LBUTTONDOWN});
  host.WhenIdle([this] { host.Tap(owner, POINT{200, 20}); });
  EXPECT_EQ(TrackByTaps(TPM_RETURNCMD), 0);
  host.Pump();
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
      {"owner", WM_LBUTTONDOWN, Any(), MAKELPARAM(200, 20), 0},
  }));
}

}  // namespace
}  // namespace conformance

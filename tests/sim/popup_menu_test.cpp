// Pop-up menus tracked with TrackPopupMenu(Ex): the messages of the menu loop in their order, the
// chosen command posted after the loop (or returned with TPM_RETURNCMD), submenus opened with
// their position, owners that fill or destroy menus while they open, cancelling by Escape, by a
// tap outside or by a user who never acts, the keys and mnemonics, placement on the screen, and
// the bad calls. The user acts through cesim's automation from actions queued with WhenIdle.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;

// What the owner does when a pop-up menu is about to open.
std::function<void(HMENU, LPARAM)> onInitMenuPopup;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder != nullptr) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    if (message == WM_INITMENUPOPUP && onInitMenuPopup) onInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (message == WM_INITMENUPOPUP && onInitMenuPopup) onInitMenuPopup(reinterpret_cast<HMENU>(wParam), lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

constexpr UINT kMenuMessages[] = {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP, WM_COMMAND};

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    onInitMenuPopup = nullptr;
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &OwnerProc;
    cls.lpszClassName = u"MenuOwner";
    ASSERT_NE(RegisterClassW(&cls), 0);
    owner = CreateWindowExW(0, u"MenuOwner", u"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    cesim::Activate(owner);
    // Open (1), Save (2), a separator, More > {Copy (10), Move (11)}, Print (3, grayed).
    menu = CreatePopupMenu();
    more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 10, u"&Copy");
    AppendMenuW(more, MF_STRING, 11, u"&Move");
    AppendMenuW(menu, MF_STRING, 1, u"&Open");
    AppendMenuW(menu, MF_STRING, 2, u"&Save");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), u"Mo&re");
    AppendMenuW(menu, MF_STRING | MF_GRAYED, 3, u"&Print");
  }
  void TearDown() override { onInitMenuPopup = nullptr; }

  BOOL Track(UINT flags = 0, int x = 20, int y = 20) { return TrackPopupMenu(menu, flags, x, y, 0, owner, nullptr); }

  void RecordMenuMessages(MessageRecorder& recorder) {
    recorder.Name(owner, "owner");
    recorder.Only(std::set<UINT>(std::begin(kMenuMessages), std::end(kMenuMessages)));
  }

  foldwise_test::BootedDevice device;
  HWND owner = nullptr;
  HMENU menu = nullptr;
  HMENU more = nullptr;
};

TEST_F(PopupMenuTest, ChoosingAnItemPostsItsCommandAfterTheLoop) {
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  bool chose = false;
  cesim::WhenIdle([&] { chose = cesim::ChooseMenuItem({u"Save"}); });
  EXPECT_TRUE(Track());
  EXPECT_TRUE(chose);
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<long long>(menu), MAKELPARAM(0, FALSE), 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
  // The command was posted: it arrives when the application's loop runs.
  recorder.Flush();
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({{"owner", WM_COMMAND, 2, 0, 0}}));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, ReturnCommandGivesTheChoiceAndPostsNothing) {
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"&Open"}); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 1);
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(PopupMenuTest, NoNotifySendsNeitherTheLoopStartNorTheInitialisation) {
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"Open"}); });
  EXPECT_EQ(Track(TPM_NONOTIFY | TPM_RETURNCMD), 1);
  EXPECT_TRUE(recorder.Sequence({{"owner", WM_EXITMENULOOP, TRUE, 0, 0}}));
}

TEST_F(PopupMenuTest, SubmenusOpenWithTheirPositionAndTheirItemsCanBeChosen) {
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"More", u"Move"}); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 11);
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<long long>(menu), 0, 0},
      {"owner", WM_INITMENUPOPUP, reinterpret_cast<long long>(more), MAKELPARAM(3, FALSE), 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
}

TEST_F(PopupMenuTest, TheOwnerFillsASubmenuWhileItOpens) {
  HMENU late = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(late), u"Recent");
  onInitMenuPopup = [late](HMENU opening, LPARAM) {
    if (opening == late && GetMenuItemCount(late) == 0) AppendMenuW(late, MF_STRING, 40, u"Letter.doc");
  };
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"Recent", u"Letter.doc"}); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 40);
}

TEST_F(PopupMenuTest, ChoosingByCommandOpensTheSubmenusOnTheWay) {
  std::vector<HMENU> opened;
  onInitMenuPopup = [&opened](HMENU opening, LPARAM) { opened.push_back(opening); };
  cesim::WhenIdle([] { cesim::ChooseMenuCommand(10); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 10);
  EXPECT_EQ(opened, (std::vector<HMENU>{menu, more}));
}

TEST_F(PopupMenuTest, TheOwnerChangesTheMenuItOpens) {
  onInitMenuPopup = [this](HMENU opening, LPARAM) {
    if (opening == menu) {
      InsertMenuW(menu, 0, MF_BYPOSITION | MF_STRING, 7, u"Inserted");
      CheckMenuItem(menu, 2, MF_BYCOMMAND | MF_CHECKED);
    }
  };
  std::string seen;
  cesim::WhenIdle([&seen] {
    seen = cesim::DumpOpenMenus();
    cesim::CancelMenu();
  });
  Track();
  EXPECT_EQ(seen, "Inserted\nOpen\n[x] Save\n-\nMore >\nPrint (grayed)\n");
}

TEST_F(PopupMenuTest, OpenMenusShowTheOpenSubmenuUnderItsItem) {
  std::string seen;
  std::vector<cesim::OpenMenu> levels;
  // More opens; its submenu has no "Nothing", so the second step taps nothing.
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"More", u"Nothing"}); });
  cesim::WhenIdle([&] {
    seen = cesim::DumpOpenMenus();
    levels = cesim::OpenMenus();
    cesim::CancelMenu();
  });
  EXPECT_TRUE(Track());
  EXPECT_EQ(seen, "Open\nSave\n-\n*More >\n  Copy\n  Move\nPrint (grayed)\n");
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_EQ(levels[0].menu, menu);
  EXPECT_EQ(levels[0].selected, 3);
  EXPECT_EQ(levels[1].menu, more);
  // The submenu opens to the right of its item, level with it.
  EXPECT_EQ(levels[1].rect.left, levels[0].itemRects[3].right);
  EXPECT_EQ(cesim::OpenMenus().size(), 0u);
}

TEST_F(PopupMenuTest, EscapeClosesTheSubmenuThenTheMenu) {
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  size_t afterFirstEscape = 0;
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"More", u"Nowhere"}); });
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  cesim::WhenIdle([&] {
    afterFirstEscape = cesim::OpenMenus().size();
    cesim::PressKey(VK_ESCAPE);
  });
  EXPECT_TRUE(Track());
  EXPECT_EQ(afterFirstEscape, 1u);
  cesim::PumpMessages();
  // No command was chosen.
  EXPECT_EQ(recorder.Recorded().back().message, static_cast<UINT>(WM_EXITMENULOOP));
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, ATapOutsideCancelsAndReachesTheWindowBelow) {
  MessageRecorder recorder;
  recorder.Name(owner, "owner");
  recorder.Only({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_EXITMENULOOP, WM_COMMAND});
  cesim::WhenIdle([] { cesim::Tap(POINT{200, 300}); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  cesim::PumpMessages();
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
      {"owner", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 300), 0},
      {"owner", WM_LBUTTONUP, 0, MAKELPARAM(200, 300), 0},
  }));
}

TEST_F(PopupMenuTest, AUserWhoNeverActsLeavesTheMenuClosedAndCountsAStall) {
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(cesim::MessageLoopStalls(), 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PopupMenuTest, GrayedItemsAndSeparatorsCannotBeChosen) {
  bool chose = true;
  RECT grayed = {};
  cesim::WhenIdle([&] {
    chose = cesim::ChooseMenuItem({u"Print"});
    grayed = cesim::OpenMenus()[0].itemRects[4];
  });
  // A tap on the grayed item does nothing; the menu stays open.
  cesim::WhenIdle([&] { cesim::Tap(POINT{(grayed.left + grayed.right) / 2, (grayed.top + grayed.bottom) / 2}); });
  size_t open = 0;
  cesim::WhenIdle([&] {
    open = cesim::OpenMenus().size();
    cesim::CancelMenu();
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_FALSE(chose);
  EXPECT_EQ(open, 1u);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, KeysMoveOverSeparatorsAndEnterChooses) {
  // Down selects Open, Save, then More (the separator is skipped); Right opens More at Copy.
  cesim::WhenIdle([] {
    cesim::PressKey(VK_DOWN);
    cesim::PressKey(VK_DOWN);
    cesim::PressKey(VK_DOWN);
    cesim::PressKey(VK_RIGHT);
    cesim::PressKey(VK_DOWN);
    cesim::PressKey(VK_RETURN);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 11);
}

TEST_F(PopupMenuTest, MnemonicsChooseAndOpen) {
  cesim::WhenIdle([] { cesim::TypeText(u"rm"); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 11);
  // Enter on a grayed item, as on the platform, closes the menu without a command.
  cesim::WhenIdle([] {
    cesim::PressKey(VK_UP);
    cesim::PressKey(VK_RETURN);
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, OtherMessagesAreDispatchedWhileTheMenuIsOpen) {
  MessageRecorder recorder;
  recorder.Name(owner, "owner");
  recorder.Only({WM_ENTERMENULOOP, WM_TIMER, WM_USER, WM_EXITMENULOOP});
  SetTimer(owner, 5, 100, nullptr);
  cesim::WhenIdle([this] {
    PostMessageW(owner, WM_USER, 1, 2);
    cesim::AdvanceClock(100);
  });
  cesim::WhenIdle([] { cesim::CancelMenu(); });
  Track();
  EXPECT_TRUE(recorder.Sequence({
      {"owner", WM_ENTERMENULOOP, TRUE, 0, 0},
      {"owner", WM_USER, 1, 2, 0},
      {"owner", WM_TIMER, 5, Any(), 0},
      {"owner", WM_EXITMENULOOP, TRUE, 0, 0},
  }));
  KillTimer(owner, 5);
}

TEST_F(PopupMenuTest, AMenuDestroyedWhileOpenEndsTheLoop) {
  cesim::WhenIdle([this] { DestroyMenu(menu); });
  EXPECT_EQ(Track(TPM_RETURNCMD), 0);
  EXPECT_FALSE(IsMenu(more));
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
  EXPECT_EQ(cesim::OpenMenus().size(), 0u);
}

TEST_F(PopupMenuTest, ASubmenuDestroyedWhileOpenClosesOnlyItsLevel) {
  size_t open = 0;
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"More", u"Nowhere"}); });
  cesim::WhenIdle([&] {
    DeleteMenu(menu, 3, MF_BYPOSITION);
    open = cesim::OpenMenus().size();
    cesim::ChooseMenuItem({u"Open"});
  });
  EXPECT_EQ(Track(TPM_RETURNCMD), 1);
  EXPECT_EQ(open, 1u);
}

TEST_F(PopupMenuTest, AnEmptyMenuShowsNothing) {
  HMENU empty = CreatePopupMenu();
  MessageRecorder recorder;
  RecordMenuMessages(recorder);
  EXPECT_FALSE(TrackPopupMenu(empty, 0, 10, 10, 0, owner, nullptr));
  EXPECT_EQ(TrackPopupMenu(empty, TPM_RETURNCMD, 10, 10, 0, owner, nullptr), 0);
  EXPECT_EQ(recorder.Recorded().size(), 6u);  // entered, initialised and left, twice
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, AMenuDestroyedByItsOwnerWhileOpeningShowsNothing) {
  onInitMenuPopup = [](HMENU opening, LPARAM) { DestroyMenu(opening); };
  EXPECT_FALSE(Track());
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

TEST_F(PopupMenuTest, OneMenuLoopAtATime) {
  BOOL nested = TRUE;
  DWORD error = 0;
  onInitMenuPopup = [&](HMENU opening, LPARAM) {
    if (opening != menu) return;
    SetLastError(0);
    nested = TrackPopupMenu(more, TPM_RETURNCMD, 0, 0, 0, owner, nullptr);
    error = GetLastError();
  };
  cesim::WhenIdle([] { cesim::CancelMenu(); });
  Track();
  EXPECT_FALSE(nested);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
  // After the loop a menu can be tracked again.
  onInitMenuPopup = nullptr;
  cesim::WhenIdle([] { cesim::ChooseMenuItem({u"Copy"}); });
  EXPECT_EQ(TrackPopupMenu(more, TPM_RETURNCMD, 0, 0, 0, owner, nullptr), 10);
}

TEST_F(PopupMenuTest, BadCallsFailWithoutMessages) {
  MessageRecorder recorder;
  recorder.Name(owner, "owner");
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(nullptr, TPM_RETURNCMD, 0, 0, 0, owner, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_FALSE(TrackPopupMenu(reinterpret_cast<HMENU>(owner), 0, 0, 0, 0, owner, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenu(menu, TPM_RETURNCMD, 0, 0, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  TPMPARAMS params = {};
  params.cbSize = sizeof params + 1;
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, owner, &params));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(PopupMenuTest, TheMenuIsPlacedAsTheFlagsSayAndStaysOnTheScreen) {
  std::vector<RECT> placed;
  auto record = [&placed] {
    placed.push_back(cesim::OpenMenus()[0].rect);
    cesim::CancelMenu();
  };
  cesim::WhenIdle(record);
  Track(TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 200, 300);
  cesim::WhenIdle(record);
  Track(TPM_LEFTALIGN | TPM_TOPALIGN, 230, 310);
  cesim::WhenIdle(record);
  Track(TPM_CENTERALIGN | TPM_VCENTERALIGN, 120, 160);
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].right, 200);
  EXPECT_EQ(placed[0].bottom, 300);
  // Past the screen's edge the menu moves back in.
  EXPECT_EQ(placed[1].right, 240);
  EXPECT_EQ(placed[1].bottom, 320);
  EXPECT_EQ((placed[2].left + placed[2].right) / 2, 120);
  EXPECT_EQ((placed[2].top + placed[2].bottom) / 2, 160);
}

TEST_F(PopupMenuTest, TrackPopupMenuExKeepsOffTheExcludedRectangle) {
  RECT placed = {};
  TPMPARAMS params = {};
  params.cbSize = sizeof params;
  params.rcExclude = RECT{0, 0, 100, 40};
  cesim::WhenIdle([&placed] {
    placed = cesim::OpenMenus()[0].rect;
    cesim::CancelMenu();
  });
  EXPECT_TRUE(TrackPopupMenuEx(menu, TPM_VERTICAL, 10, 10, owner, &params));
  EXPECT_EQ(placed.top, 40);
  EXPECT_EQ(placed.left, 10);
}

}  // namespace

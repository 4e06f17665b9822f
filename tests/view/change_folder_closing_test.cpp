// How the Change Folder dialog opens and ends: placed without being activated while it is
// created; ended by Tab, Escape, a tap or Enter under a plain message loop (the tree's own
// notifications) and under the Explorer's loop (the dialog manager's commands); never destroyed
// inside a notification after which the tree still works; and ended once, whoever begins it.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "change_folder_fixture.h"
#include "frame_window.h"
#include "host/host_contract.h"
#include "message_recorder.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

// The keys that close the dialog without navigating.
class CloseKeyTest : public ChangeFolderTest, public ::testing::WithParamInterface<UINT> {};

INSTANTIATE_TEST_SUITE_P(TabAndEscape, CloseKeyTest, ::testing::Values(VK_TAB, VK_ESCAPE),
                         [](const ::testing::TestParamInfo<UINT>& info) {
                           return std::string(info.param == VK_TAB ? "Tab" : "Escape");
                         });

// Watches the tree, the dialog and the frame for the user's input (the messages in `input`),
// the folder sent to the frame and the dialog's end.
void WatchTheEnd(MessageRecorder* recorder, HWND tree, HWND dialog, HWND frame, std::set<UINT> input) {
  recorder->Watch(tree, "tree");
  recorder->Watch(dialog, "dialog");
  recorder->Watch(frame, "frame");
  input.insert({WM_CLOSE, WM_DESTROY, HOST_MSG_NAVIGATE});
  recorder->Only(std::move(input));
}

// The end as the table shows it: the dialog's own posted close, outside the input's handling,
// destroys it and its tree.
const ExpectedMessage kPostedClose = {"dialog", WM_CLOSE, Any(), Any(), 0};
const ExpectedMessage kDialogDestroyed = {"dialog", WM_DESTROY, Any(), Any(), 1};
const ExpectedMessage kTreeDestroyed = {"tree", WM_DESTROY, Any(), Any(), {}};

// The input, the folder sent to the frame from inside the tree's notification about it (tree,
// then dialog), and the end after the input's handling is over.
std::vector<ExpectedMessage> SentThenClosed(const ExpectedMessage& input) {
  return {input, {"frame", HOST_MSG_NAVIGATE, 0, Any(), 2}, kPostedClose, kDialogDestroyed, kTreeDestroyed};
}

// --- A plain message loop: the tree sees the keys and notifies the dialog ---

TEST_P(CloseKeyTest, InTheTreeClosesWithoutNavigating) {
  Boot("\\Windows");
  HWND dialog = Open();
  ASSERT_TRUE(IsWindow(dialog));
  cesim::PressKey(GetParam());
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetFrameNavigationCount(frame), 0);
}

// The tree goes on using its own state after TVN_KEYDOWN returns: the dialog, and the tree
// with it, is destroyed only once the key's handling is over.
TEST_P(CloseKeyTest, InTheTreeClosesOnlyAfterTheTreesNotificationReturns) {
  Boot("\\Windows");
  HWND dialog = Open();
  MessageRecorder recorder;
  WatchTheEnd(&recorder, Tree(dialog), dialog, frame, {WM_KEYDOWN});
  cesim::PressKey(GetParam());
  EXPECT_TRUE(recorder.Sequence({
      {"tree", WM_KEYDOWN, GetParam(), Any(), 0},
      kPostedClose,
      kDialogDestroyed,
      kTreeDestroyed,
  }));
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, ATapSendsTheFolderInsideTheClickAndClosesAfterIt) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  MessageRecorder recorder;
  WatchTheEnd(&recorder, Tree(dialog), dialog, frame, {WM_LBUTTONDOWN});
  ASSERT_TRUE(cesim::TapTreeItem(Tree(dialog), {u"My Device", u"Windows"}));
  // The tree still selects and takes the focus after NM_CLICK returns, so the dialog ends
  // afterwards, by its posted close.
  EXPECT_TRUE(recorder.Sequence(SentThenClosed({"tree", WM_LBUTTONDOWN, Any(), Any(), 0})));
  EXPECT_EQ(FrameFolder(), "\\Windows");
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, EnterInTheTreeSendsTheFolderAndClosesAfterTheTreesNotifications) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  MessageRecorder recorder;
  WatchTheEnd(&recorder, Tree(dialog), dialog, frame, {WM_KEYDOWN});
  cesim::PressKey(VK_RETURN);
  EXPECT_TRUE(recorder.Sequence(SentThenClosed({"tree", WM_KEYDOWN, VK_RETURN, Any(), 0})));
  EXPECT_EQ(FrameFolder(), "\\Windows\\Fonts");
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
}

// An Explorer that brings its frame window to the front when it shows a folder deactivates the
// dialog while the tree's NM_CLICK is still under way: the dialog still ends after it.
WNDPROC g_frameProc = nullptr;

LRESULT CALLBACK ActivatingFrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(g_frameProc, hwnd, message, wParam, lParam);
  if (message == HOST_MSG_NAVIGATE) SetActiveWindow(hwnd);
  return result;
}

TEST_F(ChangeFolderTest, AnExplorerActivatingItselfWhileItShowsTheFolderDoesNotEndTheDialogInsideTheClick) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  ASSERT_EQ(GetActiveWindow(), dialog);
  g_frameProc = reinterpret_cast<WNDPROC>(
      SetWindowLongW(frame, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&ActivatingFrameProc)));
  MessageRecorder recorder;
  WatchTheEnd(&recorder, Tree(dialog), dialog, frame, {WM_LBUTTONDOWN});
  ASSERT_TRUE(cesim::TapTreeItem(Tree(dialog), {u"My Device", u"Windows"}));
  EXPECT_TRUE(recorder.Sequence(SentThenClosed({"tree", WM_LBUTTONDOWN, Any(), Any(), 0})));
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
  EXPECT_FALSE(IsWindow(dialog));
}

// --- The Explorer's loop: IsDialogMessageW turns Enter, Escape and Tab into IDOK, IDCANCEL and
// WM_NEXTDLGCTL before the tree sees them ---

TEST_P(CloseKeyTest, ThroughTheDialogManagerClosesWithoutNavigating) {
  Boot("\\Windows");
  HWND dialog = Open();
  ASSERT_TRUE(IsWindow(dialog));
  UINT key = GetParam();
  RunExplorerLoop({[key] { cesim::PressKey(key); }});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetFrameNavigationCount(frame), 0);
}

TEST_F(ChangeFolderTest, EnterThroughTheDialogManagerSendsTheSelectedFolder) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  RunExplorerLoop({[] { cesim::PressKey(VK_UP); },  // from Fonts up to Windows: the tree's arrow
                   [] { cesim::PressKey(VK_RETURN); }});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FrameFolder(), "\\Windows");
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
}

TEST_F(ChangeFolderTest, ATapUnderTheExplorersLoopSendsTheFolderOnce) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  HWND tree = Tree(dialog);
  RunExplorerLoop({[tree] { cesim::TapTreeItem(tree, {u"My Device", u"Windows", u"Fonts"}); }});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FrameFolder(), "\\Windows\\Fonts");
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
}

TEST_F(ChangeFolderTest, TheArrowsStillMoveInTheTreeUnderTheExplorersLoop) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  RunExplorerLoop({[] { cesim::PressKey(VK_UP); }});
  ASSERT_TRUE(IsWindow(dialog));
  EXPECT_NE(cesim::DumpTree(Tree(dialog)).find("  - Windows [selected]\n"), std::string::npos)
      << cesim::DumpTree(Tree(dialog));
}

// --- Opening: the placement inside WM_INITDIALOG activates nothing ---

// The dialog places itself below the path bar first and fills its tree after. A placement that
// activated it would take the activation from the frame then, before the tree has an item; the
// dialog manager's focus on the tree after the initialisation takes it with the tree filled.
struct ActivationWatch {
  WNDPROC previous = nullptr;
  std::vector<LRESULT> treeItemsWhenActivated;
};
ActivationWatch* g_activation = nullptr;

LRESULT CALLBACK WatchingFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && lParam != 0) {
    HWND tree = GetDlgItem(reinterpret_cast<HWND>(lParam), IDC_FOLDER_TREE);
    g_activation->treeItemsWhenActivated.push_back(SendMessageW(tree, TVM_GETCOUNT, 0, 0));
  }
  return CallWindowProcW(g_activation->previous, frame, message, wParam, lParam);
}

TEST_F(ChangeFolderTest, ThePlacementDoesNotActivateTheDialogWhileItIsCreated) {
  Boot("\\Windows");
  ASSERT_EQ(GetActiveWindow(), frame);
  ActivationWatch watch;
  g_activation = &watch;
  watch.previous = reinterpret_cast<WNDPROC>(
      SetWindowLongW(frame, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingFrameProc)));
  HWND dialog = Open();
  SetWindowLongW(frame, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(watch.previous));
  g_activation = nullptr;
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(watch.treeItemsWhenActivated.size(), 1u);
  EXPECT_GT(watch.treeItemsWhenActivated[0], 0);
  // Shown and active once it is created, with the focus on the tree.
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(GetFocus(), Tree(dialog));
}

// --- Ended once ---

size_t CountOf(const MessageRecorder& recorder, HWND hwnd, UINT message) {
  size_t count = 0;
  for (const RecordedMessage& r : recorder.Recorded()) count += r.hwnd == hwnd && r.message == message ? 1 : 0;
  return count;
}

// Destroying the active dialog activates another window, which deactivates the dialog from
// inside its own destruction: that does not begin the destruction again.
TEST_F(ChangeFolderTest, LosingActivationInsideItsOwnDestructionEndsItOnce) {
  Boot("\\Windows");
  HWND dialog = Open();
  ASSERT_EQ(GetActiveWindow(), dialog);
  MessageRecorder recorder;
  recorder.Watch(dialog, "dialog");
  recorder.Only({WM_ACTIVATE, WM_CANCELMODE, WM_DESTROY});
  SendMessageW(dialog, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  // The deactivation comes from inside the destruction that WM_CANCELMODE began.
  EXPECT_TRUE(recorder.Sequence({
      {"dialog", WM_CANCELMODE, Any(), Any(), 0},
      {"dialog", WM_ACTIVATE, WA_INACTIVE, Any(), 1},
      {"dialog", WM_DESTROY, Any(), Any(), 1},
  }));
  EXPECT_EQ(CountOf(recorder, dialog, WM_DESTROY), 1u);
  EXPECT_EQ(GetActiveWindow(), frame);
}

TEST_F(ChangeFolderTest, DestroyingTheFrameEndsAnOpenDialogOnce) {
  Boot("\\Windows");
  HWND dialog = Open();
  ASSERT_EQ(GetActiveWindow(), dialog);
  MessageRecorder recorder;
  recorder.Watch(dialog, "dialog");
  recorder.Only({WM_ACTIVATE, WM_CLOSE, WM_DESTROY});
  // The frame destroys the windows it owns first.
  EXPECT_TRUE(DestroyWindow(frame));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(CountOf(recorder, dialog, WM_DESTROY), 1u);
  EXPECT_EQ(CountOf(recorder, dialog, WM_CLOSE), 0u);
  frame = nullptr;
}

}  // namespace
}  // namespace foldwise_test

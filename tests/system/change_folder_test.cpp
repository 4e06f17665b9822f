// The Change Folder pop-up: the toolbar's folder button (the Explorer's command 301) opens a tree
// of the folders, opened along the folder the Explorer shows; a tap on a folder takes the
// Explorer there and closes the pop-up; Escape closes it without going anywhere.
#include "system_test.h"

#include "explorer.h"

namespace system_test {
namespace {

const int kFolderCommand = 301;
const int kFolderTree = 1011;

class ChangeFolderTest : public SystemTest {
 protected:
  // The Change Folder pop-up that is open now: a shown window that the frame owns.
  HWND OpenPopup() const {
    for (HWND window = GetWindow(frame, GW_HWNDPREV); window != nullptr; window = GetWindow(window, GW_HWNDPREV)) {
      if (GetWindow(window, GW_OWNER) == frame && IsWindowVisible(window)) return window;
    }
    return nullptr;
  }

  // Taps the toolbar's first button, the folder button.
  void TapFolderButton() {
    HWND toolbar = ExplorerToolbar(frame);
    RECT button = {};
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&button)));
    host.Tap(toolbar, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
  }

  static Text ItemLabel(HWND tree, HTREEITEM item) {
    WCHAR text[MAX_PATH] = {};
    TVITEMW data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = text;
    data.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
    return text;
  }

  static HTREEITEM Selected(HWND tree) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }

  // The child of `parent` labelled `label`, or null.
  static HTREEITEM Child(HWND tree, HTREEITEM parent, const Text& label) {
    HTREEITEM child = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (child != nullptr && ItemLabel(tree, child) != label) {
      child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return child;
  }

  // A tap on an item's label, brought into view first as the user scrolls to it.
  void TapItem(HWND tree, HTREEITEM item) {
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    host.Pump();
    // The message takes the item in the rectangle's place.
    union {
      RECT rect;
      HTREEITEM item;
    } asked = {};
    asked.item = item;
    ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&asked)));
    const RECT label = asked.rect;
    RECT client = {};
    GetClientRect(tree, &client);
    const LONG right = label.right < client.right ? label.right : client.right;
    ASSERT_LT(label.left + 2, right) << "the item's label is outside the tree";
    host.Tap(tree, POINT{label.left + 2, (label.top + label.bottom) / 2});
  }
};

TEST_F(ChangeFolderTest, TheFolderButtonOpensTheTreeAtTheShownFolderATapGoesToAnotherAndEscapeGoesNowhere) {
  host.AddFile(TEXT("\\Docs\\Work\\Plan.txt"), "plan");
  host.AddFile(TEXT("\\Docs\\Notes\\Monday.txt"), "monday");
  host.AddFile(TEXT("\\Docs\\Notes\\Tuesday.txt"), "tuesday");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_TRUE(GoTo(TEXT("\\Docs\\Work")));

  TapFolderButton();
  HWND popup = OpenPopup();
  ASSERT_NE(popup, nullptr) << "the folder button opened no pop-up";
  HWND tree = GetDlgItem(popup, kFolderTree);
  ASSERT_NE(tree, nullptr);
  // The pop-up sits below the path bar, and the tree has the focus with the shown folder chosen.
  RECT bar = {};
  RECT placed = {};
  GetWindowRect(GetDlgItem(frame, 300), &bar);
  GetWindowRect(popup, &placed);
  EXPECT_EQ(placed.top, bar.bottom);
  EXPECT_EQ(GetFocus(), tree);
  HTREEITEM work = Selected(tree);
  ASSERT_NE(work, nullptr) << "the shown folder is not chosen in the tree";
  EXPECT_EQ(conformance::Printable(ItemLabel(tree, work)), "Work");
  HTREEITEM docs = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(work)));
  HTREEITEM notes = Child(tree, docs, TEXT("Notes"));
  ASSERT_NE(notes, nullptr) << "the shown folder's sibling is not in the tree";

  TapItem(tree, notes);
  EXPECT_FALSE(IsWindow(popup)) << "the pop-up stays open after the tap";
  EXPECT_EQ(conformance::Printable(ShownFolder()), conformance::Printable(DevicePath(TEXT("\\Docs\\Notes"))));
  EXPECT_EQ(ListedNames(), (std::vector<Text>{TEXT("Monday"), TEXT("Tuesday")}));

  // Command 301 opens it again; Escape in the tree closes it without going anywhere.
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(kFolderCommand, 0), 0);
  host.Pump();
  popup = OpenPopup();
  ASSERT_NE(popup, nullptr) << "command 301 opened no pop-up";
  host.PressKey(VK_ESCAPE);
  EXPECT_FALSE(IsWindow(popup)) << "Escape left the pop-up open";
  EXPECT_EQ(conformance::Printable(ShownFolder()), conformance::Printable(DevicePath(TEXT("\\Docs\\Notes"))));
  EXPECT_EQ(ListedNames().size(), 2u);
}

}  // namespace
}  // namespace system_test

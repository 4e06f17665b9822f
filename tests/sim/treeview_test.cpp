// The tree view control against the platform's documented behaviour: sorted (in the locale's
// alphabetical order) and placed inserts, sorting children, walking the tree, expanding with its
// notifications (cancelled, filled by the parent while it expands, empty), TVIS_EXPANDEDONCE,
// selection and the selection that the focus gives, hit-testing each part of a row, taps and double
// taps, keys, deletion and the children count, scrolling, the rows of a large tree after every kind
// of change, callbacks, stale item handles, and parents that destroy the control while it notifies
// them: reported where the real control goes on using its state, survived where it returns.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "control_checks.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::Code;
using foldwise_test::MessageRecorder;

// What the parent does with a notification; its result is the parent's answer.
std::function<LRESULT(NMHDR*)> onNotify;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NOTIFY) return DefWindowProcW(hwnd, message, wParam, lParam);
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder == nullptr) return onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : 0;
  auto scope = recorder->Enter(hwnd, message, wParam, lParam);
  return onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : 0;
}

// A tree of 207 x 93 pixels with a border: five rows of 16 pixels.
constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_DISABLEDRAGDROP;

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    onNotify = nullptr;
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &ParentProc;
    cls.lpszClassName = u"TreeParent";
    ASSERT_NE(RegisterClassW(&cls), 0);
    parent = CreateWindowExW(0, u"TreeParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                             nullptr);
    tree = CreateWindowExW(0, WC_TREEVIEWW, u"", kTreeStyle, 0, 0, 207, 93, parent, reinterpret_cast<HMENU>(1011),
                           nullptr, nullptr);
    ASSERT_NE(tree, nullptr);
  }
  void TearDown() override { onNotify = nullptr; }

  HTREEITEM Insert(HTREEITEM parentItem, const std::u16string& text, HTREEITEM after = TVI_LAST, int children = -2) {
    TVINSERTSTRUCTW ins = {};
    ins.hParent = parentItem;
    ins.hInsertAfter = after;
    ins.item.mask = TVIF_TEXT | (children != -2 ? TVIF_CHILDREN : 0);
    ins.item.pszText = const_cast<LPWSTR>(text.c_str());
    ins.item.cChildren = children;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  }

  HTREEITEM Next(UINT code, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  }

  std::u16string TextOf(HTREEITEM item) {
    WCHAR text[MAX_PATH] = {};
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = MAX_PATH;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi))) return u"<none>";
    return text;
  }

  int ChildrenOf(HTREEITEM item) {
    TVITEMW tvi = {};
    tvi.mask = TVIF_CHILDREN;
    tvi.hItem = item;
    tvi.cChildren = -7;
    if (!SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi))) return -7;
    return tvi.cChildren;
  }

  UINT StateOf(HTREEITEM item) {
    return static_cast<UINT>(SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), 0xFFFF));
  }

  std::vector<std::u16string> Children(HTREEITEM item) {
    std::vector<std::u16string> texts;
    for (HTREEITEM c = Next(TVGN_CHILD, item); c != nullptr; c = Next(TVGN_NEXT, c)) texts.push_back(TextOf(c));
    return texts;
  }

  LRESULT Expand(HTREEITEM item, UINT code = TVE_EXPAND) {
    return SendMessageW(tree, TVM_EXPAND, code, reinterpret_cast<LPARAM>(item));
  }

  LRESULT Select(HTREEITEM item) { return SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)); }

  TVHITTESTINFO HitTest(int x, int y) {
    TVHITTESTINFO info = {};
    info.pt = {x, y};
    SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
    return info;
  }

  // My Device with Windows (Fonts, System) and Program Files below it.
  void Folders() {
    device_ = Insert(TVI_ROOT, u"My Device", TVI_SORT, 1);
    windows = Insert(device_, u"Windows", TVI_SORT, 1);
    fonts = Insert(windows, u"Fonts", TVI_SORT, 0);
    system = Insert(windows, u"System", TVI_SORT, 0);
    programs = Insert(device_, u"Program Files", TVI_SORT, 0);
  }

  foldwise_test::BootedDevice device;
  HWND parent = nullptr;
  HWND tree = nullptr;
  HTREEITEM device_ = nullptr, windows = nullptr, fonts = nullptr, system = nullptr, programs = nullptr;
};

using Texts = std::vector<std::u16string>;

TEST_F(TreeViewTest, InsertsSortedWithoutLetterCaseAndWhereAsked) {
  for (const char16_t* text : {u"beta", u"Alpha", u"gamma", u"alpha"}) Insert(TVI_ROOT, text, TVI_SORT);
  EXPECT_EQ(Children(nullptr), (Texts{u"Alpha", u"alpha", u"beta", u"gamma"}));
  HTREEITEM alpha = Next(TVGN_ROOT);
  Insert(TVI_ROOT, u"first", TVI_FIRST);
  Insert(TVI_ROOT, u"after Alpha", alpha);
  // The device's 32-bit spelling of TVI_ROOT is the root too.
  Insert(reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(TVI_ROOT)))),
         u"last");
  EXPECT_EQ(Children(nullptr), (Texts{u"first", u"Alpha", u"after Alpha", u"alpha", u"beta", u"gamma", u"last"}));
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 7);
  HTREEITEM stale = reinterpret_cast<HTREEITEM>(static_cast<uintptr_t>(0x12345678));
  EXPECT_EQ(Insert(stale, u"orphan"), nullptr);
  EXPECT_EQ(SendMessageW(tree, TVM_INSERTITEMW, 0, 0), 0);
}

TEST_F(TreeViewTest, SortedInsertsFollowTheLocalesAlphabeticalOrder) {
  // Accents weigh after the letters, symbols before digits before letters, hyphens last: not the
  // order of the code units.
  for (const char16_t* text : {u"Zebra", u"Äpfel", u"apfel", u"Birne", u"_Notes", u"2004", u"co-op", u"coop", u"cop"}) {
    Insert(TVI_ROOT, text, TVI_SORT);
  }
  EXPECT_EQ(Children(nullptr),
            (Texts{u"_Notes", u"2004", u"apfel", u"Äpfel", u"Birne", u"coop", u"co-op", u"cop", u"Zebra"}));
  // An item equal to others without letter case goes after the first of them.
  HTREEITEM second = Insert(TVI_ROOT, u"APFEL", TVI_SORT);
  EXPECT_EQ(Next(TVGN_PREVIOUS, second), cesim::FindTreeItem(tree, {u"apfel"}));
}

TEST_F(TreeViewTest, SortingChildrenSortsOneLevelAlphabetically) {
  HTREEITEM root = Insert(TVI_ROOT, u"root");
  EXPECT_FALSE(SendMessageW(tree, TVM_SORTCHILDREN, TRUE, reinterpret_cast<LPARAM>(root)));  // nothing to sort
  HTREEITEM wasp = Insert(root, u"Wasp");
  HTREEITEM caribou = Insert(root, u"Caribou");
  Insert(wasp, u"Vacuum");
  Insert(wasp, u"Ocelot");
  Insert(caribou, u"Newspaper");
  Insert(caribou, u"Litter bin");
  Insert(root, u"éclair");
  // Only the children, even when all levels are asked for.
  EXPECT_TRUE(SendMessageW(tree, TVM_SORTCHILDREN, TRUE, reinterpret_cast<LPARAM>(root)));
  EXPECT_EQ(Children(root), (Texts{u"Caribou", u"éclair", u"Wasp"}));
  EXPECT_EQ(Children(caribou), (Texts{u"Newspaper", u"Litter bin"}));
  EXPECT_EQ(Children(wasp), (Texts{u"Vacuum", u"Ocelot"}));
  // Equal without letter case: their order stays.
  HTREEITEM other = Insert(TVI_ROOT, u"I1");
  Insert(other, u"i1");
  Insert(other, u"I1");
  EXPECT_TRUE(SendMessageW(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(other)));
  EXPECT_EQ(Children(other), (Texts{u"i1", u"I1"}));
}

TEST_F(TreeViewTest, NextItemWalksTheTreeAndWhatIsShown) {
  Folders();
  EXPECT_EQ(Next(TVGN_ROOT), device_);
  EXPECT_EQ(Next(TVGN_CHILD), device_);  // the child of nothing is the first top-level item
  EXPECT_EQ(Next(TVGN_CHILD, device_), programs);  // sorted: "Program Files" before "Windows"
  EXPECT_EQ(Next(TVGN_NEXT, programs), windows);
  EXPECT_EQ(Next(TVGN_PREVIOUS, windows), programs);
  EXPECT_EQ(Next(TVGN_PARENT, fonts), windows);
  EXPECT_EQ(Next(TVGN_PARENT, device_), nullptr);
  EXPECT_EQ(Next(TVGN_CARET), nullptr);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), device_);
  // Collapsed branches hide their items.
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, device_), nullptr);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, fonts), nullptr);
  Expand(device_);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, device_), programs);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, programs), windows);
  EXPECT_EQ(Next(TVGN_NEXTVISIBLE, windows), nullptr);
  EXPECT_EQ(Next(TVGN_PREVIOUSVISIBLE, programs), device_);
  EXPECT_EQ(Next(TVGN_LASTVISIBLE), windows);
  Expand(windows);
  EXPECT_EQ(Next(TVGN_PREVIOUSVISIBLE, fonts), windows);
  EXPECT_EQ(Next(TVGN_LASTVISIBLE), system);
  SendMessageW(tree, TVM_SELECTITEM, TVGN_DROPHILITE, reinterpret_cast<LPARAM>(fonts));
  EXPECT_EQ(Next(TVGN_DROPHILITE), fonts);
}

TEST_F(TreeViewTest, ExpandingNotifiesTheFirstTimeAndMarksTheItemExpandedOnce) {
  Folders();
  std::vector<UINT> statesSeen;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_ITEMEXPANDINGW || hdr->code == TVN_ITEMEXPANDEDW) {
      auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
      EXPECT_EQ(nm->action, static_cast<UINT>(TVE_EXPAND));
      EXPECT_EQ(nm->itemNew.hItem, windows);
      EXPECT_EQ(nm->itemOld.hItem, nullptr);
      EXPECT_EQ(nm->itemNew.mask, static_cast<UINT>(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE));
      statesSeen.push_back(StateOf(windows));
    }
    return 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  EXPECT_TRUE(Expand(windows));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDEDW), 0},
  }));
  EXPECT_EQ(statesSeen, (std::vector<UINT>{0, TVIS_EXPANDED}));
  EXPECT_EQ(StateOf(windows), static_cast<UINT>(TVIS_EXPANDED | TVIS_EXPANDEDONCE));
  // Expanded once: TVM_EXPAND no longer notifies, either way.
  recorder.Flush();
  EXPECT_TRUE(Expand(windows, TVE_COLLAPSE));
  EXPECT_FALSE(Expand(windows, TVE_COLLAPSE));  // collapsed already
  EXPECT_TRUE(Expand(windows, TVE_TOGGLE));
  EXPECT_TRUE(Expand(windows));  // expanded already is a success
  EXPECT_TRUE(recorder.Recorded().empty());
  // A reset forgets the children and the mark; the next expansion notifies again.
  EXPECT_TRUE(Expand(windows, TVE_COLLAPSE | TVE_COLLAPSERESET));
  EXPECT_EQ(StateOf(windows), 0u);
  EXPECT_TRUE(Children(windows).empty());
  recorder.Flush();
  EXPECT_FALSE(Expand(windows));  // the parent put nothing in
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0}}));
}

TEST_F(TreeViewTest, ParentCanKeepABranchClosed) {
  Folders();
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == TVN_ITEMEXPANDINGW ? TRUE : 0; };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  EXPECT_FALSE(Expand(windows));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0}}));
  EXPECT_EQ(StateOf(windows), 0u);
}

TEST_F(TreeViewTest, ParentFillsTheBranchWhileItExpands) {
  HTREEITEM root = Insert(TVI_ROOT, u"My Device", TVI_SORT, 1);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != TVN_ITEMEXPANDINGW) return 0;
    HTREEITEM item = reinterpret_cast<NMTREEVIEWW*>(hdr)->itemNew.hItem;
    if (StateOf(item) & TVIS_EXPANDEDONCE) return 0;
    for (const char16_t* name : {u"Windows", u"My Documents", u"Temp"}) Insert(item, name, TVI_SORT, 1);
    return 0;
  };
  EXPECT_EQ(cesim::DumpTree(tree), "+ My Device\n");
  EXPECT_TRUE(Expand(root));
  EXPECT_EQ(cesim::DumpTree(tree),
            "- My Device\n"
            "  + My Documents\n"
            "  + Temp\n"
            "  + Windows\n");
  Select(cesim::FindTreeItem(tree, {u"My Device", u"Temp"}));
  EXPECT_EQ(cesim::DumpTree(tree),
            "- My Device\n"
            "  + My Documents\n"
            "  + Temp [selected]\n"
            "  + Windows\n");
}

TEST_F(TreeViewTest, BranchThatStaysEmptyDoesNotOpen) {
  HTREEITEM hollow = Insert(TVI_ROOT, u"Hollow", TVI_LAST, 1);
  HTREEITEM leaf = Insert(TVI_ROOT, u"Leaf", TVI_LAST, 0);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  EXPECT_FALSE(Expand(hollow));
  EXPECT_FALSE(Expand(leaf));  // no children: not even asked
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0}}));
  EXPECT_EQ(StateOf(hollow), 0u);
  EXPECT_EQ(cesim::DumpTree(tree), "+ Hollow\n  Leaf\n");  // the button stays
}

TEST_F(TreeViewTest, ItemTextIsCutToTheCallersBufferAndTerminated) {
  HTREEITEM item = Insert(TVI_ROOT, u"Program Files");
  WCHAR text[8];
  for (WCHAR& c : text) c = u'#';
  TVITEMW tvi = {};
  tvi.mask = TVIF_TEXT | TVIF_HANDLE;
  tvi.hItem = item;
  tvi.pszText = text;
  tvi.cchTextMax = 5;
  tvi.lParam = 0x55;
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_EQ(std::u16string(text), u"Prog");
  EXPECT_EQ(text[5], u'#');
  // As on the device, the state comes back whatever the state mask says.
  Select(item);
  tvi.mask = TVIF_STATE | TVIF_HANDLE;
  tvi.stateMask = 0;
  tvi.state = 0;
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_EQ(tvi.state, static_cast<UINT>(TVIS_SELECTED));
  // A buffer of no characters gets nothing.
  text[0] = u'#';
  tvi.mask = TVIF_TEXT;
  tvi.cchTextMax = 0;
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_EQ(text[0], u'#');
  // Setting the text and the item data.
  tvi.mask = TVIF_TEXT | TVIF_PARAM;
  tvi.pszText = const_cast<LPWSTR>(u"Temp");
  tvi.lParam = 77;
  ASSERT_TRUE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_EQ(TextOf(item), u"Temp");
}

TEST_F(TreeViewTest, SelectionNotifiesChangingThenChanged) {
  Folders();
  std::vector<std::pair<HTREEITEM, HTREEITEM>> changes;
  bool veto = false;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != TVN_SELCHANGINGW && hdr->code != TVN_SELCHANGEDW) return 0;
    auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
    EXPECT_EQ(nm->action, static_cast<UINT>(TVC_UNKNOWN));
    changes.emplace_back(nm->itemOld.hItem, nm->itemNew.hItem);
    return hdr->code == TVN_SELCHANGINGW && veto ? TRUE : 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_NOTIFY});
  EXPECT_TRUE(Select(programs));  // inside a closed branch: the branch opens first
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 0},
  }));
  EXPECT_EQ(Next(TVGN_CARET), programs);
  EXPECT_NE(StateOf(programs) & TVIS_SELECTED, 0u);
  veto = true;
  EXPECT_FALSE(Select(windows));
  EXPECT_EQ(Next(TVGN_CARET), programs);
  EXPECT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0], std::make_pair(static_cast<HTREEITEM>(nullptr), programs));
  EXPECT_EQ(changes[2], std::make_pair(programs, windows));
  EXPECT_TRUE(Select(programs));  // the selected item already: nothing to tell
  EXPECT_EQ(changes.size(), 3u);
}

TEST_F(TreeViewTest, HitTestFindsEachPartOfARow) {
  Folders();
  Expand(device_);
  // Rows of 16 pixels; an indent of 19; top-level items have their own button column
  // (TVS_LINESATROOT); a label is 6 pixels a character and 2 on either side.
  EXPECT_EQ(SendMessageW(tree, TVM_GETINDENT, 0, 0), 19);
  EXPECT_EQ(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0), 16);
  TVHITTESTINFO hit = HitTest(5, 5);
  EXPECT_EQ(hit.hItem, device_);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
  hit = HitTest(19 + 10, 8);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMLABEL));
  EXPECT_EQ(HitTest(19 + 9 * 6 + 4 - 1, 8).flags, static_cast<UINT>(TVHT_ONITEMLABEL));
  EXPECT_EQ(HitTest(19 + 9 * 6 + 4, 8).flags, static_cast<UINT>(TVHT_ONITEMRIGHT));
  hit = HitTest(5, 16 + 3);  // "Program Files", one level down: the indent
  EXPECT_EQ(hit.hItem, programs);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMINDENT));
  EXPECT_EQ(HitTest(38 + 1, 16 + 3).flags, static_cast<UINT>(TVHT_ONITEMLABEL));
  // "Program Files" has no children, so no button: its button column is indent too. "Windows"
  // below it has children and a button there.
  EXPECT_EQ(HitTest(19 + 3, 16 + 3).flags, static_cast<UINT>(TVHT_ONITEMINDENT));
  hit = HitTest(19 + 3, 2 * 16 + 3);
  EXPECT_EQ(hit.hItem, windows);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_ONITEMBUTTON));
  hit = HitTest(10, 3 * 16 + 2);  // below the last item
  EXPECT_EQ(hit.hItem, nullptr);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TVHT_NOWHERE));
  EXPECT_EQ(HitTest(-1, 5).flags, static_cast<UINT>(TVHT_TOLEFT));
  EXPECT_EQ(HitTest(205, 5).flags, static_cast<UINT>(TVHT_TORIGHT));
  EXPECT_EQ(HitTest(5, -1).flags, static_cast<UINT>(TVHT_ABOVE));
  EXPECT_EQ(HitTest(5, 91).flags, static_cast<UINT>(TVHT_BELOW));
  EXPECT_EQ(HitTest(-1, 91).flags, static_cast<UINT>(TVHT_TOLEFT | TVHT_BELOW));
}

TEST_F(TreeViewTest, ItemRectsOfShownItems) {
  Folders();
  RECT r = {};
  std::memcpy(&r, &fonts, sizeof(HTREEITEM));
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));  // not shown
  Expand(device_);
  std::memcpy(&r, &programs, sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.left, 38);
  EXPECT_EQ(r.top, 16);
  EXPECT_EQ(r.right, 38 + 13 * 6 + 4);
  EXPECT_EQ(r.bottom, 32);
  std::memcpy(&r, &programs, sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 205);
}

TEST_F(TreeViewTest, TapOnALabelAsksAboutGesturesClicksAndSelects) {
  Folders();
  Expand(device_);
  UINT gestureItem = 0;
  POINT gesturePoint = {};
  UINT selectCause = 99;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == NM_RECOGNIZEGESTURE) {
      gestureItem = reinterpret_cast<NMRGINFO*>(hdr)->dwItemSpec;
      gesturePoint = reinterpret_cast<NMRGINFO*>(hdr)->ptAction;
      return TRUE;
    }
    if (hdr->code == TVN_SELCHANGEDW) selectCause = reinterpret_cast<NMTREEVIEWW*>(hdr)->action;
    return 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  ASSERT_TRUE(cesim::TapTreeItem(tree, {u"My Device", u"Windows"}));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(NM_RECOGNIZEGESTURE), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_CLICK), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 0},
  }));
  EXPECT_EQ(Next(TVGN_CARET), windows);
  EXPECT_EQ(selectCause, static_cast<UINT>(TVC_BYMOUSE));
  EXPECT_EQ(gestureItem, static_cast<UINT>(reinterpret_cast<uintptr_t>(windows)));
  // The press in the tree's client coordinates (the tree lies at 0,0 with a border of one pixel,
  // so the screen point differs).
  EXPECT_EQ(HitTest(gesturePoint.x, gesturePoint.y).hItem, windows);
  POINT screen = gesturePoint;
  ClientToScreen(tree, &screen);
  EXPECT_NE(screen.x, gesturePoint.x);
  EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(screen.x, screen.y)));
  EXPECT_EQ(GetFocus(), tree);
}

TEST_F(TreeViewTest, TreeThatDragsFollowsTheStylusBeforeItTellsTheClick) {
  HWND dragging = CreateWindowExW(0, WC_TREEVIEWW, u"", kTreeStyle & ~static_cast<DWORD>(TVS_DISABLEDRAGDROP), 0, 0,
                                  207, 93, parent, reinterpret_cast<HMENU>(1011), nullptr, nullptr);
  DestroyWindow(tree);
  tree = dragging;
  Folders();
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Watch(tree, "tree");
  recorder.Only({WM_NOTIFY, WM_LBUTTONDOWN, WM_LBUTTONUP});
  ASSERT_TRUE(cesim::TapTreeItem(tree, {u"My Device"}));
  // The release is taken from the queue while the control follows the stylus.
  EXPECT_TRUE(recorder.Sequence({
      {"tree", WM_LBUTTONDOWN, MK_LBUTTON, Any(), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_RECOGNIZEGESTURE), 1},
      {"parent", WM_NOTIFY, 1011, Code(NM_CLICK), 1},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 1},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 1},
      {"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 2},  // inside the tree's WM_SETFOCUS
  }));
  EXPECT_EQ(Next(TVGN_CARET), device_);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TreeViewTest, TapOnTheButtonTogglesTheBranchAndSelectsNothing) {
  Folders();
  Expand(device_);
  Select(programs);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  ASSERT_TRUE(cesim::TapTreeItemButton(tree, {u"My Device", u"Windows"}));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(NM_RECOGNIZEGESTURE), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_CLICK), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 0},
  }));
  EXPECT_EQ(Next(TVGN_CARET), programs);
  EXPECT_NE(StateOf(windows) & TVIS_EXPANDED, 0u);
  // A user's toggle always notifies, also after the first expansion.
  recorder.Flush();
  recorder.Only({WM_NOTIFY});
  ASSERT_TRUE(cesim::TapTreeItemButton(tree, {u"My Device", u"Windows"}));
  ASSERT_EQ(recorder.Recorded().size(), 4u);
  EXPECT_EQ(recorder.Recorded()[2].notifyCode, static_cast<UINT>(TVN_ITEMEXPANDINGW));
  EXPECT_EQ(StateOf(windows) & TVIS_EXPANDED, 0u);
  // Items without children show no button to tap.
  EXPECT_FALSE(cesim::TapTreeItemButton(tree, {u"My Device", u"Program Files"}));
}

TEST_F(TreeViewTest, ParentAnsweringTheClickKeepsTheControlFromSelecting) {
  Folders();
  Expand(device_);
  std::vector<UINT> causes;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_SELCHANGEDW) causes.push_back(reinterpret_cast<NMTREEVIEWW*>(hdr)->action);
    return hdr->code == NM_CLICK ? TRUE : 0;
  };
  ASSERT_TRUE(cesim::TapTreeItem(tree, {u"My Device", u"Windows"}));
  // The tapped item is not selected; the control still takes the focus, which selects the first
  // visible item, as focus with nothing selected does.
  EXPECT_EQ(Next(TVGN_CARET), device_);
  EXPECT_EQ(causes, (std::vector<UINT>{TVC_UNKNOWN}));
  EXPECT_EQ(GetFocus(), tree);
}

TEST_F(TreeViewTest, DoubleTapOnAnItemTogglesItsBranchUnlessTheParentAnswers) {
  Folders();
  RECT r = {};
  std::memcpy(&r, &device_, sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  LPARAM label = MAKELPARAM(r.left + 3, r.top + 3);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_NOTIFY});
  SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, label);
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 0},  // the focus selects the first item
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_DBLCLK), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDEDW), 0},
  }));
  EXPECT_NE(StateOf(device_) & TVIS_EXPANDED, 0u);
  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == NM_DBLCLK ? TRUE : 0; };
  SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, label);
  EXPECT_NE(StateOf(device_) & TVIS_EXPANDED, 0u);
}

TEST_F(TreeViewTest, KeysAreToldToTheParentBeforeTheControlActs) {
  Folders();
  SetFocus(tree);
  std::vector<WORD> keys;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_KEYDOWN) keys.push_back(reinterpret_cast<NMTVKEYDOWN*>(hdr)->wVKey);
    return 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_NOTIFY});
  cesim::PressKey(VK_RETURN);  // no selection yet: Enter is still told
  cesim::PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_KEYDOWN), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_RETURN), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_KEYDOWN), 0},
  }));
  Select(device_);
  recorder.Flush();
  cesim::PressKey(VK_ADD);
  cesim::PressKey(VK_DOWN);
  cesim::PressKey(VK_SUBTRACT);  // "Program Files" has no children: nothing to close
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_KEYDOWN), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_ITEMEXPANDEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_KEYDOWN), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_KEYDOWN), 0},
  }));
  EXPECT_EQ(Next(TVGN_CARET), programs);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_RETURN, VK_ESCAPE, VK_ADD, VK_DOWN, VK_SUBTRACT}));
  cesim::PressKey(VK_LEFT);  // to the parent
  EXPECT_EQ(Next(TVGN_CARET), device_);
  cesim::PressKey(VK_LEFT);  // closes it
  EXPECT_EQ(StateOf(device_) & TVIS_EXPANDED, 0u);
  EXPECT_EQ(SendMessageW(tree, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  recorder.Flush();
  SetFocus(parent);
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 1011, Code(NM_KILLFOCUS), 0}}));
}

TEST_F(TreeViewTest, TypedLettersSelectTheNextMatchingItem) {
  Folders();
  Expand(device_);
  Expand(windows);
  SetFocus(tree);
  Select(device_);
  cesim::TypeText(u"s");
  EXPECT_EQ(Next(TVGN_CARET), system);
  cesim::AdvanceClock(1000);
  cesim::TypeText(u"pr");
  EXPECT_EQ(Next(TVGN_CARET), programs);
}

// What the real control does not survive: it goes on using its state after these notifications
// return, so destroying it (or its parent) there is reported and stops the test program.
using TreeViewDeathTest = TreeViewTest;

TEST_F(TreeViewDeathTest, ControlDestroyedInsideTheClickIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Folders();
  Expand(device_);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == NM_CLICK) DestroyWindow(tree);
    return 0;
  };
  EXPECT_DEATH(cesim::TapTreeItem(tree, {u"My Device", u"Windows"}),
               "SysTreeView32 control .* destroyed inside its NM_CLICK notification");
}

TEST_F(TreeViewDeathTest, ParentDestroyedInsideTheSelectionChangeIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Folders();
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_SELCHANGEDW) DestroyWindow(parent);
    return 0;
  };
  EXPECT_DEATH(Select(device_), "SysTreeView32 control .* destroyed inside its TVN_SELCHANGED notification");
}

TEST_F(TreeViewDeathTest, ControlDestroyedInsideAnExpansionItAllowsIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  HTREEITEM item = Insert(TVI_ROOT, u"Item", TVI_LAST, 1);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_ITEMEXPANDINGW) DestroyWindow(tree);
    return 0;
  };
  EXPECT_DEATH(Expand(item), "destroyed inside its TVN_ITEMEXPANDING notification");
}

TEST_F(TreeViewDeathTest, ControlDestroyedWhileItAsksForATextIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  HTREEITEM item = Insert(TVI_ROOT, u"Item");
  TVITEMW tvi = {};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = item;
  tvi.pszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_GETDISPINFOW) DestroyWindow(tree);
    return 0;
  };
  EXPECT_DEATH(TextOf(item), "destroyed inside its TVN_GETDISPINFO notification");
}

TEST_F(TreeViewDeathTest, ControlDestroyedInsideAKeyNotificationIsReported) {
  SKIP_WITHOUT_CONTROL_CHECKS();
  Folders();
  SetFocus(tree);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_KEYDOWN) DestroyWindow(tree);
    return 0;
  };
  EXPECT_DEATH(cesim::PressKey(VK_DOWN), "destroyed inside its TVN_KEYDOWN notification");
}

// Where the real control returns at once after the notification, or the parent's TRUE ends the
// action, the control may be destroyed there.
TEST_F(TreeViewTest, ControlMayBeDestroyedWhereTheRealOneReturnsAtOnce) {
  Folders();
  Expand(device_);
  SetFocus(tree);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == NM_RETURN) DestroyWindow(tree);
    return 0;
  };
  cesim::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(tree));
  EXPECT_TRUE(IsWindow(parent));
}

TEST_F(TreeViewTest, ControlMayBeDestroyedInsideAClickItEnds) {
  Folders();
  Expand(device_);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != NM_CLICK) return 0;
    DestroyWindow(tree);
    return TRUE;  // the tap ends here
  };
  ASSERT_TRUE(cesim::TapTreeItem(tree, {u"My Device", u"Windows"}));
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeViewTest, ControlMayBeDestroyedInsideAnExpansionItRefuses) {
  HTREEITEM item = Insert(TVI_ROOT, u"Item", TVI_LAST, 1);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code != TVN_ITEMEXPANDINGW) return 0;
    DestroyWindow(tree);
    return TRUE;  // TVM_EXPAND ends with the refusal
  };
  EXPECT_FALSE(Expand(item));
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeViewTest, ControlMayBeDestroyedWhenItLosesTheFocus) {
  Folders();
  SetFocus(tree);
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == NM_KILLFOCUS) DestroyWindow(tree);
    return 0;
  };
  SetFocus(parent);
  EXPECT_FALSE(IsWindow(tree));
}

TEST_F(TreeViewTest, DeletingTellsChildrenFirstAndMovesTheSelection) {
  Folders();
  Select(fonts);
  std::vector<HTREEITEM> deleted;
  std::vector<UINT> masks;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_DELETEITEMW) {
      deleted.push_back(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.hItem);
      masks.push_back(reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.mask);
    }
    return 0;
  };
  EXPECT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(windows)));
  EXPECT_EQ(deleted, (std::vector<HTREEITEM>{fonts, system, windows}));
  EXPECT_EQ(masks[0], static_cast<UINT>(TVIF_HANDLE | TVIF_PARAM));
  // The selection went with the branch: no next sibling, so the parent.
  EXPECT_EQ(Next(TVGN_CARET), device_);
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 2);
  // My Device was inserted with cChildren 1: it keeps its count and its button when its last
  // child goes.
  EXPECT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(programs)));
  EXPECT_EQ(cesim::DumpTree(tree), "+ My Device [selected]\n");
  deleted.clear();
  EXPECT_TRUE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)));
  EXPECT_EQ(deleted, (std::vector<HTREEITEM>{device_}));
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(Next(TVGN_ROOT), nullptr);
  EXPECT_EQ(Next(TVGN_CARET), nullptr);
}

TEST_F(TreeViewTest, ChildrenCountFollowsTheChildrenUnlessItWasGiven) {
  // Counted by the control: the count goes with the last child.
  HTREEITEM counted = Insert(TVI_ROOT, u"Counted");
  HTREEITEM child = Insert(counted, u"Child");
  EXPECT_EQ(ChildrenOf(counted), 1);
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(ChildrenOf(counted), 0);
  EXPECT_EQ(cesim::DumpTree(tree), "  Counted\n");
  // Given with TVM_SETITEM: the item keeps its count and its button.
  child = Insert(counted, u"Child");
  TVITEMW tvi = {};
  tvi.mask = TVIF_CHILDREN;
  tvi.hItem = counted;
  tvi.cChildren = 1;
  ASSERT_TRUE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
  EXPECT_EQ(ChildrenOf(counted), 1);
  EXPECT_EQ(cesim::DumpTree(tree), "+ Counted\n");
}

TEST_F(TreeViewTest, FocusWithNothingSelectedSelectsTheFirstVisibleItem) {
  std::vector<HTREEITEM> items;
  for (int i = 0; i < 10; ++i) items.push_back(Insert(TVI_ROOT, u"Item " + std::u16string(1, u'0' + i)));
  SendMessageW(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
  ASSERT_EQ(Next(TVGN_FIRSTVISIBLE), items[3]);
  std::vector<std::pair<UINT, HTREEITEM>> selections;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_SELCHANGINGW || hdr->code == TVN_SELCHANGEDW) {
      auto* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
      EXPECT_EQ(nm->itemOld.hItem, nullptr);
      selections.emplace_back(nm->action, nm->itemNew.hItem);
    }
    return 0;
  };
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_NOTIFY});
  SetFocus(tree);
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGINGW), 0},
      {"parent", WM_NOTIFY, 1011, Code(TVN_SELCHANGEDW), 0},
      {"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 0},
  }));
  EXPECT_EQ(Next(TVGN_CARET), items[3]);
  EXPECT_EQ(selections, (std::vector<std::pair<UINT, HTREEITEM>>{{TVC_UNKNOWN, items[3]}, {TVC_UNKNOWN, items[3]}}));
  // With a selection, the focus changes nothing.
  onNotify = nullptr;
  SetFocus(parent);
  Select(items[7]);
  recorder.Flush();
  SetFocus(tree);
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, 1011, Code(NM_SETFOCUS), 0}}));
  EXPECT_EQ(Next(TVGN_CARET), items[7]);
}

TEST_F(TreeViewTest, FocusOnAnEmptyTreeSelectsNothing) {
  SetFocus(tree);
  EXPECT_EQ(Next(TVGN_CARET), nullptr);
  EXPECT_EQ(GetFocus(), tree);
}

TEST_F(TreeViewTest, DestroyingTheControlTellsEveryItem) {
  Folders();
  int deleted = 0;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_DELETEITEMW) ++deleted;
    return 0;
  };
  DestroyWindow(tree);
  EXPECT_EQ(deleted, 5);
}

TEST_F(TreeViewTest, StaleItemHandlesAreRefused) {
  Folders();
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(fonts));
  WCHAR text[8] = {u'#'};
  TVITEMW tvi = {};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = fonts;
  tvi.pszText = text;
  tvi.cchTextMax = 8;
  EXPECT_FALSE(SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_EQ(text[0], u'#');
  EXPECT_FALSE(SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi)));
  EXPECT_FALSE(Expand(fonts));
  EXPECT_FALSE(Select(fonts));
  EXPECT_FALSE(SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(fonts)));
  EXPECT_EQ(Next(TVGN_NEXT, fonts), nullptr);
  EXPECT_EQ(Insert(fonts, u"x"), nullptr);
  // An item of another tree is no item of this one.
  HWND other = CreateWindowExW(0, WC_TREEVIEWW, u"", kTreeStyle, 0, 0, 50, 50, parent, nullptr, nullptr, nullptr);
  HTREEITEM foreign = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  EXPECT_EQ(SendMessageW(other, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(foreign)), 0);
}

TEST_F(TreeViewTest, SelectionScrollsIntoView) {
  std::vector<HTREEITEM> items;
  for (int i = 0; i < 10; ++i) items.push_back(Insert(TVI_ROOT, u"Item " + std::u16string(1, u'0' + i)));
  EXPECT_EQ(SendMessageW(tree, TVM_GETVISIBLECOUNT, 0, 0), 5);  // 91 pixels of 16-pixel rows
  EXPECT_TRUE(Select(items[8]));
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[4]);
  RECT r = {};
  std::memcpy(&r, &items[0], sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.top, -64);  // scrolled away above
  EXPECT_EQ(HitTest(30, 5).hItem, items[4]);
  EXPECT_TRUE(SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[1])));
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[1]);
  EXPECT_FALSE(SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[2])));  // shown already
  SendMessageW(tree, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[5]);  // no gap below the last item
  SendMessageW(tree, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Next(TVGN_FIRSTVISIBLE), items[0]);
}

// Every shown item's rectangle against its place in the shown order walked with TVGN_NEXTVISIBLE:
// the rows the control keeps must follow every change.
::testing::AssertionResult RowsFollowTheShownOrder(HWND tree) {
  auto next = [&](UINT code, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  };
  HTREEITEM first = next(TVGN_FIRSTVISIBLE, nullptr);
  int firstIndex = -1;
  int index = 0;
  std::vector<HTREEITEM> shown;
  for (HTREEITEM item = next(TVGN_ROOT, nullptr); item != nullptr; item = next(TVGN_NEXTVISIBLE, item)) {
    if (item == first) firstIndex = index;
    shown.push_back(item);
    ++index;
  }
  if (firstIndex < 0) return ::testing::AssertionFailure() << "the first visible item is not shown";
  for (size_t i = 0; i < shown.size(); ++i) {
    RECT r = {};
    std::memcpy(&r, &shown[i], sizeof(HTREEITEM));
    if (!SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r))) {
      return ::testing::AssertionFailure() << "no rectangle for shown item " << i;
    }
    int expected = (static_cast<int>(i) - firstIndex) * 16;
    if (r.top != expected) return ::testing::AssertionFailure() << "item " << i << " at " << r.top << ", not " << expected;
  }
  if (next(TVGN_LASTVISIBLE, nullptr) != (shown.empty() ? nullptr : shown.back())) {
    return ::testing::AssertionFailure() << "another last visible item";
  }
  return ::testing::AssertionSuccess();
}

TEST_F(TreeViewTest, RowsFollowInsertsDeletionsExpansionsAndSortsInALargeTree) {
  // More items than a tree whose every message checks its whole order: the control keeps it.
  std::vector<HTREEITEM> top;
  for (int i = 0; i < 300; ++i) {
    top.push_back(Insert(TVI_ROOT, u"Folder " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)), TVI_LAST));
  }
  for (int i = 0; i < 300; i += 7) Insert(top[i], u"child", TVI_LAST);
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  Expand(top[14]);
  Expand(top[280]);
  SendMessageW(tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 100), 0);
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  Insert(TVI_ROOT, u"first", TVI_FIRST);
  Insert(top[14], u"second child", TVI_FIRST);
  Insert(TVI_ROOT, u"sorted", TVI_SORT);
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(top[0]));
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(top[14]));
  Expand(top[280], TVE_COLLAPSE);
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  SendMessageW(tree, TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  SendMessageW(tree, WM_VSCROLL, SB_BOTTOM, 0);
  ASSERT_TRUE(RowsFollowTheShownOrder(tree));
  // No gap below the last item: the last visible item is on the last whole row.
  HTREEITEM last = Next(TVGN_LASTVISIBLE);
  RECT r = {};
  std::memcpy(&r, &last, sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&r)));
  EXPECT_EQ(r.top, 4 * 16);
  EXPECT_EQ(HitTest(30, 4 * 16 + 3).hItem, last);
}

TEST_F(TreeViewTest, CallbackItemsAreAskedThroughGetDispInfo) {
  TVINSERTSTRUCTW ins = {};
  ins.hParent = TVI_ROOT;
  ins.hInsertAfter = TVI_LAST;
  ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  ins.item.pszText = LPSTR_TEXTCALLBACKW;
  ins.item.cChildren = I_CHILDRENCALLBACK;
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
  ASSERT_NE(item, nullptr);
  std::vector<UINT> asked;
  onNotify = [&](NMHDR* hdr) -> LRESULT {
    if (hdr->code == TVN_GETDISPINFOW) {
      auto* di = reinterpret_cast<NMTVDISPINFOW*>(hdr);
      asked.push_back(di->item.mask);
      if (di->item.mask & TVIF_TEXT) std::copy_n(u"Asked", 6, di->item.pszText);
      if (di->item.mask & TVIF_CHILDREN) di->item.cChildren = 0;
    }
    return 0;
  };
  EXPECT_EQ(TextOf(item), u"Asked");
  EXPECT_FALSE(Expand(item));  // the parent says it has no children
  EXPECT_EQ(asked, (std::vector<UINT>{TVIF_TEXT, TVIF_CHILDREN}));
}

}  // namespace

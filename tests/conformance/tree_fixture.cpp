// The tree view tests' fixture.
#include "tree_fixture.h"

namespace conformance {

void TreeTest::SetUp() {
  ASSERT_TRUE(host.Start());
  parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 320});
  ASSERT_NE(parent, nullptr);
  SetHandler(parent, [this](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_NOTIFY || !answer_) return false;
    *result = answer_(reinterpret_cast<NMHDR*>(lParam));
    return true;
  });
  tree = CreateWindowExW(0, WC_TREEVIEWW, TEXT(""), kFolderTreeStyle, 0, 0, 200, 200, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTreeId)), host.Instance(), nullptr);
  ASSERT_NE(tree, nullptr);
  recorder.Name(parent, "parent");
  recorder.Name(tree, "tree");
  host.Activate(parent);
  recorder.Flush();
}

void TreeTest::RecordNotifications(std::set<UINT> codes) {
  recorder.Only({WM_NOTIFY});
  recorder.OnlyNotifications(std::move(codes));
  recorder.Flush();
}

void TreeTest::FocusWithSelection(HTREEITEM item) {
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  SetFocus(tree);
  host.Pump();
  recorder.Flush();
}

foldwise_test::ExpectedMessage Notified(UINT code, int depth) {
  foldwise_test::ExpectedMessage row;
  row.window = "parent";
  row.message = WM_NOTIFY;
  row.wParam = kTreeId;
  row.lParam = foldwise_test::Code(code);
  if (depth >= 0) row.depth = depth;
  return row;
}

}  // namespace conformance

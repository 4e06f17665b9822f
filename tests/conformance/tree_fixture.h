// The fixture of the tree view tests: a fresh platform, a pop-up parent window and a tree with the
// Change Folder dialog's style, whose notifications the parent records and answers.
#ifndef FOLDWISE_CONFORMANCE_TREE_FIXTURE_H
#define FOLDWISE_CONFORMANCE_TREE_FIXTURE_H

#include <functional>
#include <set>

#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"
#include "tree_items.h"

namespace conformance {

class TreeTest : public ConformanceTest {
 protected:
  void SetUp() override;

  // The parent's answer to the tree's notifications (0 for those it leaves alone).
  void OnNotify(std::function<LRESULT(NMHDR*)> answer) { answer_ = std::move(answer); }
  // Records the parent's WM_NOTIFY messages with these codes only.
  void RecordNotifications(std::set<UINT> codes);
  // Gives the tree the focus and a selection without recording either.
  void FocusWithSelection(HTREEITEM item);

  foldwise_test::MessageRecorder recorder;
  HWND parent = nullptr;
  HWND tree = nullptr;

 private:
  std::function<LRESULT(NMHDR*)> answer_;
};

// Rows of expected notifications, sent by the tree to its parent.
foldwise_test::ExpectedMessage Notified(UINT code, int depth = -1);

}  // namespace conformance

#endif

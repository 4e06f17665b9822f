// The fixture of the list view and header tests: a fresh platform, a pop-up parent window that
// records the notifications it receives (with their fields written down as they come) and answers
// them as the test says, and helpers that read and change a list view through its messages.
#ifndef FOLDWISE_CONFORMANCE_LIST_FIXTURE_H
#define FOLDWISE_CONFORMANCE_LIST_FIXTURE_H

#include <functional>
#include <set>
#include <string>

#include "conformance.h"
#include "message_recorder.h"
#include "test_windows.h"

namespace conformance {

// A parent window for a control under test.
class ControlParentTest : public ConformanceTest {
 protected:
  void SetUp() override;

  // The parent's answer to WM_NOTIFY (0 for what it leaves alone).
  void OnNotify(std::function<LRESULT(NMHDR*)> answer) { answer_ = std::move(answer); }
  // Records the parent's WM_NOTIFY messages with these codes only.
  void RecordNotifications(std::set<UINT> codes);

  foldwise_test::MessageRecorder recorder;
  HWND parent = nullptr;

 private:
  std::function<LRESULT(NMHDR*)> answer_;
};

// A report-view list (or another view) of 200 x 150 pixels on the parent.
class ListTest : public ControlParentTest {
 protected:
  static constexpr int kListId = 1010;

  HWND Create(DWORD style);
  HWND Header() const;

  int AddColumn(int width, LPCWSTR text = nullptr);
  int Insert(int index, LPCWSTR text, LPARAM param = 0);
  // Items "item A", "item B", ... with the data 100, 101, ...
  void Fill(int count);
  Text TextOf(int item, int sub = 0);
  BOOL SetSubText(int item, int sub, LPCWSTR text);
  UINT StateOf(int item) const;
  BOOL SetState(int item, UINT state, UINT mask);
  int Count() const;
  int Width(int column) const;
  int Next(int start, UINT flags) const;
  int Focused() const { return Next(-1, LVNI_FOCUSED); }
  int SelectedCount() const;
  int TopIndex() const;
  int CountPerPage() const;
  // The rectangle of LVIR_BOUNDS, LVIR_LABEL, ...; all -1 when the list has none.
  RECT ItemRect(int item, int code) const;
  POINT LabelMiddle(int item) const;
  POINT Position(int item) const;
  void SetStyle(DWORD set, DWORD clear);
  // Gives the list the focus and a focused, selected item without recording either.
  void FocusWithSelection(int item);

  HWND list = nullptr;
};

constexpr UINT kFocusSelect = LVIS_FOCUSED | LVIS_SELECTED;

// Rows of expected notifications at the parent, with the fields DescribeListNotification writes.
foldwise_test::ExpectedMessage Note(UINT code, const std::string& detail = std::string());
foldwise_test::ExpectedMessage Changing(int item, UINT oldState, UINT newState);
foldwise_test::ExpectedMessage Changed(int item, UINT oldState, UINT newState);
// The fields of a header item notification that carries a width.
std::string HeaderWidth(int item, int width);

}  // namespace conformance

#endif

// Dialogs against the platform's documented behaviour: plain templates in memory (and one that
// windres compiled), dialog units, WM_INITDIALOG with its parameter and the focus rule of its
// result, showing after initialisation, DWL_MSGRESULT, modal loops with a disabled owner and
// EndDialog's result, keyboard navigation through IsDialogMessageW, and the button, edit and
// static controls that templates name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "dialog_template_builder.h"
#include "message_recorder.h"
#ifdef CESIM_TESTMODULE_PATH
#include "testmodule/testmodule_ids.h"
#endif

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;
using foldwise_test::TemplateBuilder;

// What the test dialog procedure does and what it saw.
struct Behaviour {
  INT_PTR initResult = TRUE;
  int focusInInit = 0;         // a control it gives the focus to itself
  bool endInInit = false;
  bool handleNotify = false;   // answers WM_NOTIFY with DWL_MSGRESULT 7
  LPARAM initParam = 0;
  WPARAM initFocusCandidate = 0;
  bool visibleInInit = true;
  std::vector<int> commands;   // the identifiers of WM_COMMAND
};
Behaviour behaviour;

INT_PTR HandleDialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      behaviour.initParam = lParam;
      behaviour.initFocusCandidate = wParam;
      behaviour.visibleInInit = IsWindowVisible(dialog) != FALSE;
      if (behaviour.focusInInit != 0) SetFocus(GetDlgItem(dialog, behaviour.focusInInit));
      if (behaviour.endInInit) EndDialog(dialog, 77);
      return behaviour.initResult;
    case WM_COMMAND:
      // Clicks only (BN_CLICKED, STN_CLICKED); the edit box's notifications are left out.
      if (HIWORD(wParam) == 0) behaviour.commands.push_back(LOWORD(wParam));
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam) + 40);
      return TRUE;
    case WM_NOTIFY:
      if (!behaviour.handleNotify) return FALSE;
      SetWindowLongW(dialog, DWL_MSGRESULT, 7);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder == nullptr) return HandleDialogMessage(dialog, message, wParam, lParam);
  auto scope = recorder->Enter(dialog, message, wParam, lParam);
  return HandleDialogMessage(dialog, message, wParam, lParam);
}

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    behaviour = Behaviour();
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &OwnerProc;
    cls.lpszClassName = u"Owner";
    ASSERT_NE(RegisterClassW(&cls), 0);
    owner = CreateWindowExW(0, u"Owner", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
  }

  // OK (default), Cancel, an edit box and a check box.
  static TemplateBuilder Standard(DWORD style = WS_POPUP | WS_VISIBLE | WS_BORDER) {
    TemplateBuilder t(style, 100, 60, u"Standard");
    t.Control(0x0081, u"", 10, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 5, 5, 90, 12);
    t.Control(0x0080, u"Check", 11, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 5, 20, 90, 10);
    t.Control(0x0080, u"OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 5, 40, 40, 14);
    t.Control(0x0080, u"Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 40, 40, 14);
    return t;
  }

  HWND Modeless(TemplateBuilder& t, LPARAM param = 0) {
    return CreateDialogIndirectParamW(nullptr, t.Get(), owner, &TestDialogProc, param);
  }

  static std::u16string Text(HWND hwnd) {
    WCHAR text[64];
    GetWindowTextW(hwnd, text, 64);
    return text;
  }

  foldwise_test::BootedDevice device;
  HWND owner = nullptr;
};

TEST_F(DialogTest, CreatesTheDialogAndItsControlsFromAPlainTemplate) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 138, 62, u"Pick");
  t.Control(u"SYSTREEVIEW32", u"", 1011, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS, 0, 0, 138, 62);
  t.Control(0x0082, u"Label", 12, WS_CHILD | WS_VISIBLE | SS_LEFT, 4, 8, 40, 8);
  HWND dialog = Modeless(t);
  ASSERT_NE(dialog, nullptr);
  WCHAR name[8];
  ASSERT_EQ(GetClassNameW(dialog, name, 8), 6);
  EXPECT_EQ(std::u16string(name), u"Dialog");
  EXPECT_EQ(Text(dialog), u"Pick");
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner);
  HWND tree = GetDlgItem(dialog, 1011);
  ASSERT_NE(tree, nullptr);
  GetClassNameW(tree, name, 8);
  EXPECT_EQ(std::u16string(name), u"SysTree");  // cut to the buffer
  EXPECT_EQ(GetWindow(dialog, GW_CHILD), tree);  // controls in template order
  EXPECT_EQ(Text(GetDlgItem(dialog, 12)), u"Label");
  EXPECT_EQ(GetDlgCtrlID(tree), 1011);
  // 138 x 62 dialog units at the system font's base units (6, 12): 207 x 93 pixels.
  RECT r;
  GetClientRect(dialog, &r);
  EXPECT_EQ(r.right, 207);
  EXPECT_EQ(r.bottom, 93);
  GetWindowRect(GetDlgItem(dialog, 12), &r);
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 12);
  EXPECT_EQ(GetWindowLongW(dialog, DWL_DLGPROC), reinterpret_cast<LONG_PTR>(&TestDialogProc));
}

std::vector<WORD> creationDataSeen;
LRESULT CALLBACK CreationDataProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CREATE) {
    const WORD* data = static_cast<const WORD*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    creationDataSeen.clear();
    if (data != nullptr) creationDataSeen.assign(data, data + data[0] / 2);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST_F(DialogTest, ControlsGetTheirCreationData) {
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &CreationDataProc;
  cls.lpszClassName = u"DataReader";
  ASSERT_NE(RegisterClassW(&cls), 0);
  TemplateBuilder t(WS_POPUP, 100, 60);
  t.Control(u"datareader", u"", 1, WS_CHILD, 0, 0, 10, 10, {0x1111, 0x2222, 0x3333});
  t.Control(0x0082, u"After", 2, WS_CHILD, 0, 0, 10, 10);
  HWND dialog = Modeless(t);
  ASSERT_NE(dialog, nullptr);
  // The size word first, counting itself, then the data.
  EXPECT_EQ(creationDataSeen, (std::vector<WORD>{8, 0x1111, 0x2222, 0x3333}));
  EXPECT_EQ(Text(GetDlgItem(dialog, 2)), u"After");  // the next item is found past the data
}

TEST_F(DialogTest, DialogUnitsBecomePixelsWithTheDialogsBaseUnits) {
  EXPECT_EQ(GetDialogBaseUnits(), MAKELONG(6, 12));
  TemplateBuilder plain(WS_POPUP, 40, 16);
  HWND dialog = Modeless(plain);
  RECT r = {4, 8, 40, 16};
  ASSERT_TRUE(MapDialogRect(dialog, &r));
  EXPECT_EQ(r.left, 6);
  EXPECT_EQ(r.top, 12);
  EXPECT_EQ(r.right, 60);
  EXPECT_EQ(r.bottom, 24);
  // A template font of 8 points at 96 dots per inch: 11 pixels high, 6 wide.
  TemplateBuilder withFont(WS_POPUP | DS_SETFONT, 40, 16);
  withFont.Font(8, u"Tahoma");
  HWND fontDialog = Modeless(withFont);
  ASSERT_NE(fontDialog, nullptr);
  r = {0, 0, 40, 16};
  ASSERT_TRUE(MapDialogRect(fontDialog, &r));
  EXPECT_EQ(r.right, 60);
  EXPECT_EQ(r.bottom, 22);
  HWND notDialog = CreateWindowExW(0, u"Owner", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(MapDialogRect(notDialog, &r));
}

TEST_F(DialogTest, MalformedOrUnknownTemplatesFailCreation) {
  TemplateBuilder unknownOrdinal(WS_POPUP, 40, 16);
  unknownOrdinal.Control(0x0090, u"", 1, WS_CHILD, 0, 0, 10, 10);
  SetLastError(0);
  EXPECT_EQ(Modeless(unknownOrdinal), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  // An extended template (version 1, signature 0xFFFF) is not a plain one.
  TemplateBuilder extended(WS_POPUP, 40, 16);
  extended.Words()[0] = 1;
  extended.Words()[1] = 0xFFFF;
  EXPECT_EQ(Modeless(extended), nullptr);

  // A control whose class does not exist fails the dialog, unless DS_NOFAILCREATE.
  TemplateBuilder noClass(WS_POPUP, 40, 16);
  noClass.Control(u"NoSuchClass", u"", 1, WS_CHILD, 0, 0, 10, 10);
  noClass.Control(0x0082, u"Kept", 2, WS_CHILD, 0, 0, 10, 10);
  EXPECT_EQ(Modeless(noClass), nullptr);
  EXPECT_TRUE(cesim::FindWindows(cesim::WindowQuery{u"Dialog", std::nullopt, std::nullopt}).empty());
  TemplateBuilder tolerant(WS_POPUP | DS_NOFAILCREATE, 40, 16);
  tolerant.Control(u"NoSuchClass", u"", 1, WS_CHILD, 0, 0, 10, 10);
  tolerant.Control(0x0082, u"Kept", 2, WS_CHILD, 0, 0, 10, 10);
  HWND dialog = Modeless(tolerant);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgItem(dialog, 1), nullptr);
  EXPECT_NE(GetDlgItem(dialog, 2), nullptr);
}

TEST_F(DialogTest, InitDialogGetsTheParameterAndTheFocusGoesToTheFirstTabStop) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 100, 60);
  t.Control(0x0082, u"Label", 1, WS_CHILD | WS_VISIBLE, 0, 0, 10, 10);
  t.Control(0x0080, u"Off", 2, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 10, 10, 10);
  t.Control(0x0080, u"Hidden", 3, WS_CHILD | WS_TABSTOP, 0, 20, 10, 10);
  t.Control(0x0081, u"", 4, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 10, 10);
  t.Control(0x0080, u"Last", 5, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 40, 10, 10);
  HWND dialog = Modeless(t, 0x1234);
  ASSERT_NE(dialog, nullptr);
  HWND edit = GetDlgItem(dialog, 4);
  EXPECT_EQ(behaviour.initParam, 0x1234);
  EXPECT_EQ(behaviour.initFocusCandidate, reinterpret_cast<WPARAM>(edit));
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(GetActiveWindow(), dialog);
  // The dialog manager selects the whole text of the edit box it gives the focus to.
  DWORD start = 1;
  DWORD end = 1;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 0u);  // the box is empty
}

TEST_F(DialogTest, InitDialogReturningFalseKeepsTheFocusItChose) {
  behaviour.initResult = FALSE;
  behaviour.focusInInit = IDCANCEL;
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDCANCEL));
}

TEST_F(DialogTest, VisibleDialogShowsOnlyAfterInitialisation) {
  MessageRecorder recorder;
  recorder.Only({WM_INITDIALOG, WM_ACTIVATE, WM_SETFOCUS, WM_WINDOWPOSCHANGED});
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  ASSERT_NE(dialog, nullptr);
  recorder.Name(dialog, "dialog");
  EXPECT_FALSE(behaviour.visibleInInit);
  EXPECT_TRUE(IsWindowVisible(dialog));
  // Initialised, then activated on the way to its first control, then shown.
  EXPECT_TRUE(recorder.Sequence({
      {"dialog", WM_INITDIALOG, Any(), 0, 0},
      {"dialog", WM_ACTIVATE, WA_ACTIVE, Any(), 0},
      {"dialog", WM_WINDOWPOSCHANGED, 0, Any(), 0},
  }));
}

TEST_F(DialogTest, NotificationResultsComeFromDwlMsgResult) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  NMHDR hdr = {GetDlgItem(dialog, 10), 10, NM_CLICK};
  behaviour.handleNotify = true;
  EXPECT_EQ(SendMessageW(dialog, WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&hdr)), 7);
  // Not handled: the default answer, whatever DWL_MSGRESULT held.
  behaviour.handleNotify = false;
  SetWindowLongW(dialog, DWL_MSGRESULT, 5);
  EXPECT_EQ(SendMessageW(dialog, WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&hdr)), 0);
  SetWindowLongW(dialog, DWL_USER, 9);
  EXPECT_EQ(GetWindowLongW(dialog, DWL_USER), 9);
}

TEST_F(DialogTest, ModalDialogDisablesItsOwnerAndReturnsTheEndDialogResult) {
  TemplateBuilder t = Standard(WS_POPUP | WS_BORDER);  // shown although the template says hidden
  bool ownerEnabledInside = true;
  bool dialogVisibleInside = false;
  cesim::WhenIdle([&] {
    HWND dialog = GetActiveWindow();
    ownerEnabledInside = IsWindowEnabled(owner) != FALSE;
    dialogVisibleInside = IsWindowVisible(dialog) != FALSE;
    RECT r;
    GetWindowRect(GetDlgItem(dialog, IDOK), &r);
    cesim::Tap({r.left + 2, r.top + 2});
  });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, &TestDialogProc, 0), IDOK + 40);
  EXPECT_FALSE(ownerEnabledInside);
  EXPECT_TRUE(dialogVisibleInside);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_TRUE(cesim::FindWindows(cesim::WindowQuery{u"Dialog", std::nullopt, std::nullopt}).empty());
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

// EndDialog as the platform does it: a control's focus goes to the dialog itself, the dialog is
// hidden (which hands nothing on), then the dialog, still active, hands activation to its owner.
TEST_F(DialogTest, EndDialogFocusesTheDialogHidesItThenActivatesItsOwner) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  HWND edit = GetDlgItem(dialog, 10);
  ASSERT_EQ(GetFocus(), edit);
  MessageRecorder recorder;
  recorder.Name(dialog, "dialog");
  recorder.Watch(edit, "edit");
  recorder.Watch(owner, "owner");
  recorder.Only({WM_SETFOCUS, WM_KILLFOCUS, WM_WINDOWPOSCHANGED, WM_ACTIVATE});
  ASSERT_TRUE(EndDialog(dialog, 5));
  EXPECT_TRUE(recorder.Sequence({
      {"edit", WM_KILLFOCUS, foldwise_test::Wnd("dialog"), 0, 0},
      {"dialog", WM_SETFOCUS, foldwise_test::Wnd("edit"), 0, 0},
      {"dialog", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"dialog", WM_ACTIVATE, WA_INACTIVE, foldwise_test::Wnd("owner"), 0},
      {"owner", WM_ACTIVATE, WA_ACTIVE, foldwise_test::Wnd("dialog"), 0},
      {"dialog", WM_KILLFOCUS, foldwise_test::Wnd("owner"), 0, 1},
      {"owner", WM_SETFOCUS, foldwise_test::Wnd("dialog"), 0, 1},
  }));
  EXPECT_TRUE(IsWindow(dialog));  // a modeless dialog stays until it is destroyed
  EXPECT_FALSE(IsWindowVisible(dialog));
  EXPECT_EQ(GetActiveWindow(), owner);
  MSG msg;
  EXPECT_FALSE(PeekMessageW(&msg, dialog, 0, 0, PM_NOREMOVE));  // no WM_NULL posted to wake a loop
}

TEST_F(DialogTest, ModalDialogEndedWhileInitialisingNeverShows) {
  behaviour.endInInit = true;
  MessageRecorder recorder;
  recorder.Only({WM_WINDOWPOSCHANGED});
  TemplateBuilder t = Standard(WS_POPUP);
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, &TestDialogProc, 0), 77);
  EXPECT_TRUE(recorder.Recorded().empty());
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, ModalLoopGivesKeysToTheDialogManager) {
  TemplateBuilder t = Standard();
  std::vector<HWND> focus;
  cesim::WhenIdle([] { cesim::PressKey(VK_TAB); });  // edit box -> check box
  cesim::WhenIdle([&] { focus.push_back(GetFocus()); cesim::PressKey(VK_SPACE); });
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, &TestDialogProc, 0), IDCANCEL + 40);
  ASSERT_EQ(focus.size(), 1u);
  // Space clicked the check box (a BN_CLICKED command), Escape was Cancel.
  EXPECT_EQ(behaviour.commands, (std::vector<int>{11, IDCANCEL}));
}

UINT typedNumber = 0;
INT_PTR CALLBACK ReadingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) typedNumber = GetDlgItemInt(dialog, 10, nullptr, FALSE);
  return TestDialogProc(dialog, message, wParam, lParam);
}

TEST_F(DialogTest, EnterIsTheDefaultButton) {
  TemplateBuilder t = Standard();
  typedNumber = 0;
  cesim::WhenIdle([] { cesim::TypeText(u"42"); });
  cesim::WhenIdle([] { cesim::PressKey(VK_RETURN); });
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, &ReadingDialogProc, 0), IDOK + 40);
  EXPECT_EQ(behaviour.commands, (std::vector<int>{IDOK}));
  EXPECT_EQ(typedNumber, 42u);
}

TEST_F(DialogTest, ModalLoopWaitingForeverIsReportedAndEnds) {
  TemplateBuilder t = Standard();
  // Nobody will ever press a button: the device would wait for ever, cesim ends the loop.
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, &TestDialogProc, 0), 0);
  EXPECT_EQ(cesim::MessageLoopStalls(), 1);
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_TRUE(cesim::FindWindows(cesim::WindowQuery{u"Dialog", std::nullopt, std::nullopt}).empty());
}

TEST_F(DialogTest, ClosingTheDialogIsItsCancelButton) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(dialog));
  cesim::PumpMessages();
  EXPECT_EQ(behaviour.commands, (std::vector<int>{IDCANCEL}));
}

TEST_F(DialogTest, TabOrderWrapsAndSkipsWhatCannotTakeTheFocus) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  HWND edit = GetDlgItem(dialog, 10);
  HWND check = GetDlgItem(dialog, 11);
  HWND ok = GetDlgItem(dialog, IDOK);
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  EXPECT_EQ(GetNextDlgTabItem(dialog, edit, FALSE), check);
  EXPECT_EQ(GetNextDlgTabItem(dialog, cancel, FALSE), edit);
  EXPECT_EQ(GetNextDlgTabItem(dialog, edit, TRUE), cancel);
  EnableWindow(check, FALSE);
  EXPECT_EQ(GetNextDlgTabItem(dialog, edit, FALSE), ok);
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), edit);
  EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), cancel);
  SendMessageW(dialog, WM_NEXTDLGCTL, 0, 0);
  EXPECT_EQ(GetFocus(), ok);
  SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
  EXPECT_EQ(GetFocus(), cancel);
}

TEST_F(DialogTest, ItemHelpersReadAndWriteControls) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  ASSERT_TRUE(SetDlgItemTextW(dialog, 10, u"Hello"));
  WCHAR text[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(GetDlgItemTextW(dialog, 10, text, 3), 2u);
  EXPECT_EQ(std::u16string(text), u"He");
  EXPECT_EQ(text[3], u'#');
  EXPECT_EQ(GetDlgItemTextW(dialog, 999, text, 4), 0u);
  EXPECT_EQ(text[0], 0);
  ASSERT_TRUE(SetDlgItemInt(dialog, 10, static_cast<UINT>(-42), TRUE));
  BOOL ok = FALSE;
  EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, 10, &ok, TRUE)), -42);
  EXPECT_TRUE(ok);
  EXPECT_EQ(GetDlgItemInt(dialog, 10, &ok, FALSE), 0u);  // not an unsigned number
  EXPECT_FALSE(ok);
  SetDlgItemTextW(dialog, 10, u" 7x");
  EXPECT_EQ(GetDlgItemInt(dialog, 10, &ok, FALSE), 0u);
  EXPECT_FALSE(ok);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 10, WM_GETTEXTLENGTH, 0, 0), 3);
  EXPECT_EQ(SendDlgItemMessageW(dialog, 999, WM_GETTEXTLENGTH, 0, 0), 0);
  ASSERT_TRUE(CheckDlgButton(dialog, 11, BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 11), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDOK), static_cast<UINT>(BST_UNCHECKED));  // push buttons have no check
}

TEST_F(DialogTest, AutomaticCheckBoxesAndRadioButtonsFollowTaps) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 100, 60);
  t.Control(0x0080, u"Box", 21, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0, 40, 8);
  t.Control(0x0080, u"One", 22, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 10, 40, 8);
  t.Control(0x0080, u"Two", 23, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 20, 40, 8);
  t.Control(0x0080, u"Other", 24, WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 30, 40, 8);
  HWND dialog = Modeless(t);
  auto tap = [&](int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    cesim::Tap({r.left + 1, r.top + 1});
  };
  tap(21);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 21), static_cast<UINT>(BST_CHECKED));
  cesim::PressKey(VK_SPACE);  // the box has the focus now
  EXPECT_EQ(IsDlgButtonChecked(dialog, 21), static_cast<UINT>(BST_UNCHECKED));
  CheckDlgButton(dialog, 24, BST_CHECKED);
  tap(22);
  tap(23);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 22), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 23), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 24), static_cast<UINT>(BST_CHECKED));  // another group
  EXPECT_EQ(behaviour.commands, (std::vector<int>{21, 21, 22, 23}));
  // A checked radio button is its group's tab stop.
  EXPECT_NE(GetWindowLongW(GetDlgItem(dialog, 23), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 22), GWL_STYLE) & WS_TABSTOP, 0);
  CheckRadioButton(dialog, 22, 24, 22);
  EXPECT_EQ(IsDlgButtonChecked(dialog, 22), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 24), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(DialogTest, EditBoxTypesWithinItsLimitAndTellsItsParent) {
  TemplateBuilder t = Standard();
  HWND dialog = Modeless(t);
  HWND edit = GetDlgItem(dialog, 10);
  ASSERT_EQ(GetFocus(), edit);
  SendMessageW(edit, EM_LIMITTEXT, 5, 0);
  EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 5);
  MessageRecorder recorder;  // the dialog procedure records
  recorder.Only({WM_COMMAND});
  cesim::TypeText(u"abcdefg");
  EXPECT_EQ(Text(edit), u"abcde");
  // Each typed character: EN_UPDATE then EN_CHANGE; the ones past the limit: EN_MAXTEXT.
  ASSERT_GE(recorder.Recorded().size(), 2u);
  EXPECT_EQ(recorder.Recorded()[0].wParam, MAKEWPARAM(10, EN_UPDATE));
  EXPECT_EQ(recorder.Recorded()[1].wParam, MAKEWPARAM(10, EN_CHANGE));
  EXPECT_EQ(recorder.Recorded().back().wParam, MAKEWPARAM(10, EN_MAXTEXT));
  cesim::PressKey(VK_BACK);
  EXPECT_EQ(Text(edit), u"abcd");
  EXPECT_TRUE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
  SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
  cesim::TypeText(u"z");
  EXPECT_EQ(Text(edit), u"abcd");
  // Text set by the program is not cut to the limit.
  SetWindowTextW(edit, u"1234567");
  EXPECT_EQ(Text(edit), u"1234567");
  EXPECT_FALSE(SendMessageW(edit, EM_GETMODIFY, 0, 0));
}

TEST_F(DialogTest, StaticControlWithNotifyReportsTaps) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 100, 60);
  t.Control(0x0082, u"Quiet", 31, WS_CHILD | WS_VISIBLE, 0, 0, 40, 8);
  t.Control(0x0082, u"Talks", 32, WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 10, 40, 8);
  HWND dialog = Modeless(t);
  for (int id : {31, 32}) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    cesim::Tap({r.left + 1, r.top + 1});
  }
  EXPECT_EQ(behaviour.commands, (std::vector<int>{32}));
  EXPECT_EQ(SendDlgItemMessageW(dialog, 31, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
}

// A drop-down dialog of the kind an application opens below a toolbar: a tree filling a
// borderless pop-up that closes itself when it loses activation, when its own tree takes the
// focus from it, and when an item is tapped (once the tree's NM_CLICK is over: the tree goes on
// with the tap after the notification returns). It closes once: the mark is set before its
// destruction begins, since the destruction itself deactivates it and takes the focus from its
// tree. It is placed without being activated (SetWindowPos activates even a hidden window).
struct DropDown {
  HWND tree = nullptr;
  std::u16string chosen;
  int gestureAnswers = 0;
  bool closing = false;
  bool unguarded = false;        // closes every time it is told to, without the mark
  bool placedActivating = false;  // placed without SWP_NOACTIVATE
  std::vector<WPARAM> activationsWhileCreated;
  bool initialising = false;
};
DropDown dropDown;

void CloseDropDown(HWND dialog) {
  if (dropDown.closing && !dropDown.unguarded) return;
  dropDown.closing = true;
  DestroyWindow(dialog);
}

INT_PTR CALLBACK DropDownProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (dropDown.initialising && message == WM_ACTIVATE) dropDown.activationsWhileCreated.push_back(wParam);
  switch (message) {
    case WM_INITDIALOG: {
      dropDown.tree = GetDlgItem(dialog, 1011);
      dropDown.initialising = true;
      SetWindowPos(dialog, nullptr, -1, 40, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | (dropDown.placedActivating ? 0 : SWP_NOACTIVATE));
      dropDown.initialising = false;
      TVINSERTSTRUCTW ins = {};
      ins.hParent = TVI_ROOT;
      ins.hInsertAfter = TVI_SORT;
      ins.item.mask = TVIF_TEXT | TVIF_CHILDREN;
      ins.item.pszText = const_cast<LPWSTR>(u"My Device");
      ins.item.cChildren = 1;
      HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageW(dropDown.tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
      SendMessageW(dropDown.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE && !dropDown.initialising) CloseDropDown(dialog);
      return FALSE;
    case WM_KILLFOCUS:
      if (reinterpret_cast<HWND>(wParam) == dropDown.tree && !dropDown.initialising) CloseDropDown(dialog);
      return FALSE;
    case WM_CLOSE:
      CloseDropDown(dialog);
      return TRUE;
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->code == NM_RECOGNIZEGESTURE) {
        ++dropDown.gestureAnswers;
        SetWindowLongW(dialog, DWL_MSGRESULT, 1);
        return TRUE;
      }
      if (hdr->code == NM_CLICK) {
        DWORD pos = GetMessagePos();
        TVHITTESTINFO hit = {};
        hit.pt = {static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
        ScreenToClient(dropDown.tree, &hit.pt);
        SendMessageW(dropDown.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if ((hit.flags & TVHT_ONITEM) == 0) return FALSE;
        SendMessageW(dropDown.tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hit.hItem));
        WCHAR text[MAX_PATH] = {};
        TVITEMW tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = hit.hItem;
        tvi.pszText = text;
        tvi.cchTextMax = MAX_PATH;
        SendMessageW(dropDown.tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
        dropDown.chosen = text;
        PostMessageW(dialog, WM_CLOSE, 0, 0);
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

class DialogDropDownTest : public DialogTest {
 protected:
  HWND Open(bool placedActivating = false, bool unguarded = false) {
    dropDown = DropDown();
    dropDown.placedActivating = placedActivating;
    dropDown.unguarded = unguarded;
    TemplateBuilder t(WS_POPUP | WS_VISIBLE, 138, 62);
    t.Control(u"SysTreeView32", u"", 1011, 0x50810017, 0, 0, 138, 62);
    return CreateDialogIndirectParamW(nullptr, t.Get(), owner, &DropDownProc, 0);
  }
};

TEST_F(DialogDropDownTest, OpensActiveWithItsTreeFocused) {
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(GetActiveWindow(), dialog);
  EXPECT_EQ(GetFocus(), dropDown.tree);
  RECT r;
  GetWindowRect(dialog, &r);
  EXPECT_EQ(r.left, -1);
  EXPECT_EQ(r.top, 40);
  EXPECT_EQ(r.right - r.left, 207);
  // Found the way an application looks for an open one: above its owner, of class "Dialog".
  HWND above = GetWindow(owner, GW_HWNDPREV);
  EXPECT_EQ(above, dialog);
  EXPECT_EQ(GetWindow(above, GW_OWNER), owner);
}

// SetWindowPos without SWP_NOACTIVATE activates the window, hidden or not: placed that way from
// WM_INITDIALOG, the dialog is activated while it is created, before it shows.
TEST_F(DialogDropDownTest, PlacedWithoutNoActivateItIsActivatedWhileItIsCreated) {
  HWND dialog = Open(true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dropDown.activationsWhileCreated, (std::vector<WPARAM>{WA_ACTIVE}));
  EXPECT_EQ(GetActiveWindow(), dialog);
  Open();
  EXPECT_TRUE(dropDown.activationsWhileCreated.empty());
}

TEST_F(DialogDropDownTest, TapOnAnItemChoosesItAndCloses) {
  HWND dialog = Open();
  ASSERT_TRUE(cesim::TapTreeItem(dropDown.tree, {u"My Device"}));
  EXPECT_EQ(dropDown.chosen, u"My Device");
  EXPECT_EQ(dropDown.gestureAnswers, 1);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(DialogDropDownTest, TapOnAnotherWindowClosesItWithoutChoosing) {
  HWND dialog = Open();
  cesim::Tap({120, 300});
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(dropDown.chosen.empty());
  EXPECT_EQ(GetActiveWindow(), owner);
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(DialogDropDownTest, ActivatedAgainItHandsTheFocusToItsTreeAndCloses) {
  HWND dialog = Open();
  // Focus on the dialog itself: the dialog manager passes it on to the tree, which the
  // dialog takes as its signal to close.
  SetFocus(dialog);
  EXPECT_FALSE(IsWindow(dialog));
}

// Without the mark, every deactivation that its own destruction sends begins the destruction
// again: on a device that recurses until the stack overflows; cesim reports it.
using DialogDropDownDeathTest = DialogDropDownTest;

TEST_F(DialogDropDownDeathTest, ADropDownThatClosesOnEveryDeactivationIsReported) {
  Open(false, true);
  EXPECT_DEATH(cesim::Tap({120, 300}), "of class \"Dialog\" titled \"\" entered again [0-9]+ times from inside its own "
                                      "destruction, last while activation moved on from it");
}

#ifdef CESIM_TESTMODULE_PATH
TEST_F(DialogTest, TemplateCompiledByWindresCreatesItsDialog) {
  device.image.AddModule(u"\\Windows\\testmodule.dll", CESIM_TESTMODULE_PATH);
  ASSERT_TRUE(device.Boot());
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &OwnerProc;
  cls.lpszClassName = u"Owner";
  RegisterClassW(&cls);
  owner = CreateWindowExW(0, u"Owner", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  HMODULE module = LoadLibraryW(u"\\Windows\\testmodule.dll");
  ASSERT_NE(module, nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDD_SAMPLE), RT_DIALOG);
  ASSERT_NE(found, nullptr) << GetLastError();
  HGLOBAL loaded = LoadResource(module, found);
  const auto* tmpl = static_cast<const DLGTEMPLATE*>(LockResource(loaded));
  ASSERT_NE(tmpl, nullptr);
  HWND dialog = CreateDialogIndirectParamW(module, tmpl, owner, &TestDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(dialog), u"Sample");
  EXPECT_EQ(Text(GetDlgItem(dialog, IDC_LABEL)), u"Label");
  WCHAR name[16];
  GetClassNameW(GetDlgItem(dialog, IDOK), name, 16);
  EXPECT_EQ(std::u16string(name), u"Button");
  // A template pointer near the end of the resource is read no further than the resource.
  DWORD size = SizeofResource(module, found);
  const auto* tail = reinterpret_cast<const DLGTEMPLATE*>(reinterpret_cast<const BYTE*>(tmpl) + size - 6);
  EXPECT_EQ(CreateDialogIndirectParamW(module, tail, owner, &TestDialogProc, 0), nullptr);
}
#endif

}  // namespace

// The dialog manager's keys as the platform handles them in IsDialogMessageW: the control asked
// with WM_GETDLGCODE first, Tab as WM_NEXTDLGCTL (or moved by the dialog manager itself in a
// window that is no dialog), the arrows within a group (a radio button taking the focus and its
// click), Escape and Enter as commands, mnemonics, and a DS_CONTROL dialog's keys going to the
// dialog around it; and automation pumping as a host's loop that offers messages to its
// modeless dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "dialog_template_builder.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;
using foldwise_test::TemplateBuilder;
using foldwise_test::Wnd;

constexpr WORD kEdit = 10;
constexpr WORD kCheck = 11;
constexpr WORD kOne = 22;
constexpr WORD kTwo = 23;
constexpr WORD kLabel = 30;
constexpr WORD kName = 31;

std::vector<WPARAM> commands;  // the wParam of every WM_COMMAND the dialogs got

// Keeps the commands; ends nothing.
INT_PTR HandleKeysDialogMessage(UINT message, WPARAM wParam) {
  if (message == WM_COMMAND && LOWORD(wParam) != kEdit && LOWORD(wParam) != kName) commands.push_back(wParam);
  return message == WM_INITDIALOG || message == WM_COMMAND ? TRUE : FALSE;
}

// Records what it gets when a recorder runs.
INT_PTR CALLBACK KeysDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder == nullptr) return HandleKeysDialogMessage(message, wParam);
  MessageRecorder::Scope scope = recorder->Enter(dialog, message, wParam, lParam);
  return HandleKeysDialogMessage(message, wParam);
}

// A control that asks for every key (DLGC_WANTMESSAGE) and records them.
LRESULT CALLBACK GreedyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) return DLGC_WANTMESSAGE;
  return foldwise_test::RecordingWindowProc(hwnd, message, wParam, lParam);
}

class DialogKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.clear();
    ASSERT_TRUE(device.Boot());
    for (auto [name, proc] : {std::pair<LPCWSTR, WNDPROC>{u"Owner", &DefWindowProcW}, {u"Greedy", &GreedyProc}}) {
      WNDCLASSW cls = {};
      cls.lpfnWndProc = proc;
      cls.lpszClassName = name;
      ASSERT_NE(RegisterClassW(&cls), 0);
    }
    owner = CreateWindowExW(0, u"Owner", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  }

  // An edit box, a check box with a mnemonic, a group of two automatic radio buttons, a label
  // with a mnemonic before a second edit box, OK (the default) and Cancel.
  HWND Open(DWORD style = WS_POPUP | WS_VISIBLE) {
    TemplateBuilder t(style, 120, 100);
    t.Control(0x0081, u"", kEdit, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 90, 12);
    t.Control(0x0080, u"&Check", kCheck, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 5, 20, 90, 10);
    t.Control(0x0080, u"One", kOne, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 5, 32, 40, 10);
    t.Control(0x0080, u"Two", kTwo, WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 50, 32, 40, 10);
    t.Control(0x0082, u"&Name:", kLabel, WS_CHILD | WS_VISIBLE | WS_GROUP, 5, 46, 30, 8);
    t.Control(0x0081, u"", kName, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 40, 44, 60, 12);
    t.Control(0x0080, u"OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 5, 70, 40, 14);
    t.Control(0x0080, u"Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 70, 40, 14);
    return CreateDialogIndirectParamW(nullptr, t.Get(), owner, &KeysDialogProc, 0);
  }

  foldwise_test::BootedDevice device;
  HWND owner = nullptr;
};

TEST_F(DialogKeysTest, TabAsksTheControlThenTheDialogMovesTheFocus) {
  HWND dialog = Open();
  HWND edit = GetDlgItem(dialog, kEdit);
  ASSERT_EQ(GetFocus(), edit);
  cesim::HostDialogs host({{dialog}, std::nullopt});
  MessageRecorder recorder;
  recorder.Name(dialog, "dialog");
  recorder.Watch(edit, "edit");
  recorder.Only({WM_GETDLGCODE, WM_NEXTDLGCTL, WM_KEYDOWN});
  cesim::PressKey(VK_TAB);
  EXPECT_TRUE(recorder.Sequence({
      {"edit", WM_GETDLGCODE, VK_TAB, Any(), 0},
      {"dialog", WM_NEXTDLGCTL, 0, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kCheck));
  // With the shift key down, wParam is the key state's high bit, as GetKeyState gives it.
  recorder.Flush();
  cesim::KeyDown(VK_SHIFT);
  cesim::PressKey(VK_TAB);
  cesim::KeyUp(VK_SHIFT);
  EXPECT_TRUE(recorder.Sequence({
      {"dialog", WM_NEXTDLGCTL, 0x8000, 0, 0},
      {"edit", WM_GETDLGCODE, 0, 0, 0},  // the dialog selects an edit box's text as it gives it the focus
  }));
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(DialogKeysTest, EscapeIsCancelAndEnterTheDefaultButton) {
  HWND dialog = Open();
  cesim::HostDialogs host({{dialog}, std::nullopt});
  cesim::PressKey(VK_ESCAPE);
  cesim::PressKey(VK_RETURN);  // the focus is in the edit box: DM_GETDEFID names OK
  SetFocus(GetDlgItem(dialog, IDCANCEL));
  cesim::PressKey(VK_RETURN);  // Cancel is no default button: still OK
  EXPECT_EQ(commands, (std::vector<WPARAM>{IDCANCEL, MAKEWPARAM(IDOK, BN_CLICKED), MAKEWPARAM(IDOK, BN_CLICKED)}));
  // The command carries the button.
  MessageRecorder recorder;
  recorder.Name(dialog, "dialog");
  recorder.Name(GetDlgItem(dialog, IDCANCEL), "cancel");
  recorder.Only({WM_COMMAND});
  cesim::PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({{"dialog", WM_COMMAND, IDCANCEL, Wnd("cancel"), 0}}));
}

// An arrow in a group of radio buttons gives the next one the focus itself and clicks it when it
// is an automatic one that is not checked; other controls move by WM_NEXTDLGCTL.
TEST_F(DialogKeysTest, AnArrowClicksTheNextAutomaticRadioButtonOfTheGroup) {
  HWND dialog = Open();
  HWND one = GetDlgItem(dialog, kOne);
  HWND two = GetDlgItem(dialog, kTwo);
  CheckRadioButton(dialog, kOne, kTwo, kOne);
  SetFocus(one);
  cesim::HostDialogs host({{dialog}, std::nullopt});
  MessageRecorder recorder;
  recorder.Name(dialog, "dialog");
  recorder.Watch(two, "two");
  recorder.Only({WM_GETDLGCODE, WM_NEXTDLGCTL, WM_SETFOCUS, BM_GETCHECK, BM_CLICK});
  cesim::PressKey(VK_RIGHT);
  EXPECT_TRUE(recorder.Sequence({
      {"two", WM_GETDLGCODE, VK_RIGHT, Any(), 0},
      {"two", WM_SETFOCUS, Any(), 0, 0},
      {"two", BM_GETCHECK, 0, 0, 0},
      {"two", BM_CLICK, 1, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), two);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kTwo), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(IsDlgButtonChecked(dialog, kOne), static_cast<UINT>(BST_UNCHECKED));
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(kTwo, BN_CLICKED)}));

  // Between push buttons the focus moves by WM_NEXTDLGCTL, the control named in wParam.
  SetFocus(GetDlgItem(dialog, IDOK));
  recorder.Flush();
  cesim::PressKey(VK_DOWN);
  EXPECT_TRUE(recorder.Sequence({{"dialog", WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDCANCEL)), 1, 0}}));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDCANCEL));
}

// A character that a control does not want is a mnemonic: a button with it is clicked, a label
// with it hands the focus to the control after it. Controls that want characters get them.
TEST_F(DialogKeysTest, MnemonicsClickButtonsAndMoveOnFromLabels) {
  HWND dialog = Open();
  cesim::HostDialogs host({{dialog}, std::nullopt});
  SetFocus(GetDlgItem(dialog, IDCANCEL));
  cesim::TypeText(u"c");
  EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(kCheck, BN_CLICKED)}));
  cesim::TypeText(u"N");
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kName));
  // The edit box wants characters: the same letters are typed into it.
  cesim::TypeText(u"nc");
  WCHAR text[8] = {};
  GetDlgItemTextW(dialog, kName, text, 8);
  EXPECT_EQ(std::u16string(text), u"nc");
  EXPECT_EQ(IsDlgButtonChecked(dialog, kCheck), static_cast<UINT>(BST_CHECKED));
}

TEST_F(DialogKeysTest, AControlThatWantsTheMessageGetsEscapeItself) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 100, 60);
  t.Control(u"Greedy", u"", 40, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 20);
  HWND dialog = CreateDialogIndirectParamW(nullptr, t.Get(), owner, &KeysDialogProc, 0);
  HWND greedy = GetDlgItem(dialog, 40);
  ASSERT_EQ(GetFocus(), greedy);
  cesim::HostDialogs host({{dialog}, std::nullopt});
  MessageRecorder recorder;
  recorder.Name(greedy, "greedy");
  recorder.Name(dialog, "dialog");
  recorder.Only({WM_KEYDOWN, WM_COMMAND});
  cesim::PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({{"greedy", WM_KEYDOWN, VK_ESCAPE, Any(), 0}}));
  EXPECT_TRUE(commands.empty());
}

// In a window that no dialog manager made, Tab moves the focus without WM_NEXTDLGCTL: the next
// tab stop gets its whole text selected and the focus.
TEST_F(DialogKeysTest, TabInAWindowThatIsNoDialogMovesTheFocusItself) {
  HWND window = CreateWindowExW(0, u"Owner", u"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  HWND first = CreateWindowExW(0, u"Edit", u"one", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20, window,
                               reinterpret_cast<HMENU>(1), nullptr, nullptr);
  HWND second = CreateWindowExW(0, u"Edit", u"second", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 30, 100, 20, window,
                                reinterpret_cast<HMENU>(2), nullptr, nullptr);
  SetFocus(first);
  cesim::HostDialogs host({{window}, std::nullopt});
  MessageRecorder recorder;
  recorder.Watch(window, "window");
  recorder.Watch(second, "second");
  recorder.Only({WM_NEXTDLGCTL, WM_GETDLGCODE, WM_GETTEXTLENGTH, WM_GETTEXT, EM_SETSEL, WM_SETFOCUS});
  cesim::PressKey(VK_TAB);
  EXPECT_TRUE(recorder.Sequence({
      {"second", WM_GETDLGCODE, VK_TAB, Any(), 0},
      {"second", WM_GETTEXTLENGTH, 0, 0, 0},
      {"second", WM_GETTEXT, 7, Any(), 0},
      {"second", EM_SETSEL, 0, 6, 0},
      {"second", WM_SETFOCUS, Any(), 0, 0},
      // Then the push buttons' default styles are put right: asked of the control, then of all.
      {"second", WM_GETDLGCODE, 0, 0, 0},
      {"second", WM_GETDLGCODE, 0, 0, 0},
  }));
  EXPECT_EQ(GetFocus(), second);
}

// A dialog that is a control of another (DS_CONTROL) hands the dialog manager's commands to the
// dialog around it.
TEST_F(DialogKeysTest, ADialogThatIsAControlHandsItsCommandsToTheDialogAroundIt) {
  HWND outer = Open();
  TemplateBuilder inner(WS_CHILD | WS_VISIBLE | DS_CONTROL, 60, 30);
  inner.Control(0x0081, u"", 50, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 12);
  HWND page = CreateDialogIndirectParamW(nullptr, inner.Get(), outer, &KeysDialogProc, 0);
  ASSERT_NE(page, nullptr);
  SetFocus(GetDlgItem(page, 50));
  cesim::HostDialogs host({{page}, std::nullopt});
  MessageRecorder recorder;
  recorder.Name(outer, "outer");
  recorder.Name(page, "page");
  recorder.Only({WM_COMMAND});
  cesim::PressKey(VK_ESCAPE);
  EXPECT_TRUE(recorder.Sequence({{"outer", WM_COMMAND, IDCANCEL, Any(), 0}}));
}

// Automation pumps as an application's loop does unless a host's dialogs are named: then each
// message goes to IsDialogMessageW of those dialogs first, the dialogs the host window owns
// looked up as the messages come.
TEST_F(DialogKeysTest, AutomationOffersMessagesToTheDialogsOfAHostOnlyWhenTold) {
  HWND dialog = Open();
  cesim::PressKey(VK_ESCAPE);  // the edit box gets it: no dialog manager
  EXPECT_TRUE(commands.empty());
  {
    cesim::HostDialogs host({{}, owner});
    cesim::PressKey(VK_ESCAPE);
  }
  EXPECT_EQ(commands, (std::vector<WPARAM>{IDCANCEL}));
  cesim::PressKey(VK_ESCAPE);
  EXPECT_EQ(commands.size(), 1u);
  // The pump with options, for a message already queued.
  PostMessageW(GetDlgItem(dialog, kEdit), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(cesim::PumpMessages(cesim::PumpOptions{{dialog}, std::nullopt}), 1);
  EXPECT_EQ(commands, (std::vector<WPARAM>{IDCANCEL, IDCANCEL}));
}

}  // namespace

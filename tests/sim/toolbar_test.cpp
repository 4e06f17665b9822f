// The toolbar control against the platform's documented behaviour: buttons added and inserted
// (with the declared structure size), read and changed by command or by index, texts as copied
// pointers or string pool entries, states, the row layout and the control's own size, taps that
// send WM_COMMAND when the stylus lifts, drop-down buttons with and without a separate arrow part,
// and parents that delete buttons or destroy the control while it notifies them.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"
#include "testmodule/testmodule_ids.h"

namespace {

using foldwise_test::Any;
using foldwise_test::Code;
using foldwise_test::MessageRecorder;
using foldwise_test::Wnd;

// What the parent does with a notification (its result is the parent's answer) and a command.
std::function<LRESULT(NMHDR*)> onNotify;
std::function<void(WPARAM)> onCommand;

LRESULT CALLBACK ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NOTIFY && message != WM_COMMAND) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_COMMAND && onCommand) onCommand(wParam);
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder != nullptr) {
    auto scope = recorder->Enter(hwnd, message, wParam, lParam);
    return message == WM_NOTIFY && onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : 0;
  }
  return message == WM_NOTIFY && onNotify ? onNotify(reinterpret_cast<NMHDR*>(lParam)) : 0;
}

constexpr int kToolbarId = 77;

TBBUTTON Button(int command, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED, INT_PTR string = -1) {
  TBBUTTON b = {};
  b.iBitmap = 0;
  b.idCommand = command;
  b.fsState = state;
  b.fsStyle = style;
  b.iString = string;
  return b;
}

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    onNotify = nullptr;
    onCommand = nullptr;
    device.image.AddModule(u"\\Windows\\testmodule.dll", CESIM_TESTMODULE_PATH);
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &ParentProc;
    cls.lpszClassName = u"ToolbarParent";
    ASSERT_NE(RegisterClassW(&cls), 0);
    parent = CreateWindowExW(0, u"ToolbarParent", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                             nullptr, nullptr);
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(kToolbarId), nullptr, nullptr);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0), 0);
    cesim::Activate(parent);
  }
  void TearDown() override {
    onNotify = nullptr;
    onCommand = nullptr;
  }

  // Back (10, drop-down), Forward (11), a separator, Up (12).
  void FourButtons() {
    TBBUTTON buttons[] = {Button(10, TBSTYLE_DROPDOWN), Button(11), Button(0, TBSTYLE_SEP), Button(12)};
    ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons)));
  }

  int Count() { return static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)); }

  TBBUTTON Get(int index) {
    TBBUTTON b;
    std::memset(&b, 0xCC, sizeof b);
    EXPECT_TRUE(SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&b)));
    return b;
  }

  RECT ItemRect(int index) {
    RECT r = {};
    SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }

  TBBUTTONINFOW Info(DWORD mask, LPWSTR text = nullptr, int cch = 0) {
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof info;
    info.dwMask = mask;
    info.pszText = text;
    info.cchText = cch;
    return info;
  }

  std::vector<int> Commands() {
    std::vector<int> commands;
    for (int i = 0; i < Count(); ++i) commands.push_back(Get(i).idCommand);
    return commands;
  }

  foldwise_test::BootedDevice device;
  HWND parent = nullptr;
  HWND toolbar = nullptr;
};

TEST_F(ToolbarTest, AddsAndInsertsButtons) {
  FourButtons();
  TBBUTTON one = Button(20);
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, 1, reinterpret_cast<LPARAM>(&one)));
  one.idCommand = 21;
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&one)));
  one.idCommand = 22;
  EXPECT_TRUE(SendMessageW(toolbar, TB_INSERTBUTTONW, 99, reinterpret_cast<LPARAM>(&one)));  // past the end
  EXPECT_FALSE(SendMessageW(toolbar, TB_INSERTBUTTONW, static_cast<WPARAM>(-2), reinterpret_cast<LPARAM>(&one)));
  EXPECT_FALSE(SendMessageW(toolbar, TB_INSERTBUTTONW, 0, 0));
  EXPECT_EQ(Commands(), (std::vector<int>{10, 20, 11, 0, 12, 21, 22}));
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 12, 0), 4);
  EXPECT_EQ(SendMessageW(toolbar, TB_COMMANDTOINDEX, 99, 0), -1);

  const TBBUTTON first = Get(0);
  EXPECT_EQ(first.fsStyle, TBSTYLE_DROPDOWN);
  EXPECT_EQ(first.fsState, TBSTATE_ENABLED);
  EXPECT_EQ(first.iString, -1);
  for (BYTE reserved : first.bReserved) EXPECT_EQ(reserved, 0);
  // Out of range, negative, or nowhere to write: nothing is read.
  TBBUTTON none;
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETBUTTON, 7, reinterpret_cast<LPARAM>(&none)));
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none)));
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETBUTTON, 0, 0));

  EXPECT_TRUE(SendMessageW(toolbar, TB_DELETEBUTTON, 1, 0));
  EXPECT_FALSE(SendMessageW(toolbar, TB_DELETEBUTTON, 6, 0));
  EXPECT_EQ(Count(), 6);
}

TEST_F(ToolbarTest, ReadsButtonsWithTheDeclaredStructureSize) {
  // The first fields only: command, state and style; the rest of each button reads as zero.
  const size_t size = offsetof(TBBUTTON, dwData);
  std::vector<uint8_t> bytes(size * 2, 0);
  TBBUTTON b = Button(31, TBSTYLE_CHECK);
  std::memcpy(bytes.data(), &b, size);
  b.idCommand = 32;
  std::memcpy(bytes.data() + size, &b, size);
  ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, size, 0), 0);
  ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(bytes.data())));
  EXPECT_EQ(Commands(), (std::vector<int>{31, 32}));
  EXPECT_EQ(Get(1).fsStyle, TBSTYLE_CHECK);
  EXPECT_EQ(Get(1).dwData, 0u);
  EXPECT_EQ(Get(1).iString, 0);
  // A size too small to hold a button's style is refused.
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, 4, 0);
  EXPECT_FALSE(SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(bytes.data())));
  EXPECT_EQ(Count(), 2);
}

TEST_F(ToolbarTest, TextsGivenAsPointersAreCopied) {
  std::u16string text = u"Folders";
  TBBUTTON b = Button(40, TBSTYLE_BUTTON, TBSTATE_ENABLED, reinterpret_cast<INT_PTR>(text.c_str()));
  ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b)));
  text = u"Changed";
  const TBBUTTON read = Get(0);
  ASSERT_TRUE(read.iString != -1 && !IS_INTRESOURCE(read.iString));
  EXPECT_NE(reinterpret_cast<LPCWSTR>(read.iString), text.c_str());
  EXPECT_EQ(std::u16string(reinterpret_cast<LPCWSTR>(read.iString)), u"Folders");
  WCHAR buffer[16] = {};
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 40, reinterpret_cast<LPARAM>(buffer)), 7);
  EXPECT_EQ(std::u16string(buffer), u"Folders");
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 40, 0), 7);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 41, 0), -1);
}

TEST_F(ToolbarTest, TextsComeFromTheStringPool) {
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(u"Back\0Forward\0")), 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(u"Up\0")), 2);
  // A resource of strings separated by its first character: "|Back|Forward|Up".
  HMODULE module = LoadLibraryW(u"\\Windows\\testmodule.dll");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, reinterpret_cast<WPARAM>(module), IDS_TOOLBAR_TEXTS), 3);
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(u"Home\0")), 6);
  TBBUTTON buttons[] = {Button(50, TBSTYLE_BUTTON, TBSTATE_ENABLED, 1), Button(51, TBSTYLE_BUTTON, TBSTATE_ENABLED, 6),
                        Button(52, TBSTYLE_BUTTON, TBSTATE_ENABLED, 9)};
  ASSERT_TRUE(SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons)));
  const std::vector<cesim::ToolbarButtonRow> rows = cesim::ReadToolbar(toolbar);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].text, u"Forward");
  EXPECT_EQ(rows[1].text, u"Home");
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONTEXTW, 50, 0), 7);
  EXPECT_EQ(rows[2].text, u"");  // no pool entry 9
  EXPECT_EQ(Get(0).iString, 1);  // the index stays an index
  // Nothing to add: no list, or an identifier without its module.
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, 0), -1);
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, 0, IDS_TOOLBAR_TEXTS), -1);
  EXPECT_EQ(SendMessageW(toolbar, TB_ADDSTRINGW, reinterpret_cast<WPARAM>(module), 999), -1);
}

TEST_F(ToolbarTest, ButtonInformationByCommandAndByIndex) {
  FourButtons();
  WCHAR text[8];
  TBBUTTONINFOW info = Info(TBIF_STYLE | TBIF_STATE | TBIF_COMMAND | TBIF_SIZE);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 11, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(info.idCommand, 11);
  EXPECT_EQ(info.fsStyle, TBSTYLE_BUTTON);
  EXPECT_EQ(info.fsState, TBSTATE_ENABLED);
  EXPECT_EQ(info.cx, 23);
  info = Info(TBIF_COMMAND | TBIF_BYINDEX);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 3, reinterpret_cast<LPARAM>(&info)), 3);
  EXPECT_EQ(info.idCommand, 12);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 4, reinterpret_cast<LPARAM>(&info)), -1);
  info = Info(TBIF_COMMAND);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 99, reinterpret_cast<LPARAM>(&info)), -1);
  info.cbSize = sizeof info - 1;
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 11, reinterpret_cast<LPARAM>(&info)), -1);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 11, 0), -1);

  // What the Explorer's extension does at start-up: the first button loses its drop-down style.
  const TBBUTTON first = Get(0);
  info = Info(TBIF_STYLE);
  info.fsStyle = static_cast<BYTE>(first.fsStyle & ~TBSTYLE_DROPDOWN);
  EXPECT_TRUE(SendMessageW(toolbar, TB_SETBUTTONINFOW, first.idCommand, reinterpret_cast<LPARAM>(&info)));
  EXPECT_EQ(Get(0).fsStyle, TBSTYLE_BUTTON);
  EXPECT_EQ(Get(0).fsState, TBSTATE_ENABLED);  // only what the mask names changes

  // A text set on a button is its own, and given back cut to the buffer.
  info = Info(TBIF_TEXT | TBIF_COMMAND | TBIF_BYINDEX, const_cast<LPWSTR>(u"Forward"));
  info.idCommand = 15;
  EXPECT_TRUE(SendMessageW(toolbar, TB_SETBUTTONINFOW, 1, reinterpret_cast<LPARAM>(&info)));
  for (WCHAR& c : text) c = u'#';
  info = Info(TBIF_TEXT, text, 4);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONINFOW, 15, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(std::u16string(text), u"For");
  EXPECT_EQ(text[4], u'#');
  info = Info(TBIF_STATE);
  info.cbSize = sizeof info - 1;
  EXPECT_FALSE(SendMessageW(toolbar, TB_SETBUTTONINFOW, 15, reinterpret_cast<LPARAM>(&info)));
  info = Info(TBIF_STATE);
  EXPECT_FALSE(SendMessageW(toolbar, TB_SETBUTTONINFOW, 11, reinterpret_cast<LPARAM>(&info)));  // now 15
}

TEST_F(ToolbarTest, StatesByCommand) {
  FourButtons();
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 11, 0), TBSTATE_ENABLED);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 99, 0), -1);
  EXPECT_TRUE(SendMessageW(toolbar, TB_SETSTATE, 11, TBSTATE_CHECKED));
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 11, 0), TBSTATE_CHECKED);
  EXPECT_FALSE(SendMessageW(toolbar, TB_SETSTATE, 99, TBSTATE_ENABLED));
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONENABLED, 11, 0), 0);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 11, 0), TRUE);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 99, 0), -1);
  EXPECT_TRUE(SendMessageW(toolbar, TB_ENABLEBUTTON, 11, TRUE));
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONENABLED, 11, 0), TRUE);
  // A hidden button takes no room and has no item rectangle.
  const RECT upBefore = ItemRect(3);
  EXPECT_TRUE(SendMessageW(toolbar, TB_HIDEBUTTON, 11, TRUE));
  RECT none;
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&none)));
  EXPECT_EQ(ItemRect(3).left, upBefore.left - 23);
}

TEST_F(ToolbarTest, ChecksOneButtonOfAGroup) {
  TBBUTTON buttons[] = {Button(1, TBSTYLE_CHECKGROUP), Button(2, TBSTYLE_CHECKGROUP), Button(3, TBSTYLE_CHECKGROUP)};
  SendMessageW(toolbar, TB_ADDBUTTONSW, 3, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(toolbar, TB_CHECKBUTTON, 1, TRUE);
  SendMessageW(toolbar, TB_CHECKBUTTON, 3, TRUE);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 1, 0), FALSE);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 3, 0), TRUE);
  // A tap on a group button checks it and unchecks the others.
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 2));
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 2, 0), TRUE);
  EXPECT_EQ(SendMessageW(toolbar, TB_ISBUTTONCHECKED, 3, 0), FALSE);
}

TEST_F(ToolbarTest, LaysButtonsOutInARowAcrossItsParent) {
  FourButtons();
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(23, 22));
  const RECT back = ItemRect(0);
  EXPECT_EQ(back.left, 0);
  EXPECT_EQ(back.top, 2);
  EXPECT_EQ(back.right, 23);
  EXPECT_EQ(back.bottom, 24);
  EXPECT_EQ(ItemRect(2).right - ItemRect(2).left, 8);  // the separator
  EXPECT_EQ(ItemRect(3).left, 54);
  RECT byCommand = {};
  EXPECT_TRUE(SendMessageW(toolbar, TB_GETRECT, 12, reinterpret_cast<LPARAM>(&byCommand)));
  const RECT byIndex = ItemRect(3);
  EXPECT_EQ(byCommand.left, byIndex.left);
  EXPECT_EQ(byCommand.right, byIndex.right);
  EXPECT_FALSE(SendMessageW(toolbar, TB_GETRECT, 99, reinterpret_cast<LPARAM>(&byCommand)));
  // The drop-down arrow takes room of its own when it is drawn apart.
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETEXTENDEDSTYLE, 0, 0), TBSTYLE_EX_DRAWDDARROWS);
  EXPECT_EQ(ItemRect(0).right, 34);
  // The control spans its parent, as high as its row.
  RECT window;
  GetWindowRect(toolbar, &window);
  EXPECT_EQ(window.right - window.left, 240);
  EXPECT_EQ(window.bottom - window.top, 26);
  // Buttons with text are as wide as the widest text needs and taller.
  TBBUTTON labelled = Button(60, TBSTYLE_BUTTON, TBSTATE_ENABLED, reinterpret_cast<INT_PTR>(u"Properties"));
  SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&labelled));
  EXPECT_EQ(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0), MAKELONG(67, 35));
}

TEST_F(ToolbarTest, ATapSendsTheCommandWhenTheStylusLifts) {
  FourButtons();
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Watch(toolbar, "toolbar");
  recorder.Only({WM_NOTIFY, WM_COMMAND, WM_LBUTTONDOWN, WM_LBUTTONUP});
  std::vector<BYTE> statesSeen;
  onNotify = [&](NMHDR* hdr) {
    statesSeen.push_back(static_cast<BYTE>(SendMessageW(toolbar, TB_GETSTATE, 11, 0)));
    EXPECT_EQ(reinterpret_cast<NMTOOLBARW*>(hdr)->iItem, 11);
    return LRESULT(0);
  };
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 11));
  EXPECT_TRUE(recorder.Sequence({
      {"toolbar", WM_LBUTTONDOWN, MK_LBUTTON, Any(), 0},
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_BEGINDRAG), 1},
      {"toolbar", WM_LBUTTONUP, 0, Any(), 0},
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_ENDDRAG), 1},
      {"parent", WM_COMMAND, MAKEWPARAM(11, BN_CLICKED), Wnd("toolbar"), 1},
  }));
  // Pressed while the stylus is down, released before the command.
  EXPECT_EQ(statesSeen, (std::vector<BYTE>{TBSTATE_ENABLED | TBSTATE_PRESSED, TBSTATE_ENABLED}));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarTest, LiftingTheStylusElsewhereOrOnADisabledButtonSendsNoCommand) {
  FourButtons();
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_COMMAND});
  const RECT forward = ItemRect(1);
  SendMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(forward.left + 2, forward.top + 2));
  SendMessageW(toolbar, WM_LBUTTONUP, 0, MAKELPARAM(forward.right + 30, forward.top + 2));
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 11, 0), TBSTATE_ENABLED);
  SendMessageW(toolbar, TB_ENABLEBUTTON, 12, FALSE);
  EXPECT_TRUE(cesim::TapToolbarButton(toolbar, 12));
  // A separator is no button.
  EXPECT_FALSE(cesim::TapToolbarButton(toolbar, 0));
  EXPECT_TRUE(recorder.Recorded().empty());
}

TEST_F(ToolbarTest, TheArrowPartOfADropDownButtonSendsDropDown) {
  FourButtons();
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Name(toolbar, "toolbar");
  recorder.Only({WM_NOTIFY, WM_COMMAND});
  RECT reported = {};
  onNotify = [&](NMHDR* hdr) {
    if (hdr->code == TBN_DROPDOWN) reported = reinterpret_cast<NMTOOLBARW*>(hdr)->rcButton;
    return LRESULT(TBDDRET_DEFAULT);
  };
  ASSERT_TRUE(cesim::TapToolbarDropDown(toolbar, 10));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, kToolbarId, Code(TBN_DROPDOWN), 0}}));
  EXPECT_EQ(reported.left, ItemRect(0).left);
  EXPECT_EQ(reported.right, ItemRect(0).right);
  EXPECT_EQ(SendMessageW(toolbar, TB_GETSTATE, 10, 0), TBSTATE_ENABLED);
  // The rest of the button is a plain button.
  recorder.Flush();
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 10));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_BEGINDRAG), 0},
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_ENDDRAG), 0},
      {"parent", WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), Wnd("toolbar"), 0},
  }));
  EXPECT_FALSE(cesim::TapToolbarDropDown(toolbar, 11));  // no drop-down
}

TEST_F(ToolbarTest, WithoutASeparateArrowTheWholeButtonDropsDown) {
  FourButtons();
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Name(toolbar, "toolbar");
  recorder.Only({WM_NOTIFY, WM_COMMAND});
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 10));
  EXPECT_TRUE(recorder.Sequence({{"parent", WM_NOTIFY, kToolbarId, Code(TBN_DROPDOWN), 0}}));
  // Unless the parent asks for the button to be treated as pressed.
  onNotify = [](NMHDR* hdr) { return LRESULT(hdr->code == TBN_DROPDOWN ? TBDDRET_TREATPRESSED : 0); };
  recorder.Flush();
  ASSERT_TRUE(cesim::TapToolbarDropDown(toolbar, 10));
  EXPECT_TRUE(recorder.Sequence({
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_DROPDOWN), 0},
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_BEGINDRAG), 0},
      {"parent", WM_NOTIFY, kToolbarId, Code(TBN_ENDDRAG), 0},
      {"parent", WM_COMMAND, MAKEWPARAM(10, BN_CLICKED), Wnd("toolbar"), 0},
  }));
}

// What the real control does not survive: it goes on with the button it pressed after these
// notifications return, so destroying it there is reported and stops the test program.
using ToolbarDeathTest = ToolbarTest;

#if defined(CESIM_CONTROL_CHECKS) && CESIM_CONTROL_CHECKS
constexpr bool kControlChecks = true;
#else
constexpr bool kControlChecks = false;
#endif

TEST_F(ToolbarDeathTest, ControlDestroyedInsideTheDropDownIsReported) {
  if (!kControlChecks) GTEST_SKIP() << "cesim was built without control checks";
  FourButtons();
  onNotify = [this](NMHDR* hdr) {
    if (hdr->code == TBN_DROPDOWN) DestroyWindow(toolbar);
    return LRESULT(TBDDRET_DEFAULT);
  };
  EXPECT_DEATH(cesim::TapToolbarButton(toolbar, 10), "ToolbarWindow32 control .* destroyed inside its TBN_DROPDOWN");
}

TEST_F(ToolbarDeathTest, ControlDestroyedInsideTheEndOfADragIsReported) {
  if (!kControlChecks) GTEST_SKIP() << "cesim was built without control checks";
  FourButtons();
  onNotify = [this](NMHDR* hdr) {
    if (hdr->code == TBN_ENDDRAG) DestroyWindow(parent);
    return LRESULT(0);
  };
  EXPECT_DEATH(cesim::TapToolbarButton(toolbar, 11), "destroyed inside its TBN_ENDDRAG notification");
}

TEST_F(ToolbarTest, AParentMayDestroyTheToolbarWhenItGetsTheCommand) {
  // The command is the last thing a tap does.
  FourButtons();
  bool commanded = false;
  onCommand = [&](WPARAM wParam) {
    commanded = LOWORD(wParam) == 11;
    DestroyWindow(toolbar);
  };
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 11));
  EXPECT_TRUE(commanded);
  EXPECT_FALSE(IsWindow(toolbar));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ToolbarTest, AButtonDeletedWhileItIsPressedSendsNoCommand) {
  FourButtons();
  MessageRecorder recorder;
  recorder.Name(parent, "parent");
  recorder.Only({WM_COMMAND});
  onNotify = [this](NMHDR* hdr) {
    if (hdr->code == TBN_BEGINDRAG) SendMessageW(toolbar, TB_DELETEBUTTON, 1, 0);
    return LRESULT(0);
  };
  ASSERT_TRUE(cesim::TapToolbarButton(toolbar, 11));
  EXPECT_TRUE(recorder.Recorded().empty());
  EXPECT_EQ(Commands(), (std::vector<int>{10, 0, 12}));
}

TEST_F(ToolbarTest, AutomationReadsTheButtonsAsTheUserSeesThem) {
  FourButtons();
  SendMessageW(toolbar, TB_SETSTATE, 12, TBSTATE_ENABLED | TBSTATE_CHECKED);
  const std::vector<cesim::ToolbarButtonRow> rows = cesim::ReadToolbar(toolbar);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].id, 10);
  EXPECT_EQ(rows[0].style, TBSTYLE_DROPDOWN);
  EXPECT_EQ(rows[2].style, TBSTYLE_SEP);
  EXPECT_EQ(rows[3].state, TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_EQ(rows[3].rect.left, 54);
  EXPECT_FALSE(rows[3].menuBar);
  EXPECT_TRUE(cesim::ReadToolbar(parent).empty());
}

}  // namespace

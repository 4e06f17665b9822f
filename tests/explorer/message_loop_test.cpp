// The Explorer stand-in's message loop: the modeless dialogs that its frame window owns get the
// dialog manager's keys (IsDialogMessageW); other windows get their keys as they come.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "booted_device.h"
#include "cesim/automation.h"
#include "cesim/ui.h"
#include "frame_window.h"
#include "message_loop.h"

namespace foldwise_test {
namespace {

const WORD kEditId = 100;

// A modeless dialog with one edit field, built in memory as a plain template.
std::vector<WORD> EditDialogTemplate() {
  std::vector<WORD> words;
  auto dword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  dword(WS_POPUP | WS_VISIBLE | WS_BORDER);  // style
  dword(0);                                  // extended style
  words.push_back(1);                        // one control
  for (short v : {0, 0, 100, 40}) words.push_back(static_cast<WORD>(v));
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  words.push_back(0);  // no title
  if (words.size() % 2 != 0) words.push_back(0);  // the control starts on a DWORD
  dword(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL);
  dword(0);
  for (short v : {2, 2, 90, 14}) words.push_back(static_cast<WORD>(v));
  words.push_back(kEditId);
  words.push_back(0xFFFF);  // the predefined edit class
  words.push_back(0x0081);
  words.push_back(0);  // no text
  words.push_back(0);  // no creation data
  return words;
}

std::vector<WPARAM> g_commands;

INT_PTR CALLBACK CommandRecordingProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && LOWORD(wParam) != kEditId) {
    g_commands.push_back(wParam);
    return TRUE;
  }
  return FALSE;
}

class ExplorerMessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_commands.clear();
    device.image.AddFile(u"\\Windows\\fexplore.exe", "MZ");
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    frame = CreateFrameWindow(GetModuleHandleW(nullptr), u"\\");
    ASSERT_NE(frame, nullptr);
    dialogTemplate = EditDialogTemplate();
  }

  HWND CreateEditDialog(HWND owner) {
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                             CommandRecordingProc, 0);
    cesim::PumpMessages();
    return dialog;
  }

  void RunLoopWhile(std::function<void()> action) {
    cesim::WhenIdle(std::move(action));
    cesim::WhenIdle([] { PostQuitMessage(3); });
    int stalls = cesim::MessageLoopStalls();
    EXPECT_EQ(RunExplorerMessageLoop(frame), 3);
    EXPECT_EQ(cesim::MessageLoopStalls(), stalls);
  }

  BootedDevice device;
  HWND frame = nullptr;
  std::vector<WORD> dialogTemplate;
};

TEST_F(ExplorerMessageLoopTest, EscapeInADialogOfTheFrameIsItsCancelCommand) {
  HWND dialog = CreateEditDialog(frame);
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(GetFocus(), GetDlgItem(dialog, kEditId));
  RunLoopWhile([] { cesim::PressKey(VK_ESCAPE); });
  ASSERT_EQ(g_commands.size(), 1u);
  EXPECT_EQ(LOWORD(g_commands[0]), IDCANCEL);
}

TEST_F(ExplorerMessageLoopTest, EnterInADialogOfTheFrameIsItsOkCommand) {
  HWND dialog = CreateEditDialog(frame);
  ASSERT_NE(dialog, nullptr);
  RunLoopWhile([] { cesim::PressKey(VK_RETURN); });
  ASSERT_EQ(g_commands.size(), 1u);
  EXPECT_EQ(LOWORD(g_commands[0]), IDOK);
}

TEST_F(ExplorerMessageLoopTest, TypedTextStillReachesTheDialogsField) {
  HWND dialog = CreateEditDialog(frame);
  ASSERT_NE(dialog, nullptr);
  RunLoopWhile([] { cesim::TypeText(u"abc"); });
  WCHAR text[16];
  GetWindowTextW(GetDlgItem(dialog, kEditId), text, 16);
  EXPECT_EQ(cesim::Narrow(text), "abc");
  EXPECT_TRUE(g_commands.empty());
}

TEST_F(ExplorerMessageLoopTest, ADialogThatTheFrameDoesNotOwnGetsItsKeysAsTheyCome) {
  HWND dialog = CreateEditDialog(nullptr);
  ASSERT_NE(dialog, nullptr);
  RunLoopWhile([] { cesim::PressKey(VK_ESCAPE); });
  EXPECT_TRUE(g_commands.empty());
  EXPECT_TRUE(IsWindow(dialog));
  DestroyWindow(dialog);
}

TEST_F(ExplorerMessageLoopTest, TheLoopEndsWithTheQuitCode) {
  cesim::WhenIdle([] { PostQuitMessage(7); });
  EXPECT_EQ(RunExplorerMessageLoop(frame), 7);
}

}  // namespace
}  // namespace foldwise_test

// SHInitDialog against its documentation (SHInitDialog and SHINITDLGINFO, Windows CE 5.0 and
// Windows Mobile): the sizing flags size the dialog to the work area below the taskbar, leaving
// the menu bar's 26 pixels at the bottom except for SHIDIF_FULLSCREENNOMENUBAR; SHIDIF_DONEBUTTON
// puts the OK button on the caption, adding one to a dialog without; SHIDIF_EMPTYMENU gives an
// empty menu bar. A tap on the caption's OK button is WM_COMMAND with IDOK.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace {

DWORD initFlags = 0;
DWORD initMask = SHIDIM_FLAGS;
BOOL initResult = FALSE;
std::vector<WPARAM> commands;

INT_PTR CALLBACK InitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SHINITDLGINFO info = {};
    info.dwMask = initMask;
    info.hDlg = dialog;
    info.dwFlags = initFlags;
    initResult = SHInitDialog(&info);
    return TRUE;
  }
  if (message == WM_COMMAND) {
    commands.push_back(wParam);
    if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
    return TRUE;
  }
  return FALSE;
}

// A template of a small dialog without controls.
std::vector<WORD> Template(DWORD style, DWORD exStyle = 0) {
  std::vector<WORD> words = {LOWORD(style), HIWORD(style), LOWORD(exStyle), HIWORD(exStyle), 0, 0, 0, 138, 96, 0, 0, 0};
  return words;
}

class ShellDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    initFlags = 0;
    initMask = SHIDIM_FLAGS;
    initResult = FALSE;
    commands.clear();
    device.image.SetScreen(240, 320);
  }

  HWND Open(DWORD flags, DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER) {
    initFlags = flags;
    words = Template(style);
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr,
                                      &InitDialogProc, 0);
  }

  static RECT RectOf(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
  }

  static void ExpectRect(HWND window, RECT expected) {
    const RECT rect = RectOf(window);
    EXPECT_EQ(rect.left, expected.left);
    EXPECT_EQ(rect.top, expected.top);
    EXPECT_EQ(rect.right, expected.right);
    EXPECT_EQ(rect.bottom, expected.bottom);
  }

  foldwise_test::BootedDevice device;
  std::vector<WORD> words;
};

TEST_F(ShellDialogTest, FullScreenIsTheWorkAreaAboveTheMenuBar) {
  device.image.SetTaskbarHeight(26);
  ASSERT_TRUE(device.Boot());
  HWND dialog = Open(SHIDIF_SIZEDLGFULLSCREEN);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(initResult);
  ExpectRect(dialog, {0, 26, 240, 294});
}

TEST_F(ShellDialogTest, FullScreenWithoutMenuBarTakesTheWholeWorkArea) {
  device.image.SetTaskbarHeight(26);
  ASSERT_TRUE(device.Boot());
  ExpectRect(Open(SHIDIF_FULLSCREENNOMENUBAR), {0, 26, 240, 320});
}

TEST_F(ShellDialogTest, SizingForTheInputPanelIsFullScreenWhileThePanelIsDown) {
  device.image.SetTaskbarHeight(26);
  ASSERT_TRUE(device.Boot());
  ExpectRect(Open(SHIDIF_SIZEDLG), {0, 26, 240, 294});
}

TEST_F(ShellDialogTest, WithoutATaskbarTheWorkAreaStartsAtTheTop) {
  ASSERT_TRUE(device.Boot());
  ExpectRect(Open(SHIDIF_SIZEDLGFULLSCREEN), {0, 0, 240, 294});
}

TEST_F(ShellDialogTest, WithoutSizingFlagsTheDialogKeepsItsSize) {
  ASSERT_TRUE(device.Boot());
  HWND plain = Open(0);
  const RECT before = RectOf(plain);
  HWND done = Open(SHIDIF_DONEBUTTON | SHIDIF_SIPDOWN);
  const RECT after = RectOf(done);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(ShellDialogTest, TheDoneButtonGoesOnTheCaption) {
  ASSERT_TRUE(device.Boot());
  HWND dialog = Open(SHIDIF_DONEBUTTON);
  EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN, 0);
  EXPECT_NE(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "a Close button stays";
}

TEST_F(ShellDialogTest, ADialogWithoutACaptionGetsOneForTheDoneButton) {
  ASSERT_TRUE(device.Boot());
  HWND dialog = Open(SHIDIF_DONEBUTTON, WS_POPUP);
  EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  EXPECT_NE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN, 0);
}

TEST_F(ShellDialogTest, ATapOnTheCaptionsOkButtonIsTheOkCommand) {
  ASSERT_TRUE(device.Boot());
  HWND shown = nullptr;
  cesim::WhenIdle([&] {
    shown = cesim::FindFirstWindow({u"Dialog", std::nullopt, std::nullopt, true});
    EXPECT_TRUE(cesim::TapCaptionOkButton(shown));
  });
  words = Template(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  initFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
  EXPECT_EQ(DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr,
                                    &InitDialogProc, 0),
            IDOK);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0], WPARAM(IDOK));
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
  EXPECT_FALSE(IsWindow(shown));
}

TEST_F(ShellDialogTest, AWindowWithoutTheOkButtonCannotHaveItTapped) {
  ASSERT_TRUE(device.Boot());
  HWND dialog = Open(0);
  ShowWindow(dialog, SW_SHOW);
  EXPECT_FALSE(cesim::TapCaptionOkButton(dialog));
  EXPECT_TRUE(commands.empty());
  HWND withButton = Open(SHIDIF_DONEBUTTON);
  EXPECT_FALSE(cesim::TapCaptionOkButton(withButton)) << "a hidden window shows no button";
  ShowWindow(withButton, SW_SHOW);
  EnableWindow(withButton, FALSE);
  EXPECT_FALSE(cesim::TapCaptionOkButton(withButton)) << "nor does a disabled one take taps";
}

TEST_F(ShellDialogTest, AnEmptyMenuBarLiesAcrossTheBottomAndGoesWithTheDialog) {
  device.image.SetTaskbarHeight(26);
  ASSERT_TRUE(device.Boot());
  HWND dialog = Open(SHIDIF_EMPTYMENU | SHIDIF_SIZEDLGFULLSCREEN);
  HWND bar = cesim::FindFirstWindow({u"menu_worker", dialog, std::nullopt, true});
  ASSERT_NE(bar, nullptr);
  ExpectRect(bar, {0, 294, 240, 320});
  EXPECT_TRUE(IsWindowVisible(bar));
  EXPECT_EQ(GetWindow(bar, GW_OWNER), dialog);
  EXPECT_NE(GetActiveWindow(), bar) << "the menu bar takes no activation";
  ASSERT_TRUE(DestroyWindow(dialog));
  EXPECT_FALSE(IsWindow(bar));
}

TEST_F(ShellDialogTest, AMaskWithoutFlagsChangesNothing) {
  ASSERT_TRUE(device.Boot());
  initMask = 0;
  HWND dialog = Open(SHIDIF_DONEBUTTON | SHIDIF_FULLSCREENNOMENUBAR | SHIDIF_EMPTYMENU);
  EXPECT_TRUE(initResult);
  EXPECT_EQ(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN, 0);
  EXPECT_EQ(cesim::FindFirstWindow({u"menu_worker", dialog, std::nullopt, true}), nullptr);
}

TEST_F(ShellDialogTest, NoRecordOrAStaleDialogFails) {
  ASSERT_TRUE(device.Boot());
  SetLastError(0);
  EXPECT_FALSE(SHInitDialog(nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  HWND dialog = Open(0);
  ASSERT_TRUE(DestroyWindow(dialog));
  SHINITDLGINFO info = {SHIDIM_FLAGS, dialog, SHIDIF_SIZEDLGFULLSCREEN};
  SetLastError(0);
  EXPECT_FALSE(SHInitDialog(&info));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace

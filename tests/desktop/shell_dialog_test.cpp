// SHInitDialog on desktop Windows: the sizing flags size the dialog to the work area, and the Done
// button, which the desktop caption cannot carry, is an OK button in the dialog that ends it with
// IDOK as the device's Done button does.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

DWORD g_flags = 0;
BOOL g_initResult = FALSE;
int g_okCommands = 0;

INT_PTR CALLBACK InitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    SHINITDLGINFO info;
    memset(&info, 0, sizeof(info));
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dialog;
    info.dwFlags = g_flags;
    g_initResult = SHInitDialog(&info);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    ++g_okCommands;
    return TRUE;
  }
  return FALSE;
}

class ShellDialog : public ::testing::Test {
 protected:
  void SetUp() {
    g_flags = 0;
    g_initResult = FALSE;
    g_okCommands = 0;
    dialog = NULL;
    memset(words, 0, sizeof(words));
    // A DLGTEMPLATE without controls: style, extended style, no items, 0, 0, 138 x 96, no menu,
    // class or caption.
    const DWORD style = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_CENTER;
    WORD* w = reinterpret_cast<WORD*>(words);
    w[0] = LOWORD(style);
    w[1] = HIWORD(style);
    w[7] = 138;
    w[8] = 96;
  }
  void TearDown() {
    if (dialog != NULL) DestroyWindow(dialog);
  }

  HWND Open(DWORD flags) {
    g_flags = flags;
    dialog = CreateDialogIndirectParamW(NULL, reinterpret_cast<LPCDLGTEMPLATEW>(words), NULL, &InitDialogProc, 0);
    return dialog;
  }

  DWORD words[8];  // DWORD-aligned room for the template's 12 words
  HWND dialog;
};

TEST_F(ShellDialog, FullScreenIsTheWorkArea) {
  ASSERT_TRUE(Open(SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU) != NULL);
  EXPECT_TRUE(g_initResult);
  RECT area;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
  RECT rect;
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(area.left, rect.left);
  EXPECT_EQ(area.top, rect.top);
  EXPECT_EQ(area.right, rect.right);
  EXPECT_EQ(area.bottom, rect.bottom);
}

TEST_F(ShellDialog, WithoutSizingFlagsTheDialogKeepsItsSize) {
  ASSERT_TRUE(Open(0) != NULL);
  RECT plain;
  GetWindowRect(dialog, &plain);
  DestroyWindow(dialog);
  ASSERT_TRUE(Open(SHIDIF_DONEBUTTON) != NULL);
  RECT done;
  GetWindowRect(dialog, &done);
  EXPECT_EQ(plain.right - plain.left, done.right - done.left);
  EXPECT_EQ(plain.bottom - plain.top, done.bottom - done.top);
}

TEST_F(ShellDialog, TheDoneButtonIsAnOkButtonThatSendsIdok) {
  ASSERT_TRUE(Open(SHIDIF_DONEBUTTON) != NULL);
  HWND ok = GetDlgItem(dialog, IDOK);
  ASSERT_TRUE(ok != NULL);
  WCHAR text[8] = {0};
  GetWindowTextW(ok, text, 8);
  EXPECT_EQ(0, wcscmp(text, TEXT("OK")));
  EXPECT_TRUE(IsWindowVisible(ok) != FALSE);
  SendMessageW(ok, BM_CLICK, 0, 0);
  EXPECT_EQ(1, g_okCommands);
}

TEST_F(ShellDialog, NoDoneButtonWithoutTheFlag) {
  ASSERT_TRUE(Open(SHIDIF_SIZEDLGFULLSCREEN) != NULL);
  EXPECT_TRUE(GetDlgItem(dialog, IDOK) == NULL);
}

TEST_F(ShellDialog, ANullRecordFails) { EXPECT_FALSE(SHInitDialog(NULL)); }

}  // namespace

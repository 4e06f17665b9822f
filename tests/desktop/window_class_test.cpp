// Window class names as module code reads them on desktop Windows: a dialog box is of the device's
// class "Dialog" (the desktop's is "#32770"), every other window keeps its class name, and a
// short buffer gets the name cut and terminated.
#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

class WindowClassName : public ::testing::Test {
 protected:
  void SetUp() override {
    memset(words_, 0, sizeof(words_));
    // A DLGTEMPLATE without controls: style, extended style, no items, 0, 0, 100 x 60, no menu,
    // class or caption.
    const DWORD style = WS_POPUP | WS_CAPTION;
    WORD* w = reinterpret_cast<WORD*>(words_);
    w[0] = LOWORD(style);
    w[1] = HIWORD(style);
    w[7] = 100;
    w[8] = 60;
    dialog_ = CreateDialogIndirectParamW(NULL, reinterpret_cast<LPCDLGTEMPLATEW>(words_), NULL, &QuietDialogProc, 0);
    ASSERT_NE(static_cast<HWND>(NULL), dialog_);
  }
  void TearDown() override {
    if (dialog_ != NULL) DestroyWindow(dialog_);
  }

  // The class name read into a buffer of `count` characters, filled with '#' beforehand, and the
  // call's result.
  std::wstring Read(HWND window, int count, int* result) {
    std::wstring buffer(16, L'#');
    *result = GetClassNameW(window, &buffer[0], count);
    return buffer;
  }

  DWORD words_[8];  // DWORD-aligned room for the template's 12 words
  HWND dialog_ = NULL;
};

TEST_F(WindowClassName, ADialogBoxIsOfTheClassDialog) {
  WCHAR name[32];
  EXPECT_EQ(6, GetClassNameW(dialog_, name, 32));
  EXPECT_EQ(std::wstring(L"Dialog"), name);
}

TEST_F(WindowClassName, OtherWindowsKeepTheirClassNames) {
  HWND button = CreateWindowExW(0, L"Button", L"OK", WS_CHILD, 0, 0, 20, 10, dialog_, NULL, NULL, NULL);
  ASSERT_NE(static_cast<HWND>(NULL), button);
  WCHAR name[32];
  EXPECT_EQ(6, GetClassNameW(button, name, 32));
  EXPECT_EQ(std::wstring(L"Button"), name);
  HWND label = CreateWindowExW(0, L"Static", L"", WS_CHILD, 0, 0, 20, 10, dialog_, NULL, NULL, NULL);
  ASSERT_NE(static_cast<HWND>(NULL), label);
  EXPECT_EQ(6, GetClassNameW(label, name, 32));
  EXPECT_EQ(std::wstring(L"Static"), name);
}

TEST_F(WindowClassName, AShortBufferGetsTheNameCutAndTerminated) {
  int result = -1;
  std::wstring read = Read(dialog_, 4, &result);
  EXPECT_EQ(3, result);
  EXPECT_EQ(std::wstring(L"Dia"), read.substr(0, 3));
  EXPECT_EQ(L'\0', read[3]);
  EXPECT_EQ(L'#', read[4]);
  // Room for the name and its terminator, and one character less.
  read = Read(dialog_, 7, &result);
  EXPECT_EQ(6, result);
  EXPECT_EQ(std::wstring(L"Dialog"), read.c_str());
  read = Read(dialog_, 6, &result);
  EXPECT_EQ(5, result);
  EXPECT_EQ(std::wstring(L"Dialo"), read.c_str());
  EXPECT_EQ(L'#', read[6]);
  // Room for the terminator only.
  read = Read(dialog_, 1, &result);
  EXPECT_EQ(0, result);
  EXPECT_EQ(L'\0', read[0]);
  EXPECT_EQ(L'#', read[1]);
}

TEST_F(WindowClassName, NoWindowHasNoName) {
  int result = -1;
  SetLastError(0);
  std::wstring read = Read(NULL, 16, &result);
  EXPECT_EQ(0, result);
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
  DestroyWindow(dialog_);
  HWND gone = dialog_;
  dialog_ = NULL;
  read = Read(gone, 16, &result);
  EXPECT_EQ(0, result);
}

}  // namespace

// The device's shell library as module code reaches it on desktop Windows: loaded by name, its
// numbered path functions looked up by ordinal, with the device's rules.
#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"

namespace {

struct ShellFunctions {
  HMODULE module;
  CESHELL_PATHISPROGRAM isProgram;
  CESHELL_PATHISSHORTCUT isShortcut;
  CESHELL_CLEANCOMMAND clean;
};

ShellFunctions Load() {
  ShellFunctions f;
  f.module = LoadLibraryW(TEXT("ceshell.dll"));
  f.isProgram = reinterpret_cast<CESHELL_PATHISPROGRAM>(
      reinterpret_cast<void*>(GetProcAddress(f.module, MAKEINTRESOURCEW(CESHELL_ORDINAL_PATHISPROGRAM))));
  f.isShortcut = reinterpret_cast<CESHELL_PATHISSHORTCUT>(
      reinterpret_cast<void*>(GetProcAddress(f.module, MAKEINTRESOURCEW(CESHELL_ORDINAL_PATHISSHORTCUT))));
  f.clean = reinterpret_cast<CESHELL_CLEANCOMMAND>(
      reinterpret_cast<void*>(GetProcAddress(f.module, MAKEINTRESOURCEW(CESHELL_ORDINAL_CLEANCOMMAND))));
  return f;
}

std::wstring Cleaned(const ShellFunctions& f, const std::wstring& command) {
  WCHAR text[MAX_PATH];
  wcscpy(text, command.c_str());
  f.clean(text);
  return text;
}

TEST(ShellLibrary, LoadsByNameInAnyLetterCaseAndGivesItsThreeFunctions) {
  ShellFunctions f = Load();
  ASSERT_NE(static_cast<HMODULE>(NULL), f.module);
  EXPECT_EQ(f.module, LoadLibraryW(TEXT("CESHELL")));
  EXPECT_NE(static_cast<CESHELL_PATHISPROGRAM>(NULL), f.isProgram);
  EXPECT_NE(static_cast<CESHELL_PATHISSHORTCUT>(NULL), f.isShortcut);
  EXPECT_NE(static_cast<CESHELL_CLEANCOMMAND>(NULL), f.clean);
  SetLastError(0);
  EXPECT_EQ(static_cast<FARPROC>(NULL), GetProcAddress(f.module, MAKEINTRESOURCEW(39)));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
  EXPECT_TRUE(FreeLibrary(f.module));
  // Other libraries are the desktop's own.
  HMODULE kernel = LoadLibraryW(TEXT("kernel32.dll"));
  EXPECT_EQ(GetModuleHandleW(TEXT("kernel32.dll")), kernel);
  EXPECT_TRUE(FreeLibrary(kernel));
}

TEST(ShellLibrary, TheProgramAndShortcutTestsGoByTheLastNamesExtension) {
  ShellFunctions f = Load();
  EXPECT_TRUE(f.isProgram(TEXT("\\Windows\\calc.exe")));
  EXPECT_TRUE(f.isProgram(TEXT("Setup.EXE")));
  EXPECT_FALSE(f.isProgram(TEXT("\\Windows\\setup.exe.txt")));
  EXPECT_FALSE(f.isProgram(TEXT("\\tools.exe\\readme")));
  EXPECT_FALSE(f.isProgram(TEXT(":MSWELCOME")));
  EXPECT_TRUE(f.isShortcut(TEXT("\\Windows\\Start Menu\\Box.LNK")));
  EXPECT_FALSE(f.isShortcut(TEXT("\\Windows\\calc.exe")));
}

TEST(ShellLibrary, TheCleanUpGivesTheBareProgramPath) {
  ShellFunctions f = Load();
  EXPECT_EQ(L"\\Program Files\\Tool Box\\box.exe", Cleaned(f, L"\"\\Program Files\\Tool Box\\box.exe\" -x"));
  EXPECT_EQ(L"\\Windows\\iexplore.exe", Cleaned(f, L"  \\Windows\\iexplore.exe -home\r\n"));
  EXPECT_EQ(L"\\Windows\\pword.exe", Cleaned(f, L"\\Windows\\pword.exe?\\Windows\\pword.exe,-1"));
  EXPECT_EQ(L":MSWELCOME", Cleaned(f, L" :MSWELCOME "));
  EXPECT_EQ(L"\\notes.txt", Cleaned(f, L"\\notes.txt"));
  EXPECT_EQ(L"", Cleaned(f, L""));
}

}  // namespace

// The device's shell against its documentation: the special folders by CSIDL (SHGetSpecialFolder-
// Path: made when fCreate asks, an empty path and FALSE when missing, virtual folders refused),
// their places moved by the image, and the shell library "ceshell" with its three path functions
// looked up by ordinal as the module does: the program test, the shortcut test and the command
// clean-up, on the forms the device's shortcut files take.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"

namespace {

std::u16string FolderPath(int csidl, BOOL create, BOOL* result = nullptr) {
  WCHAR path[MAX_PATH];
  for (WCHAR& c : path) c = u'#';
  BOOL ok = SHGetSpecialFolderPath(nullptr, path, csidl, create);
  if (result != nullptr) *result = ok;
  return path;
}

class SpecialFolderTest : public ::testing::Test {
 protected:
  foldwise_test::BootedDevice device;
};

TEST_F(SpecialFolderTest, TheFoldersOfTheDevicesShell) {
  for (const char16_t* folder : {u"\\Windows\\Start Menu\\Programs", u"\\My Documents", u"\\Windows\\Desktop",
                                 u"\\Windows\\StartUp", u"\\Windows\\Fonts", u"\\Program Files",
                                 u"\\Windows\\Favorites", u"\\Windows\\Recent", u"\\Application Data"}) {
    device.image.AddFolder(folder);
  }
  ASSERT_TRUE(device.Boot());
  BOOL ok = FALSE;
  EXPECT_EQ(FolderPath(CSIDL_PROGRAMS, FALSE, &ok), u"\\Windows\\Start Menu\\Programs");
  EXPECT_TRUE(ok);
  EXPECT_EQ(FolderPath(CSIDL_STARTMENU, FALSE), u"\\Windows\\Start Menu");
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL, FALSE), u"\\My Documents");
  EXPECT_EQ(FolderPath(CSIDL_DESKTOPDIRECTORY, FALSE), u"\\Windows\\Desktop");
  EXPECT_EQ(FolderPath(CSIDL_DESKTOP, FALSE), u"\\Windows\\Desktop");
  EXPECT_EQ(FolderPath(CSIDL_STARTUP, FALSE), u"\\Windows\\StartUp");
  EXPECT_EQ(FolderPath(CSIDL_FONTS, FALSE), u"\\Windows\\Fonts");
  EXPECT_EQ(FolderPath(CSIDL_WINDOWS, FALSE), u"\\Windows");
  EXPECT_EQ(FolderPath(CSIDL_PROGRAM_FILES, FALSE), u"\\Program Files");
  EXPECT_EQ(FolderPath(CSIDL_FAVORITES, FALSE), u"\\Windows\\Favorites");
  EXPECT_EQ(FolderPath(CSIDL_RECENT, FALSE), u"\\Windows\\Recent");
  EXPECT_EQ(FolderPath(CSIDL_APPDATA, FALSE), u"\\Application Data");
}

TEST_F(SpecialFolderTest, AMissingFolderGivesAnEmptyPathUnlessItIsToBeMade) {
  device.image.AddFolder(u"\\Windows");
  ASSERT_TRUE(device.Boot());
  BOOL ok = TRUE;
  SetLastError(0);
  EXPECT_EQ(FolderPath(CSIDL_PROGRAMS, FALSE, &ok), u"");
  EXPECT_FALSE(ok);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SpecialFolderTest, AskedToMakeItTheFolderAndThoseAboveItAreMade) {
  device.image.AddFolder(u"\\Windows");
  ASSERT_TRUE(device.Boot());
  BOOL ok = FALSE;
  EXPECT_EQ(FolderPath(CSIDL_PROGRAMS, TRUE, &ok), u"\\Windows\\Start Menu\\Programs");
  EXPECT_TRUE(ok);
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Start Menu\\Programs"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(SpecialFolderTest, TheCreateFlagOfTheCsidlAsksForTheFolderToo) {
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL | CSIDL_FLAG_CREATE, FALSE), u"\\My Documents");
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents"), DWORD(FILE_ATTRIBUTE_DIRECTORY));
}

TEST_F(SpecialFolderTest, AFileWhereTheFolderShouldBeIsNoFolder) {
  device.image.AddFile(u"\\My Documents", "not a folder");
  ASSERT_TRUE(device.Boot());
  BOOL ok = TRUE;
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL, TRUE, &ok), u"");
  EXPECT_FALSE(ok);
}

TEST_F(SpecialFolderTest, VirtualAndUnknownFoldersHaveNoPath) {
  ASSERT_TRUE(device.Boot());
  for (int csidl : {CSIDL_CONTROLS, CSIDL_PRINTERS, CSIDL_BITBUCKET, CSIDL_DRIVES, 0x7777}) {
    BOOL ok = TRUE;
    SetLastError(0);
    EXPECT_EQ(FolderPath(csidl, TRUE, &ok), u"") << csidl;
    EXPECT_FALSE(ok);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  }
  SetLastError(0);
  EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, nullptr, CSIDL_PERSONAL, TRUE));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(SpecialFolderTest, AnImageMovesAFolderInItsSettings) {
  device.image.AddFolder(u"\\Storage\\Windows\\Start Menu\\Programs");
  device.image.SetShellFolder("CSIDL_PROGRAMS", u"\\Storage\\Windows\\Start Menu\\Programs");
  device.image.SetShellFolder("CSIDL_PERSONAL", u"not a device path");
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(FolderPath(CSIDL_PROGRAMS, FALSE), u"\\Storage\\Windows\\Start Menu\\Programs");
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL, TRUE), u"\\My Documents") << "a setting that is no path is not used";
}

// --- The shell library's path functions, by ordinal ---

class ShellLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    library = LoadLibraryW(u"ceshell.dll");
    ASSERT_NE(library, nullptr);
    isProgram = reinterpret_cast<CESHELL_PATHISPROGRAM>(reinterpret_cast<void*>(
        GetProcAddressW(library, MAKEINTRESOURCE(CESHELL_ORDINAL_PATHISPROGRAM))));
    isShortcut = reinterpret_cast<CESHELL_PATHISSHORTCUT>(reinterpret_cast<void*>(
        GetProcAddressW(library, MAKEINTRESOURCE(CESHELL_ORDINAL_PATHISSHORTCUT))));
    clean = reinterpret_cast<CESHELL_CLEANCOMMAND>(reinterpret_cast<void*>(
        GetProcAddressW(library, MAKEINTRESOURCE(CESHELL_ORDINAL_CLEANCOMMAND))));
    ASSERT_NE(isProgram, nullptr);
    ASSERT_NE(isShortcut, nullptr);
    ASSERT_NE(clean, nullptr);
  }

  std::u16string Cleaned(const std::u16string& command) {
    WCHAR buffer[MAX_PATH];
    std::copy(command.begin(), command.end(), buffer);
    buffer[command.size()] = 0;
    clean(buffer);
    return buffer;
  }

  foldwise_test::BootedDevice device;
  HMODULE library = nullptr;
  CESHELL_PATHISPROGRAM isProgram = nullptr;
  CESHELL_PATHISSHORTCUT isShortcut = nullptr;
  CESHELL_CLEANCOMMAND clean = nullptr;
};

TEST_F(ShellLibraryTest, IsASystemModuleOfTheDevice) {
  EXPECT_EQ(GetModuleHandleW(u"ceshell"), library);
  EXPECT_EQ(LoadLibraryW(u"\\Windows\\CESHELL.DLL"), library);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(library, path, MAX_PATH), 20u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\ceshell.dll");
  EXPECT_TRUE(FreeLibrary(library));
  EXPECT_EQ(GetModuleHandleW(u"ceshell.dll"), library) << "it stays: every process has it";
}

TEST_F(ShellLibraryTest, ExportsByOrdinalOnly) {
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(library, u"PathIsExe"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddressW(library, MAKEINTRESOURCE(39)), nullptr);
}

TEST_F(ShellLibraryTest, TheProgramTestAcceptsProgramsByTheirExtension) {
  EXPECT_TRUE(isProgram(u"\\Windows\\calc.exe"));
  EXPECT_TRUE(isProgram(u"CALC.EXE"));
  EXPECT_TRUE(isProgram(u"\\Program Files\\Tool Box\\box.Exe"));
  EXPECT_FALSE(isProgram(u"\\Windows\\calc.lnk"));
  EXPECT_FALSE(isProgram(u"\\Windows\\calc.exe.txt"));
  EXPECT_FALSE(isProgram(u"\\Windows\\calc.exe "));
  EXPECT_FALSE(isProgram(u"\"\\Windows\\calc.exe\""));
  EXPECT_FALSE(isProgram(u"\\Windows.exe\\calc"));
  EXPECT_FALSE(isProgram(u"\\Windows\\command.com"));
  EXPECT_FALSE(isProgram(u"\\Windows\\setup.bat"));
  EXPECT_FALSE(isProgram(u"exe"));
  EXPECT_FALSE(isProgram(u""));
  EXPECT_FALSE(isProgram(nullptr));
}

TEST_F(ShellLibraryTest, TheShortcutTestAcceptsShortcutFilesByTheirExtension) {
  EXPECT_TRUE(isShortcut(u"\\Windows\\Start Menu\\Programs\\Notes.lnk"));
  EXPECT_TRUE(isShortcut(u"icon.LNK"));
  EXPECT_FALSE(isShortcut(u"\\Windows\\notes.exe"));
  EXPECT_FALSE(isShortcut(u"\\Windows\\lnk"));
  EXPECT_FALSE(isShortcut(u"\\Windows\\a.lnk\\b"));
  EXPECT_FALSE(isShortcut(nullptr));
}

TEST_F(ShellLibraryTest, TheTestsReadNoFurtherThanMaxPath) {
  std::u16string unterminated(MAX_PATH, u'a');
  unterminated.replace(MAX_PATH - 4, 4, u".exe");
  // The buffer holds MAX_PATH characters and no terminator: it is no path.
  EXPECT_FALSE(isProgram(unterminated.data()));
  std::u16string longest(MAX_PATH - 5, u'a');
  longest += u".exe";
  EXPECT_TRUE(isProgram(longest.c_str())) << "259 characters";
}

TEST_F(ShellLibraryTest, TheCleanUpTakesTheQuotesOffAProgramPath) {
  EXPECT_EQ(Cleaned(u"\"\\Program Files\\Tool Box\\box.exe\""), u"\\Program Files\\Tool Box\\box.exe");
  EXPECT_EQ(Cleaned(u"\"\\Program Files\\Tool Box\\box.exe\" -x \"a b\""), u"\\Program Files\\Tool Box\\box.exe");
  EXPECT_EQ(Cleaned(u"\"\\Windows\\app.exe\"?\\Windows\\app.exe,-101"), u"\\Windows\\app.exe");
  EXPECT_EQ(Cleaned(u"  \"\\Windows\\calc.exe\"\r\n"), u"\\Windows\\calc.exe");
  EXPECT_EQ(Cleaned(u"\"\\Windows\\unclosed.exe"), u"\\Windows\\unclosed.exe");
}

TEST_F(ShellLibraryTest, TheCleanUpCutsAnUnquotedProgramPathAfterItsExe) {
  EXPECT_EQ(Cleaned(u"\\Windows\\calc.exe"), u"\\Windows\\calc.exe");
  EXPECT_EQ(Cleaned(u"\\Windows\\iexplore.exe -home"), u"\\Windows\\iexplore.exe");
  EXPECT_EQ(Cleaned(u"\\Program Files\\Tool Box\\box.exe /x"), u"\\Program Files\\Tool Box\\box.exe");
  EXPECT_EQ(Cleaned(u"\\Windows\\calc.exe?\\Windows\\calc.exe,-1"), u"\\Windows\\calc.exe");
  EXPECT_EQ(Cleaned(u"\t\\Windows\\pword.exe  \n"), u"\\Windows\\pword.exe");
  EXPECT_EQ(Cleaned(u"\\Windows\\my.exes\\run.exe x"), u"\\Windows\\my.exes\\run.exe");
}

TEST_F(ShellLibraryTest, TheCleanUpLeavesACommandThatNamesNoProgramUsable) {
  EXPECT_EQ(Cleaned(u":MSWELCOME"), u":MSWELCOME");
  EXPECT_EQ(Cleaned(u" :MSWELCOME?\\Windows\\welcome.exe,-1\r\n"), u":MSWELCOME?\\Windows\\welcome.exe,-1");
  EXPECT_EQ(Cleaned(u"\\My Documents\\notes.txt"), u"\\My Documents\\notes.txt");
  EXPECT_EQ(Cleaned(u"   "), u"");
  EXPECT_EQ(Cleaned(u""), u"");
}

TEST_F(ShellLibraryTest, TheCleanUpLeavesAnUnterminatedBufferAlone) {
  std::u16string buffer(MAX_PATH, u' ');
  clean(buffer.data());
  EXPECT_EQ(buffer, std::u16string(MAX_PATH, u' '));
  clean(nullptr);
}

}  // namespace

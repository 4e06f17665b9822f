// ShellExecuteEx against the platform's documentation: a program is started with its parameters,
// a document with the open command of its type in HKEY_CLASSES_ROOT ("%1" put in), a shortcut
// with its command, a named command (":NAME") with the one the shell keeps; every start is a row
// of the launch log. Failures give hInstApp's SE_ERR_ value and GetLastError's error, and a
// message box unless SEE_MASK_FLAG_NO_UI is set (SHELLEXECUTEINFO, Windows CE 5.0).
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace {

class ShellExecuteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* program : {u"\\Windows\\calc.exe", u"\\Windows\\pword.exe", u"\\Windows\\iexplore.exe",
                                    u"\\Windows\\welcome.exe", u"\\Windows\\fexplore.exe",
                                    u"\\Program Files\\Tool Box\\box.exe"}) {
      device.image.AddFile(program, "MZ");
    }
    device.image.AddFile(u"\\My Documents\\Letter.doc");
    device.image.AddFile(u"\\My Documents\\My Letter.doc");
    device.image.AddFile(u"\\My Documents\\notes.txt");
    device.image.AddFile(u"\\My Documents\\a b.pdf");
    device.image.AddFile(u"\\My Documents\\data.abc");
    device.image.AddFile(u"\\My Documents\\plan.xyz");
    device.image.AddFile(u"\\My Documents\\lost.zzz");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Calculator.lnk", "17#\\Windows\\calc.exe");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Web.lnk", "27#\\Windows\\iexplore.exe -home");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Welcome.lnk", "10#:MSWELCOME");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Nothing.lnk", "garbage");
    device.image.AddRegistry(
        "[HKEY_CLASSES_ROOT\\.doc]\n@=\"docfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\docfile\\shell\\open\\command]\n@=\"\\\\Windows\\\\pword.exe %1\"\n\n"
        "[HKEY_CLASSES_ROOT\\docfile\\shell\\print\\command]\n@=\"\\\\Windows\\\\pword.exe /p %1\"\n\n"
        "[HKEY_CLASSES_ROOT\\.txt]\n@=\"txtfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\txtfile\\Shell\\Open\\Command]\n"
        "@=\"\\\"\\\\Program Files\\\\Tool Box\\\\box.exe\\\" \\\"%1\\\" %*\"\n\n"
        "[HKEY_CLASSES_ROOT\\.pdf]\n@=\"pdffile\"\n\n"
        "[HKEY_CLASSES_ROOT\\pdffile\\shell\\open\\command]\n@=\"pword.exe /r\"\n\n"
        "[HKEY_CLASSES_ROOT\\.xyz]\n@=\"xyzfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\xyzfile]\n@=\"Plan\"\n\n"
        "[HKEY_CLASSES_ROOT\\.zzz]\n@=\"zzzfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\zzzfile\\shell\\open\\command]\n@=\"\\\\Windows\\\\missing.exe %1\"\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shell\\Rai\\:MSWELCOME]\n\"1\"=\"\\\\Windows\\\\welcome.exe\"\n\n");
  }

  void Boot() { ASSERT_TRUE(device.Boot()); }

  // ShellExecuteEx as the module calls it: a zeroed record with the size, the file and the
  // parameters; no error message box unless `ui`.
  BOOL Execute(const std::u16string& file, const std::u16string& parameters = u"", const std::u16string& verb = u"",
               bool ui = false) {
    record = SHELLEXECUTEINFO();
    record.cbSize = sizeof(record);
    record.fMask = ui ? 0 : SEE_MASK_FLAG_NO_UI;
    record.lpFile = file.c_str();
    record.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    record.lpVerb = verb.empty() ? nullptr : verb.c_str();
    return ShellExecuteEx(&record);
  }

  INT_PTR InstApp() const { return reinterpret_cast<INT_PTR>(record.hInstApp); }

  static void ExpectOneLaunch(const std::u16string& program, const std::u16string& commandLine) {
    const std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(cesim::Narrow(log[0].programPath), cesim::Narrow(program));
    EXPECT_EQ(cesim::Narrow(log[0].commandLine), cesim::Narrow(commandLine));
    EXPECT_EQ(log[0].call, "ShellExecuteEx");
  }

  void ExpectFailure(INT_PTR instApp, DWORD error) {
    EXPECT_EQ(InstApp(), instApp);
    EXPECT_EQ(GetLastError(), error);
    EXPECT_TRUE(cesim::LaunchLog().empty());
    EXPECT_TRUE(cesim::MessageBoxesShown().empty()) << "SEE_MASK_FLAG_NO_UI shows nothing";
  }

  foldwise_test::BootedDevice device;
  SHELLEXECUTEINFO record = {};
};

// --- Programs ---

TEST_F(ShellExecuteTest, AProgramIsStartedWithItsParameters) {
  Boot();
  EXPECT_TRUE(Execute(u"\\Program Files\\Tool Box\\box.exe", u"-x \"a b\""));
  EXPECT_GT(InstApp(), 32);
  ExpectOneLaunch(u"\\Program Files\\Tool Box\\box.exe", u"-x \"a b\"");
}

TEST_F(ShellExecuteTest, AProgramWithoutParametersGetsAnEmptyCommandLine) {
  Boot();
  EXPECT_TRUE(Execute(u"\\windows\\CALC.EXE"));
  ExpectOneLaunch(u"\\Windows\\calc.exe", u"");
}

TEST_F(ShellExecuteTest, APlainNameIsLookedForInTheWindowsFolder) {
  Boot();
  EXPECT_TRUE(Execute(u"calc"));
  ExpectOneLaunch(u"\\Windows\\calc.exe", u"");
}

// --- Documents ---

TEST_F(ShellExecuteTest, ADocumentOpensWithTheOpenCommandOfItsType) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\Letter.doc", u"ignored"));
  EXPECT_GT(InstApp(), 32);
  ExpectOneLaunch(u"\\Windows\\pword.exe", u"\\My Documents\\Letter.doc");
}

TEST_F(ShellExecuteTest, TheDocumentTakesThePlaceOfPercentOneAsTheCommandWritesIt) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\My Letter.doc"));
  ExpectOneLaunch(u"\\Windows\\pword.exe", u"\\My Documents\\My Letter.doc");
}

TEST_F(ShellExecuteTest, AQuotedProgramAndQuotedPlaceholderWithTheParameters) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\notes.txt", u"-ro"));
  ExpectOneLaunch(u"\\Program Files\\Tool Box\\box.exe", u"\"\\My Documents\\notes.txt\" -ro");
}

TEST_F(ShellExecuteTest, ACommandWithoutAPlaceholderGetsTheDocumentAtItsEnd) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\a b.pdf"));
  ExpectOneLaunch(u"\\Windows\\pword.exe", u"/r \"\\My Documents\\a b.pdf\"");
}

TEST_F(ShellExecuteTest, AnotherVerbUsesItsOwnCommand) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\Letter.doc", u"", u"print"));
  ExpectOneLaunch(u"\\Windows\\pword.exe", u"/p \\My Documents\\Letter.doc");
}

TEST_F(ShellExecuteTest, AFolderOpensWithTheFolderTypesCommand) {
  device.image.AddRegistry("[HKEY_CLASSES_ROOT\\Folder\\shell\\open\\command]\n@=\"\\\\Windows\\\\fexplore.exe %1\"\n\n");
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents"));
  ExpectOneLaunch(u"\\Windows\\fexplore.exe", u"\\My Documents");
}

// --- What the launch log keeps of the request ---

TEST_F(ShellExecuteTest, TheLaunchLogKeepsTheVerbTheFileAndTheParametersAsGiven) {
  Boot();
  EXPECT_TRUE(Execute(u"\\My Documents\\notes.txt", u"-ro"));
  EXPECT_TRUE(Execute(u"\\My Documents\\Letter.doc", u"", u"print"));
  const std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(cesim::Narrow(log[0].verb), "open") << "no verb is the open verb";
  EXPECT_EQ(cesim::Narrow(log[0].file), "\\My Documents\\notes.txt");
  EXPECT_EQ(cesim::Narrow(log[0].parameters), "-ro");
  EXPECT_EQ(cesim::Narrow(log[1].verb), "print");
  EXPECT_EQ(cesim::Narrow(log[1].file), "\\My Documents\\Letter.doc");
  EXPECT_EQ(cesim::Narrow(log[1].parameters), "");
}

TEST_F(ShellExecuteTest, ProgramsStartedByCreateProcessCarryNoShellRequest) {
  Boot();
  ASSERT_TRUE(CreateProcessW(u"\\Windows\\calc.exe", u"-x", nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr,
                             nullptr));
  const std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].call, "CreateProcessW");
  EXPECT_TRUE(log[0].verb.empty());
  EXPECT_TRUE(log[0].file.empty());
  EXPECT_TRUE(log[0].parameters.empty());
}

// --- The process handle ---

TEST_F(ShellExecuteTest, NoCloseProcessHandsTheCallerTheStartedProcess) {
  Boot();
  record = SHELLEXECUTEINFO();
  record.cbSize = sizeof(record);
  record.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
  record.lpFile = u"\\My Documents\\Letter.doc";
  ASSERT_TRUE(ShellExecuteEx(&record));
  ASSERT_NE(record.hProcess, nullptr) << "the process that opens the document";
  EXPECT_EQ(cesim::OpenKernelHandles(), 1u);
  EXPECT_TRUE(CloseHandle(record.hProcess));
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);
  EXPECT_FALSE(CloseHandle(record.hProcess)) << "closed once";
}

TEST_F(ShellExecuteTest, WithoutNoCloseProcessNoHandleIsLeftOpen) {
  Boot();
  EXPECT_TRUE(Execute(u"\\Windows\\calc.exe"));
  EXPECT_EQ(record.hProcess, nullptr);
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);
}

TEST_F(ShellExecuteTest, AFailedStartWithNoCloseProcessGivesNoHandle) {
  Boot();
  record = SHELLEXECUTEINFO();
  record.cbSize = sizeof(record);
  record.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOCLOSEPROCESS;
  record.lpFile = u"\\Windows\\missing.exe";
  record.hProcess = reinterpret_cast<HANDLE>(0x5A5A);
  EXPECT_FALSE(ShellExecuteEx(&record));
  EXPECT_EQ(record.hProcess, nullptr);
  EXPECT_EQ(cesim::OpenKernelHandles(), 0u);
}

// --- Shortcuts and named commands ---

TEST_F(ShellExecuteTest, AShortcutStartsItsCommandWithTheParametersAfterItsOwn) {
  Boot();
  EXPECT_TRUE(Execute(u"\\Windows\\Start Menu\\Programs\\Web.lnk", u"http://x"));
  ExpectOneLaunch(u"\\Windows\\iexplore.exe", u"-home http://x");
}

TEST_F(ShellExecuteTest, ANamedCommandIsTheOneTheShellKeeps) {
  Boot();
  EXPECT_TRUE(Execute(u":MSWELCOME"));
  ExpectOneLaunch(u"\\Windows\\welcome.exe", u"");
}

TEST_F(ShellExecuteTest, AShortcutToANamedCommand) {
  Boot();
  EXPECT_TRUE(Execute(u"\\Windows\\Start Menu\\Programs\\Welcome.lnk"));
  ExpectOneLaunch(u"\\Windows\\welcome.exe", u"");
}

// --- Failures ---

TEST_F(ShellExecuteTest, AMissingProgramIsFileNotFound) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\Windows\\missing.exe"));
  ExpectFailure(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellExecuteTest, AMissingFolderIsPathNotFound) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\Nowhere\\box.exe"));
  ExpectFailure(SE_ERR_PNF, ERROR_PATH_NOT_FOUND);
}

TEST_F(ShellExecuteTest, ADocumentWithoutAnAssociationFails) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\My Documents\\data.abc"));
  ExpectFailure(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
}

TEST_F(ShellExecuteTest, ATypeWithoutACommandIsNoAssociation) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\My Documents\\plan.xyz"));
  ExpectFailure(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
}

TEST_F(ShellExecuteTest, AVerbTheTypeLacksIsNoAssociation) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\My Documents\\Letter.doc", u"", u"edit"));
  ExpectFailure(SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION);
}

TEST_F(ShellExecuteTest, AnAssociationWhoseProgramIsMissingIsFileNotFound) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\My Documents\\lost.zzz"));
  ExpectFailure(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellExecuteTest, AShortcutThatCannotBeReadIsFileNotFound) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(u"\\Windows\\Start Menu\\Programs\\Nothing.lnk"));
  ExpectFailure(SE_ERR_FNF, ERROR_FILE_NOT_FOUND);
}

TEST_F(ShellExecuteTest, AFileNameOfMaxPathIsRefused) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(Execute(foldwise_test::PathOfLength(u"\\Deep", MAX_PATH)));
  ExpectFailure(SE_ERR_PNF, ERROR_FILENAME_EXCED_RANGE);
}

TEST_F(ShellExecuteTest, ARecordOfAnotherSizeIsRefusedUntouched) {
  Boot();
  SHELLEXECUTEINFO other = {};
  other.cbSize = sizeof(other) - 4;
  other.fMask = SEE_MASK_FLAG_NO_UI;
  other.lpFile = u"\\Windows\\calc.exe";
  SetLastError(0);
  EXPECT_FALSE(ShellExecuteEx(&other));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(other.hInstApp, nullptr);
  EXPECT_FALSE(ShellExecuteEx(nullptr));
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

TEST_F(ShellExecuteTest, WithoutNoUiTheShellShowsTheFailureToTheUser) {
  Boot();
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &DefWindowProcW;
  cls.lpszClassName = u"Owner";
  ASSERT_NE(RegisterClassW(&cls), 0);
  HWND owner = CreateWindowExW(0, u"Owner", u"owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  cesim::AnswerMessageBox(IDOK);
  record = SHELLEXECUTEINFO();
  record.cbSize = sizeof(record);
  record.hwnd = owner;
  record.lpFile = u"\\Windows\\missing.exe";
  SetLastError(0);
  EXPECT_FALSE(ShellExecuteEx(&record));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND)) << "the error outlives the message box";
  EXPECT_EQ(InstApp(), SE_ERR_FNF);
  const std::vector<cesim::MessageBoxView> boxes = cesim::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_NE(boxes[0].text.find(u"missing.exe"), std::u16string::npos);
  EXPECT_EQ(boxes[0].answer, IDOK);
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

}  // namespace

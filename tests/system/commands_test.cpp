// The two commands that need no dialog, chosen in the Explorer's context menu: Copy Path puts
// the item's full path on the clipboard, replacing what was there; Send Shortcut to Programs
// writes a shortcut to the program into the Start menu's Programs folder.
#include <cstdio>
#include <string>

#include "system_test.h"

namespace system_test {
namespace {

class CommandsTest : public SystemTest {
 protected:
  // The Start menu's Programs folder, as the platform names it.
  Text ProgramsFolder() {
    WCHAR folder[MAX_PATH] = {};
    EXPECT_TRUE(SHGetSpecialFolderPath(frame, folder, CSIDL_PROGRAMS, TRUE));
    return folder;
  }

  // A file's contents, or "(missing)".
  static std::string Contents(const Text& path) {
    FILE* file = _wfopen(path.c_str(), TEXT("rb"));
    if (file == nullptr) return "(missing)";
    std::string contents;
    char chunk[512];
    size_t read = 0;
    while ((read = fread(chunk, 1, sizeof(chunk), file)) > 0) contents.append(chunk, read);
    fclose(file);
    return contents;
  }

  // The shortcut file is the platform's to write; it is gone again after the test.
  void TearDown() override {
    if (!shortcut.empty()) DeleteFileW(shortcut.c_str());
    SystemTest::TearDown();
  }

  Text shortcut;
};

TEST_F(CommandsTest, CopyPathReplacesTheClipboardWithTheFullPath) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  // Another program's text is on the clipboard first.
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HLOCAL earlier = LocalAlloc(LMEM_FIXED, 8 * sizeof(WCHAR));
  ASSERT_NE(earlier, nullptr);
  memcpy(earlier, TEXT("earlier"), 8 * sizeof(WCHAR));
  SetClipboardData(CF_UNICODETEXT, earlier);
  CloseClipboard();

  ASSERT_TRUE(OpenMenuOf(TEXT("\\Docs\\Letter.txt")));
  EXPECT_EQ(Choose(TEXT("Copy Path")), S_OK);
  EXPECT_EQ(conformance::Printable(ClipboardText()), conformance::Printable(host.Path(TEXT("\\Docs\\Letter.txt"))));
}

TEST_F(CommandsTest, SendShortcutWritesAShortcutToTheQuotedProgramPath) {
  ASSERT_TRUE(host.AddSampleProgram(TEXT("\\Tool Box\\box.exe"), "box.exe"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Tool Box")));
  shortcut = ProgramsFolder() + TEXT("\\box.lnk");
  DeleteFileW(shortcut.c_str());
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Tool Box\\box.exe")));
  EXPECT_EQ(Choose(TEXT("Send Shortcut to Programs")), S_OK);
  // The path holds a space: the target is quoted.
  const Text target = TEXT("\"") + host.Path(TEXT("\\Tool Box\\box.exe")) + TEXT("\"");
  // The device's shortcut text: the target's length, "#", the target.
  const std::string text = conformance::Printable(target);
  EXPECT_EQ(Contents(shortcut), std::to_string(text.size()) + "#" + text);
}

}  // namespace
}  // namespace system_test

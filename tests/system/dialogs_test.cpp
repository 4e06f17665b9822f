// The commands that open a dialog, chosen in the Explorer's context menu and acted on inside the
// dialog's modal loop: the properties dialog shows the file's fields; Open with Parameters
// starts the program with the typed parameters; Open with Program lists the Start menu's programs.
#include "resources/resource_ids.h"
#include "system_test.h"

namespace system_test {
namespace {

class DialogsTest : public SystemTest {};

TEST_F(DialogsTest, ThePropertiesDialogShowsTheFilesNameAndSizeAndCancelChangesNothing) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), std::string(1500, 'x'));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Docs\\Letter.txt")));
  HWND dialog = nullptr;
  Text name, size;
  host.WhenIdle([&] {
    dialog = ActiveDialog();
    name = ItemText(dialog, IDC_PROP_NAME);
    size = ItemText(dialog, IDC_PROP_SIZE);
    // A changed name that Cancel must not apply.
    SetDlgItemTextW(dialog, IDC_PROP_NAME, TEXT("Other.txt"));
    host.PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(Choose(TEXT("Property (Letter.txt)...")), S_OK);
  ASSERT_NE(dialog, nullptr) << "no dialog was active";
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(conformance::Printable(name), "Letter.txt");
  EXPECT_EQ(conformance::Printable(size), "1500 bytes");
  EXPECT_NE(GetFileAttributesW(host.Path(TEXT("\\Docs\\Letter.txt")).c_str()), 0xFFFFFFFF);
  EXPECT_EQ(GetFileAttributesW(host.Path(TEXT("\\Docs\\Other.txt")).c_str()), 0xFFFFFFFF);
}

TEST_F(DialogsTest, ThePropertiesDialogRenamesTheFileOnOk) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Docs\\Letter.txt")));
  host.WhenIdle([&] {
    HWND dialog = ActiveDialog();
    SetDlgItemTextW(dialog, IDC_PROP_NAME, TEXT("Reply.txt"));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_EQ(Choose(TEXT("Property (Letter.txt)...")), S_OK);
  EXPECT_EQ(GetFileAttributesW(host.Path(TEXT("\\Docs\\Letter.txt")).c_str()), 0xFFFFFFFF);
  EXPECT_NE(GetFileAttributesW(host.Path(TEXT("\\Docs\\Reply.txt")).c_str()), 0xFFFFFFFF);
}

TEST_F(DialogsTest, OpenWithParametersStartsTheProgramWithTheTypedParameters) {
  ASSERT_TRUE(host.AddSampleProgram(TEXT("\\Tools\\box.exe"), "box.exe"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Tools")));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Tools\\box.exe")));
  Text caption;
  host.WhenIdle([&] {
    HWND dialog = ActiveDialog();
    caption = TextOf(dialog);
    SetDlgItemTextW(dialog, IDC_PARAMETERS, TEXT("-x two"));
    host.PressKey(VK_RETURN);
  });
  EXPECT_EQ(Choose(TEXT("Open with Parameters...")), S_OK);
  EXPECT_EQ(conformance::Printable(caption), "box.exe");
  if (StartsAreObservable()) {
    EXPECT_EQ(StartedPrograms(), std::vector<Text>{host.Path(TEXT("\\Tools\\box.exe")) + TEXT("|-x two")});
  }
}

TEST_F(DialogsTest, OpenWithProgramListsTheStartMenusProgramsAndCancelStartsNothing) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(host.AddSampleProgram(TEXT("\\Tools\\notes.exe"), "notes.exe"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  WCHAR programs[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPath(frame, programs, CSIDL_PROGRAMS, TRUE));
  const Text shortcut = Text(programs) + TEXT("\\Notes") + host.ClassName(TEXT("")) + TEXT(".lnk");
  ASSERT_TRUE(SHCreateShortcut(const_cast<LPWSTR>(shortcut.c_str()),
                               const_cast<LPWSTR>(host.Path(TEXT("\\Tools\\notes.exe")).c_str())));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Docs\\Letter.txt")));
  std::vector<Text> listed;
  host.WhenIdle([&] {
    HWND programList = GetDlgItem(ActiveDialog(), IDC_PROGRAM_LIST);
    int count = static_cast<int>(SendMessageW(programList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      WCHAR text[MAX_PATH] = {};
      LVITEMW item = {};
      item.pszText = text;
      item.cchTextMax = MAX_PATH;
      SendMessageW(programList, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
      listed.push_back(text);
    }
    host.PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(Choose(TEXT("Open with Program...")), S_OK);
  DeleteFileW(shortcut.c_str());
  bool found = false;
  for (const Text& text : listed) found = found || text.find(TEXT("Notes")) == 0;
  EXPECT_TRUE(found) << "the shortcut's program is not listed";
  if (StartsAreObservable()) {
    EXPECT_TRUE(StartedPrograms().empty());
  }
}

}  // namespace
}  // namespace system_test

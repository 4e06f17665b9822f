// What the Explorer stand-in does with its commands and menus: the pane's refill command, the
// View pop-up's show-all item, the path history pop-up, renaming by label editing.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "explorer_fixture.h"

namespace foldwise_test {
namespace {

// The Explorer's own contract, with no extension in front of its windows.
class ExplorerCommandsTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    registerModule = false;
  }
};

TEST_F(ExplorerCommandsTest, TheRefillCommandListsTheFolderAnew) {
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  EXPECT_TRUE(ListedNames().empty());
  ASSERT_TRUE(CreateDirectoryW(u"\\My Documents\\New", nullptr));
  SendMessageW(pane, WM_COMMAND, 28006, 0);
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"New"});
}

TEST_F(ExplorerCommandsTest, ShowAllFilesListsHiddenItemsAndIsStored) {
  device.image.AddFile(u"\\My Documents\\seen.txt", "a").AddFile(u"\\My Documents\\secret.txt", "b", FILE_ATTRIBUTE_HIDDEN);
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"seen"});
  HMENU view = ExplorerViewMenu(frame);
  ASSERT_NE(view, nullptr);
  EXPECT_NE(GetMenuState(view, 21002, MF_BYCOMMAND), 0xFFFFFFFFu);
  EXPECT_NE(GetMenuState(view, 21004, MF_BYCOMMAND), 0xFFFFFFFFu);
  SendMessageW(frame, WM_COMMAND, 21003, 0);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ViewAll"), 1u);
  EXPECT_EQ(ListedNames().size(), 2u);
  SendMessageW(frame, WM_COMMAND, 21003, 0);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ViewAll"), 0u);
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"seen"});
}

TEST_F(ExplorerCommandsTest, TheHistoryPopupLeadsWithItem210AndListsTheHistory) {
  device.image.AddFolder(u"\\Windows")
      .AddRegistry(
          "[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU]\n"
          "\"MRUList\"=\"ba\"\n\"a\"=\"\\\\My Documents\"\n\"b\"=\"\\\\Windows\"\n");
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  std::string shown;
  cesim::WhenIdle([&] { EXPECT_TRUE(cesim::TapMenuBarItem(commandBar, u"Go")); });
  cesim::WhenIdle([&] {
    shown = cesim::DumpOpenMenus();
    EXPECT_TRUE(cesim::ChooseMenuItem({u"\\My Documents"}));
  });
  ASSERT_TRUE(ActInExplorer([] {}));
  EXPECT_EQ(shown, "Up One Level\n\\Windows\n\\My Documents\n") << shown;
  std::vector<cesim::MenuRow> rows = cesim::ReadMenu(ExplorerHistoryMenu(frame));
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].id, 210u);
  EXPECT_EQ(cesim::Narrow(rows[1].text), "\\Windows");
  EXPECT_EQ(cesim::Narrow(rows[2].text), "\\My Documents");
  // Choosing an entry went there, and it became the newest entry.
  WCHAR folder[MAX_PATH] = {};
  GetWindowTextW(GetDlgItem(frame, 300), folder, MAX_PATH);
  EXPECT_EQ(cesim::Narrow(folder), "\\My Documents");
  const std::string history = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU";
  EXPECT_EQ(cesim::ReadRegistryString(history, u"MRUList"), u"ab");
}

TEST_F(ExplorerCommandsTest, TheHistoryKeepsTenFoldersAndReusesTheOldestLetter) {
  for (int i = 0; i < 11; ++i) device.image.AddFolder(u"\\F" + cesim::Widen(std::to_string(i)));
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  for (int i = 0; i < 11; ++i) {
    std::u16string folder = u"\\F" + cesim::Widen(std::to_string(i));
    SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(folder.c_str()));
  }
  const std::string history = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU";
  // F0 took "a" and was the oldest when F10 came.
  EXPECT_EQ(cesim::ReadRegistryString(history, u"MRUList"), u"ajihgfedcb");
  EXPECT_EQ(cesim::ReadRegistryString(history, u"a"), u"\\F10");
  // Going to a folder that is in the history moves its entry to the front.
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\F5"));
  EXPECT_EQ(cesim::ReadRegistryString(history, u"MRUList"), u"fajihgedcb");
}

TEST_F(ExplorerCommandsTest, ANavigationToWhatIsNoFolderIsRefused) {
  device.image.AddFile(u"\\My Documents\\Letter.doc", "x");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\My Documents\\Letter.doc"));
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\Nowhere"));
  WCHAR folder[MAX_PATH] = {};
  GetWindowTextW(GetDlgItem(frame, 300), folder, MAX_PATH);
  EXPECT_EQ(cesim::Narrow(folder), "\\My Documents");
  std::u16string tooLong(300, u'x');
  tooLong[0] = u'\\';
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(tooLong.c_str()));
  GetWindowTextW(GetDlgItem(frame, 300), folder, MAX_PATH);
  EXPECT_EQ(cesim::Narrow(folder), "\\My Documents");
}

TEST_F(ExplorerCommandsTest, ARenamePutsTheHiddenExtensionBack) {
  device.image.AddFile(u"\\My Documents\\Letter.doc", "text");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  int item = FindListed("Letter");
  ASSERT_GE(item, 0);
  SetFocus(list);
  HWND edit = reinterpret_cast<HWND>(SendMessageW(list, LVM_EDITLABELW, item, 0));
  ASSERT_NE(edit, nullptr);
  WCHAR text[MAX_PATH] = {};
  GetWindowTextW(edit, text, MAX_PATH);
  EXPECT_EQ(cesim::Narrow(text), "Letter");
  ASSERT_TRUE(cesim::TypeIntoListLabelEdit(list, u"Memo"));
  cesim::PressKey(VK_RETURN);
  EXPECT_NE(GetFileAttributesW(u"\\My Documents\\Memo.doc"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"Memo"});
  LVITEMW record = {};
  record.mask = LVIF_PARAM;
  record.iItem = 0;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&record)));
  EXPECT_EQ(cesim::Narrow(reinterpret_cast<const char16_t*>(reinterpret_cast<const BYTE*>(record.lParam) + 26)),
            "\\My Documents\\Memo.doc");
}

TEST_F(ExplorerCommandsTest, ARenameToABadNameChangesNothing) {
  device.image.AddFile(u"\\My Documents\\Letter.doc", "text").AddFile(u"\\My Documents\\Taken.doc", "x");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  for (const char16_t* name : {u"a:b", u"Taken", u""}) {
    int item = FindListed("Letter");
    ASSERT_GE(item, 0);
    SetFocus(list);
    ASSERT_NE(SendMessageW(list, LVM_EDITLABELW, item, 0), 0);
    if (name[0] != 0) ASSERT_TRUE(cesim::TypeIntoListLabelEdit(list, name));
    else cesim::PressKey(VK_DELETE);
    cesim::PressKey(VK_RETURN);
    EXPECT_NE(GetFileAttributesW(u"\\My Documents\\Letter.doc"), INVALID_FILE_ATTRIBUTES) << cesim::Narrow(name);
  }
}

}  // namespace
}  // namespace foldwise_test

// The Change Folder dialog as the user meets it: opened from the Explorer's frame window, its
// tree, taps and keys, the folder sent to the frame, and the ways it closes.
#include <gtest/gtest.h>

#include <string>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "change_folder_fixture.h"
#include "frame_window.h"
#include "host/host_contract.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

TEST_F(ChangeFolderTest, OpensAlongTheLastLocationAndSelectsIt) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(cesim::DumpTree(Tree(dialog)),
            "- My Device\n"
            "    My Documents\n"
            "  - Windows\n"
            "      Fonts [selected]\n"
            "    + Start Menu\n"
            "    + System\n");
  EXPECT_EQ(GetFocus(), Tree(dialog));
}

TEST_F(ChangeFolderTest, SitsBelowThePathBarAtTheLeftEdge) {
  Boot("\\Windows");
  HWND dialog = Open();
  RECT bar;
  RECT rect;
  GetWindowRect(GetDlgItem(frame, HOST_FRAME_PATH_CONTROL), &bar);
  GetWindowRect(dialog, &rect);
  EXPECT_EQ(rect.left, -1);
  EXPECT_EQ(rect.top, bar.bottom);
}

TEST_F(ChangeFolderTest, ListsOnlyTheFoldersAlongTheStartingPath) {
  Boot("\\Windows\\Fonts");
  int before = cesim::ReadCounters().folderListings;
  Open();
  // The root and Windows are listed; each listed entry is probed once for a sub-folder:
  // root: My Documents, Windows (Temp is hidden and not probed); Windows: Fonts, Start Menu, System.
  EXPECT_EQ(cesim::ReadCounters().folderListings - before, 2 + 2 + 3);
}

TEST_F(ChangeFolderTest, TappingAFolderSendsItsPathAndCloses) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  ASSERT_TRUE(cesim::TapTreeItem(Tree(dialog), {u"My Device", u"Windows", u"Fonts"}));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FrameFolder(), "\\Windows\\Fonts");
  EXPECT_EQ(GetFrameNavigationCount(frame), 1);
}

TEST_F(ChangeFolderTest, TappingMyDeviceSendsTheRoot) {
  Boot("\\Windows");
  HWND dialog = Open();
  ASSERT_TRUE(cesim::TapTreeItem(Tree(dialog), {u"My Device"}));
  EXPECT_EQ(FrameFolder(), "\\");
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, TappingAnExpandButtonOpensTheBranchWithoutNavigating) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  int before = cesim::ReadCounters().folderListings;
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Windows", u"Start Menu"}));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(GetFrameNavigationCount(frame), 0);
  EXPECT_NE(cesim::DumpTree(Tree(dialog)).find("    - Start Menu\n        Programs\n"), std::string::npos)
      << cesim::DumpTree(Tree(dialog));
  EXPECT_EQ(cesim::ReadCounters().folderListings - before, 2);  // Start Menu and one probe
  // Closing and opening the branch again lists nothing more.
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Windows", u"Start Menu"}));
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Windows", u"Start Menu"}));
  EXPECT_EQ(cesim::ReadCounters().folderListings - before, 2);
}

TEST_F(ChangeFolderTest, AnotherLetterCaseStillFindsTheFolder) {
  Boot("\\windows");
  HWND dialog = Open();
  EXPECT_NE(cesim::DumpTree(Tree(dialog)).find("  + Windows [selected]\n"), std::string::npos)
      << cesim::DumpTree(Tree(dialog));
}

TEST_F(ChangeFolderTest, AMissingFolderLeavesNothingSelected) {
  Boot("\\Windows\\Gone\\Deeper");
  HWND dialog = Open();
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_EQ(tree.find("[selected]"), std::string::npos) << tree;
  EXPECT_NE(tree.find("  - Windows\n"), std::string::npos) << tree;
  // Enter with no selection sends the root.
  cesim::PressKey(VK_RETURN);
  EXPECT_EQ(FrameFolder(), "\\");
}

TEST_F(ChangeFolderTest, AnEmptyLastLocationSelectsTheDeviceRoot) {
  Boot("");
  HWND dialog = Open();
  EXPECT_EQ(cesim::DumpTree(Tree(dialog)), "+ My Device [selected]\n");
}

TEST_F(ChangeFolderTest, HiddenFoldersFollowViewAllButStillCountForTheButton) {
  Boot("\\Windows\\System");
  HWND dialog = Open();
  std::string tree = cesim::DumpTree(Tree(dialog));
  // System's only sub-folder is hidden: it keeps its expand button, and opening it lists nothing.
  EXPECT_NE(tree.find("  - Windows\n"), std::string::npos) << tree;
  EXPECT_NE(tree.find("    + System [selected]\n"), std::string::npos) << tree;
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Windows", u"System"}));
  tree = cesim::DumpTree(Tree(dialog));
  EXPECT_EQ(tree.find("Cache"), std::string::npos) << tree;
  EXPECT_EQ(tree.find("Temp"), std::string::npos) << tree;
}

TEST_F(ChangeFolderTest, ViewAllShowsHiddenFolders) {
  Boot("\\Windows\\System", "[HKEY_LOCAL_MACHINE\\Explorer]\n\"ViewAll\"=dword:00000001\n");
  HWND dialog = Open();
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Windows", u"System"}));
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_NE(tree.find("Cache"), std::string::npos) << tree;
  EXPECT_NE(tree.find("    Temp\n"), std::string::npos) << tree;
}

TEST_F(ChangeFolderTest, TheNetworkFolderIsASecondRoot) {
  Boot("\\Windows", StringValue("NetWorkPath", "\\\\server\\share"));
  HWND dialog = Open();
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_NE(tree.find("\n  \\\\server\\share\n"), std::string::npos) << tree;
  ASSERT_TRUE(cesim::TapTreeItem(Tree(dialog), {u"\\\\server\\share"}));
  EXPECT_EQ(FrameFolder(), "\\\\server\\share\\");
}

TEST_F(ChangeFolderTest, ANetworkStartShowsTheServerAsRoot) {
  Boot("\\\\server\\share\\docs");
  HWND dialog = OpenFromPane();
  std::string tree = cesim::DumpTree(Tree(dialog));
  // The network cannot be listed here: the server's branch stays empty and nothing is selected.
  EXPECT_EQ(tree.rfind("+ \\\\server\n", 0), 0u) << tree;
  EXPECT_EQ(tree.find("My Device"), std::string::npos) << tree;
  EXPECT_EQ(tree.find("[selected]"), std::string::npos) << tree;
}

// Whether a volume filters a folder-only search is up to its file system (the flag is advisory):
// the tree shows the same folders either way.
TEST_F(ChangeFolderTest, FilesOnAStorageCardNeverShowAsFolders) {
  device.image.AddVolume(u"\\Storage Card", 16777216, 134217728)
      .AddFile(u"\\Storage Card\\readme.txt", "text")
      .AddFile(u"\\Storage Card\\Backup\\contacts.bak", "data")
      .AddFile(u"\\Storage Card\\Music\\a.mp3", "data")
      .AddFolder(u"\\Storage Card\\Music\\Albums");
  Boot("\\Storage Card");
  HWND dialog = Open();
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Storage Card"}));
  std::string tree = cesim::DumpTree(Tree(dialog));
  // Backup holds only a file: no expand button. Music holds a file before its sub-folder: one.
  EXPECT_NE(tree.find("  - Storage Card [selected]\n      Backup\n    + Music\n"), std::string::npos) << tree;
  EXPECT_EQ(tree.find("readme.txt"), std::string::npos) << tree;
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Storage Card", u"Music"}));
  tree = cesim::DumpTree(Tree(dialog));
  EXPECT_EQ(tree.find("a.mp3"), std::string::npos) << tree;
  EXPECT_NE(tree.find("    - Music\n        Albums\n"), std::string::npos) << tree;
}

TEST_F(ChangeFolderTest, OnlyOneDialogAtATime) {
  Boot("\\Windows");
  HWND first = Open();
  ASSERT_NE(first, nullptr);
  // The folder command again leaves the open dialog as it is.
  SendMessageW(frame, WM_COMMAND, HOST_CMD_FOLDER, 0);
  cesim::PumpMessages();
  EXPECT_EQ(FrameDialogs(), std::vector<HWND>{first});
}

TEST_F(ChangeFolderTest, EnterSendsTheSelectedFolder) {
  Boot("\\Windows\\Fonts");
  HWND dialog = Open();
  cesim::PressKey(VK_UP);  // from Fonts up to Windows
  cesim::PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(FrameFolder(), "\\Windows");
}

TEST_F(ChangeFolderTest, LosingActivationCloses) {
  Boot("\\Windows");
  HWND dialog = Open();
  cesim::Activate(frame);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(GetFrameNavigationCount(frame), 0);
}

TEST_F(ChangeFolderTest, TappingTheFrameCloses) {
  Boot("\\Windows");
  HWND dialog = Open();
  RECT rect;
  GetWindowRect(frame, &rect);
  cesim::Tap({rect.right - 5, rect.bottom - 5});
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, CancelModeAndCloseDestroyIt) {
  Boot("\\Windows");
  HWND dialog = Open();
  SendMessageW(dialog, WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  dialog = Open();
  SendMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, FocusMovingToItsOwnTreeCloses) {
  Boot("\\Windows");
  HWND dialog = Open();
  HWND tree = Tree(dialog);
  SendMessageW(dialog, WM_KILLFOCUS, reinterpret_cast<WPARAM>(frame), 0);
  EXPECT_TRUE(IsWindow(dialog));
  SendMessageW(dialog, WM_KILLFOCUS, reinterpret_cast<WPARAM>(tree), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(ChangeFolderTest, TheGestureQuestionIsAnsweredWithOne) {
  Boot("\\Windows");
  HWND dialog = Open();
  NMHDR header = {Tree(dialog), IDC_FOLDER_TREE, NM_RECOGNIZEGESTURE};
  SetWindowLongW(dialog, DWL_MSGRESULT, 7);
  EXPECT_EQ(SendMessageW(dialog, WM_NOTIFY, IDC_FOLDER_TREE, reinterpret_cast<LPARAM>(&header)), 1);
  EXPECT_EQ(GetWindowLongW(dialog, DWL_MSGRESULT), 1);
}

// Which of the Explorer's three path values is its last location: LastLocation names it.
struct LastLocationCase {
  const char* lastLocation;  // registry text of the index, empty for none
  const char* selected;
};

class LastLocationTest : public ChangeFolderTest, public ::testing::WithParamInterface<LastLocationCase> {};

TEST_P(LastLocationTest, TheIndexNamesThePathValue) {
  device.image.AddFolder(u"\\Storage Card\\Backup");
  Boot("\\Windows\\Fonts", std::string(GetParam().lastLocation) + StringValue("StorageCardPath", "\\Storage Card\\Backup") +
                                  StringValue("NetWorkPath", "\\\\server\\share"));
  HWND dialog = OpenFromPane();
  ASSERT_NE(dialog, nullptr);
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_NE(tree.find(std::string(GetParam().selected) + " [selected]\n"), std::string::npos) << tree;
}

INSTANTIATE_TEST_SUITE_P(Indexes, LastLocationTest,
                         ::testing::Values(LastLocationCase{"", "Fonts"},
                                           LastLocationCase{"\"LastLocation\"=dword:00000001\n", "Backup"},
                                           LastLocationCase{"\"LastLocation\"=dword:00000009\n", "Fonts"}),
                         [](const ::testing::TestParamInfo<LastLocationCase>& info) {
                           return std::string(info.index == 0 ? "Missing" : info.index == 1 ? "StorageCard" : "Unknown");
                         });

TEST_F(ChangeFolderTest, ANetworkLastLocationLeavesTheFolderCommandToTheHost) {
  Boot("\\Windows", "\"LastLocation\"=dword:00000002\n" + StringValue("NetWorkPath", "\\\\server\\share"));
  // The Explorer's own folder pop-up, led by the network root, would open: the module takes it
  // away as it opens, so neither it nor the dialog is there.
  int stalls = cesim::MessageLoopStalls();
  SendMessageW(frame, WM_COMMAND, HOST_CMD_FOLDER, 0);
  cesim::PumpMessages();
  EXPECT_EQ(cesim::MessageLoopStalls(), stalls);
  EXPECT_TRUE(cesim::DumpOpenMenus().empty());
  EXPECT_TRUE(FrameDialogs().empty());
}

TEST_F(ChangeFolderTest, ALastLocationThatDoesNotFitAPathIsNotUsedCut) {
  std::string tooLong = "\\" + std::string(259, 'x');  // 260 characters and the terminator
  Boot(tooLong);
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  // Nothing to open along: the tree starts at the device root, nothing of the value cut to size.
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_EQ(tree.find("xxx"), std::string::npos) << tree;
}

// --- Paths near the device's limit ---

class LongPathTest : public ChangeFolderTest {};

TEST_F(LongPathTest, FoldersWhosePathDoesNotFitAreLeftOutAndTheTreeStaysUsable) {
  // \Deep\<name> where names make paths of 258 and 259 characters (listable: no, navigable: yes)
  // and longer ones, which the device cannot name at all.
  std::u16string base = u"\\Deep";
  std::u16string name258(258 - base.size() - 1, u'a');
  std::u16string name259(259 - base.size() - 1, u'b');
  device.image.AddFolder(base + u"\\" + name258).AddFolder(base + u"\\" + name259);
  Boot("\\Deep");
  HWND dialog = Open();
  ASSERT_TRUE(TapButton(dialog, {u"My Device", u"Deep"}));
  std::string tree = cesim::DumpTree(Tree(dialog));
  EXPECT_NE(tree.find("      " + std::string(name258.size(), 'a') + "\n"), std::string::npos) << tree;
  EXPECT_NE(tree.find("      " + std::string(name259.size(), 'b') + "\n"), std::string::npos) << tree;
  // The long names run past the tree's right edge: the user picks one with the keys.
  cesim::PressKey(VK_DOWN);
  cesim::PressKey(VK_DOWN);
  cesim::PressKey(VK_RETURN);
  EXPECT_EQ(cesim::Narrow(u"\\Deep\\" + name259), FrameFolder());
}

TEST_F(LongPathTest, AnItemWhosePathDoesNotFitSendsNothing) {
  Boot("\\Windows");
  HWND dialog = Open();
  HWND tree = Tree(dialog);
  HTREEITEM windows = cesim::FindTreeItem(tree, {u"My Device", u"Windows"});
  ASSERT_NE(windows, nullptr);
  // Items added by hand whose joined path would pass 259 characters.
  std::u16string longName(200, u'x');
  TVINSERTSTRUCTW insert = {};
  insert.hParent = windows;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = longName.data();
  HTREEITEM first = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  insert.hParent = first;
  HTREEITEM second = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  ASSERT_NE(second, nullptr);
  // Choosing it sends nothing; the dialog closes as after any choice.
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(second));
  cesim::PressKey(VK_RETURN);
  EXPECT_EQ(GetFrameNavigationCount(frame), 0);
  EXPECT_FALSE(IsWindow(dialog));
}

// The network root shows the whole NetWorkPath setting or nothing: a value that does not fit a
// path of the device is never shown cut.
std::string NetworkPathOfLength(size_t length) { return "\\\\server\\" + std::string(length - 9, 'n'); }

TEST_F(LongPathTest, ANetworkPathOf259CharactersIsShownWhole) {
  std::string network = NetworkPathOfLength(259);
  ASSERT_EQ(network.size(), 259u);
  Boot("\\Windows", StringValue("NetWorkPath", network));
  HWND dialog = Open();
  HTREEITEM root = cesim::FindTreeItem(Tree(dialog), {u"My Device"});
  ASSERT_NE(root, nullptr);
  HTREEITEM second = reinterpret_cast<HTREEITEM>(
      SendMessageW(Tree(dialog), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)));
  ASSERT_NE(second, nullptr);
  EXPECT_NE(cesim::FindTreeItem(Tree(dialog), {cesim::Widen(network)}), nullptr) << cesim::DumpTree(Tree(dialog));
}

TEST_F(LongPathTest, ANetworkPathTooLongForAPathGivesNoNetworkRoot) {
  Boot("\\Windows", StringValue("NetWorkPath", NetworkPathOfLength(260)));
  HWND dialog = Open();
  HTREEITEM root = cesim::FindTreeItem(Tree(dialog), {u"My Device"});
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(SendMessageW(Tree(dialog), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)), 0)
      << cesim::DumpTree(Tree(dialog));
}

TEST_F(LongPathTest, ANetworkPathFillingTheBufferWithoutTerminatorGivesNoNetworkRoot) {
  Boot("\\Windows");
  // 260 characters, 520 bytes, no terminator: it fits the read but is no path.
  std::u16string network = cesim::Widen(NetworkPathOfLength(260));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, 0, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, u"NetWorkPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(network.data()),
                           static_cast<DWORD>(network.size() * sizeof(char16_t))),
            ERROR_SUCCESS);
  RegCloseKey(key);
  HWND dialog = Open();
  HTREEITEM root = cesim::FindTreeItem(Tree(dialog), {u"My Device"});
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(SendMessageW(Tree(dialog), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(root)), 0)
      << cesim::DumpTree(Tree(dialog));
}

}  // namespace
}  // namespace foldwise_test

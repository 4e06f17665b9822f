// Whole file names in the list while "ShowExt" is on, and the rename box without the extension.
#include <gtest/gtest.h>

#include "cesim/ui.h"
#include "pane_fixture.h"

namespace foldwise_test {
namespace {

class PaneExtensionDisplayTest : public PaneTest {
 protected:
  std::u16string Text(int item, int size = MAX_PATH) {
    std::vector<char16_t> buffer(static_cast<size_t>(size > 0 ? size : 1) + 1, u'#');
    buffer.back() = 0;
    LVITEMW request = {};
    request.iSubItem = 0;
    request.pszText = buffer.data();
    request.cchTextMax = size;
    SendMessageW(host.list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&request));
    return buffer.data();
  }
  std::u16string RenameBoxText(int item) {
    HWND box = cesim::StartListLabelEdit(host.list, item);
    if (box == nullptr) return u"(no rename box)";
    char16_t text[MAX_PATH] = {};
    GetWindowTextW(box, text, MAX_PATH);
    return text;
  }
};

TEST_F(PaneExtensionDisplayTest, TheHostsNamesWithoutExtensionWhileTheSettingIsOff) {
  Start();
  EXPECT_EQ(Text(Item(u"\\My Documents\\Letter.doc")), u"Letter");
}

TEST_F(PaneExtensionDisplayTest, WholeFileNamesWhileTheSettingIsOn) {
  Start(ExplorerDword("ShowExt", 1));
  EXPECT_EQ(Text(Item(u"\\My Documents\\Letter.doc")), u"Letter.doc");
  EXPECT_EQ(Text(Item(u"\\My Documents\\a.b.c")), u"a.b.c");
  EXPECT_EQ(Text(Item(u"\\My Documents\\Work")), u"Work");
}

TEST_F(PaneExtensionDisplayTest, TheNameIsCutToTheListsBufferAndAnEmptyBufferGetsNothing) {
  Start(ExplorerDword("ShowExt", 1));
  const int letter = Item(u"\\My Documents\\Letter.doc");
  EXPECT_EQ(Text(letter, 5), u"Lett");
  EXPECT_EQ(Text(letter, 0), u"#");
}

TEST_F(PaneExtensionDisplayTest, AHostAnsweringWithAStringOfItsOwnKeepsItAndTheListGetsTheName) {
  host.hostTextInOwnBuffer = true;
  Start(ExplorerDword("ShowExt", 1));
  EXPECT_EQ(Text(Item(u"\\My Documents\\Letter.doc")), u"Letter.doc");
}

TEST_F(PaneExtensionDisplayTest, ShowExtensionRefillsTheListWithWholeNames) {
  Start();
  const char16_t* letter = u"\\My Documents\\Letter.doc";
  SendMessageW(host.pane, WM_COMMAND, 0xF000, 0);
  EXPECT_EQ(Text(Item(letter)), u"Letter.doc");
}

TEST_F(PaneExtensionDisplayTest, TheRenameBoxStartsWithoutTheExtension) {
  Start(ExplorerDword("ShowExt", 1));
  EXPECT_EQ(RenameBoxText(Item(u"\\My Documents\\Letter.doc")), u"Letter");
}

TEST_F(PaneExtensionDisplayTest, OnlyTheLastExtensionLeavesTheRenameBox) {
  Start(ExplorerDword("ShowExt", 1));
  EXPECT_EQ(RenameBoxText(Item(u"\\My Documents\\a.b.c")), u"a.b");
}

TEST_F(PaneExtensionDisplayTest, AFoldersRenameBoxKeepsTheWholeName) {
  device.image.AddFolder(u"\\My Documents\\Old.Projects");
  Start(ExplorerDword("ShowExt", 1));
  EXPECT_EQ(RenameBoxText(Item(u"\\My Documents\\Old.Projects")), u"Old.Projects");
}

TEST_F(PaneExtensionDisplayTest, AnItemWhoseFileIsGoneKeepsItsRenameText) {
  Start(ExplorerDword("ShowExt", 1));
  const int item = host.AddItem(u"\\My Documents\\Gone.txt", FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(RenameBoxText(item), u"Gone.txt");
}

}  // namespace
}  // namespace foldwise_test

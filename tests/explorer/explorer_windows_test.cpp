// The Explorer stand-in's windows as an extension finds them: the frame of class "FEXPLORE"
// whose first child is a toolbar with a drop-down first button, the path control 300, the menu
// bar's pop-ups, and the pane created by class atom whose first child is the four-column report
// list of the folder, each item carrying its record.
#include <gtest/gtest.h>

#include <cstring>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "explorer_fixture.h"
#include "frame_menus.h"

namespace foldwise_test {
namespace {

// The Explorer's own contract, with no extension in front of its windows.
class ExplorerWindowsTest : public ExplorerTest {
 protected:
  void SetUp() override {
    ExplorerTest::SetUp();
    registerModule = false;
  }
};

std::u16string WindowText(HWND hwnd) {
  WCHAR text[MAX_PATH] = {};
  GetWindowTextW(hwnd, text, MAX_PATH);
  return text;
}

TEST_F(ExplorerWindowsTest, TheFrameHoldsTheToolbarFirstThenThePathControl) {
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  WCHAR className[32] = {};
  GetClassNameW(frame, className, 32);
  EXPECT_EQ(cesim::Narrow(className), "FEXPLORE");
  HWND first = GetWindow(frame, GW_CHILD);
  ASSERT_EQ(first, toolbar);
  GetClassNameW(first, className, 32);
  EXPECT_EQ(cesim::Narrow(className), "ToolbarWindow32");
  EXPECT_NE(GetWindowLongW(first, GWL_STYLE) & TBSTYLE_FLAT, 0);
  std::vector<cesim::ToolbarButtonRow> buttons = cesim::ReadToolbar(first);
  ASSERT_GE(buttons.size(), 1u);
  EXPECT_EQ(buttons[0].id, 301);
  EXPECT_NE(buttons[0].style & TBSTYLE_DROPDOWN, 0);
  HWND pathControl = GetDlgItem(frame, 300);
  ASSERT_NE(pathControl, nullptr);
  EXPECT_EQ(cesim::Narrow(WindowText(pathControl)), "\\My Documents");
}

TEST_F(ExplorerWindowsTest, ThePaneIsOfAnAtomClassAndHoldsTheFourColumnList) {
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(GetParent(pane), frame);
  EXPECT_EQ(GetWindow(pane, GW_CHILD), list);
  WCHAR className[32] = {};
  GetClassNameW(list, className, 32);
  EXPECT_EQ(cesim::Narrow(className), "SysListView32");
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & LVS_TYPEMASK, static_cast<LONG>(LVS_REPORT));
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 4);
}

TEST_F(ExplorerWindowsTest, ItemsCarryRecordsWithPathAndAttributes) {
  device.image.AddFile(u"\\My Documents\\Letter.doc", "text").AddFolder(u"\\My Documents\\Work");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
  for (int i = 0; i < 2; ++i) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM | LVIF_TEXT;
    item.iItem = i;
    WCHAR text[MAX_PATH] = {};
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    ASSERT_TRUE(SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    const BYTE* record = reinterpret_cast<const BYTE*>(item.lParam);
    ASSERT_NE(record, nullptr);
    const char16_t* path = reinterpret_cast<const char16_t*>(record + 26);
    DWORD attributes;
    std::memcpy(&attributes, record + 10, sizeof(attributes));
    if (std::u16string(path) == u"\\My Documents\\Work") {
      EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
      EXPECT_EQ(cesim::Narrow(text), "Work");
    } else {
      EXPECT_EQ(cesim::Narrow(path), "\\My Documents\\Letter.doc");
      EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
      EXPECT_EQ(cesim::Narrow(text), "Letter");  // the Explorer hides extensions
    }
  }
}

TEST_F(ExplorerWindowsTest, NavigatingShowsTheFolderAndRemembersIt) {
  device.image.AddFolder(u"\\My Documents\\Work").AddFile(u"\\My Documents\\Work\\plan.txt", "x");
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\My Documents\\Work"));
  EXPECT_EQ(cesim::Narrow(WindowText(GetDlgItem(frame, 300))), "\\My Documents\\Work");
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"plan"});
  const std::string user = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer";
  EXPECT_EQ(cesim::ReadRegistryDword(user, u"LastLocation"), 0u);
  EXPECT_EQ(cesim::ReadRegistryString(user, u"LocalPath"), u"\\My Documents\\Work");
  EXPECT_EQ(cesim::ReadRegistryString(user + "\\DialogMRU", u"MRUList"), u"a");
  EXPECT_EQ(cesim::ReadRegistryString(user + "\\DialogMRU", u"a"), u"\\My Documents\\Work");
}

TEST_F(ExplorerWindowsTest, CloseEndsTheLoop) {
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  cesim::WhenIdle([this] { PostMessageW(frame, WM_CLOSE, 0, 0); });
  EXPECT_EQ(RunExplorer(frame), 0);
  EXPECT_FALSE(IsWindow(frame));
}

}  // namespace
}  // namespace foldwise_test

// The Explorer's routing of its five replaceable calls: through the replacement table of the
// module registered as its context menu handler when that module exports one as ordinal 1, else
// straight to the platform; the table is in place before the first window and the first listing.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "explorer_fixture.h"

namespace foldwise_test {
namespace {

typedef int(WINAPI* TableCallsFunc)(int);
typedef int(WINAPI* CountFunc)();
typedef LPCWSTR(WINAPI* PatternFunc)();

enum TableIndex { kDelete = 0, kAttributes = 1, kFindFirst = 2, kFindNext = 3, kCreateWindow = 4 };

class ImportRoutingTest : public ExplorerTest {
 protected:
  // Registers a module at a device path instead of the real module.
  void RegisterModule(const std::u16string& devicePath, const char* hostLibrary) {
    registerModule = false;
    if (hostLibrary != nullptr) device.image.AddModule(devicePath, hostLibrary);
    device.image.AddRegistry(ContextMenuHandlerRegistration(devicePath));
  }

  // The counters of the table module that the Explorer loaded (the same instance).
  int Calls(TableIndex index) {
    HMODULE module = GetModuleHandleW(u"\\Windows\\tablemodule.dll");
    auto calls = reinterpret_cast<TableCallsFunc>(reinterpret_cast<void*>(GetProcAddressW(module, u"TableCalls")));
    return calls != nullptr ? calls(index) : -1;
  }
  int Count(const char16_t* name) {
    HMODULE module = GetModuleHandleW(u"\\Windows\\tablemodule.dll");
    auto count = reinterpret_cast<CountFunc>(reinterpret_cast<void*>(GetProcAddressW(module, name)));
    return count != nullptr ? count() : -1;
  }
  std::string FirstPattern() {
    HMODULE module = GetModuleHandleW(u"\\Windows\\tablemodule.dll");
    auto pattern = reinterpret_cast<PatternFunc>(reinterpret_cast<void*>(GetProcAddressW(module, u"FirstPattern")));
    return pattern != nullptr ? cesim::Narrow(pattern()) : std::string("(no module)");
  }
};

TEST_F(ImportRoutingTest, AModuleWithATableTakesTheExplorersCalls) {
  RegisterModule(u"\\Windows\\tablemodule.dll", EXPLORER_TABLEMODULE_PATH);
  device.image.AddFile(u"\\My Documents\\a.txt", "a").AddFile(u"\\My Documents\\b.txt", "b");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  EXPECT_EQ(CurrentImportRoute(), kRouteToModule);
  EXPECT_NE(RoutingModule(), nullptr);
  // The frame by its class name, the pane by its class atom, and every other window of the
  // Explorer's own: all through the table.
  EXPECT_EQ(Count(u"FrameWindows"), 1);
  EXPECT_EQ(Count(u"AtomWindows"), 1);
  EXPECT_GE(Calls(kCreateWindow), 5);
  EXPECT_EQ(FirstPattern(), "\\My Documents\\*.*");
  EXPECT_EQ(Calls(kFindFirst), 1);
  EXPECT_EQ(Calls(kFindNext), 2);  // the second item, then the end
  EXPECT_EQ(ListedNames().size(), 2u);
}

TEST_F(ImportRoutingTest, TheRootIsSearchedWithASingleSeparator) {
  RegisterModule(u"\\Windows\\tablemodule.dll", EXPLORER_TABLEMODULE_PATH);
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  EXPECT_EQ(FirstPattern(), "\\*.*");
}

TEST_F(ImportRoutingTest, AttributeQueriesAndDeletesGoThroughTheTable) {
  RegisterModule(u"\\Windows\\tablemodule.dll", EXPLORER_TABLEMODULE_PATH);
  device.image.AddFolder(u"\\My Documents\\Work").AddFile(u"\\My Documents\\old.txt", "x");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  int attributesBefore = Calls(kAttributes);
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\My Documents\\Work"));
  EXPECT_GT(Calls(kAttributes), attributesBefore);
  SendMessageW(frame, 5237, 0, reinterpret_cast<LPARAM>(u"\\My Documents"));
  int item = FindListed("old");
  ASSERT_GE(item, 0);
  // The item's context menu, its Delete item chosen.
  RECT rect = {};
  rect.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&rect)));
  POINT at = {rect.left + 2, rect.top + 2};
  ClientToScreen(list, &at);
  cesim::WhenIdle([] { EXPECT_TRUE(cesim::ChooseMenuItem({u"Delete"})); });
  SendMessageW(pane, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(Calls(kDelete), 1);
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\old.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FindListed("old"), -1);
}

TEST_F(ImportRoutingTest, AModuleWithoutATableLeavesTheCallsToThePlatform) {
  RegisterModule(u"\\Windows\\plainmodule.dll", EXPLORER_PLAINMODULE_PATH);
  device.image.AddFile(u"\\My Documents\\a.txt", "a");
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
  EXPECT_EQ(CurrentImportRoute(), kRouteToPlatform);
  EXPECT_EQ(RoutingModule(), nullptr);
  EXPECT_EQ(ListedNames(), std::vector<std::string>{"a"});
  // The module was not kept loaded for routing.
  EXPECT_EQ(GetModuleHandleW(u"\\Windows\\plainmodule.dll"), nullptr);
}

TEST_F(ImportRoutingTest, AMissingModuleLeavesTheCallsToThePlatform) {
  RegisterModule(u"\\Windows\\missing.dll", nullptr);
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  EXPECT_EQ(CurrentImportRoute(), kRouteToPlatform);
  EXPECT_NE(GetDlgItem(frame, 300), nullptr);
}

TEST_F(ImportRoutingTest, WithoutARegisteredHandlerTheCallsGoToThePlatform) {
  registerModule = false;
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  EXPECT_EQ(CurrentImportRoute(), kRouteToPlatform);
}

TEST_F(ImportRoutingTest, EndingTheExplorerFreesTheModule) {
  RegisterModule(u"\\Windows\\tablemodule.dll", EXPLORER_TABLEMODULE_PATH);
  ASSERT_TRUE(StartExplorerIn(u"\\"));
  ASSERT_NE(GetModuleHandleW(u"\\Windows\\tablemodule.dll"), nullptr);
  EndExplorer(frame);
  frame = nullptr;
  EXPECT_EQ(CurrentImportRoute(), kRouteToPlatform);
  EXPECT_EQ(GetModuleHandleW(u"\\Windows\\tablemodule.dll"), nullptr);
}

}  // namespace
}  // namespace foldwise_test

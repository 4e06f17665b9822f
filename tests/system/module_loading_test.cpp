// Loading: the module stays only in the Explorer's process, whatever the letter case of its
// program path, and refuses every other program, a copy of the Explorer elsewhere included; in
// the Explorer it serves the context menus that the registry names it for.
#include "system_test.h"

namespace system_test {
namespace {

class ModuleLoadingTest : public SystemTest {};

TEST_F(ModuleLoadingTest, AnotherProgramAndACopyOfTheExplorerElsewhereAreRefused) {
  host.AddFolder(TEXT("\\Programs"));
  ASSERT_TRUE(host.Start());
  EXPECT_EQ(LoadInProgram(host, TEXT("\\Programs\\viewer.exe"), modulePath), Load::kRefused);
  EXPECT_EQ(LoadInProgram(host, TEXT("\\Programs\\fexplore.exe"), modulePath), Load::kRefused);
  EXPECT_EQ(LoadInProgram(host, TEXT("\\Programs\\fexplore.exe.exe"), modulePath), Load::kRefused);
}

TEST_F(ModuleLoadingTest, TheExplorerLoadsItAndGetsItsCommandsForFilesAndFolders) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  host.AddFolder(TEXT("\\Docs\\Old"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  for (const Text& item : {Text(TEXT("\\Docs\\Letter.txt")), Text(TEXT("\\Docs\\Old"))}) {
    ASSERT_TRUE(OpenMenuOf(item)) << conformance::Printable(item);
    EXPECT_EQ(menu.handlerCount, 1) << conformance::Printable(item);
    EXPECT_EQ(menu.handlersRefused, 0) << conformance::Printable(item);
    EXPECT_NE(CommandWithText(TEXT("Copy Path")), 0u) << conformance::Printable(item);
    CloseMenu();
  }
}

}  // namespace
}  // namespace system_test

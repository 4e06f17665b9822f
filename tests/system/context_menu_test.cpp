// The context menu of an item, as the Explorer builds it with the module's object: the module's
// items at their places among the Explorer's own, the program-only ones for programs only, and
// the properties item named after the file.
#include "system_test.h"

namespace system_test {
namespace {

class ContextMenuTest : public SystemTest {
 protected:
  // The module's part of the menu: everything after the Explorer's own five items.
  std::vector<Text> MenuAfterTheExplorersItems() {
    std::vector<Text> texts = MenuTexts();
    std::vector<Text> own;
    for (const Text& text : texts) {
      if (text != TEXT("Open") && text != TEXT("Cut") && text != TEXT("Copy") && text != TEXT("Delete") &&
          text != TEXT("Rename")) {
        own.push_back(text);
      }
    }
    return own;
  }
};

TEST_F(ContextMenuTest, ADocumentGetsCopyPathOpenWithProgramAndItsProperties) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Docs\\Letter.txt")));
  EXPECT_EQ(MenuAfterTheExplorersItems(),
            (std::vector<Text>{TEXT("Copy Path"), TEXT("-"), TEXT("Open with Program..."), TEXT("-"),
                               TEXT("Property (Letter.txt)...")}));
  EXPECT_EQ(MenuTexts().at(2), TEXT("Copy Path"));
  EXPECT_EQ(CommandWithText(TEXT("Open with Parameters...")), 0u);
  EXPECT_EQ(CommandWithText(TEXT("Send Shortcut to Programs")), 0u);
}

TEST_F(ContextMenuTest, AProgramGetsOpenWithParametersFirstAndSendShortcut) {
  ASSERT_TRUE(host.AddSampleProgram(TEXT("\\Tools\\box.exe"), "box.exe"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Tools")));
  ASSERT_TRUE(OpenMenuOf(TEXT("\\Tools\\box.exe")));
  std::vector<Text> texts = MenuTexts();
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), TEXT("Open with Parameters..."));
  EXPECT_EQ(MenuAfterTheExplorersItems(),
            (std::vector<Text>{TEXT("Open with Parameters..."), TEXT("Copy Path"), TEXT("Send Shortcut to Programs"),
                               TEXT("-"), TEXT("Open with Program..."), TEXT("-"), TEXT("Property (box.exe)...")}));
}

}  // namespace
}  // namespace system_test

// Copy Path: the selected path on the clipboard as Unicode text, and a clipboard that another
// application holds.
#include "command_fixture.h"

namespace foldwise_test {
namespace {

class CopyPathTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    device.image.AddFile(u"\\My Documents\\Letter.doc", "text").AddFolder(u"\\My Documents\\Old Letters");
  }
};

TEST_F(CopyPathTest, ThePathReplacesEverythingOnTheClipboard) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  HWND other = CreateWindowExW(0, u"static", u"Notes", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(cesim::CopyToClipboard(other, u"earlier text"));
  EXPECT_EQ(Invoke("0"), S_OK);
  cesim::ClipboardView view = cesim::ReadClipboard();
  EXPECT_FALSE(view.open);
  EXPECT_EQ(view.owner, owner);
  EXPECT_EQ(view.formats, std::vector<UINT>{CF_UNICODETEXT});
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Letter.doc"));
  // The block went to the clipboard; nothing else of the module's is left allocated.
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u);
  DestroyWindow(other);
}

TEST_F(CopyPathTest, AFolderIsCopiedLikeAFile) {
  EXPECT_EQ(Run(u"\\My Documents\\Old Letters", "0"), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Old Letters"));
}

TEST_F(CopyPathTest, APathOf259CharactersIsCopiedWhole) {
  std::u16string path = PathOfLength(u"\\My Documents", 259);
  device.image.AddFile(path, "x");
  EXPECT_EQ(Run(path, "0"), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), path);
}

TEST_F(CopyPathTest, AClipboardHeldForAMomentIsWaitedFor) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  HWND holder = CreateWindowExW(0, u"static", u"Notes", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(cesim::HoldClipboard(holder, 3));
  EXPECT_EQ(Invoke("0"), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Letter.doc"));
  DestroyWindow(holder);
}

TEST_F(CopyPathTest, AClipboardThatIsNeverLetGoLeavesItsContentsAndTheExplorerGoesOn) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  HWND holder = CreateWindowExW(0, u"static", u"Notes", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(cesim::CopyToClipboard(holder, u"earlier text"));
  ASSERT_TRUE(cesim::HoldClipboard(holder));
  // The command returns although the clipboard never opens.
  EXPECT_EQ(Invoke("0"), S_OK);
  EXPECT_TRUE(cesim::ReadClipboard().heldByAnotherApplication);
  EXPECT_EQ(cesim::ReadClipboard().formats, std::vector<UINT>{CF_UNICODETEXT});
  ASSERT_TRUE(cesim::ReleaseClipboard());
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"earlier text"));
  // The block meant for the clipboard was given back.
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u);
  DestroyWindow(holder);
}

}  // namespace
}  // namespace foldwise_test

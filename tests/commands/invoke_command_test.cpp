// InvokeCommand's dispatch: the invocation record's size, the verb text, offsets outside the
// five commands.
#include "command_fixture.h"

namespace foldwise_test {
namespace {

class InvokeCommandTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    device.image.AddFile(u"\\My Documents\\Letter.doc", "text");
  }
};

TEST_F(InvokeCommandTest, ARecordOfAnotherSizeIsRefused) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  // The device's record is 36 bytes; this platform's is what sizeof says. Neither one byte more
  // nor less is taken.
  for (DWORD size : {static_cast<DWORD>(sizeof(CMINVOKECOMMANDINFO) + 4), static_cast<DWORD>(40),
                     static_cast<DWORD>(sizeof(CMINVOKECOMMANDINFO) - 4), static_cast<DWORD>(0)}) {
    if (size == sizeof(CMINVOKECOMMANDINFO)) continue;
    CMINVOKECOMMANDINFO info = Record("0");
    info.cbSize = size;
    EXPECT_EQ(menu->InvokeCommand(&info), E_INVALIDARG) << size;
  }
  EXPECT_FALSE(cesim::ClipboardText().has_value());
  EXPECT_EQ(menu->InvokeCommand(nullptr), E_POINTER);
}

TEST_F(InvokeCommandTest, TheRecordOfThePlatformsSizeIsTaken) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  EXPECT_EQ(Invoke("0"), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Letter.doc"));
}

TEST_F(InvokeCommandTest, OffsetsOutsideTheCommandsDoNothing) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  for (const char* verb : {"5", "-1", "4294967295", "100"}) {
    EXPECT_EQ(Invoke(verb), S_OK) << verb;
  }
  EXPECT_FALSE(cesim::ClipboardText().has_value());
  EXPECT_TRUE(cesim::LaunchLog().empty());
  EXPECT_TRUE(cesim::MessageBoxesShown().empty());
}

TEST_F(InvokeCommandTest, AVerbThatIsNoNumberReadsAsCopyPath) {
  EXPECT_EQ(Run(u"\\My Documents\\Letter.doc", "open"), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Letter.doc"));
}

TEST_F(InvokeCommandTest, AVerbGivenAsABareOffsetIsTakenAsThatOffset) {
  ASSERT_TRUE(Select(u"\\My Documents\\Letter.doc"));
  CMINVOKECOMMANDINFO info = Record(nullptr);
  info.lpVerb = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(0));
  EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"\\My Documents\\Letter.doc"));
  cesim::CopyToClipboard(owner, u"earlier");
  info.lpVerb = reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(7));
  EXPECT_EQ(menu->InvokeCommand(&info), S_OK);
  EXPECT_EQ(cesim::ClipboardText(), std::u16string(u"earlier"));
}

}  // namespace
}  // namespace foldwise_test

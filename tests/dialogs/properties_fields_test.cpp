// What the properties dialog shows: a document, a program with version information, a shortcut,
// a folder, a file in ROM and a storage card, each as the user reads the full-screen dialog.
#include "dialog_fixture.h"
#include "resources/resource_ids.h"
#include "sample_programs.h"

namespace foldwise_test {
namespace {

const std::u16string kLetter = u"\\My Documents\\Letter.doc";
const std::u16string kToolBox = u"\\Program Files\\Tool Box\\box.exe";
const std::u16string kCalculator = u"\\Windows\\Start Menu\\Programs\\Calculator.lnk";
// 2009-03-14 15:09:26 UTC.
const long long kLetterWritten = 1237043366;

class PropertiesFieldsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    device.image.SetScreen(240, 320)
        .SetTimeZoneBias(60)
        .AddFile(kLetter, std::string(1234, 'x'))
        .AddFile(kCalculator, "17#\\Windows\\calc.exe")
        .AddFolder(u"\\My Documents\\Plans")
        .AddRegistry("[HKEY_CLASSES_ROOT\\.doc]\n@=\"docfile\"\n\n"
                     "[HKEY_CLASSES_ROOT\\docfile]\n@=\"Document\"\n\n");
  }
};

TEST_F(PropertiesFieldsTest, ADocumentShowsItsNameTypeSizeInBytesAndLocalTime) {
  SetModified(kLetter, kLetterWritten);
  PropertiesView shown = PropertiesOf(kLetter);
  ASSERT_TRUE(shown.found);
  EXPECT_EQ(shown.name, u"Letter.doc");
  EXPECT_FALSE(shown.nameReadOnly);
  EXPECT_EQ(shown.type, u"Document");
  EXPECT_EQ(shown.sizeLabel, u"Size:");
  EXPECT_EQ(shown.size, u"1234 bytes") << "plain digits, no grouping";
  // An hour west of UTC.
  EXPECT_EQ(shown.modified, u"3/14/2009 2:09:26 PM");
  EXPECT_TRUE(shown.modifiedShown);
  EXPECT_FALSE(shown.targetShown);
  EXPECT_FALSE(shown.versionButtonShown);
  EXPECT_TRUE(shown.readOnlyEnabled);
  EXPECT_TRUE(shown.hiddenEnabled);
  EXPECT_FALSE(shown.readOnlyChecked);
  EXPECT_FALSE(shown.hiddenChecked);
  EXPECT_EQ(shown.icon, std::optional<std::u16string>(u"document"));
}

}  // namespace
}  // namespace foldwise_test

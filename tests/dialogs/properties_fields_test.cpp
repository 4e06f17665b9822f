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

TEST_F(PropertiesFieldsTest, TheDialogFillsTheScreenWithADoneButton) {
  PropertiesView shown = PropertiesOf(kLetter);
  EXPECT_TRUE(shown.doneButton);
  EXPECT_EQ(shown.rect.left, 0);
  EXPECT_EQ(shown.rect.top, 0);
  EXPECT_EQ(shown.rect.right, 240);
  EXPECT_EQ(shown.rect.bottom, 320 - 26) << "the menu bar's place stays free";
}

TEST_F(PropertiesFieldsTest, TheShownIconIsDestroyedWithTheDialog) {
  PropertiesOf(kLetter);
  EXPECT_EQ(cesim::LiveIcons(), 0u);
}

TEST_F(PropertiesFieldsTest, AProgramWithVersionInformationShowsTheVersionButton) {
  const std::string box = SampleProgram("box.exe");
  ASSERT_FALSE(box.empty());
  device.image.AddFile(kToolBox, box);
  PropertiesView shown = PropertiesOf(kToolBox);
  EXPECT_EQ(shown.name, u"box.exe");
  EXPECT_EQ(shown.type, u"EXE File");
  EXPECT_EQ(shown.size, cesim::Widen(std::to_string(box.size()) + " bytes"));
  EXPECT_TRUE(shown.versionButtonShown);
  EXPECT_FALSE(shown.targetShown) << "the button and the target share one place";
}

TEST_F(PropertiesFieldsTest, AProgramWithoutVersionInformationHasNoVersionButton) {
  device.image.AddFile(u"\\Windows\\plain.exe", SampleProgram("plain.exe"));
  EXPECT_FALSE(PropertiesOf(u"\\Windows\\plain.exe").versionButtonShown);
}

TEST_F(PropertiesFieldsTest, AShortcutShowsItsTargetAsStored) {
  PropertiesView shown = PropertiesOf(kCalculator);
  EXPECT_EQ(shown.name, u"Calculator.lnk");
  EXPECT_TRUE(shown.targetShown);
  EXPECT_FALSE(shown.targetReadOnly);
  EXPECT_EQ(shown.target, u"\\Windows\\calc.exe");
  EXPECT_FALSE(shown.versionButtonShown);
}

TEST_F(PropertiesFieldsTest, AQuotedTargetKeepsItsQuotes) {
  device.image.AddFile(u"\\Windows\\Box.lnk", "33#\"\\Program Files\\Tool Box\\box.exe\"");
  EXPECT_EQ(PropertiesOf(u"\\Windows\\Box.lnk").target, u"\"\\Program Files\\Tool Box\\box.exe\"");
}

TEST_F(PropertiesFieldsTest, AnUnreadableShortcutShowsAnEmptyTarget) {
  device.image.AddFile(u"\\Windows\\Broken.lnk", "#no number");
  PropertiesView shown = PropertiesOf(u"\\Windows\\Broken.lnk");
  EXPECT_TRUE(shown.targetShown);
  EXPECT_EQ(shown.target, u"");
}

TEST_F(PropertiesFieldsTest, WithoutTheShellLibraryAShortcutIsKnownByItsExtension) {
  device.image.SetSystemModule("ceshell", false);
  PropertiesView shown = PropertiesOf(kCalculator);
  EXPECT_TRUE(shown.targetShown);
  EXPECT_EQ(shown.target, u"\\Windows\\calc.exe");
}

TEST_F(PropertiesFieldsTest, AFolderNamedLikeAShortcutIsNoShortcut) {
  device.image.AddFolder(u"\\My Documents\\Links.lnk");
  PropertiesView shown = PropertiesOf(u"\\My Documents\\Links.lnk");
  EXPECT_FALSE(shown.targetShown);
  EXPECT_EQ(shown.size, u"");
}

TEST_F(PropertiesFieldsTest, AFolderShowsNoSizeAndDisabledBoxesButAnEditableName) {
  PropertiesView shown = PropertiesOf(u"\\My Documents\\Plans");
  EXPECT_EQ(shown.name, u"Plans");
  EXPECT_EQ(shown.type, u"Folder");
  EXPECT_EQ(shown.sizeLabel, u"Size:");
  EXPECT_EQ(shown.size, u"");
  EXPECT_FALSE(shown.readOnlyEnabled);
  EXPECT_FALSE(shown.hiddenEnabled);
  EXPECT_FALSE(shown.nameReadOnly);
  EXPECT_TRUE(shown.modifiedShown);
  EXPECT_FALSE(shown.modified.empty());
}

TEST_F(PropertiesFieldsTest, AFileInRomIsShownLocked) {
  device.image.AddFile(u"\\Windows\\calc.exe", "MZ", FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_READONLY);
  PropertiesView shown = PropertiesOf(u"\\Windows\\calc.exe");
  EXPECT_EQ(shown.type, u"EXE File (ROM)");
  EXPECT_TRUE(shown.nameReadOnly);
  EXPECT_TRUE(shown.targetReadOnly);
  EXPECT_FALSE(shown.readOnlyEnabled);
  EXPECT_FALSE(shown.hiddenEnabled);
  EXPECT_TRUE(shown.readOnlyChecked) << "the boxes still show the attributes";
}

TEST_F(PropertiesFieldsTest, AShortcutInRomHasAReadOnlyTarget) {
  device.image.AddFile(u"\\Windows\\Tools.lnk", "17#\\Windows\\calc.exe", FILE_ATTRIBUTE_INROM);
  PropertiesView shown = PropertiesOf(u"\\Windows\\Tools.lnk");
  EXPECT_TRUE(shown.targetShown);
  EXPECT_TRUE(shown.targetReadOnly);
  EXPECT_EQ(shown.type.substr(shown.type.size() - 6), u" (ROM)");
}

TEST_F(PropertiesFieldsTest, CheckedBoxesShowTheAttributes) {
  device.image.AddFile(u"\\My Documents\\secret.txt", "", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  PropertiesView shown = PropertiesOf(u"\\My Documents\\secret.txt");
  EXPECT_TRUE(shown.readOnlyChecked);
  EXPECT_TRUE(shown.hiddenChecked);
  EXPECT_EQ(shown.size, u"0 bytes");
}

TEST_F(PropertiesFieldsTest, AStorageCardShowsFreeAndTotalSpaceAndNoTime) {
  device.image.AddVolume(u"\\Storage Card", 123456789, 1500000000);
  PropertiesView shown = PropertiesOf(u"\\Storage Card");
  EXPECT_EQ(shown.sizeLabel, u"Free/Total:");
  EXPECT_EQ(shown.size, u"117.7/1430.5 MB");
  EXPECT_FALSE(shown.modifiedShown);
  EXPECT_TRUE(shown.nameReadOnly);
  EXPECT_FALSE(shown.readOnlyEnabled);
  EXPECT_FALSE(shown.hiddenEnabled);
  EXPECT_EQ(shown.type, u"Storage Card");
}

TEST_F(PropertiesFieldsTest, TheTenthOfAMegabyteIsTruncated) {
  device.image.AddVolume(u"\\Storage Card", 1048575, 1048576 * 3 + 1048575);
  EXPECT_EQ(PropertiesOf(u"\\Storage Card").size, u"0.9/3.9 MB");
}

TEST_F(PropertiesFieldsTest, TheDateAndTimeShareOneBudgetOf32Characters) {
  // "Saturday, March 14, 2009" and a space leave too little for the time.
  device.image.SetLocale("shortdate", "dddd, MMMM dd, yyyy");
  SetModified(kLetter, kLetterWritten);
  EXPECT_EQ(PropertiesOf(kLetter).modified, u"Saturday, March 14, 2009");
}

TEST_F(PropertiesFieldsTest, ATimeThatFitsTheBudgetExactlyIsShown) {
  // 8 + 1 + 10 characters.
  device.image.SetLocale("shortdate", "dd.MM.yy");
  SetModified(kLetter, kLetterWritten);
  EXPECT_EQ(PropertiesOf(kLetter).modified, u"14.03.09 2:09:26 PM");
}

TEST_F(PropertiesFieldsTest, AnItemThatIsGoneShowsItsNameAndNothingToChange) {
  PropertiesView shown = PropertiesOf(u"\\My Documents\\Gone.doc");
  ASSERT_TRUE(shown.found);
  EXPECT_EQ(shown.name, u"Gone.doc");
  EXPECT_TRUE(shown.nameReadOnly);
  EXPECT_EQ(shown.size, u"");
  EXPECT_EQ(shown.modified, u"");
  EXPECT_FALSE(shown.readOnlyEnabled);
  EXPECT_FALSE(shown.hiddenEnabled);
}

TEST_F(PropertiesFieldsTest, ThePropertiesOfAnEarlierItemDoNotShowForOneThatIsGone) {
  // A first dialog for the letter, then one for a missing file on a fresh object.
  PropertiesOf(kLetter);
  menu->Release();
  menu = nullptr;
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu));
  factory->Release();
  ASSERT_NE(menu, nullptr);
  DataObjectDouble data(DropListBlock({u"\\My Documents\\Gone.doc"}));
  SiteDouble site(&data);
  IObjectWithSite* withSite = nullptr;
  menu->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&withSite));
  ASSERT_EQ(withSite->SetSite(&site), S_OK);
  HMENU host = CreatePopupMenu();
  menu->QueryContextMenu(host, 0, kFirst, kFirst + 20, CMF_NORMAL);
  PropertiesView shown;
  cesim::WhenIdle([&] {
    shown = ReadProperties(TopDialog());
    TapDone(TopDialog());
  });
  EXPECT_EQ(Invoke("1"), S_OK);
  withSite->SetSite(nullptr);
  withSite->Release();
  DestroyMenu(host);
  EXPECT_EQ(shown.size, u"");
  EXPECT_EQ(shown.type.find(u"Document"), std::u16string::npos);
}

}  // namespace
}  // namespace foldwise_test

// What the properties dialog applies on OK: a shortcut's new target, the two attributes and the
// new name, in that order; nothing on Cancel; nothing that would lose a shortcut or act on a cut
// path or target.
#include "booted_device.h"
#include "device_files.h"
#include "dialog_fixture.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

const std::u16string kFolder = u"\\My Documents";
const std::u16string kLetter = u"\\My Documents\\Letter.doc";
const std::u16string kShortcut = u"\\My Documents\\Calculator.lnk";
// A stored count that does not match the target: a shortcut the shell wrote anew would hold 17.
const std::string kStoredShortcut = "99#\\Windows\\calc.exe";

std::u16string ShortcutLine(const std::u16string& target) {
  return cesim::Widen(std::to_string(target.size()) + "#") + target;
}

DWORD Attributes(const std::u16string& path) { return GetFileAttributesW(path.c_str()); }

class PropertiesEditsTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    device.image.AddFile(kLetter, "text").AddFile(kShortcut, kStoredShortcut).AddFolder(u"\\My Documents\\Plans");
  }

  // Opens the properties of the path, lets the user do `edit` and taps Done.
  HRESULT EditAndOk(const std::u16string& path, const Step& edit) {
    return OpenProperties(path, {edit, [](HWND dialog) { TapDone(dialog); }});
  }

  std::vector<std::u16string> Documents() { return FolderNames(kFolder); }
};

TEST_F(PropertiesEditsTest, OkWithoutChangesChangesNothing) {
  EXPECT_EQ(EditAndOk(kShortcut, [](HWND) {}), S_OK);
  EXPECT_EQ(FirstLine(kShortcut), cesim::Widen(kStoredShortcut)) << "an unchanged target is not rewritten";
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}));
}

TEST_F(PropertiesEditsTest, AChangedTargetRewritesTheShortcutAtItsPath) {
  EditAndOk(kShortcut, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe"); });
  EXPECT_EQ(FirstLine(kShortcut), ShortcutLine(u"\\Windows\\pword.exe"));
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}))
      << "nothing is left beside it";
}

TEST_F(PropertiesEditsTest, OneCharacterOfTheTargetIsAChange) {
  EditAndOk(kShortcut, [](HWND dialog) {
    TapItem(dialog, IDC_PROP_TARGET);
    cesim::PressKey(VK_END);
    cesim::PressKey(VK_BACK);
    cesim::TypeText(u"X");
  });
  EXPECT_EQ(FirstLine(kShortcut), ShortcutLine(u"\\Windows\\calc.exX"));
}

TEST_F(PropertiesEditsTest, ARewrittenShortcutKeepsItsAttributes) {
  device.image.SetAttributes(kShortcut, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EditAndOk(kShortcut, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe"); });
  EXPECT_EQ(FirstLine(kShortcut), ShortcutLine(u"\\Windows\\pword.exe"));
  EXPECT_EQ(Attributes(kShortcut) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

TEST_F(PropertiesEditsTest, ATargetTheShellCannotStoreLeavesTheShortcutAsItWas) {
  // The shell stores targets of up to 255 characters; this one, of 257, fits the field's buffer.
  const std::u16string longTarget = u"\\Windows\\" + std::u16string(244, u'a') + u".exe";
  ASSERT_EQ(longTarget.size(), 257u);
  EditAndOk(kShortcut, [&](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, longTarget); });
  EXPECT_EQ(FirstLine(kShortcut), cesim::Widen(kStoredShortcut)) << "the user's shortcut is not lost";
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}));
}

TEST_F(PropertiesEditsTest, ATargetOf260CharactersLeavesTheShortcutAsItWas) {
  const std::u16string tooLong(260, u'b');
  EditAndOk(kShortcut, [&](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, tooLong); });
  EXPECT_EQ(FirstLine(kShortcut), cesim::Widen(kStoredShortcut));
}

TEST_F(PropertiesEditsTest, AReadOnlyShortcutThatCannotGoKeepsItsTarget) {
  device.image.SetAttributes(kShortcut, FILE_ATTRIBUTE_READONLY);
  EditAndOk(kShortcut, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe"); });
  EXPECT_EQ(FirstLine(kShortcut), cesim::Widen(kStoredShortcut));
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}))
      << "the new shortcut made beside it went again";
}

TEST_F(PropertiesEditsTest, ATakenSiblingNameIsPassedOver) {
  device.image.AddFile(u"\\My Documents\\Calculator.ln~", "keep");
  EditAndOk(kShortcut, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe"); });
  EXPECT_EQ(FirstLine(kShortcut), ShortcutLine(u"\\Windows\\pword.exe"));
  EXPECT_EQ(FirstLine(u"\\My Documents\\Calculator.ln~"), u"keep");
}

TEST_F(PropertiesEditsTest, SwitchingOnHiddenKeepsEveryOtherBit) {
  device.image.SetAttributes(kLetter, FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(Select(kLetter));
  const DWORD before = Attributes(kLetter);
  cesim::WhenIdle([this] { TapItem(TopDialog(), IDC_PROP_HIDDEN); });
  cesim::WhenIdle([this] { TapDone(TopDialog()); });
  EXPECT_EQ(Invoke("1"), S_OK);
  EXPECT_EQ(Attributes(kLetter), before | FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(PropertiesEditsTest, SwitchingOffReadOnlyClearsIt) {
  device.image.SetAttributes(kLetter, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
  EditAndOk(kLetter, [](HWND dialog) { TapItem(dialog, IDC_PROP_READONLY); });
  EXPECT_EQ(Attributes(kLetter) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(PropertiesEditsTest, ANewNameMovesTheItemWithinItsFolder) {
  EditAndOk(kLetter, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, u"Reply.doc"); });
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Plans\\", u"Reply.doc"}));
}

TEST_F(PropertiesEditsTest, RenamingAFolderMovesIt) {
  device.image.AddFile(u"\\My Documents\\Plans\\a.txt", "a");
  EditAndOk(u"\\My Documents\\Plans", [](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, u"Ideas"); });
  EXPECT_EQ(FolderNames(u"\\My Documents\\Ideas"), std::vector<std::u16string>{u"a.txt"});
}

TEST_F(PropertiesEditsTest, ChangingOnlyTheLetterCaseDoesNothing) {
  EditAndOk(kLetter, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, u"LETTER.DOC"); });
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}));
}

TEST_F(PropertiesEditsTest, AnEmptyNameIsNotApplied) {
  EditAndOk(kLetter, [](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, u""); });
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}));
}

TEST_F(PropertiesEditsTest, ANameThatMakesThePath259CharactersLongIsApplied) {
  std::u16string parent;
  const std::u16string longPath = PathOfLength(u"\\Deep", 259, &parent);
  const std::u16string newName = longPath.substr(parent.size() + 1);
  device.image.AddFile(parent + u"\\x", "x");
  EditAndOk(parent + u"\\x", [&](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, newName); });
  EXPECT_EQ(FolderNames(parent), std::vector<std::u16string>{newName});
}

TEST_F(PropertiesEditsTest, ANameThatMakesThePathLongerThanAPathCanBeIsRefused) {
  std::u16string parent;
  const std::u16string longPath = PathOfLength(u"\\Deep", 260, &parent);
  const std::u16string newName = longPath.substr(parent.size() + 1);
  device.image.AddFile(parent + u"\\x", "x");
  EditAndOk(parent + u"\\x", [&](HWND dialog) { ReplaceText(dialog, IDC_PROP_NAME, newName); });
  EXPECT_EQ(FolderNames(parent), std::vector<std::u16string>{u"x"}) << "not moved to a cut name";
}

TEST_F(PropertiesEditsTest, TargetAttributesAndNameAreAppliedInThatOrder) {
  EditAndOk(kShortcut, [](HWND dialog) {
    ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe");
    TapItem(dialog, IDC_PROP_HIDDEN);
    ReplaceText(dialog, IDC_PROP_NAME, u"Writer.lnk");
  });
  const std::u16string renamed = u"\\My Documents\\Writer.lnk";
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Letter.doc", u"Plans\\", u"Writer.lnk"}));
  EXPECT_EQ(FirstLine(renamed), ShortcutLine(u"\\Windows\\pword.exe"));
  EXPECT_NE(Attributes(renamed) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(PropertiesEditsTest, CancelAppliesNothing) {
  OpenProperties(kShortcut, {[](HWND dialog) {
                               ReplaceText(dialog, IDC_PROP_TARGET, u"\\Windows\\pword.exe");
                               TapItem(dialog, IDC_PROP_HIDDEN);
                               ReplaceText(dialog, IDC_PROP_NAME, u"Writer.lnk");
                             },
                             [](HWND dialog) { PressEscape(dialog); }});
  EXPECT_EQ(Documents(), (std::vector<std::u16string>{u"Calculator.lnk", u"Letter.doc", u"Plans\\"}));
  EXPECT_EQ(FirstLine(kShortcut), cesim::Widen(kStoredShortcut));
  EXPECT_EQ(Attributes(kShortcut) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(PropertiesEditsTest, AFileInRomStaysAsItIs) {
  device.image.AddFile(u"\\ROM\\calc.exe", "MZ", FILE_ATTRIBUTE_INROM);
  ASSERT_TRUE(Select(u"\\ROM\\calc.exe"));
  const DWORD before = Attributes(u"\\ROM\\calc.exe");
  cesim::WhenIdle([this] {
    HWND dialog = TopDialog();
    TapItem(dialog, IDC_PROP_HIDDEN);
    TapItem(dialog, IDC_PROP_NAME);
    cesim::TypeText(u"x");
  });
  cesim::WhenIdle([this] { TapDone(TopDialog()); });
  EXPECT_EQ(Invoke("1"), S_OK);
  EXPECT_EQ(Attributes(u"\\ROM\\calc.exe"), before);
  EXPECT_EQ(FolderNames(u"\\ROM"), std::vector<std::u16string>{u"calc.exe"});
}

}  // namespace
}  // namespace foldwise_test

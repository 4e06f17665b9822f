// Open with Parameters: the dialog's caption and field, the program started with what the user
// typed, and Cancel.
#include "command_fixture.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

const char* const kOpenWithParameters = "2";

class ParametersDialogTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    device.image.AddFile(u"\\Windows\\calc.exe", "MZ").AddFile(u"\\Program Files\\Tool Box\\box.exe", "MZ");
  }

  // Runs the command for the program; inside the dialog the user types the text and taps the OK
  // button on the caption. What the dialog showed is kept.
  void TypeAndConfirm(const std::u16string& program, const std::u16string& text) {
    ASSERT_TRUE(Select(program));
    InDialog({[this, text] {
                dialog = OwnedDialog();
                shown = cesim::Describe(dialog);
                field = GetDlgItem(dialog, IDC_PARAMETERS);
                focusOnField = GetFocus() == field;
                cesim::TypeText(text);
              },
              [this] { EXPECT_TRUE(cesim::TapCaptionOkButton(dialog)); }});
    EXPECT_EQ(Invoke(kOpenWithParameters), S_OK);
    EXPECT_FALSE(IsWindow(dialog));
  }

  HWND dialog = nullptr;
  HWND field = nullptr;
  bool focusOnField = false;
  cesim::WindowDescription shown;
};

TEST_F(ParametersDialogTest, TheCaptionIsTheProgramsFileNameAndTheFieldHasTheFocus) {
  TypeAndConfirm(u"\\Windows\\calc.exe", u"");
  EXPECT_EQ(shown.text, u"calc.exe");
  EXPECT_TRUE(focusOnField);
  EXPECT_NE(shown.exStyle & WS_EX_CAPTIONOKBTN, 0u);
}

TEST_F(ParametersDialogTest, OkStartsTheProgramWithTheTypedParameters) {
  TypeAndConfirm(u"\\Program Files\\Tool Box\\box.exe", u"-open \"\\My Documents\\a b.txt\"");
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].call, "ShellExecuteEx");
  EXPECT_EQ(log[0].file, u"\\Program Files\\Tool Box\\box.exe");
  EXPECT_EQ(log[0].programPath, u"\\Program Files\\Tool Box\\box.exe");
  EXPECT_EQ(log[0].parameters, u"-open \"\\My Documents\\a b.txt\"");
  EXPECT_EQ(log[0].verb, u"open");
}

TEST_F(ParametersDialogTest, AnEmptyFieldStartsTheProgramWithEmptyParameters) {
  TypeAndConfirm(u"\\Windows\\calc.exe", u"");
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].programPath, u"\\Windows\\calc.exe");
  EXPECT_EQ(log[0].parameters, u"");
}

TEST_F(ParametersDialogTest, TheFieldTakesNoMoreThanTheParametersThatArePassed) {
  std::u16string typed(300, u'p');
  TypeAndConfirm(u"\\Windows\\calc.exe", typed);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, typed.substr(0, 259));
}

TEST_F(ParametersDialogTest, ALongerTextPutIntoTheFieldIsPassedCutTo259Characters) {
  ASSERT_TRUE(Select(u"\\Windows\\calc.exe"));
  std::u16string text(300, u'q');
  InDialog({[this, text] {
              dialog = OwnedDialog();
              SetWindowTextW(GetDlgItem(dialog, IDC_PARAMETERS), text.c_str());
              cesim::PressKey(VK_RETURN);
            }});
  EXPECT_EQ(Invoke(kOpenWithParameters), S_OK);
  auto log = cesim::LaunchLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].parameters, text.substr(0, 259));
}

TEST_F(ParametersDialogTest, CancelStartsNothing) {
  ASSERT_TRUE(Select(u"\\Windows\\calc.exe"));
  InDialog({[this] {
              dialog = OwnedDialog();
              cesim::TypeText(u"-x");
            },
            [] { cesim::PressKey(VK_ESCAPE); }});
  EXPECT_EQ(Invoke(kOpenWithParameters), S_OK);
  EXPECT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(cesim::LaunchLog().empty());
}

}  // namespace
}  // namespace foldwise_test

// MessageBoxW against the platform's documentation: a modal box owned by the window given (which
// is disabled while it shows), answered by the user through automation; it returns the
// identifier of the button pressed. Escape gives IDCANCEL only when there is a Cancel button,
// IDOK on a box whose one button is OK, and nothing on Yes/No (MessageBox, Remarks); Enter
// presses the default button of MB_DEFBUTTONn. A box nobody answers is a stalled message loop.
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &DefWindowProcW;
    cls.lpszClassName = u"Owner";
    ASSERT_NE(RegisterClassW(&cls), 0);
    owner = CreateWindowExW(0, u"Owner", u"owner", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_NE(owner, nullptr);
  }

  int Ask(UINT type) { return MessageBoxW(owner, u"Overwrite current association?", u"Confirm Overwrite", type); }

  foldwise_test::BootedDevice device;
  HWND owner = nullptr;
};

class MessageBoxAnswerTest : public MessageBoxTest, public ::testing::WithParamInterface<int> {};

TEST_P(MessageBoxAnswerTest, YesNoCancelReturnsTheButtonPressed) {
  cesim::AnswerMessageBox(GetParam());
  EXPECT_EQ(Ask(MB_YESNOCANCEL | MB_ICONQUESTION), GetParam());
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
  EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is back";
}

INSTANTIATE_TEST_SUITE_P(EachButton, MessageBoxAnswerTest, ::testing::Values(IDYES, IDNO, IDCANCEL));

TEST_F(MessageBoxTest, TheUserSeesTheTextCaptionButtonsAndIconOfTheBox) {
  std::optional<cesim::MessageBoxView> seen;
  bool ownerEnabled = true;
  std::u16string className;
  cesim::WhenIdle([&] {
    seen = cesim::ShownMessageBox();
    ownerEnabled = IsWindowEnabled(owner) != FALSE;
    if (seen) className = cesim::Describe(seen->window).className;
    cesim::PressMessageBoxButton(IDNO);
  });
  EXPECT_EQ(Ask(MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->caption, u"Confirm Overwrite");
  EXPECT_EQ(seen->text, u"Overwrite current association?");
  EXPECT_EQ(seen->buttons, std::vector<int>({IDYES, IDNO, IDCANCEL}));
  EXPECT_EQ(seen->defaultButton, IDYES);
  EXPECT_EQ(seen->type & MB_ICONMASK, UINT(MB_ICONQUESTION));
  EXPECT_EQ(seen->owner, owner);
  EXPECT_FALSE(ownerEnabled) << "modal to its owner";
  EXPECT_EQ(className, u"Dialog");
  EXPECT_FALSE(IsWindow(seen->window)) << "gone once answered";
  EXPECT_FALSE(cesim::ShownMessageBox().has_value());
}

TEST_F(MessageBoxTest, EveryBoxIsKeptWithItsAnswerInOrder) {
  cesim::AnswerMessageBox(IDOK);
  cesim::AnswerMessageBox(IDNO);
  EXPECT_EQ(MessageBoxW(owner, u"first", u"one", MB_OK), IDOK);
  EXPECT_EQ(MessageBoxW(nullptr, u"second", u"two", MB_YESNO), IDNO);
  const std::vector<cesim::MessageBoxView> boxes = cesim::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"first");
  EXPECT_EQ(boxes[0].answer, IDOK);
  EXPECT_EQ(boxes[1].caption, u"two");
  EXPECT_EQ(boxes[1].owner, nullptr);
  EXPECT_EQ(boxes[1].buttons, std::vector<int>({IDYES, IDNO}));
  EXPECT_EQ(boxes[1].answer, IDNO);
}

TEST_F(MessageBoxTest, EscapeCancelsABoxWithACancelButton) {
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  EXPECT_EQ(Ask(MB_YESNOCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, EscapeDoesNothingOnYesAndNo) {
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  bool stillShown = false;
  cesim::WhenIdle([&] {
    stillShown = cesim::ShownMessageBox().has_value();
    cesim::PressMessageBoxButton(IDYES);
  });
  EXPECT_EQ(Ask(MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_TRUE(stillShown);
}

TEST_F(MessageBoxTest, EscapeOnABoxWithOnlyOkAnswersOk) {
  cesim::WhenIdle([] { cesim::PressKey(VK_ESCAPE); });
  EXPECT_EQ(Ask(MB_OK), IDOK);
}

TEST_F(MessageBoxTest, EnterPressesTheDefaultButton) {
  cesim::WhenIdle([] { cesim::PressKey(VK_RETURN); });
  EXPECT_EQ(Ask(MB_YESNO | MB_DEFBUTTON2), IDNO);
}

TEST_F(MessageBoxTest, ADefaultButtonPastTheLastLeavesTheFirst) {
  std::optional<cesim::MessageBoxView> seen;
  cesim::WhenIdle([&] {
    seen = cesim::ShownMessageBox();
    cesim::PressKey(VK_RETURN);
  });
  EXPECT_EQ(Ask(MB_YESNO | MB_DEFBUTTON3), IDYES);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->defaultButton, IDYES);
}

TEST_F(MessageBoxTest, AButtonTheBoxLacksCannotBePressed) {
  bool pressed = true;
  cesim::WhenIdle([&] {
    pressed = cesim::PressMessageBoxButton(IDCANCEL);
    cesim::PressMessageBoxButton(IDNO);
  });
  EXPECT_EQ(Ask(MB_YESNO), IDNO);
  EXPECT_FALSE(pressed);
  EXPECT_FALSE(cesim::PressMessageBoxButton(IDOK)) << "no box shows";
}

TEST_F(MessageBoxTest, ABoxNobodyAnswersIsAStall) {
  EXPECT_EQ(Ask(MB_YESNO), 0);
  EXPECT_EQ(cesim::MessageLoopStalls(), 1);
  ASSERT_EQ(cesim::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(cesim::MessageBoxesShown()[0].answer, 0);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(MessageBoxTest, AMissingCaptionIsError) {
  cesim::AnswerMessageBox(IDOK);
  EXPECT_EQ(MessageBoxW(owner, u"text", nullptr, MB_OK), IDOK);
  EXPECT_EQ(cesim::MessageBoxesShown().at(0).caption, u"Error");
}

TEST_F(MessageBoxTest, AStaleOwnerOrAnUnknownButtonSetShowsNothing) {
  HWND gone = CreateWindowExW(0, u"Owner", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(DestroyWindow(gone));
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(gone, u"text", u"caption", MB_OK), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  SetLastError(0);
  EXPECT_EQ(MessageBoxW(owner, u"text", u"caption", 0x7), 0);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(cesim::MessageBoxesShown().empty());
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
}

}  // namespace

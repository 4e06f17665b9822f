// The edit control read-only (ES_READONLY) and with several lines (ES_MULTILINE): a read-only
// control takes no typing but the program's text; a multi-line one breaks its line at Enter with
// "\r\n", counts and measures its lines, and asks the dialog manager for every key.
#include "conformance.h"
#include "test_windows.h"

namespace conformance {
namespace {

class EditLinesTest : public ConformanceTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.Start());
    parent = CreateTestWindow(host, WS_POPUP | WS_VISIBLE, RECT{0, 0, 240, 200});
    ASSERT_NE(parent, nullptr);
  }
  // Wide enough, and scrolling sideways, so that no line wraps on either platform's font.
  HWND Make(DWORD style) {
    edit = CreateWindowExW(0, TEXT("Edit"), TEXT(""), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | style, 5, 5,
                           230, 120, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(61)), nullptr, nullptr);
    return edit;
  }
  Text TextOf() {
    WCHAR text[128] = {};
    GetWindowTextW(edit, text, 128);
    return text;
  }
  void Focus() {
    host.Activate(parent);
    SetFocus(edit);
    host.Pump();
  }
  // Letter keys without Shift: the control gets the small letters.
  void Type(const char* keys) {
    for (const char* k = keys; *k != 0; ++k) host.PressKey(static_cast<UINT>(*k));
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessageW(edit, message, wParam, lParam); }

  HWND parent = nullptr;
  HWND edit = nullptr;
};

TEST_F(EditLinesTest, AReadOnlyControlTakesNoTypingButTheProgramsText) {
  ASSERT_NE(Make(ES_READONLY), nullptr);
  EXPECT_TRUE(SetWindowTextW(edit, TEXT("\\Windows\\calc.exe")));
  Focus();
  Type("AB");
  host.PressKey(VK_BACK);
  host.PressKey(VK_DELETE);
  EXPECT_EQ(TextOf(), Text(TEXT("\\Windows\\calc.exe")));
  EXPECT_NE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_TRUE(Send(EM_SETREADONLY, FALSE));
  EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY, 0) << "EM_SETREADONLY keeps the style";
  Send(EM_SETSEL, 0, 0);
  Type("X");
  EXPECT_EQ(TextOf(), Text(TEXT("x\\Windows\\calc.exe")));
}

TEST_F(EditLinesTest, ASingleLineTakesNoLineBreakFromEnter) {
  ASSERT_NE(Make(0), nullptr);
  Focus();
  Type("AB");
  host.PressKey(VK_RETURN);
  Type("C");
  EXPECT_EQ(TextOf(), Text(TEXT("abc")));
  EXPECT_EQ(Send(EM_GETLINECOUNT), 1);
  EXPECT_EQ(Send(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
}

TEST_F(EditLinesTest, EnterBreaksTheLineOfAMultiLineControl) {
  ASSERT_NE(Make(ES_MULTILINE | ES_AUTOVSCROLL), nullptr);
  Focus();
  Type("AB");
  host.PressKey(VK_RETURN);
  Type("C");
  EXPECT_EQ(TextOf(), Text(TEXT("ab\r\nc")));
  EXPECT_EQ(Send(EM_GETLINECOUNT), 2);
  EXPECT_NE(Send(WM_GETDLGCODE) & DLGC_WANTALLKEYS, 0);
  host.PressKey(VK_BACK);
  host.PressKey(VK_BACK);
  EXPECT_EQ(TextOf(), Text(TEXT("ab"))) << "a line break goes with one Backspace";
}

TEST_F(EditLinesTest, TheLinesOfAMultiLineTextAreCountedAndMeasured) {
  ASSERT_NE(Make(ES_MULTILINE), nullptr);
  SetWindowTextW(edit, TEXT("FileVersion\r\n1.2\r\n\r\nend"));
  EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
  EXPECT_EQ(Send(EM_LINEINDEX, 0), 0);
  EXPECT_EQ(Send(EM_LINEINDEX, 1), 13);
  EXPECT_EQ(Send(EM_LINEINDEX, 3), 20);
  EXPECT_EQ(Send(EM_LINEINDEX, 4), -1);
  EXPECT_EQ(Send(EM_LINELENGTH, 13), 3);
  EXPECT_EQ(Send(EM_LINELENGTH, 18), 0);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 14), 1);
  EXPECT_EQ(Send(EM_LINEFROMCHAR, 22), 3);
  WCHAR line[16] = {};
  line[0] = 16;
  EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(Text(line, 3), Text(TEXT("1.2")));
}

TEST_F(EditLinesTest, HomeAndEndKeepToTheCaretsLine) {
  ASSERT_NE(Make(ES_MULTILINE), nullptr);
  SetWindowTextW(edit, TEXT("one\r\ntwo"));
  Focus();
  Send(EM_SETSEL, 6, 6);
  host.PressKey(VK_HOME);
  DWORD start = 0;
  DWORD end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 5u);
  host.PressKey(VK_UP);
  host.PressKey(VK_END);
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 3u);
  EXPECT_EQ(end, 3u);
}

}  // namespace
}  // namespace conformance

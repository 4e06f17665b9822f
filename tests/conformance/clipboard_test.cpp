// The clipboard: one window at a time has it open; emptying it makes that window the owner of what
// it places, and tells the owner before; a format placed without data is rendered by its owner when
// another program asks for it; an owner that goes away takes such formats with it.
#include "conformance.h"

namespace conformance {
namespace {

struct ClipboardHeard {
  int destroyClipboard = 0;
  int renderFormat = 0;
};
ClipboardHeard heard;

// A text as the clipboard keeps it: a movable block that the clipboard owns once it is placed.
HANDLE TextBlock(const Text& text) {
  HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR));
  if (block == nullptr) return nullptr;
  WCHAR* chars = static_cast<WCHAR*>(block);
  for (size_t i = 0; i < text.size(); ++i) chars[i] = text[i];
  return block;
}

Text TextOf(HANDLE data) {
  const WCHAR* text = static_cast<const WCHAR*>(GlobalLock(data));
  Text result = text != nullptr ? Text(text) : Text();
  GlobalUnlock(data);
  return result;
}

LRESULT CALLBACK ClipboardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROYCLIPBOARD) {
    ++heard.destroyClipboard;
    return 0;
  }
  if (message == WM_RENDERFORMAT) {
    ++heard.renderFormat;
    SetClipboardData(static_cast<UINT>(wParam), TextBlock(TEXT("rendered")));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ClipboardTest : public ConformanceTest {
 protected:
  void SetUp() override {
    heard = ClipboardHeard();
    ASSERT_TRUE(host.Start());
    host.RegisterWindowClass(TEXT("FoldwiseClipboardTest"), &ClipboardProc);
    first = Make();
    second = Make();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
  }
  void TearDown() override {
    // The desktop's clipboard outlives the test: leave it empty and closed.
    if (first != nullptr && OpenClipboard(first)) {
      EmptyClipboard();
      CloseClipboard();
    }
    if (first != nullptr) DestroyWindow(first);
    if (second != nullptr) DestroyWindow(second);
  }
  static HWND Make() {
    return CreateWindowExW(0, TEXT("FoldwiseClipboardTest"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
  }
  void Copy(HWND window, const Text& text) {
    ASSERT_TRUE(OpenClipboard(window));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(text)), nullptr);
    ASSERT_TRUE(CloseClipboard());
  }

  HWND first = nullptr;
  HWND second = nullptr;
};

TEST_F(ClipboardTest, CallsThatNeedTheClipboardOpenFailWithoutIt) {
  HANDLE block = TextBlock(TEXT("x"));
  SetLastError(0);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  LocalFree(block);
}

TEST_F(ClipboardTest, AnotherWindowCannotOpenTheClipboardWhileOneHasItOpen) {
  ASSERT_TRUE(OpenClipboard(first));
  EXPECT_FALSE(OpenClipboard(second));
  EXPECT_TRUE(OpenClipboard(first)) << "the window that has it open may open it again";
  EXPECT_EQ(GetOpenClipboardWindow(), first);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_TRUE(OpenClipboard(second));
  EXPECT_EQ(GetOpenClipboardWindow(), second);
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, EmptyingMakesTheOpenerTheOwnerOfWhatItPlaces) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), first);
  EXPECT_EQ(CountClipboardFormats(), 0);
  HANDLE block = TextBlock(TEXT("\\My Documents\\Letter.doc"));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), first) << "closing keeps the owner";
  ASSERT_TRUE(OpenClipboard(second));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOf(data), Text(TEXT("\\My Documents\\Letter.doc")));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, DataSetWithoutEmptyingJoinsWhatIsThereAndKeepsTheOwner) {
  Copy(first, TEXT("text"));
  ASSERT_TRUE(OpenClipboard(second));
  HANDLE block = LocalAlloc(LPTR, 8);
  EXPECT_EQ(SetClipboardData(CF_OEMTEXT, block), block);
  EXPECT_EQ(GetClipboardOwner(), first);
  EXPECT_EQ(TextOf(GetClipboardData(CF_UNICODETEXT)), Text(TEXT("text")));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, EmptyingTellsThePreviousOwner) {
  Copy(first, TEXT("text"));
  EXPECT_EQ(heard.destroyClipboard, 0) << "the owner's own emptying found nothing to destroy";
  ASSERT_TRUE(OpenClipboard(second));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(CloseClipboard());
  host.Pump();
  EXPECT_EQ(heard.destroyClipboard, 1);
  EXPECT_EQ(GetClipboardOwner(), second);
}

TEST_F(ClipboardTest, DelayedDataIsRenderedByTheOwnerWhenAskedFor) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, nullptr), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(heard.renderFormat, 0);
  ASSERT_TRUE(OpenClipboard(second));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOf(data), Text(TEXT("rendered")));
  EXPECT_EQ(heard.renderFormat, 1);
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnOwnerThatGoesAwayTakesItsDelayedFormats) {
  ASSERT_TRUE(OpenClipboard(second));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_TEXT, nullptr);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(DestroyWindow(second));
  second = nullptr;
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

}  // namespace
}  // namespace conformance

// The clipboard against the platform's documented behaviour: opening for a window (refused while
// another window holds it), emptying (the opener becomes the owner, the previous owner hears
// WM_DESTROYCLIPBOARD), placing Unicode text in a block of the device's heap that the clipboard
// then owns, delayed rendering through the owner, the calls that need the clipboard open, and
// another application holding it, copying to it and pasting from it (automation).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace {

// What the test windows heard of the clipboard.
struct Heard {
  std::vector<std::pair<HWND, UINT>> messages;
  // The text a window renders on WM_RENDERFORMAT; empty: it renders nothing.
  std::u16string renderText;
};
Heard heard;

HLOCAL TextBlock(const std::u16string& text) {
  HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR));
  std::copy(text.begin(), text.end(), static_cast<WCHAR*>(block));
  return block;
}

LRESULT CALLBACK ClipboardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROYCLIPBOARD:
      heard.messages.push_back({hwnd, message});
      return 0;
    case WM_RENDERFORMAT:
      heard.messages.push_back({hwnd, message});
      // The owner places the data without opening the clipboard.
      if (!heard.renderText.empty()) SetClipboardData(static_cast<UINT>(wParam), TextBlock(heard.renderText));
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

std::u16string TextOfBlock(HANDLE block) {
  const WCHAR* text = static_cast<const WCHAR*>(GlobalLock(block));
  std::u16string result = text != nullptr ? text : u"";
  GlobalUnlock(block);
  return result;
}

class ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    heard = Heard();
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &ClipboardWindowProc;
    cls.lpszClassName = u"ClipboardWindow";
    ASSERT_NE(RegisterClassW(&cls), 0);
    first = Make(u"first");
    second = Make(u"second");
    other = Make(u"another application");
  }

  static HWND Make(LPCWSTR text) {
    return CreateWindowExW(0, u"ClipboardWindow", text, WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  }

  // The program copies a text as Copy Path does.
  static void Copy(HWND window, const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(window));
    ASSERT_TRUE(EmptyClipboard());
    HLOCAL block = TextBlock(text);
    ASSERT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
    ASSERT_TRUE(CloseClipboard());
  }

  foldwise_test::BootedDevice device;
  HWND first = nullptr;
  HWND second = nullptr;
  HWND other = nullptr;
};

// --- Opening, emptying and ownership ---

TEST_F(ClipboardTest, TextPlacedByTheProgramIsWhatAPasterReads) {
  Copy(first, u"\\My Documents\\Letter.doc");
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"\\My Documents\\Letter.doc"));
  EXPECT_EQ(GetClipboardOwner(), first);
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(CountClipboardFormats(), 1);
  const cesim::ClipboardView view = cesim::ReadClipboard();
  EXPECT_FALSE(view.open);
  EXPECT_EQ(view.formats, std::vector<UINT>({CF_UNICODETEXT}));
}

TEST_F(ClipboardTest, TheBlockBelongsToTheClipboardUntilItIsEmptied) {
  Copy(first, u"one");
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0u);
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u);
  Copy(second, u"two");
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u) << "emptying freed the first block";
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 0u);
  EXPECT_EQ(CountClipboardFormats(), 0);
}

TEST_F(ClipboardTest, FreeingABlockTheClipboardOwnsIsReported) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  HLOCAL block = TextBlock(u"path");
  ASSERT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_DEATH(LocalFree(block), "which the clipboard owns");
}

TEST_F(ClipboardTest, EmptyingMakesTheOpenerTheOwnerAndTellsThePreviousOne) {
  Copy(first, u"one");
  heard.messages.clear();
  ASSERT_TRUE(OpenClipboard(second));
  EXPECT_EQ(GetClipboardOwner(), first) << "opening alone changes no owner";
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), second);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_EQ(heard.messages.size(), 1u);
  EXPECT_EQ(heard.messages[0], std::make_pair(first, UINT(WM_DESTROYCLIPBOARD)));
}

TEST_F(ClipboardTest, AWindowOfTheProgramIsRefusedWhileAnotherHasItOpen) {
  ASSERT_TRUE(OpenClipboard(first));
  SetLastError(0);
  EXPECT_FALSE(OpenClipboard(second));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(OpenClipboard(first)) << "the window that has it open may open it again";
  EXPECT_EQ(GetOpenClipboardWindow(), first);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(second));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, OpenedForNoWindowEmptyingLeavesNoOwner) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  HLOCAL block = TextBlock(u"x");
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"x"));
}

TEST_F(ClipboardTest, CallsThatNeedTheClipboardOpenFailWithoutIt) {
  HLOCAL block = TextBlock(u"x");
  SetLastError(0);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_EQ(EnumClipboardFormats(0), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  // The refused block is still the program's.
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 1u);
  EXPECT_EQ(LocalFree(block), nullptr);
}

TEST_F(ClipboardTest, AStaleWindowCannotOpenIt) {
  HWND gone = Make(u"gone");
  ASSERT_TRUE(DestroyWindow(gone));
  SetLastError(0);
  EXPECT_FALSE(OpenClipboard(gone));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(cesim::ReadClipboard().open);
}

TEST_F(ClipboardTest, TheWindowThatHasItOpenGoingAwayClosesIt) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(DestroyWindow(first));
  EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
  EXPECT_TRUE(OpenClipboard(second));
  EXPECT_TRUE(CloseClipboard());
}

// --- Data ---

TEST_F(ClipboardTest, DataSetWithoutEmptyingJoinsWhatIsThereAndKeepsTheOwner) {
  Copy(first, u"text");
  ASSERT_TRUE(OpenClipboard(second));
  HLOCAL ansi = LocalAlloc(LPTR, 5);
  EXPECT_EQ(SetClipboardData(CF_TEXT, ansi), ansi);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(GetClipboardOwner(), first);
  EXPECT_EQ(cesim::ReadClipboard().formats, std::vector<UINT>({CF_UNICODETEXT, CF_TEXT}));
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 2u);
}

TEST_F(ClipboardTest, PlacingAFormatAgainFreesTheBlockBefore) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(u"old")), nullptr);
  HLOCAL newer = TextBlock(u"new");
  ASSERT_EQ(SetClipboardData(CF_UNICODETEXT, newer), newer);
  EXPECT_EQ(CountClipboardFormats(), 1);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), newer);
  EXPECT_EQ(TextOfBlock(GetClipboardData(CF_UNICODETEXT)), u"new");
  ASSERT_TRUE(CloseClipboard());
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u);
}

TEST_F(ClipboardTest, AHandleThatIsNoBlockOfTheHeapIsRefused) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(0x12345))), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(0, TextBlock(u"x")), nullptr) << "format 0 is none";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, FormatsAreEnumeratedInTheOrderPlaced) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(u"a")), nullptr);
  ASSERT_NE(SetClipboardData(CF_HDROP, LocalAlloc(LPTR, 8)), nullptr);
  EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_UNICODETEXT));
  EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), UINT(CF_HDROP));
  SetLastError(1234);
  EXPECT_EQ(EnumClipboardFormats(CF_HDROP), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS)) << "the end of the list is no error";
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, DelayedTextIsRenderedByTheOwnerWhenItIsAskedFor) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, nullptr), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(cesim::ReadClipboard().delayedFormats, std::vector<UINT>({CF_UNICODETEXT}));

  heard.renderText = u"rendered";
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"rendered"));
  ASSERT_EQ(heard.messages.size(), 1u);
  EXPECT_EQ(heard.messages[0], std::make_pair(first, UINT(WM_RENDERFORMAT)));
  EXPECT_TRUE(cesim::ReadClipboard().delayedFormats.empty());
  // Rendered once, it is not asked for again.
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"rendered"));
  EXPECT_EQ(heard.messages.size(), 1u);
}

TEST_F(ClipboardTest, TheProgramReadingDelayedDataHasItRendered) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, nullptr);
  heard.renderText = u"late";
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOfBlock(data), u"late");
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnOwnerThatRendersNothingGivesNoData) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_UNICODETEXT, nullptr);
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr);
  ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnOwnerThatGoesAwayTakesItsDelayedFormatsButLeavesItsData) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(u"kept")), nullptr);
  SetClipboardData(CF_TEXT, nullptr);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(DestroyWindow(first));
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"kept"));
}

// --- Another application ---

TEST_F(ClipboardTest, AClipboardHeldByAnotherApplicationRefusesTheProgramUntilReleased) {
  ASSERT_TRUE(cesim::HoldClipboard(other));
  EXPECT_TRUE(cesim::ReadClipboard().heldByAnotherApplication);
  EXPECT_EQ(GetOpenClipboardWindow(), other);
  for (int attempt = 0; attempt < 3; ++attempt) {
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(first));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  }
  EXPECT_FALSE(EmptyClipboard()) << "the program does not have it open";
  ASSERT_TRUE(cesim::ReleaseClipboard());
  EXPECT_FALSE(cesim::ReleaseClipboard());
  EXPECT_TRUE(OpenClipboard(first));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AHolderLetsGoAfterTheRefusalsItWasGiven) {
  ASSERT_TRUE(cesim::HoldClipboard(other, 3));
  int refused = 0;
  while (!OpenClipboard(first)) ++refused;  // retried at once, without delay, as Copy Path does
  EXPECT_EQ(refused, 3);
  EXPECT_EQ(GetOpenClipboardWindow(), first);
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AHolderThatNeverLetsGoIsReportedWhenTheProgramRetriesForEver) {
  ASSERT_TRUE(cesim::HoldClipboard(other));
  EXPECT_DEATH(
      {
        while (!OpenClipboard(first)) {
        }
      },
      "never let go");
}

TEST_F(ClipboardTest, TheProgramsOpenClipboardCannotBeHeldByAnother) {
  ASSERT_TRUE(OpenClipboard(first));
  EXPECT_FALSE(cesim::HoldClipboard(other));
  EXPECT_FALSE(cesim::CopyToClipboard(other, u"x"));
  EXPECT_EQ(cesim::ClipboardText(), std::nullopt) << "a paster cannot open it either";
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnotherApplicationCopyingReplacesTheProgramsText) {
  Copy(first, u"mine");
  heard.messages.clear();
  ASSERT_TRUE(cesim::CopyToClipboard(other, u"theirs"));
  EXPECT_EQ(cesim::ClipboardText(), std::optional<std::u16string>(u"theirs"));
  EXPECT_EQ(GetClipboardOwner(), other);
  ASSERT_EQ(heard.messages.size(), 1u);
  EXPECT_EQ(heard.messages[0], std::make_pair(first, UINT(WM_DESTROYCLIPBOARD)));
  EXPECT_EQ(cesim::ClipboardMemoryBlocks(), 1u);
  EXPECT_FALSE(cesim::ReadClipboard().open);
}

TEST_F(ClipboardTest, TheProgramReadsWhatAnotherApplicationCopied) {
  ASSERT_TRUE(cesim::CopyToClipboard(other, u"pasted"));
  ASSERT_TRUE(OpenClipboard(first));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOfBlock(data), u"pasted");
  EXPECT_TRUE(CloseClipboard());
}

}  // namespace

// Dialog templates as module code gives them on desktop Windows: one without a font is laid out
// in the device's system font, Tahoma at 8 points, with every control of the template in its place;
// one with a font of its own keeps it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ceplatform.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A plain dialog template built word by word: the header, an optional font, and static controls.
class TemplateWords {
 public:
  TemplateWords(DWORD style, const wchar_t* fontName, WORD points) {
    Dword(style | (fontName != NULL ? DS_SETFONT : 0));
    Dword(0);           // extended style
    words_.push_back(0);  // the number of controls, counted as they are added
    Words({0, 0, 120, 80, 0, 0});  // place and size; no menu, the default class
    String(L"Caption");
    if (fontName != NULL) {
      words_.push_back(points);
      String(fontName);
    }
  }

  void AddStatic(WORD id, short x, short y, short cx, short cy, const wchar_t* text) {
    if (words_.size() % 2 != 0) words_.push_back(0);  // each control starts on a DWORD
    Dword(WS_CHILD | WS_VISIBLE | SS_LEFT);
    Dword(0);
    Words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(cx), static_cast<WORD>(cy), id});
    Words({0xFFFF, 0x0082});  // the Static class by its atom
    String(text);
    words_.push_back(0);  // no creation data
    ++words_[4];
  }

  LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words_.data()); }

 private:
  void Dword(DWORD value) { Words({LOWORD(value), HIWORD(value)}); }
  void Words(std::initializer_list<WORD> values) { words_.insert(words_.end(), values); }
  void String(const wchar_t* text) {
    for (; *text != 0; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }

  std::vector<WORD> words_;
};

class DialogFont : public ::testing::Test {
 protected:
  void TearDown() override {
    if (dialog_ != NULL) DestroyWindow(dialog_);
  }

  void Create(const TemplateWords& words) {
    dialog_ = CreateDialogIndirectParamW(NULL, words.Get(), NULL, &QuietDialogProc, 0);
    ASSERT_NE(static_cast<HWND>(NULL), dialog_);
  }

  LOGFONTW FontOf(HWND window) const {
    LOGFONTW font;
    memset(&font, 0, sizeof(font));
    HFONT handle = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    EXPECT_NE(static_cast<HFONT>(NULL), handle);
    if (handle != NULL) GetObjectW(handle, sizeof(font), &font);
    return font;
  }

  static LONG HeightOfPoints(int points) {
    HDC screen = GetDC(NULL);
    LONG height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(NULL, screen);
    return height;
  }

  HWND dialog_ = NULL;
};

TEST_F(DialogFont, ATemplateWithoutAFontIsLaidOutInTahomaAtEightPoints) {
  TemplateWords words(WS_POPUP | WS_CAPTION, NULL, 0);
  words.AddStatic(100, 10, 12, 50, 8, L"First");
  words.AddStatic(101, 10, 24, 60, 8, L"Second line");
  Create(words);

  LOGFONTW font = FontOf(dialog_);
  EXPECT_EQ(std::wstring(L"Tahoma"), font.lfFaceName);
  EXPECT_EQ(HeightOfPoints(8), font.lfHeight);
  // Both controls came over whole, where the dialog's units in that font put them.
  WCHAR text[32];
  ASSERT_GT(GetDlgItemTextW(dialog_, 101, text, 32), 0u);
  EXPECT_EQ(std::wstring(L"Second line"), text);
  RECT expected = {10, 24, 70, 32};
  MapDialogRect(dialog_, &expected);
  RECT placed;
  GetWindowRect(GetDlgItem(dialog_, 101), &placed);
  MapWindowPoints(NULL, dialog_, reinterpret_cast<POINT*>(&placed), 2);
  EXPECT_EQ(expected.left, placed.left);
  EXPECT_EQ(expected.top, placed.top);
  EXPECT_EQ(expected.right - expected.left, placed.right - placed.left);
  EXPECT_EQ(std::wstring(L"Tahoma"), FontOf(GetDlgItem(dialog_, 100)).lfFaceName);
}

TEST_F(DialogFont, ATemplateWithAFontOfItsOwnKeepsIt) {
  TemplateWords words(WS_POPUP | WS_CAPTION, L"Courier New", 10);
  words.AddStatic(100, 4, 4, 40, 10, L"Kept");
  Create(words);

  LOGFONTW font = FontOf(dialog_);
  EXPECT_EQ(std::wstring(L"Courier New"), font.lfFaceName);
  EXPECT_EQ(HeightOfPoints(10), font.lfHeight);
  WCHAR text[32];
  ASSERT_GT(GetDlgItemTextW(dialog_, 100, text, 32), 0u);
  EXPECT_EQ(std::wstring(L"Kept"), text);
}

}  // namespace

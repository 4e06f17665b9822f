// MessageBoxW: a modal dialog built from a template in memory (an icon, the text, a row of
// buttons) and run by the dialog manager's modal loop with the owner disabled. A button ends it
// with its identifier; Escape (and closing it) gives IDCANCEL only when the box has a Cancel
// button, IDOK when OK is its only button, and does nothing otherwise (MessageBox, Remarks).
#include "message_box/message_box.h"

#include <algorithm>

#include "sim/controls.h"
#include "sim/core.h"
#include "sim/dialog.h"
#include "sim/message.h"
#include "sim/message_box.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

// Identifiers of the box's own controls.
constexpr WORD kTextId = 0xFFFF;
constexpr WORD kIconId = 0x0440;
// Layout in dialog units.
constexpr short kMargin = 7;
constexpr short kButtonWidth = 40;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
constexpr short kIconSide = 21;
constexpr short kCharWidth = 4;   // the system font's average character
constexpr short kLineHeight = 8;
constexpr short kWidestText = 140;

struct ButtonSpec {
  int id;
  const char16_t* text;
};

std::vector<ButtonSpec> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK: return {{IDOK, u"OK"}};
    case MB_OKCANCEL: return {{IDOK, u"OK"}, {IDCANCEL, u"Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, u"&Abort"}, {IDRETRY, u"&Retry"}, {IDIGNORE, u"&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}, {IDCANCEL, u"Cancel"}};
    case MB_YESNO: return {{IDYES, u"&Yes"}, {IDNO, u"&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, u"&Retry"}, {IDCANCEL, u"Cancel"}};
    default: return {};
  }
}

std::vector<MessageBoxShown>& History() {
  static std::vector<MessageBoxShown> history;
  return history;
}

// A dialog template written word by word, as the resource format lays it out.
class TemplateWords {
 public:
  void Dword(DWORD value) {
    words_.push_back(static_cast<WORD>(value & 0xFFFF));
    words_.push_back(static_cast<WORD>(value >> 16));
  }
  void Word(WORD value) { words_.push_back(value); }
  void Text(const std::u16string& text) {
    for (char16_t c : text) words_.push_back(c);
    words_.push_back(0);
  }
  void Align() {
    if (words_.size() % 2 != 0) words_.push_back(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classOrdinal, const std::u16string& text) {
    Align();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);
    for (short v : {x, y, cx, cy}) Word(static_cast<WORD>(v));
    Word(id);
    Word(0xFFFF);
    Word(classOrdinal);
    Text(text);
    Word(0);  // no creation data
  }
  void SetItemCount(WORD count) { words_[4] = count; }
  const std::vector<WORD>& Words() const { return words_; }

 private:
  std::vector<WORD> words_;
};

// The text's lines as the box shows them: its own line breaks, long lines wrapped.
int LineCount(const std::u16string& text, int charsPerLine) {
  int lines = 1;
  int column = 0;
  for (char16_t c : text) {
    if (c == u'\n') {
      ++lines;
      column = 0;
    } else if (c != u'\r' && ++column > charsPerLine) {
      ++lines;
      column = 1;
    }
  }
  return lines;
}

int LongestLine(const std::u16string& text) {
  int longest = 0;
  int column = 0;
  for (char16_t c : text) {
    if (c == u'\n') {
      column = 0;
    } else if (c != u'\r') {
      longest = std::max(longest, ++column);
    }
  }
  return longest;
}

std::vector<WORD> BuildTemplate(const std::u16string& caption, const std::u16string& text, UINT type,
                                const std::vector<ButtonSpec>& buttons, int defaultIndex) {
  const bool icon = (type & MB_ICONMASK) != 0;
  const short textLeft = static_cast<short>(kMargin + (icon ? kIconSide + kMargin : 0));
  const int charsPerLine = kWidestText / kCharWidth;
  const short textWidth = static_cast<short>(std::min(LongestLine(text), charsPerLine) * kCharWidth + kCharWidth);
  const short textHeight = static_cast<short>(LineCount(text, charsPerLine) * kLineHeight);
  const short rowWidth =
      static_cast<short>(buttons.size() * kButtonWidth + (buttons.size() - 1) * kButtonGap);
  const short width = static_cast<short>(std::max<int>(textLeft + textWidth + kMargin, rowWidth + 2 * kMargin));
  const short bodyHeight = std::max<short>(textHeight, icon ? kIconSide : 0);
  const short buttonTop = static_cast<short>(kMargin + bodyHeight + kMargin);
  const short height = static_cast<short>(buttonTop + kButtonHeight + kMargin);

  TemplateWords words;
  words.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER);
  words.Dword(0);
  words.Word(0);  // the item count, set below
  for (short v : {short(0), short(0), width, height}) words.Word(static_cast<WORD>(v));
  words.Word(0);  // no menu
  words.Word(0);  // the dialog class
  words.Text(caption);
  WORD count = 0;
  if (icon) {
    words.Item(SS_ICON, kMargin, kMargin, kIconSide, kIconSide, kIconId, 0x0082, u"");
    ++count;
  }
  words.Item(SS_LEFT | SS_NOPREFIX, textLeft, kMargin, textWidth, textHeight, kTextId, 0x0082, text);
  ++count;
  short x = static_cast<short>((width - rowWidth) / 2);
  for (size_t i = 0; i < buttons.size(); ++i) {
    DWORD style = WS_TABSTOP | (static_cast<int>(i) == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (i == 0) style |= WS_GROUP;
    words.Item(style, x, buttonTop, kButtonWidth, kButtonHeight, static_cast<WORD>(buttons[i].id), 0x0080,
               buttons[i].text);
    ++count;
    x = static_cast<short>(x + kButtonWidth + kButtonGap);
  }
  words.SetItemCount(count);
  return words.Words();
}

MessageBoxShown* Live(HWND window) {
  for (MessageBoxShown& box : History()) {
    if (box.window == window && window != nullptr) return &box;
  }
  return nullptr;
}

bool HasButton(const MessageBoxShown& box, int id) {
  return std::find(box.buttons.begin(), box.buttons.end(), id) != box.buttons.end();
}

INT_PTR CALLBACK MessageBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const size_t index = static_cast<size_t>(lParam);
      if (index < History().size()) History()[index].window = hwnd;
      MessageBoxShown* box = Live(hwnd);
      if (box != nullptr) {
        HWND button = GetDlgItem(hwnd, box->defaultButton);
        if (button != nullptr) SetFocus(button);
      }
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      MessageBoxShown* box = Live(hwnd);
      if (box == nullptr) return FALSE;
      const int id = LOWORD(wParam);
      if (HasButton(*box, id)) {
        EndDialog(hwnd, id);
      } else if (id == IDCANCEL && (box->type & MB_TYPEMASK) == MB_OK) {
        // Escape on a box whose one button is OK answers OK.
        EndDialog(hwnd, IDOK);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

}  // namespace

const std::vector<MessageBoxShown>& MessageBoxHistory() { return History(); }

const MessageBoxShown* MessageBoxOf(HWND window) { return Live(window); }

void ResetMessageBoxes(Phase) { History().clear(); }

}  // namespace cesim::detail

using namespace cesim::detail;

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
  if (hWnd != nullptr && !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const std::vector<ButtonSpec> buttons = ButtonsOf(uType);
  if (buttons.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  // A default button past the last one leaves the first as the default.
  size_t defaultIndex = (uType & MB_DEFMASK) >> 8;
  if (defaultIndex >= buttons.size()) defaultIndex = 0;
  MessageBoxShown box;
  box.owner = hWnd;
  box.caption = lpCaption != nullptr ? TextOf(lpCaption) : u"Error";
  box.text = TextOf(lpText);
  box.type = uType;
  for (const ButtonSpec& button : buttons) box.buttons.push_back(button.id);
  box.defaultButton = buttons[defaultIndex].id;
  History().push_back(box);
  const size_t index = History().size() - 1;

  std::vector<WORD> words = BuildTemplate(box.caption, box.text, uType, buttons, static_cast<int>(defaultIndex));
  const INT_PTR result = DialogBoxIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), hWnd,
                                                 &MessageBoxProc, static_cast<LPARAM>(index));
  MessageBoxShown& shown = History()[index];
  shown.window = nullptr;
  shown.result = result > 0 ? static_cast<int>(result) : 0;
  return shown.result;
}

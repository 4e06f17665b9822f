// Editing an item's label in place: LVM_EDITLABELW (or a tap on a selected item's label) selects
// and focuses the item, creates an "Edit" child holding the text the item shows, asks the parent
// (LVN_BEGINLABELEDITW, which may refuse), and gives the edit the focus with all its text
// selected. Enter ends the edit keeping the text, Escape without it, and so does the edit losing
// the focus (keeping it); the parent hears LVN_ENDLABELEDITW with the new text, and the item takes
// it when the parent answers TRUE.
#include <algorithm>
#include <map>

#include "controls/listview/control.h"
#include "controls/listview/layout.h"
#include "sim/commctrl.h"
#include "sim/controls.h"
#include "sim/dialog.h"
#include "sim/input.h"
#include "sim/message.h"
#include "sim/window.h"
#include "controls/common/text.h"

namespace cesim::detail {

namespace {

// The edit controls the list views subclassed, with the procedures they had, so that an edit
// outliving its list view still finds its own procedure.
std::map<HWND, WNDPROC>& EditProcedures() {
  static std::map<HWND, WNDPROC> procedures;
  return procedures;
}

WNDPROC OriginalProcedure(HWND edit) {
  auto it = EditProcedures().find(edit);
  return it == EditProcedures().end() ? nullptr : it->second;
}

// The edit's text, whole.
std::u16string EditText(HWND edit) {
  int length = GetWindowTextLengthW(edit);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied));
  return text;
}

// The edit's size: the text with room for a couple more characters, as tall as the label.
void PlaceEdit(HWND edit, const RECT& label) {
  int width = SystemTextWidth(EditText(edit)) + 2 * 2 * SystemFontCharWidth();
  MoveWindow(edit, label.left - 2, label.top - 1, width, label.bottom - label.top + 2, FALSE);
}

LRESULT CALLBACK EditLabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC original = OriginalProcedure(hwnd);
  if (original == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_DESTROY:
      EditProcedures().erase(hwnd);
      SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(original));
      return CallWindowProcW(original, hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
        ListViewPtr lv = FindInstance<ListView>(GetParent(hwnd));
        if (lv != nullptr && lv->edit == hwnd) EndLabelEdit(lv, wParam == VK_RETURN, true);
        else SendMessageW(hwnd, WM_CLOSE, 0, 0);
        return 0;
      }
      return CallWindowProcW(original, hwnd, message, wParam, lParam);
    default: return CallWindowProcW(original, hwnd, message, wParam, lParam);
  }
}

HWND CreateEdit(const ListView& lv, const std::u16string& text) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongW(lv.hwnd, GWL_HINSTANCE));
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_VISIBLE;
  HWND edit = CreateWindowExW(0, u"Edit", text.c_str(), style, 0, 0, 0, 0, lv.hwnd, nullptr, instance, nullptr);
  if (edit == nullptr) return nullptr;
  WNDPROC original = reinterpret_cast<WNDPROC>(SetWindowLongW(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&EditLabelProc)));
  EditProcedures()[edit] = original;
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(lv.font), FALSE);
  SendMessageW(edit, EM_LIMITTEXT, kDisplayTextSize - 1, 0);
  return edit;
}

// The item as LVN_BEGINLABELEDITW and LVN_ENDLABELEDITW describe it: data, state and the text it
// shows now.
bool DescribeItem(const ListViewPtr& lv, int index, NMLVDISPINFOW* di, WCHAR* buffer, std::u16string* text) {
  di->item.mask = LVIF_PARAM | LVIF_STATE | LVIF_TEXT;
  di->item.iItem = index;
  di->item.iSubItem = 0;
  di->item.stateMask = ~0u;
  di->item.pszText = buffer;
  di->item.cchTextMax = kDisplayTextSize;
  return QueryItem(lv, &di->item, text);
}

}  // namespace

HWND EditLabel(const ListViewPtr& lv, int index) {
  if ((lv->style & LVS_EDITLABELS) == 0) return nullptr;
  // An edit under way ends first, keeping its text.
  if (lv->edit != nullptr) {
    SetFocus(lv->hwnd);
    if (Gone(lv)) return nullptr;
    if (lv->edit != nullptr) EndLabelEdit(lv, true, false);
    if (Gone(lv)) return nullptr;
  }
  if (!ValidItem(*lv, index)) return nullptr;
  SetSelection(lv, index);
  if (Gone(lv) || !ValidItem(*lv, index)) return nullptr;
  SetItemFocus(lv, index);
  if (Gone(lv) || !ValidItem(*lv, index)) return nullptr;

  WCHAR buffer[kDisplayTextSize] = {};
  NMLVDISPINFOW di = {};
  std::u16string text;
  if (!DescribeItem(lv, index, &di, buffer, &text)) return nullptr;
  // The parent sees the edit already there (LVM_GETEDITCONTROL) and may change its text.
  HWND edit = CreateEdit(*lv, text);
  if (edit == nullptr || Gone(lv)) return nullptr;
  lv->edit = edit;
  lv->editItem = index;
  size_t count = std::min(text.size(), static_cast<size_t>(kDisplayTextSize - 1));
  std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), buffer);
  buffer[count] = 0;
  di.item.pszText = buffer;
  if (NotifyParent(*lv, kBeginLabelEdit, &di.hdr) != 0 || Gone(lv) || !ValidItem(*lv, index)) {
    // Refused: the edit goes again without LVN_ENDLABELEDITW.
    if (!Gone(lv) && lv->edit == edit) {
      lv->edit = nullptr;
      lv->editItem = -1;
    }
    if (IsWindow(edit)) SendMessageW(edit, WM_CLOSE, 0, 0);
    return nullptr;
  }
  if (lv->edit != edit || !IsWindow(edit)) return nullptr;
  ItemParts parts = PartsOf(*lv, index, 0, EditText(edit));
  PlaceEdit(edit, parts.label);
  ShowWindow(edit, SW_SHOWNORMAL);
  SetFocus(edit);
  if (Gone(lv) || lv->edit != edit || !IsWindow(edit)) return nullptr;
  SendMessageW(edit, EM_SETSEL, 0, -1);
  return edit;
}

void EndLabelEdit(const ListViewPtr& lv, bool save, bool refocus) {
  HWND edit = lv->edit;
  int index = lv->editItem;
  if (edit == nullptr) return;
  std::u16string typed = save ? EditText(edit) : std::u16string();
  WCHAR buffer[kDisplayTextSize] = {};
  NMLVDISPINFOW di = {};
  std::u16string shown;
  bool described = ValidItem(*lv, index) && DescribeItem(lv, index, &di, buffer, &shown);
  if (Gone(lv)) return;
  bool same = save && described && shown == typed;
  // No text for a cancelled edit, nor for one that changes nothing.
  di.item.mask |= LVIF_TEXT;
  di.item.pszText = save && !same ? typed.data() : nullptr;
  di.item.cchTextMax = save && !same ? static_cast<int>(typed.size()) : 0;
  LRESULT accepted = FALSE;
  if (described) {
    // The edit still answers LVM_GETEDITCONTROL, and losing the focus now ends nothing.
    lv->endingEdit = true;
    accepted = NotifyParent(*lv, kEndLabelEdit, &di.hdr);
    if (!Gone(lv)) lv->endingEdit = false;
  }
  if (Gone(lv)) {
    if (IsWindow(edit)) SendMessageW(edit, WM_CLOSE, 0, 0);
    return;
  }
  if (lv->edit == edit) {
    lv->edit = nullptr;
    lv->editItem = -1;
  }
  if (refocus && GetFocus() == edit) SetFocus(lv->hwnd);
  if (IsWindow(edit)) SendMessageW(edit, WM_CLOSE, 0, 0);
  if (Gone(lv) || !accepted || !save || same || !ValidItem(*lv, index)) return;
  // A text the parent keeps itself stays the parent's.
  if (lv->items[static_cast<size_t>(index)].text.kind == ListText::Kind::Callback) return;
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = typed.data();
  item.cchTextMax = static_cast<int>(typed.size());
  SetItem(lv, &item);
}

LRESULT OnEditCommand(const ListViewPtr& lv, WPARAM wParam, LPARAM lParam) {
  if (lv->edit == nullptr || reinterpret_cast<HWND>(lParam) != lv->edit) return 0;
  switch (HIWORD(wParam)) {
    case EN_UPDATE: {
      RECT rect;
      GetWindowRect(lv->edit, &rect);
      int width = SystemTextWidth(EditText(lv->edit)) + 2 * 2 * SystemFontCharWidth();
      SetWindowPos(lv->edit, nullptr, 0, 0, width, rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case EN_KILLFOCUS:
      if (!lv->endingEdit) EndLabelEdit(lv, true, false);
      return 0;
    default:
      // The edit's other news is the parent's.
      if (!IsWindow(lv->notify)) return 0;
      return SendMessageW(lv->notify, WM_COMMAND, wParam, lParam);
  }
}

void DropLabelEdit(ListView& lv) {
  HWND edit = lv.edit;
  lv.edit = nullptr;
  lv.editItem = -1;
  if (edit != nullptr && IsWindow(edit)) DestroyWindow(edit);
}

}  // namespace cesim::detail

// What the list view's own files share: its notifications, passing its header's on, reading items
// as the parent shows them, changing item states with their notifications, and the handlers that
// the window procedure hands the stylus, the keys and label editing to. Every function that notifies may see the control destroyed or changed on return.
#ifndef CESIM_CONTROLS_LISTVIEW_CONTROL_H
#define CESIM_CONTROLS_LISTVIEW_CONTROL_H

#include <string>

#include "controls/common/control.h"
#include "controls/listview/model.h"

namespace cesim::detail {

// What the list view tells its parent (through NotifyParent), and what the real control does once
// the parent has answered. Where the real control checks that it still exists afterwards (the keys,
// clicks, focus changes, a single deletion, the insertion, the end of a label edit) destroying it
// there is survived; a parent's TRUE to LVN_ITEMCHANGING or LVN_BEGINLABELEDITW ends the change at
// once; after the others it goes on with its state.
extern const Notification kItemChanging;
extern const Notification kItemChanged;
extern const Notification kInsertItem;
extern const Notification kDeleteItem;       // LVM_DELETEITEM
extern const Notification kDeleteEachItem;   // LVM_DELETEALLITEMS and the destruction
extern const Notification kDeleteAllItems;
extern const Notification kGetDispInfo;
extern const Notification kColumnClick;
extern const Notification kKeyDown;
extern const Notification kReturn;
extern const Notification kItemActivate;
extern const Notification kClick;
extern const Notification kDoubleClick;
extern const Notification kRightClick;
extern const Notification kRecognizeGesture;
extern const Notification kReleasedCapture;
extern const Notification kBeginDrag;
extern const Notification kSetFocus;
extern const Notification kKillFocus;
extern const Notification kBeginLabelEdit;
extern const Notification kEndLabelEdit;

// Hands a notification of the header, or a command of the label edit, on to the parent as it came;
// the list view returns the parent's answer at once.
LRESULT PassOn(ListView& lv, NMHDR* hdr);

// The buffer the control offers the parent for a text it keeps itself.
constexpr int kDisplayTextSize = 260;

// LVM_GETITEMW without the copy into the caller's buffer: fills `item` and puts the text the
// item shows into `text`, asking the parent (LVN_GETDISPINFOW) for whatever it keeps. The parent
// gets item.pszText and item.cchTextMax as the buffer to write into. `callbackMarker` is set when
// LVIF_NORECOMPUTE leaves the text to the parent without asking.
bool QueryItem(const ListViewPtr& lv, LVITEMW* item, std::u16string* text, bool* callbackMarker = nullptr);
// The text an item or sub-item shows, asked of the parent as drawing does (260 characters).
std::u16string ShownText(const ListViewPtr& lv, int index, int subItem);

// LVM_SETITEMW: an item's fields, or a sub-item's text and image.
bool SetItem(const ListViewPtr& lv, const LVITEMW* in);
// Item states and their notifications (LVN_ITEMCHANGING, LVN_ITEMCHANGED).
bool SetItemState(const ListViewPtr& lv, int index, UINT state, UINT mask);
// The item alone selected and focused; it becomes the selection mark.
void SetSelection(const ListViewPtr& lv, int index);
void DeselectAllExcept(const ListViewPtr& lv, int keep);
bool SetItemFocus(const ListViewPtr& lv, int index);
// Keeps an item shown; scrolling away ends a label edit.
void EnsureShown(const ListViewPtr& lv, int index, bool partial);
int NextItem(const ListViewPtr& lv, int start, UINT flags);

// Hit-testing as LVM_HITTEST (select) and LVM_SUBITEMHITTEST (subItem) do it.
int HitTest(const ListViewPtr& lv, LVHITTESTINFO* info, bool subItem, bool select);

// The stylus and the keys (input.cpp).
LRESULT OnLButtonDown(const ListViewPtr& lv, WPARAM keys, POINT pt);
LRESULT OnLButtonUp(const ListViewPtr& lv, POINT pt);
LRESULT OnLButtonDblClk(const ListViewPtr& lv, POINT pt);
LRESULT OnRButtonDown(const ListViewPtr& lv, POINT pt);
LRESULT OnMouseMove(const ListViewPtr& lv, WPARAM keys, POINT pt);
LRESULT OnKeyDown(const ListViewPtr& lv, UINT vk);
LRESULT OnChar(const ListViewPtr& lv, char16_t c);
LRESULT OnEditTimer(const ListViewPtr& lv);
// The timer that starts a label edit after a tap on a selected item's label.
constexpr UINT_PTR kEditTimerId = 0x4C56;

// Label editing (label_edit.cpp).
HWND EditLabel(const ListViewPtr& lv, int index);
// Ends the edit: LVN_ENDLABELEDITW with the edit's text (or none), then the edit closes. With
// `refocus` the list view takes the focus back from the edit first.
void EndLabelEdit(const ListViewPtr& lv, bool save, bool refocus);
// The edit control told the list view something (WM_COMMAND).
LRESULT OnEditCommand(const ListViewPtr& lv, WPARAM wParam, LPARAM lParam);
// The edit goes without a word (its item is gone, or the control is).
void DropLabelEdit(ListView& lv);

}  // namespace cesim::detail

#endif

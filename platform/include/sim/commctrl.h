// The common controls as the Windows CE SDK declares them: notifications shared by all
// controls, and each control's messages, notifications and structures in a block of its own.
#ifndef CESIM_FACE_COMMCTRL_H
#define CESIM_FACE_COMMCTRL_H

#include "sim/message.h"
#include "sim/types.h"

// ---------------------------------------------------------------------------------------------
// Initialisation.

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};
typedef INITCOMMONCONTROLSEX* LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400

CESIM_API void WINAPI InitCommonControls(void);
CESIM_API BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* lpInitCtrls);

// ---------------------------------------------------------------------------------------------
// Notifications every common control sends (WM_NOTIFY codes).

#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
// Sent on a stylus press: the parent answers TRUE when it does not want the control to
// recognise a tap-and-hold gesture.
#define NM_RECOGNIZEGESTURE (NM_FIRST - 50)

// NM_RECOGNIZEGESTURE: the press point in screen coordinates and the control's item there.
struct NMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
};
typedef NMRGINFO* PNMRGINFO;

// ---------------------------------------------------------------------------------------------
// Tree view.

#define WC_TREEVIEWW u"SysTreeView32"
#define WC_TREEVIEW WC_TREEVIEWW

#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000

// The special item handles (sign-extended on this 64-bit host, as in the desktop 64-bit
// headers; the control also accepts their 32-bit spellings).
#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080
#define TVIF_DI_SETITEM 0x1000

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

#define I_CHILDRENCALLBACK (-1)
#define I_IMAGECALLBACK (-1)
#define LPSTR_TEXTCALLBACKW ((LPWSTR)(LONG_PTR)-1)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKW

struct TVITEMW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
typedef TVITEMW* LPTVITEMW;
typedef TVITEMW TVITEM;
typedef TVITEMW* LPTVITEM;
typedef TVITEMW TV_ITEMW;
typedef TVITEMW TV_ITEM;

struct TVITEMEXW {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
  int iIntegral;
};
typedef TVITEMEXW* LPTVITEMEXW;
typedef TVITEMEXW TVITEMEX;

struct TVINSERTSTRUCTW {
  HTREEITEM hParent;
  HTREEITEM hInsertAfter;
  union {
    TVITEMEXW itemex;
    TVITEMW item;
  };
};
typedef TVINSERTSTRUCTW* LPTVINSERTSTRUCTW;
typedef TVINSERTSTRUCTW TVINSERTSTRUCT;
typedef TVINSERTSTRUCTW* LPTVINSERTSTRUCT;
typedef TVINSERTSTRUCTW TV_INSERTSTRUCTW;
typedef TVINSERTSTRUCTW TV_INSERTSTRUCT;

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

struct TVHITTESTINFO {
  POINT pt;
  UINT flags;
  HTREEITEM hItem;
};
typedef TVHITTESTINFO* LPTVHITTESTINFO;
typedef TVHITTESTINFO TV_HITTESTINFO;

#define TV_FIRST 0x1100
#define TVM_DELETEITEM (TV_FIRST + 1)
#define TVM_EXPAND (TV_FIRST + 2)
#define TVM_GETITEMRECT (TV_FIRST + 4)
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)
#define TVM_SETIMAGELIST (TV_FIRST + 9)
#define TVM_GETNEXTITEM (TV_FIRST + 10)
#define TVM_SELECTITEM (TV_FIRST + 11)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_GETITEMSTATE (TV_FIRST + 39)
#define TVM_INSERTITEMW (TV_FIRST + 50)
#define TVM_GETITEMW (TV_FIRST + 62)
#define TVM_SETITEMW (TV_FIRST + 63)
#define TVM_INSERTITEM TVM_INSERTITEMW
#define TVM_GETITEM TVM_GETITEMW
#define TVM_SETITEM TVM_SETITEMW

#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

// The cause given in the action of selection notifications.
#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

#define TVN_FIRST (0U - 400U)
#define TVN_SELCHANGINGW (TVN_FIRST - 50)
#define TVN_SELCHANGEDW (TVN_FIRST - 51)
#define TVN_GETDISPINFOW (TVN_FIRST - 52)
#define TVN_SETDISPINFOW (TVN_FIRST - 53)
#define TVN_ITEMEXPANDINGW (TVN_FIRST - 54)
#define TVN_ITEMEXPANDEDW (TVN_FIRST - 55)
#define TVN_BEGINDRAGW (TVN_FIRST - 56)
#define TVN_BEGINRDRAGW (TVN_FIRST - 57)
#define TVN_DELETEITEMW (TVN_FIRST - 58)
#define TVN_BEGINLABELEDITW (TVN_FIRST - 59)
#define TVN_ENDLABELEDITW (TVN_FIRST - 60)
#define TVN_KEYDOWN (TVN_FIRST - 12)
#define TVN_SELCHANGING TVN_SELCHANGINGW
#define TVN_SELCHANGED TVN_SELCHANGEDW
#define TVN_GETDISPINFO TVN_GETDISPINFOW
#define TVN_SETDISPINFO TVN_SETDISPINFOW
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGW
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDW
#define TVN_BEGINDRAG TVN_BEGINDRAGW
#define TVN_DELETEITEM TVN_DELETEITEMW

struct NMTREEVIEWW {
  NMHDR hdr;
  UINT action;
  TVITEMW itemOld;
  TVITEMW itemNew;
  POINT ptDrag;
};
typedef NMTREEVIEWW* LPNMTREEVIEWW;
typedef NMTREEVIEWW NMTREEVIEW;
typedef NMTREEVIEWW* LPNMTREEVIEW;
typedef NMTREEVIEWW NM_TREEVIEW;

struct NMTVDISPINFOW {
  NMHDR hdr;
  TVITEMW item;
};
typedef NMTVDISPINFOW* LPNMTVDISPINFOW;
typedef NMTVDISPINFOW NMTVDISPINFO;
typedef NMTVDISPINFOW TV_DISPINFO;

#pragma pack(push, 1)
struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
#pragma pack(pop)
typedef NMTVKEYDOWN* LPNMTVKEYDOWN;
typedef NMTVKEYDOWN TV_KEYDOWN;

#define TreeView_InsertItem(hwnd, lpis) \
  (HTREEITEM) SendMessageW((hwnd), TVM_INSERTITEMW, 0, (LPARAM)(const TVINSERTSTRUCTW*)(lpis))
#define TreeView_DeleteItem(hwnd, hitem) \
  (BOOL) SendMessageW((hwnd), TVM_DELETEITEM, 0, (LPARAM)(HTREEITEM)(hitem))
#define TreeView_DeleteAllItems(hwnd) (BOOL) SendMessageW((hwnd), TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT)
#define TreeView_Expand(hwnd, hitem, code) \
  (BOOL) SendMessageW((hwnd), TVM_EXPAND, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem))
#define TreeView_GetCount(hwnd) (UINT) SendMessageW((hwnd), TVM_GETCOUNT, 0, 0)
#define TreeView_GetNextItem(hwnd, hitem, code) \
  (HTREEITEM) SendMessageW((hwnd), TVM_GETNEXTITEM, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem))
#define TreeView_GetChild(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_CHILD)
#define TreeView_GetNextSibling(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_NEXT)
#define TreeView_GetPrevSibling(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUS)
#define TreeView_GetParent(hwnd, hitem) TreeView_GetNextItem(hwnd, hitem, TVGN_PARENT)
#define TreeView_GetRoot(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_ROOT)
#define TreeView_GetSelection(hwnd) TreeView_GetNextItem(hwnd, NULL, TVGN_CARET)
#define TreeView_Select(hwnd, hitem, code) \
  (BOOL) SendMessageW((hwnd), TVM_SELECTITEM, (WPARAM)(code), (LPARAM)(HTREEITEM)(hitem))
#define TreeView_SelectItem(hwnd, hitem) TreeView_Select(hwnd, hitem, TVGN_CARET)
#define TreeView_GetItem(hwnd, pitem) (BOOL) SendMessageW((hwnd), TVM_GETITEMW, 0, (LPARAM)(TVITEMW*)(pitem))
#define TreeView_SetItem(hwnd, pitem) \
  (BOOL) SendMessageW((hwnd), TVM_SETITEMW, 0, (LPARAM)(const TVITEMW*)(pitem))
#define TreeView_HitTest(hwnd, lpht) \
  (HTREEITEM) SendMessageW((hwnd), TVM_HITTEST, 0, (LPARAM)(LPTVHITTESTINFO)(lpht))
#define TreeView_EnsureVisible(hwnd, hitem) \
  (BOOL) SendMessageW((hwnd), TVM_ENSUREVISIBLE, 0, (LPARAM)(HTREEITEM)(hitem))
#define TreeView_GetVisibleCount(hwnd) (UINT) SendMessageW((hwnd), TVM_GETVISIBLECOUNT, 0, 0)

// End of tree view.
// ---------------------------------------------------------------------------------------------

// ---------------------------------------------------------------------------------------------
// Image lists: same-sized images, kept in order; an icon given to the list is copied, an icon the
// list gives out belongs to its caller (DestroyIcon).

#define ILC_MASK 0x0001
#define ILC_COLOR 0x0000
#define ILC_COLORDDB 0x00FE
#define ILC_COLOR4 0x0004
#define ILC_COLOR8 0x0008
#define ILC_COLOR16 0x0010
#define ILC_COLOR24 0x0018
#define ILC_COLOR32 0x0020

#define ILD_NORMAL 0x0000
#define ILD_TRANSPARENT 0x0001
#define ILD_MASK 0x0010
#define ILD_IMAGE 0x0020

CESIM_API HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
CESIM_API BOOL WINAPI ImageList_Destroy(HIMAGELIST himl);
CESIM_API int WINAPI ImageList_GetImageCount(HIMAGELIST himl);
CESIM_API BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// i = -1 appends; returns the image's index, -1 on failure.
CESIM_API int WINAPI ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
CESIM_API HICON WINAPI ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
// i = -1 removes every image.
CESIM_API BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i);
#define ImageList_AddIcon(himl, hicon) ImageList_ReplaceIcon(himl, -1, hicon)
#define ImageList_RemoveAll(himl) ImageList_Remove(himl, -1)

// End of image lists.
// ---------------------------------------------------------------------------------------------

#endif

// The common controls as the Windows CE SDK declares them: notifications shared by all
// controls, and each control's messages, notifications and structures in a block of its own.
#ifndef CESIM_FACE_COMMCTRL_H
#define CESIM_FACE_COMMCTRL_H

#include "sim/message.h"
#include "sim/types.h"
#include "sim/window.h"

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
#define NM_RELEASEDCAPTURE (NM_FIRST - 16)
// Sent on a stylus press: the parent answers TRUE when it does not want the control to
// recognise a tap-and-hold gesture.
#define NM_RECOGNIZEGESTURE (NM_FIRST - 50)

// Colours that mean "none" and "the control's default" (LVM_SETBKCOLOR and friends).
#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

// NM_RECOGNIZEGESTURE: the press point in screen coordinates and the control's item there.
struct NMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
};
typedef NMRGINFO* PNMRGINFO;

// ---------------------------------------------------------------------------------------------
// Header.

#define WC_HEADERW u"SysHeader32"
#define WC_HEADER WC_HEADERW

#define HDS_HORZ 0x0000
#define HDS_BUTTONS 0x0002
#define HDS_HOTTRACK 0x0004
#define HDS_HIDDEN 0x0008
#define HDS_DRAGDROP 0x0040
#define HDS_FULLDRAG 0x0080

#define HDI_WIDTH 0x0001
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT 0x0002
#define HDI_FORMAT 0x0004
#define HDI_LPARAM 0x0008
#define HDI_BITMAP 0x0010
#define HDI_IMAGE 0x0020
#define HDI_DI_SETITEM 0x0040
#define HDI_ORDER 0x0080

#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_RTLREADING 0x0004
#define HDF_IMAGE 0x0800
#define HDF_BITMAP_ON_RIGHT 0x1000
#define HDF_BITMAP 0x2000
#define HDF_STRING 0x4000
#define HDF_OWNERDRAW 0x8000

// Pointer-sized members keep their pointer size on this 64-bit host, as in the desktop 64-bit
// headers; on the device they are 32 bits wide.
struct HDITEMW {
  UINT mask;
  int cxy;
  LPWSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
};
typedef HDITEMW* LPHDITEMW;
typedef HDITEMW HDITEM;
typedef HDITEMW* LPHDITEM;
typedef HDITEMW HD_ITEMW;
typedef HDITEMW HD_ITEM;

struct HDLAYOUT {
  RECT* prc;
  WINDOWPOS* pwpos;
};
typedef HDLAYOUT* LPHDLAYOUT;
typedef HDLAYOUT HD_LAYOUT;

#define HHT_NOWHERE 0x0001
#define HHT_ONHEADER 0x0002
#define HHT_ONDIVIDER 0x0004
#define HHT_ONDIVOPEN 0x0008
#define HHT_ABOVE 0x0100
#define HHT_BELOW 0x0200
#define HHT_TORIGHT 0x0400
#define HHT_TOLEFT 0x0800

struct HDHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
};
typedef HDHITTESTINFO* LPHDHITTESTINFO;
typedef HDHITTESTINFO HD_HITTESTINFO;

#define HDM_FIRST 0x1200
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_DELETEITEM (HDM_FIRST + 2)
#define HDM_LAYOUT (HDM_FIRST + 5)
#define HDM_HITTEST (HDM_FIRST + 6)
#define HDM_GETITEMRECT (HDM_FIRST + 7)
#define HDM_SETIMAGELIST (HDM_FIRST + 8)
#define HDM_GETIMAGELIST (HDM_FIRST + 9)
#define HDM_INSERTITEMW (HDM_FIRST + 10)
#define HDM_GETITEMW (HDM_FIRST + 11)
#define HDM_SETITEMW (HDM_FIRST + 12)
#define HDM_ORDERTOINDEX (HDM_FIRST + 15)
#define HDM_GETORDERARRAY (HDM_FIRST + 17)
#define HDM_SETORDERARRAY (HDM_FIRST + 18)
#define HDM_INSERTITEM HDM_INSERTITEMW
#define HDM_GETITEM HDM_GETITEMW
#define HDM_SETITEM HDM_SETITEMW

#define HDN_FIRST (0U - 300U)
#define HDN_LAST (0U - 399U)
#define HDN_BEGINDRAG (HDN_FIRST - 10)
#define HDN_ENDDRAG (HDN_FIRST - 11)
#define HDN_ITEMCHANGINGW (HDN_FIRST - 20)
#define HDN_ITEMCHANGEDW (HDN_FIRST - 21)
#define HDN_ITEMCLICKW (HDN_FIRST - 22)
#define HDN_ITEMDBLCLICKW (HDN_FIRST - 23)
#define HDN_DIVIDERDBLCLICKW (HDN_FIRST - 25)
#define HDN_BEGINTRACKW (HDN_FIRST - 26)
#define HDN_ENDTRACKW (HDN_FIRST - 27)
#define HDN_TRACKW (HDN_FIRST - 28)
#define HDN_GETDISPINFOW (HDN_FIRST - 29)
#define HDN_ITEMCHANGING HDN_ITEMCHANGINGW
#define HDN_ITEMCHANGED HDN_ITEMCHANGEDW
#define HDN_ITEMCLICK HDN_ITEMCLICKW
#define HDN_ITEMDBLCLICK HDN_ITEMDBLCLICKW
#define HDN_DIVIDERDBLCLICK HDN_DIVIDERDBLCLICKW
#define HDN_BEGINTRACK HDN_BEGINTRACKW
#define HDN_ENDTRACK HDN_ENDTRACKW
#define HDN_TRACK HDN_TRACKW
#define HDN_GETDISPINFO HDN_GETDISPINFOW

struct NMHEADERW {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEMW* pitem;
};
typedef NMHEADERW* LPNMHEADERW;
typedef NMHEADERW NMHEADER;
typedef NMHEADERW* LPNMHEADER;
typedef NMHEADERW HD_NOTIFYW;
typedef NMHEADERW HD_NOTIFY;

struct NMHDDISPINFOW {
  NMHDR hdr;
  int iItem;
  UINT mask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
};
typedef NMHDDISPINFOW* LPNMHDDISPINFOW;
typedef NMHDDISPINFOW NMHDDISPINFO;

#define Header_GetItemCount(hwnd) (int)SendMessageW((hwnd), HDM_GETITEMCOUNT, 0, 0)
#define Header_InsertItem(hwnd, i, phdi) \
  (int)SendMessageW((hwnd), HDM_INSERTITEMW, (WPARAM)(int)(i), (LPARAM)(const HDITEMW*)(phdi))
#define Header_DeleteItem(hwnd, i) (BOOL) SendMessageW((hwnd), HDM_DELETEITEM, (WPARAM)(int)(i), 0)
#define Header_GetItem(hwnd, i, phdi) \
  (BOOL) SendMessageW((hwnd), HDM_GETITEMW, (WPARAM)(int)(i), (LPARAM)(HDITEMW*)(phdi))
#define Header_SetItem(hwnd, i, phdi) \
  (BOOL) SendMessageW((hwnd), HDM_SETITEMW, (WPARAM)(int)(i), (LPARAM)(const HDITEMW*)(phdi))
#define Header_Layout(hwnd, playout) (BOOL) SendMessageW((hwnd), HDM_LAYOUT, 0, (LPARAM)(HDLAYOUT*)(playout))
#define Header_GetItemRect(hwnd, i, prc) \
  (BOOL) SendMessageW((hwnd), HDM_GETITEMRECT, (WPARAM)(int)(i), (LPARAM)(RECT*)(prc))

// End of header.

// ---------------------------------------------------------------------------------------------
// List view.

#define WC_LISTVIEWW u"SysListView32"
#define WC_LISTVIEW WC_LISTVIEWW

#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_AUTOARRANGE 0x0100
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDRAWFIXED 0x0400
#define LVS_ALIGNTOP 0x0000
#define LVS_ALIGNLEFT 0x0800
#define LVS_ALIGNMASK 0x0C00
#define LVS_OWNERDATA 0x1000
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000
#define LVS_TYPESTYLEMASK 0xFC00

// Extended styles (LVM_SETEXTENDEDLISTVIEWSTYLE).
#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_ONECLICKACTIVATE 0x00000040
#define LVS_EX_TWOCLICKACTIVATE 0x00000080

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008
#define LVIF_INDENT 0x0010
#define LVIF_NORECOMPUTE 0x0800
#define LVIF_DI_SETITEM 0x1000

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_ACTIVATING 0x0020
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)
#define INDEXTOOVERLAYMASK(i) ((i) << 8)

#define I_INDENTCALLBACK (-1)

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

// LVHT_ABOVE and LVHT_ONITEMSTATEICON share their value, as in the platform's headers.
#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

#define LVA_DEFAULT 0x0000
#define LVA_ALIGNLEFT 0x0001
#define LVA_ALIGNTOP 0x0002
#define LVA_SNAPTOGRID 0x0005

#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

#define LVFI_PARAM 0x0001
#define LVFI_STRING 0x0002
#define LVFI_PARTIAL 0x0008
#define LVFI_WRAP 0x0020
#define LVFI_NEARESTXY 0x0040

struct LVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
typedef LVITEMW* LPLVITEMW;
typedef LVITEMW LVITEM;
typedef LVITEMW* LPLVITEM;
typedef LVITEMW LV_ITEMW;
typedef LVITEMW LV_ITEM;

struct LVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
typedef LVCOLUMNW* LPLVCOLUMNW;
typedef LVCOLUMNW LVCOLUMN;
typedef LVCOLUMNW* LPLVCOLUMN;
typedef LVCOLUMNW LV_COLUMNW;
typedef LVCOLUMNW LV_COLUMN;

struct LVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
};
typedef LVHITTESTINFO* LPLVHITTESTINFO;
typedef LVHITTESTINFO LV_HITTESTINFO;

struct LVFINDINFOW {
  UINT flags;
  LPCWSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};
typedef LVFINDINFOW* LPLVFINDINFOW;
typedef LVFINDINFOW LVFINDINFO;
typedef LVFINDINFOW LV_FINDINFO;

#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETCALLBACKMASK (LVM_FIRST + 10)
#define LVM_SETCALLBACKMASK (LVM_FIRST + 11)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_SETITEMPOSITION (LVM_FIRST + 15)
#define LVM_GETITEMPOSITION (LVM_FIRST + 16)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_ARRANGE (LVM_FIRST + 22)
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETVIEWRECT (LVM_FIRST + 34)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_GETORIGIN (LVM_FIRST + 41)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_GETITEMSPACING (LVM_FIRST + 51)
#define LVM_SETICONSPACING (LVM_FIRST + 53)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)
#define LVM_GETITEMW (LVM_FIRST + 75)
#define LVM_SETITEMW (LVM_FIRST + 76)
#define LVM_INSERTITEMW (LVM_FIRST + 77)
#define LVM_FINDITEMW (LVM_FIRST + 83)
#define LVM_GETSTRINGWIDTHW (LVM_FIRST + 87)
#define LVM_GETCOLUMNW (LVM_FIRST + 95)
#define LVM_SETCOLUMNW (LVM_FIRST + 96)
#define LVM_INSERTCOLUMNW (LVM_FIRST + 97)
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_EDITLABELW (LVM_FIRST + 118)
#define LVM_GETITEM LVM_GETITEMW
#define LVM_SETITEM LVM_SETITEMW
#define LVM_INSERTITEM LVM_INSERTITEMW
#define LVM_FINDITEM LVM_FINDITEMW
#define LVM_GETSTRINGWIDTH LVM_GETSTRINGWIDTHW
#define LVM_GETCOLUMN LVM_GETCOLUMNW
#define LVM_SETCOLUMN LVM_SETCOLUMNW
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNW
#define LVM_GETITEMTEXT LVM_GETITEMTEXTW
#define LVM_SETITEMTEXT LVM_SETITEMTEXTW
#define LVM_EDITLABEL LVM_EDITLABELW

#define LVN_FIRST (0U - 100U)
#define LVN_LAST (0U - 199U)
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_BEGINRDRAG (LVN_FIRST - 11)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_BEGINLABELEDITW (LVN_FIRST - 75)
#define LVN_ENDLABELEDITW (LVN_FIRST - 76)
#define LVN_GETDISPINFOW (LVN_FIRST - 77)
#define LVN_SETDISPINFOW (LVN_FIRST - 78)
#define LVN_BEGINLABELEDIT LVN_BEGINLABELEDITW
#define LVN_ENDLABELEDIT LVN_ENDLABELEDITW
#define LVN_GETDISPINFO LVN_GETDISPINFOW
#define LVN_SETDISPINFO LVN_SETDISPINFOW

// LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS,
// LVN_COLUMNCLICK, LVN_BEGINDRAG, LVN_ITEMACTIVATE.
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
};
typedef NMLISTVIEW* LPNMLISTVIEW;
typedef NMLISTVIEW NM_LISTVIEW;

// NM_CLICK and NM_DBLCLK of a list view.
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

struct NMLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
};
typedef NMLVDISPINFOW* LPNMLVDISPINFOW;
typedef NMLVDISPINFOW NMLVDISPINFO;
typedef NMLVDISPINFOW LV_DISPINFOW;
typedef NMLVDISPINFOW LV_DISPINFO;

#pragma pack(push, 1)
struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
#pragma pack(pop)
typedef NMLVKEYDOWN* LPNMLVKEYDOWN;
typedef NMLVKEYDOWN LV_KEYDOWN;

typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);

#define ListView_GetItemCount(hwnd) (int)SendMessageW((hwnd), LVM_GETITEMCOUNT, 0, 0)
#define ListView_InsertItem(hwnd, pitem) \
  (int)SendMessageW((hwnd), LVM_INSERTITEMW, 0, (LPARAM)(const LVITEMW*)(pitem))
#define ListView_DeleteItem(hwnd, i) (BOOL) SendMessageW((hwnd), LVM_DELETEITEM, (WPARAM)(int)(i), 0)
#define ListView_DeleteAllItems(hwnd) (BOOL) SendMessageW((hwnd), LVM_DELETEALLITEMS, 0, 0)
#define ListView_GetItem(hwnd, pitem) (BOOL) SendMessageW((hwnd), LVM_GETITEMW, 0, (LPARAM)(LVITEMW*)(pitem))
#define ListView_SetItem(hwnd, pitem) \
  (BOOL) SendMessageW((hwnd), LVM_SETITEMW, 0, (LPARAM)(const LVITEMW*)(pitem))
#define ListView_GetNextItem(hwnd, i, flags) \
  (int)SendMessageW((hwnd), LVM_GETNEXTITEM, (WPARAM)(int)(i), MAKELPARAM((flags), 0))
#define ListView_GetItemState(hwnd, i, mask) \
  (UINT) SendMessageW((hwnd), LVM_GETITEMSTATE, (WPARAM)(i), (LPARAM)(mask))
#define ListView_SetItemState(hwnd, i, data, mask)                                      \
  do {                                                                                \
    LVITEMW lvi_;                                                                     \
    lvi_.stateMask = (mask);                                                          \
    lvi_.state = (data);                                                              \
    SendMessageW((hwnd), LVM_SETITEMSTATE, (WPARAM)(i), (LPARAM)(LVITEMW*)&lvi_);     \
  } while (0)
#define ListView_SetItemText(hwnd, i, subItem, text)                                    \
  do {                                                                                \
    LVITEMW lvi_;                                                                     \
    lvi_.iSubItem = (subItem);                                                        \
    lvi_.pszText = (text);                                                            \
    SendMessageW((hwnd), LVM_SETITEMTEXTW, (WPARAM)(i), (LPARAM)(LVITEMW*)&lvi_);     \
  } while (0)
#define ListView_GetItemText(hwnd, i, subItem, text, size)                              \
  do {                                                                                \
    LVITEMW lvi_;                                                                     \
    lvi_.iSubItem = (subItem);                                                        \
    lvi_.cchTextMax = (size);                                                         \
    lvi_.pszText = (text);                                                            \
    SendMessageW((hwnd), LVM_GETITEMTEXTW, (WPARAM)(i), (LPARAM)(LVITEMW*)&lvi_);     \
  } while (0)
#define ListView_InsertColumn(hwnd, col, pcol) \
  (int)SendMessageW((hwnd), LVM_INSERTCOLUMNW, (WPARAM)(int)(col), (LPARAM)(const LVCOLUMNW*)(pcol))
#define ListView_SetColumnWidth(hwnd, col, cx) \
  (BOOL) SendMessageW((hwnd), LVM_SETCOLUMNWIDTH, (WPARAM)(int)(col), MAKELPARAM((cx), 0))
#define ListView_GetColumnWidth(hwnd, col) (int)SendMessageW((hwnd), LVM_GETCOLUMNWIDTH, (WPARAM)(int)(col), 0)
#define ListView_GetHeader(hwnd) (HWND) SendMessageW((hwnd), LVM_GETHEADER, 0, 0)
#define ListView_SetImageList(hwnd, himl, which) \
  (HIMAGELIST) SendMessageW((hwnd), LVM_SETIMAGELIST, (WPARAM)(which), (LPARAM)(HIMAGELIST)(himl))
#define ListView_GetImageList(hwnd, which) (HIMAGELIST) SendMessageW((hwnd), LVM_GETIMAGELIST, (WPARAM)(INT)(which), 0)
#define ListView_HitTest(hwnd, pinfo) (int)SendMessageW((hwnd), LVM_HITTEST, 0, (LPARAM)(LVHITTESTINFO*)(pinfo))
#define ListView_SubItemHitTest(hwnd, pinfo) \
  (int)SendMessageW((hwnd), LVM_SUBITEMHITTEST, 0, (LPARAM)(LVHITTESTINFO*)(pinfo))
#define ListView_GetItemRect(hwnd, i, prc, code) \
  (BOOL) SendMessageW((hwnd), LVM_GETITEMRECT, (WPARAM)(int)(i), ((prc) ? (((RECT*)(prc))->left = (code), (LPARAM)(RECT*)(prc)) : (LPARAM)(RECT*)NULL))
#define ListView_EnsureVisible(hwnd, i, partialOK) \
  (BOOL) SendMessageW((hwnd), LVM_ENSUREVISIBLE, (WPARAM)(int)(i), MAKELPARAM((partialOK), 0))
#define ListView_Scroll(hwnd, dx, dy) (BOOL) SendMessageW((hwnd), LVM_SCROLL, (WPARAM)(int)(dx), (LPARAM)(int)(dy))
#define ListView_GetTopIndex(hwnd) (int)SendMessageW((hwnd), LVM_GETTOPINDEX, 0, 0)
#define ListView_GetCountPerPage(hwnd) (int)SendMessageW((hwnd), LVM_GETCOUNTPERPAGE, 0, 0)
#define ListView_Arrange(hwnd, code) (BOOL) SendMessageW((hwnd), LVM_ARRANGE, (WPARAM)(UINT)(code), 0)
#define ListView_EditLabel(hwnd, i) (HWND) SendMessageW((hwnd), LVM_EDITLABELW, (WPARAM)(int)(i), 0)
#define ListView_GetEditControl(hwnd) (HWND) SendMessageW((hwnd), LVM_GETEDITCONTROL, 0, 0)
#define ListView_GetSelectionMark(hwnd) (int)SendMessageW((hwnd), LVM_GETSELECTIONMARK, 0, 0)
#define ListView_SetSelectionMark(hwnd, i) (int)SendMessageW((hwnd), LVM_SETSELECTIONMARK, 0, (LPARAM)(i))
#define ListView_GetSelectedCount(hwnd) (UINT) SendMessageW((hwnd), LVM_GETSELECTEDCOUNT, 0, 0)
#define ListView_SetIconSpacing(hwnd, cx, cy) \
  (DWORD) SendMessageW((hwnd), LVM_SETICONSPACING, 0, MAKELONG((cx), (cy)))

// End of list view.

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
// Common control styles (toolbars and command bars).

#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#define CCS_ADJUSTABLE 0x00000020L
#define CCS_NODIVIDER 0x00000040L
#define CCS_VERT 0x00000080L

// ---------------------------------------------------------------------------------------------
// Toolbar. TBBUTTON and TBBUTTONINFOW have the desktop 64-bit layout on this host (TBBUTTON's
// reserved bytes pad dwData to 8 bytes); the device's 32-bit sizes are smaller, so callers give
// sizeof.

#define TOOLBARCLASSNAMEW u"ToolbarWindow32"
#define TOOLBARCLASSNAME TOOLBARCLASSNAMEW

#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08
#define TBSTATE_INDETERMINATE 0x10
#define TBSTATE_WRAP 0x20
#define TBSTATE_ELLIPSES 0x40
#define TBSTATE_MARKED 0x80

#define TBSTYLE_BUTTON 0x0000
#define TBSTYLE_SEP 0x0001
#define TBSTYLE_CHECK 0x0002
#define TBSTYLE_GROUP 0x0004
#define TBSTYLE_CHECKGROUP (TBSTYLE_GROUP | TBSTYLE_CHECK)
#define TBSTYLE_DROPDOWN 0x0008
#define TBSTYLE_AUTOSIZE 0x0010
#define TBSTYLE_NOPREFIX 0x0020
#define BTNS_BUTTON TBSTYLE_BUTTON
#define BTNS_SEP TBSTYLE_SEP
#define BTNS_CHECK TBSTYLE_CHECK
#define BTNS_GROUP TBSTYLE_GROUP
#define BTNS_CHECKGROUP TBSTYLE_CHECKGROUP
#define BTNS_DROPDOWN TBSTYLE_DROPDOWN
#define BTNS_AUTOSIZE TBSTYLE_AUTOSIZE
#define BTNS_NOPREFIX TBSTYLE_NOPREFIX
#define BTNS_SHOWTEXT 0x0040
#define BTNS_WHOLEDROPDOWN 0x0080

// Window styles of the control.
#define TBSTYLE_TOOLTIPS 0x0100
#define TBSTYLE_WRAPABLE 0x0200
#define TBSTYLE_ALTDRAG 0x0400
#define TBSTYLE_FLAT 0x0800
#define TBSTYLE_LIST 0x1000
#define TBSTYLE_CUSTOMERASE 0x2000
#define TBSTYLE_TRANSPARENT 0x8000

// Extended styles (TB_SETEXTENDEDSTYLE): drop-down buttons get an arrow part of their own.
#define TBSTYLE_EX_DRAWDDARROWS 0x00000001

struct TBBUTTON {
  int iBitmap;
  int idCommand;
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];
  DWORD_PTR dwData;
  INT_PTR iString;  // a string pool index, or a pointer to the button's text
};
typedef TBBUTTON* PTBBUTTON;
typedef TBBUTTON* LPTBBUTTON;
typedef const TBBUTTON* LPCTBBUTTON;

struct TBADDBITMAP {
  HINSTANCE hInst;
  UINT_PTR nID;
};
typedef TBADDBITMAP* LPTBADDBITMAP;

#define TBIF_IMAGE 0x00000001
#define TBIF_TEXT 0x00000002
#define TBIF_STATE 0x00000004
#define TBIF_STYLE 0x00000008
#define TBIF_LPARAM 0x00000010
#define TBIF_COMMAND 0x00000020
#define TBIF_SIZE 0x00000040
#define TBIF_BYINDEX 0x80000000

struct TBBUTTONINFOW {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPWSTR pszText;
  int cchText;
};
typedef TBBUTTONINFOW* LPTBBUTTONINFOW;
typedef TBBUTTONINFOW TBBUTTONINFO;
typedef TBBUTTONINFOW* LPTBBUTTONINFO;

#define TB_ENABLEBUTTON (WM_USER + 1)
#define TB_CHECKBUTTON (WM_USER + 2)
#define TB_PRESSBUTTON (WM_USER + 3)
#define TB_HIDEBUTTON (WM_USER + 4)
#define TB_INDETERMINATE (WM_USER + 5)
#define TB_ISBUTTONENABLED (WM_USER + 9)
#define TB_ISBUTTONCHECKED (WM_USER + 10)
#define TB_ISBUTTONPRESSED (WM_USER + 11)
#define TB_ISBUTTONHIDDEN (WM_USER + 12)
#define TB_ISBUTTONINDETERMINATE (WM_USER + 13)
#define TB_SETSTATE (WM_USER + 17)
#define TB_GETSTATE (WM_USER + 18)
#define TB_ADDBITMAP (WM_USER + 19)
#define TB_DELETEBUTTON (WM_USER + 22)
#define TB_GETBUTTON (WM_USER + 23)
#define TB_BUTTONCOUNT (WM_USER + 24)
#define TB_COMMANDTOINDEX (WM_USER + 25)
#define TB_GETITEMRECT (WM_USER + 29)
#define TB_BUTTONSTRUCTSIZE (WM_USER + 30)
#define TB_SETBUTTONSIZE (WM_USER + 31)
#define TB_SETBITMAPSIZE (WM_USER + 32)
#define TB_AUTOSIZE (WM_USER + 33)
#define TB_SETPARENT (WM_USER + 37)
#define TB_SETIMAGELIST (WM_USER + 48)
#define TB_GETIMAGELIST (WM_USER + 49)
#define TB_GETRECT (WM_USER + 51)
#define TB_GETBUTTONSIZE (WM_USER + 58)
#define TB_GETBUTTONINFOW (WM_USER + 63)
#define TB_SETBUTTONINFOW (WM_USER + 64)
#define TB_INSERTBUTTONW (WM_USER + 67)
#define TB_ADDBUTTONSW (WM_USER + 68)
#define TB_HITTEST (WM_USER + 69)
#define TB_GETBUTTONTEXTW (WM_USER + 75)
#define TB_ADDSTRINGW (WM_USER + 77)
#define TB_SETEXTENDEDSTYLE (WM_USER + 84)
#define TB_GETEXTENDEDSTYLE (WM_USER + 85)
#define TB_GETBUTTONINFO TB_GETBUTTONINFOW
#define TB_SETBUTTONINFO TB_SETBUTTONINFOW
#define TB_INSERTBUTTON TB_INSERTBUTTONW
#define TB_ADDBUTTONS TB_ADDBUTTONSW
#define TB_GETBUTTONTEXT TB_GETBUTTONTEXTW
#define TB_ADDSTRING TB_ADDSTRINGW

#define TBN_FIRST (0U - 700U)
#define TBN_BEGINDRAG (TBN_FIRST - 1)
#define TBN_ENDDRAG (TBN_FIRST - 2)
#define TBN_DROPDOWN (TBN_FIRST - 10)

// What the parent answers to TBN_DROPDOWN.
#define TBDDRET_DEFAULT 0
#define TBDDRET_NODEFAULT 1
#define TBDDRET_TREATPRESSED 2

struct NMTOOLBARW {
  NMHDR hdr;
  int iItem;
  TBBUTTON tbButton;
  int cchText;
  LPWSTR pszText;
  RECT rcButton;
};
typedef NMTOOLBARW* LPNMTOOLBARW;
typedef NMTOOLBARW NMTOOLBAR;
typedef NMTOOLBARW* LPNMTOOLBAR;

// ---------------------------------------------------------------------------------------------
// Command bars: a toolbar along the top of a window that can hold a menu bar. The menu bar is one
// button of the command bar; its pop-up menus open with a tap, as TrackPopupMenu opens one.

CESIM_API HWND WINAPI CommandBar_Create(HINSTANCE hInst, HWND hwndParent, int idCmdBar);
// Loads menu resource idMenu of hInst and inserts it as a menu bar before button iButton.
CESIM_API BOOL WINAPI CommandBar_InsertMenubar(HWND hwndCB, HINSTANCE hInst, WORD idMenu, WORD iButton);
// As CommandBar_InsertMenubar, the menu named by a resource name; with hInst null, pszMenu is the
// handle of a menu (HMENU) that the caller keeps.
CESIM_API BOOL WINAPI CommandBar_InsertMenubarEx(HWND hwndCB, HINSTANCE hInst, LPWSTR pszMenu, WORD iButton);
// The menu bar's menu; iButton names the menu bar's button.
CESIM_API HMENU WINAPI CommandBar_GetMenu(HWND hwndCB, WORD iButton);
// Measures the menu bar again after its menu changed.
CESIM_API BOOL WINAPI CommandBar_DrawMenuBar(HWND hwndCB, WORD iButton);
CESIM_API int WINAPI CommandBar_Height(HWND hwndCB);
#define CommandBar_Show(hwnd, fShow) ShowWindow((hwnd), (fShow) ? SW_SHOWNORMAL : SW_HIDE)
#define CommandBar_IsVisible(hwnd) IsWindowVisible(hwnd)
#define CommandBar_Destroy(hwnd) DestroyWindow(hwnd)
#define CommandBar_AddButtons(hwnd, cbButtons, lpButtons) \
  (BOOL) SendMessageW((hwnd), TB_ADDBUTTONSW, (WPARAM)(cbButtons), (LPARAM)(lpButtons))
#define CommandBar_InsertButton(hwnd, iButton, lpButton) \
  (BOOL) SendMessageW((hwnd), TB_INSERTBUTTONW, (WPARAM)(iButton), (LPARAM)(lpButton))

// End of toolbar.
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

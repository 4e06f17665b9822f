// The account of list view and header notifications for order tables.
#include "list_notifications.h"

#include <cstdio>

namespace foldwise_test {

namespace {

std::string Narrowed(LPCWSTR text) {
  std::string narrow;
  for (; *text != 0; ++text) narrow.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
  return narrow;
}

bool FromListView(const NMHDR& hdr) {
  WCHAR name[32] = {};
  if (GetClassNameW(hdr.hwndFrom, name, static_cast<int>(sizeof name / sizeof name[0])) == 0) return false;
  return lstrcmpiW(name, WC_LISTVIEWW) == 0;
}

}  // namespace

std::string DescribeListNotification(const NMHDR& hdr) {
  char text[200] = {};
  switch (hdr.code) {
    case LVN_ITEMCHANGING:
    case LVN_ITEMCHANGED: {
      const NMLISTVIEW& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
      std::snprintf(text, sizeof text, "item %d old 0x%x new 0x%x changed 0x%x", nm.iItem, nm.uOldState, nm.uNewState,
                    nm.uChanged);
      break;
    }
    case LVN_INSERTITEM:
    case LVN_DELETEITEM:
    case LVN_DELETEALLITEMS: {
      const NMLISTVIEW& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
      std::snprintf(text, sizeof text, "item %d param %ld", nm.iItem, static_cast<long>(nm.lParam));
      break;
    }
    case LVN_COLUMNCLICK: {
      const NMLISTVIEW& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
      std::snprintf(text, sizeof text, "column %d", nm.iSubItem);
      break;
    }
    case LVN_ITEMACTIVATE:
    case LVN_BEGINDRAG: {
      const NMLISTVIEW& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
      std::snprintf(text, sizeof text, "item %d", nm.iItem);
      break;
    }
    case LVN_GETDISPINFOW: {
      const NMLVDISPINFOW& di = reinterpret_cast<const NMLVDISPINFOW&>(hdr);
      std::snprintf(text, sizeof text, "item %d sub %d mask 0x%x size %d", di.item.iItem, di.item.iSubItem, di.item.mask,
                    di.item.cchTextMax);
      break;
    }
    case LVN_BEGINLABELEDITW:
    case LVN_ENDLABELEDITW: {
      const NMLVDISPINFOW& di = reinterpret_cast<const NMLVDISPINFOW&>(hdr);
      if (di.item.pszText == NULL) std::snprintf(text, sizeof text, "item %d no text", di.item.iItem);
      else std::snprintf(text, sizeof text, "item %d text \"%s\"", di.item.iItem, Narrowed(di.item.pszText).c_str());
      break;
    }
    case LVN_KEYDOWN: {
      const NMLVKEYDOWN& key = reinterpret_cast<const NMLVKEYDOWN&>(hdr);
      std::snprintf(text, sizeof text, "key 0x%x", static_cast<unsigned>(key.wVKey));
      break;
    }
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK: {
      // Only the list view's carry an NMITEMACTIVATE; the header's are a bare NMHDR.
      if (!FromListView(hdr)) break;
      const NMITEMACTIVATE& click = reinterpret_cast<const NMITEMACTIVATE&>(hdr);
      std::snprintf(text, sizeof text, "item %d sub %d", click.iItem, click.iSubItem);
      break;
    }
    case HDN_ITEMCHANGINGW:
    case HDN_ITEMCHANGEDW:
    case HDN_BEGINTRACKW:
    case HDN_TRACKW:
    case HDN_ENDTRACKW:
    case HDN_ITEMCLICKW:
    case HDN_ITEMDBLCLICKW:
    case HDN_DIVIDERDBLCLICKW: {
      const NMHEADERW& nm = reinterpret_cast<const NMHEADERW&>(hdr);
      if (nm.pitem == NULL) std::snprintf(text, sizeof text, "item %d", nm.iItem);
      else std::snprintf(text, sizeof text, "item %d mask 0x%x width %d", nm.iItem, nm.pitem->mask, nm.pitem->cxy);
      break;
    }
    case HDN_GETDISPINFOW: {
      const NMHDDISPINFOW& di = reinterpret_cast<const NMHDDISPINFOW&>(hdr);
      std::snprintf(text, sizeof text, "item %d mask 0x%x size %d", di.iItem, di.mask, di.cchTextMax);
      break;
    }
    default: break;
  }
  return text;
}

}  // namespace foldwise_test

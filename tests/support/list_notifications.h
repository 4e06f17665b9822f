// The fields of list view and header notifications that order tables compare, written down as
// text while a notification is being sent (its structure lives on the sender's stack). Plain
// Win32: the same account serves cesim's tests and the ones that also run under Wine.
#ifndef FOLDWISE_TESTS_LIST_NOTIFICATIONS_H
#define FOLDWISE_TESTS_LIST_NOTIFICATIONS_H

#include <string>

#include "ceplatform.h"

namespace foldwise_test {

// "item 1 old 0x3 new 0x2 changed 0x8" for LVN_ITEMCHANGING and LVN_ITEMCHANGED, "item 0 sub 1
// mask 0x1 size 260" for LVN_GETDISPINFOW, "item 0 mask 0x1 width 77" for the header's item
// notifications, "key 0x28" for LVN_KEYDOWN, and so on; empty for other codes.
std::string DescribeListNotification(const NMHDR& hdr);

}  // namespace foldwise_test

#endif

// What the Explorer's list shows of an item, column by column: the name, the size, the type and
// the date of the last change. The Explorer hides a file's extension: the part from the last "."
// on, unless that "." begins the name (".profile" keeps its whole name) or ends it; folders keep
// their whole names. A rename puts the hidden extension back.
#ifndef FEXPLORE_ITEM_TEXT_H
#define FEXPLORE_ITEM_TEXT_H

#include "ceplatform.h"

enum ListColumn {
  kColumnName = 0,
  kColumnSize = 1,
  kColumnType = 2,
  kColumnDate = 3,
  kColumnCount = 4
};

// The column titles, in column order.
LPCWSTR ListColumnTitle(int column);

// The extension that the list hides for an item record (pointing into its name, "." included),
// or null when it shows the whole name.
LPCWSTR HiddenExtension(const BYTE* record);

// The text of a column of an item into `text`, at most `chars` characters with the terminator.
void FormatItemText(const BYTE* record, int column, WCHAR* text, int chars);

#endif

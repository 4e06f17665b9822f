// Limits on the widths of the Explorer list's columns, and their widths kept per screen shape.
#ifndef FOLDWISE_VIEW_COLUMN_WIDTHS_H
#define FOLDWISE_VIEW_COLUMN_WIDTHS_H

#include "ceplatform.h"

// A width change that the list view passed on from its header (the notification's sender):
// a width outside the limits is corrected, one within them is kept in the record of the
// screen's shape, and the first report for column 0 after the pane's width changed restores
// the kept widths instead.
void OnColumnWidthChanged(HWND pane, const NMHEADERW* notify);

#endif

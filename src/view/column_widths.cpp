// Column width limits and the kept widths of the Explorer list's four columns. Column 0 needs
// room for three small icons, every other shown column for two; no column may be wider than the
// pane leaves beside the vertical scroll bar (and, for the others, beside column 0's least width).
#include "view/column_widths.h"

#include "host/settings.h"
#include "module/module_state.h"

namespace {

const int kKeptColumns = 4;

void SetColumnWidth(HWND header, int column, int width) {
  HDITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = HDI_WIDTH;
  item.cxy = width;
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

WORD RecordWidth(const BYTE* record, int column) {
  return static_cast<WORD>(record[2 * column] | (record[2 * column + 1] << 8));
}

void SetRecordWidth(BYTE* record, int column, WORD width) {
  record[2 * column] = static_cast<BYTE>(width & 0xFF);
  record[2 * column + 1] = static_cast<BYTE>(width >> 8);
}

// The header's widths of the kept columns, each as its low 16 bits.
void ReadCurrentWidths(HWND header, BYTE* record) {
  HDITEMW item;
  memset(&item, 0, sizeof(item));
  for (int column = 0; column < kKeptColumns; ++column) {
    // A column the header does not have reads as 0, not as the column before it.
    item.mask = HDI_WIDTH;
    item.cxy = 0;
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    SetRecordWidth(record, column, static_cast<WORD>(item.cxy & 0xFFFF));
  }
}

int LeastWidth(int column, int smallIcon) { return column == 0 ? 3 * smallIcon : 2 * smallIcon; }

// The widest a column may be: the pane's client width less its borders and the vertical scroll
// bar, and for any column but column 0 less the room that column 0 needs at least. It is never
// below the column's least width, so that the two limits cannot correct each other endlessly in
// a pane too narrow for both.
int GreatestWidth(HWND pane, int column, int smallIcon) {
  RECT client;
  if (!GetClientRect(pane, &client)) SetRectEmpty(&client);
  int greatest = (client.right - client.left) - 2 * GetSystemMetrics(SM_CXBORDER) - GetSystemMetrics(SM_CXVSCROLL);
  if (column != 0) greatest -= LeastWidth(0, smallIcon);
  int least = LeastWidth(column, smallIcon);
  return greatest < least ? least : greatest;
}

// Puts the kept widths back on the columns where the header's differ. The header reports each
// change again; those reports are within the limits and keep what they set.
void RestoreKeptWidths(HWND header, const BYTE* kept, const BYTE* current) {
  for (int column = 0; column < kKeptColumns; ++column) {
    WORD width = RecordWidth(kept, column);
    if (width != RecordWidth(current, column)) SetColumnWidth(header, column, width);
  }
}

}  // namespace

void OnColumnWidthChanged(HWND pane, const NMHEADERW* notify) {
  // Until the frame's start-up has put the kept widths on the columns, the widths are the
  // host's own and are not kept.
  if (notify->pitem == NULL || (notify->pitem->mask & HDI_WIDTH) == 0 || !g_module.overlayCreated) return;
  HWND header = notify->hdr.hwndFrom;
  int column = notify->iItem;
  int width = notify->pitem->cxy;
  int smallIcon = GetSystemMetrics(SM_CXSMICON);

  // A corrected width comes back as a new report, which keeps it.
  int least = LeastWidth(column, smallIcon);
  bool hidden = column != 0 && width == 0;
  if (!hidden && width < least) {
    SetColumnWidth(header, column, least);
    return;
  }
  int greatest = GreatestWidth(pane, column, smallIcon);
  if (width > greatest) {
    SetColumnWidth(header, column, greatest);
    return;
  }

  BYTE current[2 * kKeptColumns];
  BYTE kept[2 * kKeptColumns];
  ReadCurrentWidths(header, current);
  if (!LoadColumnWidths(kept)) memcpy(kept, current, sizeof(kept));

  if (column != 0 || !g_module.paneWidthChanged) {
    // The record has places for columns 0 to 3 only; a later column's width is not kept.
    if (column < 0 || column >= kKeptColumns) return;
    SetRecordWidth(kept, column, static_cast<WORD>(width & 0xFFFF));
    SaveColumnWidths(kept);
    return;
  }
  // The host has resized column 0 after the pane's width changed (the device was turned): the
  // widths kept for the screen's shape now come back. The flag is cleared first, as the
  // restored widths are reported again from inside.
  g_module.paneWidthChanged = FALSE;
  RestoreKeptWidths(header, kept, current);
}

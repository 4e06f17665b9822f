// The Explorer's settings, read from its registry keys at the moment of use (never cached) and
// written with a flush at once. Portrait and landscape screens keep their own column widths.
#ifndef FOLDWISE_HOST_SETTINGS_H
#define FOLDWISE_HOST_SETTINGS_H

#include "ceplatform.h"

// List view style bits that the "ListStyle" value holds: the view type and the no-header bit.
#define LIST_STYLE_MASK (LVS_TYPEMASK | LVS_NOCOLUMNHEADER)

DWORD GetShowExt();
void ToggleShowExt();
DWORD GetPreview();
void TogglePreview();
DWORD GetViewAll();
DWORD GetListStyle();
void SetListStyle(DWORD style);

// Four unsigned 16-bit little-endian widths of list columns 0 to 3.
BOOL LoadColumnWidths(BYTE* widths);
void SaveColumnWidths(const BYTE* widths);

// The folder that the host showed last; a missing value leaves the buffer as it was.
void GetLastLocation(WCHAR* path);

// Reads value V of subkey K of a root in one registry call; `size` is the buffer's size in
// bytes and receives the value's. Returns the registry status.
LONG ReadSettingValue(HKEY root, LPCWSTR subkey, LPCWSTR name, void* data, DWORD* size);

// Reads a path value (at most MAX_PATH - 1 characters and its terminator) into `path`, a buffer
// of MAX_PATH characters. A missing value, one too long for the buffer and one without a
// terminator within MAX_PATH characters leave `path` as it was and give FALSE: a path is never
// cut. The value's type is not consulted.
BOOL ReadSettingPath(HKEY root, LPCWSTR subkey, LPCWSTR name, WCHAR* path);

#endif

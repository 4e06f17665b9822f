// Dialog templates without a font of their own: the device lays them out in its system font,
// Tahoma at 8 points, where the desktop would take its bold System font, about half again as wide,
// so that a dialog made for the device's screen would not fit it. The two indirect dialog calls
// give such a template that font; a template with a font, or an extended one, goes as it is.
#include "desktop/ce_desktop.h"

namespace {

const WCHAR kDeviceFontName[] = L"Tahoma";
const WORD kDeviceFontPoints = 8;

// The words of a menu, class or title field: none (0), an ordinal (0xFFFF and a number) or a
// terminated string.
size_t FieldWords(const WORD* field) {
  if (field[0] == 0) return 1;
  if (field[0] == 0xFFFF) return 2;
  size_t words = 0;
  while (field[words] != 0) ++words;
  return words + 1;
}

size_t AlignToDword(size_t bytes) { return (bytes + 3) & ~static_cast<size_t>(3); }

// The bytes of the template from its start to the end of its last item.
size_t TemplateBytes(const DLGTEMPLATE* dialog, size_t headerBytes) {
  const BYTE* start = reinterpret_cast<const BYTE*>(dialog);
  size_t offset = AlignToDword(headerBytes);
  for (WORD item = 0; item < dialog->cdit; ++item) {
    offset += sizeof(DLGITEMTEMPLATE);
    const WORD* field = reinterpret_cast<const WORD*>(start + offset);
    size_t words = FieldWords(field);          // class
    words += FieldWords(field + words);        // title
    const WORD extraBytes = field[words];      // creation data, after its count
    offset += (words + 1) * sizeof(WORD) + extraBytes;
    if (item + 1 < dialog->cdit) offset = AlignToDword(offset);
  }
  return offset;
}

// A copy of a plain template without DS_SETFONT with the device's font put after its title;
// null when the template needs none or memory is short. The caller frees it with LocalFree.
DLGTEMPLATE* WithDeviceFont(const DLGTEMPLATE* dialog) {
  if (dialog == NULL || HIWORD(dialog->style) == 0xFFFF || (dialog->style & DS_SETFONT) != 0) return NULL;
  const WORD* fields = reinterpret_cast<const WORD*>(dialog + 1);
  size_t words = FieldWords(fields);   // menu
  words += FieldWords(fields + words);  // class
  words += FieldWords(fields + words);  // title
  const size_t headerBytes = sizeof(DLGTEMPLATE) + words * sizeof(WORD);
  const size_t itemsStart = AlignToDword(headerBytes);
  const size_t itemsBytes = TemplateBytes(dialog, headerBytes) - itemsStart;
  const size_t fontBytes = sizeof(WORD) + sizeof(kDeviceFontName);
  const size_t newItemsStart = AlignToDword(headerBytes + fontBytes);
  BYTE* copy = static_cast<BYTE*>(LocalAlloc(LPTR, newItemsStart + itemsBytes));
  if (copy == NULL) return NULL;
  memcpy(copy, dialog, headerBytes);
  WORD points = kDeviceFontPoints;
  memcpy(copy + headerBytes, &points, sizeof(points));
  memcpy(copy + headerBytes + sizeof(points), kDeviceFontName, sizeof(kDeviceFontName));
  memcpy(copy + newItemsStart, reinterpret_cast<const BYTE*>(dialog) + itemsStart, itemsBytes);
  DLGTEMPLATE* result = reinterpret_cast<DLGTEMPLATE*>(copy);
  result->style |= DS_SETFONT;
  return result;
}

}  // namespace

INT_PTR WINAPI cedesktop_DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner,
                                                 DLGPROC procedure, LPARAM parameter) {
  DLGTEMPLATE* withFont = WithDeviceFont(dialog);
  INT_PTR result = DialogBoxIndirectParamW(instance, withFont != NULL ? withFont : dialog, owner, procedure, parameter);
  if (withFont != NULL) LocalFree(withFont);
  return result;
}

HWND WINAPI cedesktop_CreateDialogIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialog, HWND owner,
                                                 DLGPROC procedure, LPARAM parameter) {
  DLGTEMPLATE* withFont = WithDeviceFont(dialog);
  HWND result = CreateDialogIndirectParamW(instance, withFont != NULL ? withFont : dialog, owner, procedure, parameter);
  if (withFont != NULL) LocalFree(withFont);
  return result;
}

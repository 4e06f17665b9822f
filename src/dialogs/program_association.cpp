// The file-type association written by the Open with Program dialog.
#include "dialogs/program_association.h"

#include "host/settings.h"
#include "module/bounded_format.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

const WCHAR kOpenCommandKey[] = TEXT("\\Shell\\Open\\Command");

enum DefaultValue { kValueMissing, kValueRead, kValueTooLong };

// The default value of a subkey of HKEY_CLASSES_ROOT as text, into `text` of MAX_PATH characters
// (empty unless it was read). A value that does not fit is reported as such, not cut.
DefaultValue ReadClassDefault(LPCWSTR subkey, WCHAR* text) {
  DWORD size = MAX_PATH * sizeof(WCHAR);
  LONG status = ReadSettingValue(HKEY_CLASSES_ROOT, subkey, NULL, text, &size);
  if (status == ERROR_MORE_DATA) {
    text[0] = 0;
    return kValueTooLong;
  }
  if (status != ERROR_SUCCESS) {
    text[0] = 0;
    return kValueMissing;
  }
  // A value stored without its terminator ends where its data ends.
  DWORD characters = size / sizeof(WCHAR);
  for (DWORD i = 0; i < characters; ++i) {
    if (text[i] == 0) return kValueRead;
  }
  if (characters >= MAX_PATH) {
    text[0] = 0;
    return kValueTooLong;
  }
  text[characters] = 0;
  return kValueRead;
}

// Whether the extension's type, of whatever name, has an open command now. One that cannot be
// looked at (a name or command longer than the buffers) counts as present, so that the user is
// asked rather than overruled.
BOOL HasOpenCommand(LPCWSTR extension) {
  WCHAR key[MAX_PATH];
  DefaultValue type = ReadClassDefault(extension, key);
  if (type == kValueTooLong) return TRUE;
  // No type, or an empty one: the type that the association would write.
  if (type == kValueMissing || key[0] == 0) {
    if (!FormatBounded(key, MAX_PATH, TEXT("%s-file"), extension + 1)) return TRUE;
  }
  WCHAR commandKey[MAX_PATH];
  if (!FormatBounded(commandKey, MAX_PATH, TEXT("%s%s"), key, kOpenCommandKey)) return TRUE;
  WCHAR command[MAX_PATH];
  DefaultValue existing = ReadClassDefault(commandKey, command);
  return existing == kValueTooLong || (existing == kValueRead && command[0] != 0);
}

// Creates or opens the subkey and sets its default value; a key that cannot be had is passed over.
void WriteClassDefault(LPCWSTR subkey, LPCWSTR text) {
  HKEY key = NULL;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, subkey, 0, NULL, 0, 0, NULL, &key, &disposition) != ERROR_SUCCESS) return;
  RegSetValueExW(key, NULL, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>((wcslen(text) + 1) * sizeof(WCHAR)));
  RegCloseKey(key);
}

}  // namespace

void AssociateProgram(HWND dialog, LPCWSTR path, LPCWSTR program, BOOL quoteFile) {
  const WCHAR* extension = wcsrchr(path, TEXT('.'));
  if (extension == NULL) return;

  if (HasOpenCommand(extension)) {
    int answer = MessageBoxW(dialog, GetResourceString(IDS_OVERWRITE_ASSOCIATION),
                             GetResourceString(IDS_CONFIRM_OVERWRITE), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) return;
  }

  // The type written is always the one made from the extension, whatever the extension named
  // before; a type of another name is left as it is.
  WCHAR typeName[MAX_PATH];
  WCHAR commandKey[MAX_PATH];
  WCHAR command[MAX_PATH];
  if (!FormatBounded(typeName, MAX_PATH, TEXT("%s-file"), extension + 1)) return;
  if (!FormatBounded(commandKey, MAX_PATH, TEXT("%s%s"), typeName, kOpenCommandKey)) return;
  LPCWSTR placeholder = quoteFile ? TEXT("\"%1\"") : TEXT("%1");
  LPCWSTR format = wcschr(program, TEXT(' ')) != NULL ? TEXT("\"%s\" %s") : TEXT("%s %s");
  if (!FormatBounded(command, MAX_PATH, format, program, placeholder)) return;

  WriteClassDefault(extension, typeName);
  WriteClassDefault(commandKey, command);
}

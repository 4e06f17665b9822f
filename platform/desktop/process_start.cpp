// CreateProcessW with the device's meaning: the program is found as the device finds it (a plain
// name in the Windows folder, then in the root; ".exe" added to a name without an extension; a
// path without a drive on the system drive), the command line holds only the arguments, what the
// device does not support is ignored, and the process information may be left out.
#include "device_path.h"

namespace {

// The longest command line the desktop takes, terminator included.
const size_t kCommandLineLimit = 32767;

// The length of a caller's text, or `limit` when no terminator comes before it.
size_t BoundedLength(const WCHAR* text, size_t limit) {
  size_t length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  return length;
}

// Appends `text` of `length` characters to `buffer` (of `capacity`, holding `*used`); false when
// it does not fit with the terminator.
bool Append(WCHAR* buffer, size_t capacity, size_t* used, const WCHAR* text, size_t length) {
  if (length >= capacity - *used) return false;
  memcpy(buffer + *used, text, length * sizeof(WCHAR));
  *used += length;
  buffer[*used] = L'\0';
  return true;
}

bool AppendText(WCHAR* buffer, size_t capacity, size_t* used, const WCHAR* text) {
  return Append(buffer, capacity, used, text, wcslen(text));
}

// "C:" of the system drive into `drive` (3 characters); false when the Windows folder is not on a
// lettered drive.
bool SystemDrive(WCHAR* drive) {
  drive[0] = SystemDriveLetter();
  drive[1] = L':';
  drive[2] = L'\0';
  return drive[0] != 0;
}

bool Exists(const WCHAR* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The desktop path of the program that `name` (of `length` characters) stands for, into `path`
// (MAX_PATH characters). Returns ERROR_SUCCESS or the error to report.
DWORD FindProgram(const WCHAR* name, size_t length, WCHAR* path) {
  WCHAR drive[3];
  if (!SystemDrive(drive)) return ERROR_PATH_NOT_FOUND;
  size_t used = 0;
  path[0] = L'\0';
  if (wcschr(name, L'\\') != NULL || wcschr(name, L'/') != NULL || wcschr(name, L':') != NULL) {
    // A path: as written when it has a drive or is a network path; else from the device's root.
    const bool whole = (length >= 2 && name[1] == L':') || (length >= 2 && name[0] == L'\\' && name[1] == L'\\');
    if (!whole && !AppendText(path, MAX_PATH, &used, drive)) return ERROR_FILENAME_EXCED_RANGE;
    if (!whole && name[0] != L'\\' && !AppendText(path, MAX_PATH, &used, L"\\")) return ERROR_FILENAME_EXCED_RANGE;
    if (!Append(path, MAX_PATH, &used, name, length)) return ERROR_FILENAME_EXCED_RANGE;
    return ERROR_SUCCESS;
  }
  // A plain name: ".exe" unless it has an extension; a trailing "." means none, and stays.
  const bool hasExtension = wcschr(name, L'.') != NULL;
  WCHAR windowsFolder[MAX_PATH];
  UINT folderLength = GetWindowsDirectoryW(windowsFolder, MAX_PATH);
  const WCHAR* const folders[] = {folderLength > 0 && folderLength < MAX_PATH ? windowsFolder : NULL, drive};
  for (size_t i = 0; i < sizeof(folders) / sizeof(folders[0]); ++i) {
    if (folders[i] == NULL) continue;
    used = 0;
    path[0] = L'\0';
    if (!AppendText(path, MAX_PATH, &used, folders[i]) || !AppendText(path, MAX_PATH, &used, L"\\") ||
        !Append(path, MAX_PATH, &used, name, length) ||
        (!hasExtension && !AppendText(path, MAX_PATH, &used, L".exe"))) {
      return ERROR_FILENAME_EXCED_RANGE;
    }
    if (Exists(path)) return ERROR_SUCCESS;
  }
  return ERROR_FILE_NOT_FOUND;
}

}  // namespace

BOOL WINAPI cedesktop_CreateProcessW(LPCWSTR imageName, LPCWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
                                     LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                                     LPVOID environment, LPCWSTR currentFolder, LPSTARTUPINFOW startupInfo,
                                     LPPROCESS_INFORMATION processInformation) {
  // Not supported on the device, and ignored there.
  (void)processAttributes;
  (void)threadAttributes;
  (void)inheritHandles;
  (void)environment;
  (void)currentFolder;
  (void)startupInfo;
  if (imageName == NULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const size_t nameLength = BoundedLength(imageName, MAX_PATH);
  if (nameLength >= MAX_PATH) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  if (nameLength == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  WCHAR program[MAX_PATH];
  DWORD error = FindProgram(imageName, nameLength, program);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  const size_t argumentsLength = commandLine != NULL ? BoundedLength(commandLine, kCommandLineLimit) : 0;
  if (argumentsLength >= kCommandLineLimit) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // The desktop's command line starts with the program; the desktop may write into it.
  WCHAR* line = static_cast<WCHAR*>(HeapAlloc(GetProcessHeap(), 0, kCommandLineLimit * sizeof(WCHAR)));
  if (line == NULL) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  size_t used = 0;
  line[0] = L'\0';
  bool fits = AppendText(line, kCommandLineLimit, &used, L"\"") && AppendText(line, kCommandLineLimit, &used, program) &&
              AppendText(line, kCommandLineLimit, &used, L"\"");
  if (fits && argumentsLength > 0) {
    fits = AppendText(line, kCommandLineLimit, &used, L" ") &&
           Append(line, kCommandLineLimit, &used, commandLine, argumentsLength);
  }
  if (!fits) {
    HeapFree(GetProcessHeap(), 0, line);
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  STARTUPINFOW startup;
  memset(&startup, 0, sizeof(startup));
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started;
  memset(&started, 0, sizeof(started));
  BOOL ok = CreateProcessW(program, line, NULL, NULL, FALSE, creationFlags, NULL, NULL, &startup, &started);
  error = GetLastError();
  HeapFree(GetProcessHeap(), 0, line);
  if (!ok) {
    SetLastError(error);
    return FALSE;
  }
  if (processInformation != NULL) {
    *processInformation = started;
  } else {
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
  }
  return TRUE;
}

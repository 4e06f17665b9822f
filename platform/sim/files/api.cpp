// The core library's calls on single files and folders: attributes, deletion and folder
// creation over the image's file tree, with the device's error codes.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "files/attributes.h"
#include "files/items.h"
#include "files/write_times.h"
#include "sim/core.h"
#include "sim/files.h"

using namespace cesim::detail;

namespace {

// The error for an item that is not there: the file, or a folder on the way to it.
DWORD MissingError(const DeviceItem& item) {
  return item.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

// Looks up an existing item for a call; sets the last error and returns false when there is
// none.
bool ExistingItem(LPCWSTR path, DeviceItem& item) {
  std::u16string absolute;
  const DWORD error = CheckPath(path, false, absolute);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return false;
  }
  item = LookUpItem(absolute);
  if (!item.exists) {
    SetLastError(MissingError(item));
    return false;
  }
  return true;
}

}  // namespace

DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName) {
  DeviceItem item;
  if (!ExistingItem(lpFileName, item)) return INVALID_FILE_ATTRIBUTES;
  return ItemAttributes(item);
}

BOOL WINAPI GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                                 LPVOID lpFileInformation) {
  if (fInfoLevelId != GetFileExInfoStandard || lpFileInformation == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DeviceItem item;
  if (!ExistingItem(lpFileName, item)) return FALSE;
  WIN32_FILE_ATTRIBUTE_DATA data;
  data.dwFileAttributes = ItemAttributes(item);
  data.ftCreationTime = FileTimeOf(item.info.st_mtim);
  data.ftLastAccessTime = data.ftCreationTime;
  data.ftLastWriteTime = data.ftCreationTime;
  const uint64_t size = item.isFolder ? 0 : static_cast<uint64_t>(item.info.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  std::memcpy(lpFileInformation, &data, sizeof(data));
  return TRUE;
}

BOOL WINAPI SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
  DeviceItem item;
  if (!ExistingItem(lpFileName, item)) return FALSE;
  // What lies in ROM cannot be changed.
  if (item.resolved.names.empty() || (ItemAttributes(item) & FILE_ATTRIBUTE_INROM)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  ChangeAttributes(item.key, dwFileAttributes);
  return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR lpFileName) {
  DeviceItem item;
  if (!ExistingItem(lpFileName, item)) return FALSE;
  const DWORD attributes = ItemAttributes(item);
  if (item.isFolder || (attributes & (FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_READONLY))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (unlink(item.resolved.host.c_str()) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  StampFolderOf(item.resolved.host);
  ForgetAttributes(item.key);
  return TRUE;
}

BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES) {
  std::u16string absolute;
  const DWORD error = CheckPath(lpPathName, false, absolute);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  const DeviceItem item = LookUpItem(absolute);
  if (item.exists || item.resolved.names.empty()) {
    SetLastError(ERROR_ALREADY_EXISTS);
    return FALSE;
  }
  if (!item.parentExists) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  if (mkdir(item.resolved.host.c_str(), 0755) != 0) {
    SetLastError(errno == ENAMETOOLONG ? ERROR_FILENAME_EXCED_RANGE : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  StampWritten(item.resolved.host);
  StampFolderOf(item.resolved.host);
  ForgetAttributes(item.key);
  return TRUE;
}

BOOL WINAPI RemoveDirectoryW(LPCWSTR lpPathName) {
  DeviceItem item;
  if (!ExistingItem(lpPathName, item)) return FALSE;
  if (!item.isFolder) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  const DWORD attributes = ItemAttributes(item);
  if (item.resolved.names.empty() || (attributes & (FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_TEMPORARY))) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (rmdir(item.resolved.host.c_str()) != 0) {
    SetLastError(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  StampFolderOf(item.resolved.host);
  ForgetAttributes(item.key);
  return TRUE;
}

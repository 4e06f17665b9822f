// Opening a device file's host file with the device's checks.
#include "files/open.h"

#include <fcntl.h>

#include <cerrno>

#include "files/attributes.h"
#include "files/items.h"
#include "files/write_times.h"
#include "sim/files.h"

namespace cesim::detail {

DWORD OpenDeviceFile(LPCWSTR path, const FileOpening& how, int* descriptor) {
  *descriptor = -1;
  std::u16string absolute;
  const DWORD error = CheckPath(path, false, absolute);
  if (error != ERROR_SUCCESS) return error;
  const DeviceItem item = LookUpItem(absolute);
  int flags = O_CLOEXEC | (how.read && how.write ? O_RDWR : how.write ? O_WRONLY : O_RDONLY);
  if (how.append) flags |= O_APPEND;
  if (item.exists) {
    if (item.isFolder) return ERROR_ACCESS_DENIED;
    if (how.disposition == OpenDisposition::CreateNew) return ERROR_FILE_EXISTS;
    const bool changes = how.write || how.disposition == OpenDisposition::CreateOrTruncate;
    if (changes && (ItemAttributes(item) & (FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_READONLY))) {
      return ERROR_ACCESS_DENIED;
    }
    if (how.disposition == OpenDisposition::CreateOrTruncate) flags |= O_TRUNC;
  } else {
    if (item.resolved.names.empty() || !item.parentExists) return ERROR_PATH_NOT_FOUND;
    if (how.disposition == OpenDisposition::Existing) return ERROR_FILE_NOT_FOUND;
    flags |= O_CREAT | O_EXCL;
    ForgetAttributes(item.key);
  }
  const int opened = open(item.resolved.host.c_str(), flags, 0644);
  if (opened < 0) return errno == ENAMETOOLONG ? ERROR_FILENAME_EXCED_RANGE : ERROR_ACCESS_DENIED;
  if (flags & (O_CREAT | O_TRUNC)) StampWritten(opened);
  if (flags & O_CREAT) StampFolderOf(item.resolved.host);
  *descriptor = opened;
  return ERROR_SUCCESS;
}

}  // namespace cesim::detail

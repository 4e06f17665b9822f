// MoveFileW and CopyFileW within the device's file tree. Files move and copy within the object
// store and between it and a mounted volume; between two mounted volumes, and for folders between
// any two volumes, the device refuses (its reference: "You cannot move a directory from one
// volume to another"; a file goes from one card to another through the object store).
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "cesim/automation.h"
#include "files/attributes.h"
#include "files/items.h"
#include "files/write_times.h"
#include "files/open.h"
#include "files/paths.h"
#include "files/volumes.h"
#include "sim/core.h"
#include "sim/files.h"

using namespace cesim::detail;

namespace {

constexpr DWORD kSettableAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

bool Fail(DWORD error) {
  SetLastError(error);
  return false;
}

// Looks up both items of a move or copy; sets the last error and returns false when a path is
// refused or the source is missing.
bool LookUpPair(LPCWSTR existing, LPCWSTR target, DeviceItem& source, DeviceItem& destination,
                std::u16string* givenTarget = nullptr) {
  std::u16string sourcePath;
  std::u16string given;
  std::u16string& targetPath = givenTarget != nullptr ? *givenTarget : given;
  DWORD error = CheckPath(existing, false, sourcePath);
  if (error == ERROR_SUCCESS) error = CheckPath(target, false, targetPath);
  if (error != ERROR_SUCCESS) return Fail(error);
  source = LookUpItem(sourcePath);
  if (!source.exists) return Fail(source.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
  destination = LookUpItem(targetPath);
  return true;
}

// The key of the folder that holds an item.
std::u16string ParentKey(const DeviceItem& item) {
  const size_t last = item.key.rfind(u'\\');
  return last == 0 ? std::u16string(u"\\") : item.key.substr(0, last);
}

// Whether two mounted volumes are involved, which the device does not bridge.
bool BetweenMountedVolumes(const DeviceItem& source, const DeviceItem& destination) {
  const StorageVolume from = VolumeOf(source.key);
  const StorageVolume to = VolumeOf(ParentKey(destination));
  return from.key != to.key && !from.objectStore() && !to.objectStore();
}

bool IsMountFolder(const std::u16string& key) {
  for (const StorageVolume& volume : MountedVolumes()) {
    if (volume.key == key) return true;
  }
  return false;
}

bool HoldsMountFolder(const std::u16string& key) {
  for (const StorageVolume& volume : MountedVolumes()) {
    if (IsAtOrBelow(volume.key, key)) return true;
  }
  return false;
}

bool CopyBytes(int from, int to) {
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof(buffer));
    if (got < 0) return false;
    if (got == 0) return true;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
      if (put <= 0) return false;
      done += put;
    }
  }
}

}  // namespace

BOOL WINAPI MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
  DeviceItem source;
  DeviceItem destination;
  std::u16string targetPath;
  if (!LookUpPair(lpExistingFileName, lpNewFileName, source, destination, &targetPath)) return FALSE;
  // The root, what lies in ROM and the folders where volumes are mounted stay where they are.
  if (source.resolved.names.empty() || (ItemAttributes(source) & FILE_ATTRIBUTE_INROM) ||
      IsMountFolder(source.key) || (source.isFolder && HoldsMountFolder(source.key))) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  if (destination.exists || destination.resolved.names.empty()) {
    if (destination.key != source.key) return Fail(ERROR_ALREADY_EXISTS);
    // The same item: a new spelling of its name is a rename, the same one changes nothing.
    const std::u16string givenName = SplitDevicePath(targetPath)->back();
    const std::string host = source.resolved.host.substr(0, source.resolved.host.rfind('/') + 1) + cesim::Narrow(givenName);
    if (rename(source.resolved.host.c_str(), host.c_str()) != 0) {
      return Fail(ERROR_ACCESS_DENIED);
    }
    StampFolderOf(host);
    return TRUE;
  }
  if (!destination.parentExists) return Fail(ERROR_PATH_NOT_FOUND);
  if (source.isFolder && IsAtOrBelow(destination.key, source.key)) return Fail(ERROR_INVALID_PARAMETER);
  const bool otherVolume = VolumeOf(source.key).key != VolumeOf(ParentKey(destination)).key;
  if ((source.isFolder && otherVolume) || BetweenMountedVolumes(source, destination)) {
    return Fail(ERROR_NOT_SAME_DEVICE);
  }
  if (rename(source.resolved.host.c_str(), destination.resolved.host.c_str()) != 0) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  // The item keeps its own time; both folders changed.
  StampFolderOf(source.resolved.host);
  StampFolderOf(destination.resolved.host);
  MoveAttributes(source.key, destination.key);
  return TRUE;
}

BOOL WINAPI CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
  DeviceItem source;
  DeviceItem destination;
  if (!LookUpPair(lpExistingFileName, lpNewFileName, source, destination)) return FALSE;
  if (source.isFolder) return Fail(ERROR_ACCESS_DENIED);
  if (destination.key == source.key) return Fail(ERROR_SHARING_VIOLATION);
  if (destination.exists && bFailIfExists) return Fail(ERROR_FILE_EXISTS);
  if (BetweenMountedVolumes(source, destination)) return Fail(ERROR_NOT_SAME_DEVICE);

  FileOpening reading;
  int from = -1;
  DWORD error = OpenDeviceFile(lpExistingFileName, reading, &from);
  if (error != ERROR_SUCCESS) return Fail(error);
  FileOpening writing;
  writing.read = false;
  writing.write = true;
  writing.disposition = OpenDisposition::CreateOrTruncate;
  int to = -1;
  error = OpenDeviceFile(lpNewFileName, writing, &to);
  if (error != ERROR_SUCCESS) {
    close(from);
    return Fail(error);
  }
  const bool copied = CopyBytes(from, to);
  // The copy keeps the time of the last change and the attributes that a copy can have.
  const struct timespec times[2] = {source.info.st_atim, source.info.st_mtim};
  futimens(to, times);
  close(from);
  close(to);
  if (!copied) return Fail(ERROR_DISK_FULL);
  ChangeAttributes(destination.key, ItemAttributes(source) & kSettableAttributes);
  return TRUE;
}

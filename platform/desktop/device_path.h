// The device's paths on desktop Windows. The device has one file system whose root "\" holds
// "\Windows", and no current folder; on the desktop the root of the system drive (the drive of the
// Windows folder) plays that part. The layer's calls that take a path give a path without a drive
// that meaning, and those that give a path back leave the system drive out.
#ifndef CEDESKTOP_DEVICE_PATH_H
#define CEDESKTOP_DEVICE_PATH_H

#include "desktop/ce_desktop.h"

// The letter of the system drive in upper case, or 0 when the Windows folder is on no lettered drive.
WCHAR SystemDriveLetter();

// How many leading characters the device's form of a desktop path of `length` characters leaves
// out: 2 ("C:") for a path on the system drive, else 0.
size_t DeviceFormSkip(const WCHAR* path, size_t length);

// Leaves the system drive out of a desktop path of `length` characters held in `path`, in place;
// returns the new length.
size_t ToDeviceForm(WCHAR* path, size_t length);

// A path given to one of the device's calls, in the form that the desktop's call takes. A path
// with a drive, a network path ("\\server\share") and the empty text go as they are; any other
// path is the device's, from its root: on the system drive. A device path of MAX_PATH characters
// or more is refused as the device refuses it; one that fits the device but not the desktop once
// its drive is added goes in the desktop's long form ("\\?\C:\...").
class DesktopPath {
 public:
  explicit DesktopPath(LPCWSTR path);

  // The path for the desktop's call; null when the path was null or is refused.
  LPCWSTR Get() const { return path_; }
  // True when the device refuses the path: the last error is then set to the device's error, and
  // the caller fails as the device's call would. False, setting nothing, when the path can go on.
  bool Refused() const;

 private:
  DesktopPath(const DesktopPath&);
  void operator=(const DesktopPath&);

  LPCWSTR path_;
  DWORD error_;
  // "\\?\", the drive and a device path of up to MAX_PATH - 1 characters, with the terminator.
  WCHAR form_[MAX_PATH + 8];
};

#endif

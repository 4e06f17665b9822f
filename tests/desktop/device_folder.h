// A folder of the test's own at the root of the system drive, which the device's paths reach as
// "\NAME", with the process's current folder moved to another drive for the test, so that the
// desktop's own meaning of a path without a drive (the current folder's drive) would miss it.
#ifndef CEDESKTOP_TESTS_DEVICE_FOLDER_H
#define CEDESKTOP_TESTS_DEVICE_FOLDER_H

#include <gtest/gtest.h>

#include <string>

#include "ceplatform.h"

class DeviceFolderTest : public ::testing::Test {
 protected:
  explicit DeviceFolderTest(const std::wstring& name) : folder_(L"\\" + name) {}

  void SetUp() override;
  void TearDown() override;

  // The test's folder, or a name in it, as the device writes it: "\NAME\name".
  std::wstring Device(const std::wstring& name = std::wstring()) const {
    return name.empty() ? folder_ : folder_ + L"\\" + name;
  }
  // The same place as the desktop writes it, in the long form that takes any length.
  std::wstring Desktop(const std::wstring& name = std::wstring()) const { return L"\\\\?\\" + drive_ + Device(name); }
  // A device path of the system folder (on the desktop "C:\windows\system32" is "\windows\system32").
  std::wstring SystemFolder() const { return systemFolder_; }
  std::wstring Drive() const { return drive_; }

  // Whether something of that desktop path exists; the desktop's own answer, with a drive.
  static bool Exists(const std::wstring& desktopPath) {
    return GetFileAttributesW(desktopPath.c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  // Writes a file by its desktop path.
  static bool Write(const std::wstring& desktopPath, const std::string& contents);
 public:
  // A file's contents, read by its desktop path; "(none)" when it cannot be read (for the other
  // desktop tests too).
  static std::string Contents(const std::wstring& desktopPath);

 private:
  static void RemoveTree(const std::wstring& desktopPath);

  std::wstring folder_;
  std::wstring drive_;
  std::wstring systemFolder_;
  WCHAR previous_[MAX_PATH] = {};
};

#endif

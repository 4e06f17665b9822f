// SHGetSpecialFolderPath: the folders of the device's shell by CSIDL. Their places are those of
// the device's shell (the Windows CE directory identifiers of Pocket PC setup files name
// "\Windows\Start Menu\Programs", "\My Documents", ...); an image may move any of them
// ([shellfolders] in device.ini, keyed by the CSIDL's name). A missing folder is made when asked.
#include <algorithm>
#include <optional>
#include <string>

#include "core/device.h"
#include "files/items.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/shell.h"

namespace cesim::detail {

namespace {

struct SpecialFolder {
  int csidl;
  const char* name;  // the key in [shellfolders]
  const char16_t* path;
};

// Virtual folders (the control panel, printers, the recycle bin, the device itself) have no path.
const SpecialFolder kSpecialFolders[] = {
    {CSIDL_DESKTOP, "CSIDL_DESKTOP", u"\\Windows\\Desktop"},
    {CSIDL_PROGRAMS, "CSIDL_PROGRAMS", u"\\Windows\\Start Menu\\Programs"},
    {CSIDL_PERSONAL, "CSIDL_PERSONAL", u"\\My Documents"},
    {CSIDL_FAVORITES, "CSIDL_FAVORITES", u"\\Windows\\Favorites"},
    {CSIDL_STARTUP, "CSIDL_STARTUP", u"\\Windows\\StartUp"},
    {CSIDL_RECENT, "CSIDL_RECENT", u"\\Windows\\Recent"},
    {CSIDL_STARTMENU, "CSIDL_STARTMENU", u"\\Windows\\Start Menu"},
    {CSIDL_MYMUSIC, "CSIDL_MYMUSIC", u"\\My Documents\\My Music"},
    {CSIDL_MYVIDEO, "CSIDL_MYVIDEO", u"\\My Documents\\My Videos"},
    {CSIDL_DESKTOPDIRECTORY, "CSIDL_DESKTOPDIRECTORY", u"\\Windows\\Desktop"},
    {CSIDL_FONTS, "CSIDL_FONTS", u"\\Windows\\Fonts"},
    {CSIDL_TEMPLATES, "CSIDL_TEMPLATES", u"\\My Documents\\Templates"},
    {CSIDL_APPDATA, "CSIDL_APPDATA", u"\\Application Data"},
    {CSIDL_WINDOWS, "CSIDL_WINDOWS", u"\\Windows"},
    {CSIDL_PROGRAM_FILES, "CSIDL_PROGRAM_FILES", u"\\Program Files"},
    {CSIDL_MYPICTURES, "CSIDL_MYPICTURES", u"\\My Documents\\My Pictures"},
};

std::u16string Widened(const std::string& text) {
  // device.ini is ASCII and UTF-8; paths of special folders are ASCII on every device we model.
  std::u16string wide;
  for (unsigned char c : text) wide.push_back(c);
  return wide;
}

// The folder's place: the image's own when it names a usable absolute path, else the device's.
std::optional<std::u16string> PlaceOf(int csidl) {
  for (const SpecialFolder& folder : kSpecialFolders) {
    if (folder.csidl != csidl) continue;
    if (std::optional<std::string> setting = SettingValue("shellfolders", folder.name)) {
      std::u16string absolute;
      const std::u16string path = Widened(*setting);
      if (!path.empty() && path[0] == u'\\' && CheckPath(path.c_str(), false, absolute) == ERROR_SUCCESS) {
        return absolute;
      }
    }
    return std::u16string(folder.path);
  }
  return std::nullopt;
}

// Makes the folder and every missing folder above it; the error of the first that fails.
DWORD MakeFolders(const std::u16string& path) {
  for (size_t at = path.find(u'\\', 1);; at = path.find(u'\\', at + 1)) {
    const std::u16string part = at == std::u16string::npos ? path : path.substr(0, at);
    std::u16string absolute;
    const DWORD error = CheckPath(part.c_str(), false, absolute);
    if (error != ERROR_SUCCESS) return error;
    const DeviceItem item = LookUpItem(absolute);
    if (!item.exists) {
      if (!CreateDirectoryW(part.c_str(), nullptr)) return GetLastError();
    } else if (!item.isFolder) {
      return ERROR_ALREADY_EXISTS;
    }
    if (at == std::u16string::npos) return ERROR_SUCCESS;
  }
}

}  // namespace

}  // namespace cesim::detail

using namespace cesim::detail;

BOOL WINAPI SHGetSpecialFolderPath(HWND, LPWSTR lpszPath, int nFolder, BOOL fCreate) {
  if (lpszPath == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpszPath[0] = 0;
  const bool create = fCreate != FALSE || (nFolder & CSIDL_FLAG_CREATE) != 0;
  std::optional<std::u16string> place = PlaceOf(nFolder & ~CSIDL_FLAG_CREATE);
  if (!place) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const DeviceItem item = LookUpItem(*place);
  if (!(item.exists && item.isFolder)) {
    if (item.exists || !create) {
      SetLastError(item.exists ? ERROR_ALREADY_EXISTS : ERROR_PATH_NOT_FOUND);
      return FALSE;
    }
    const DWORD error = MakeFolders(*place);
    if (error != ERROR_SUCCESS) {
      SetLastError(error);
      return FALSE;
    }
  }
  std::copy(place->begin(), place->end(), lpszPath);
  lpszPath[place->size()] = 0;
  return TRUE;
}

// SHGetFileInfo: what the shell shows for a file or folder. The display name hides the extension
// of shortcuts and of registered types (the Windows 95 shell's rule, which the device's follows);
// the type name comes from HKEY_CLASSES_ROOT; the icons come from the system image lists, where a
// program has its own picture, a document its type's DefaultIcon, a shortcut its target's.
#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "files/items.h"
#include "shell/ceshell_paths.h"
#include "shell/file_types.h"
#include "shell/shortcut_file.h"
#include "shell/system_images.h"
#include "sim/commctrl.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/shell.h"

namespace cesim::detail {

namespace {

struct ShellItem {
  std::u16string path;  // the device path, names as the file system writes them
  std::u16string name;  // its last name
  std::string host;     // the image's file or folder, for an item from the file system
  DWORD attributes = 0;
  bool fromFileSystem = false;  // false: described by the caller's attributes
  int file = -1;                // the item opened for reading at its look-up, when asked for
};

// The descriptor of an item opened at its look-up, closed when the call is done.
class OpenedItem {
 public:
  OpenedItem() = default;
  OpenedItem(const OpenedItem&) = delete;
  OpenedItem& operator=(const OpenedItem&) = delete;
  ~OpenedItem() {
    if (descriptor >= 0) close(descriptor);
  }
  int descriptor = -1;
};

bool IsFolder(const ShellItem& item) { return (item.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool IsStorageFolder(const ShellItem& item) {
  return IsFolder(item) && (item.attributes & FILE_ATTRIBUTE_TEMPORARY) != 0;
}

// The item a path names on the device; the error when there is none. With `opened`, the item is
// also opened for reading where it can be, at the same look (item->file; `opened` closes it).
DWORD FindShellItem(LPCWSTR path, ShellItem* item, OpenedItem* opened = nullptr) {
  std::u16string absolute;
  DWORD error = CheckPath(path, false, absolute);
  if (error != ERROR_SUCCESS) return error;
  DeviceItem found = LookUpItem(absolute, opened != nullptr ? &opened->descriptor : nullptr);
  if (opened != nullptr) item->file = opened->descriptor;
  if (!found.exists) return found.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  item->path = DevicePathOf(found.resolved);
  item->name = found.resolved.names.empty() ? u"\\" : found.resolved.names.back();
  item->attributes = ItemAttributes(found);
  item->host = std::move(found.resolved.host);
  item->fromFileSystem = true;
  return ERROR_SUCCESS;
}

std::u16string DisplayName(const ShellItem& item) {
  if (IsFolder(item)) return item.name;
  const std::u16string extension = ExtensionOf(item.name);
  if (!extension.empty() && (NamesShortcut(item.name) || ExtensionIsRegistered(extension))) {
    return item.name.substr(0, item.name.size() - extension.size());
  }
  return item.name;
}

std::u16string TypeName(const ShellItem& item) {
  if (IsStorageFolder(item)) return u"Storage Card";
  if (IsFolder(item)) return u"Folder";
  return FileTypeName(item.name);
}

DWORD ShellAttributes(const ShellItem& item) {
  DWORD attributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET;
  const bool locked = (item.attributes & (FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_TEMPORARY)) != 0;
  if (!locked) attributes |= SFGAO_CANMOVE | SFGAO_CANRENAME | SFGAO_CANDELETE;
  if (item.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_INROM)) attributes |= SFGAO_READONLY;
  if (item.attributes & FILE_ATTRIBUTE_HIDDEN) attributes |= SFGAO_GHOSTED;
  if (IsFolder(item)) {
    attributes |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
  } else if (NamesShortcut(item.name)) {
    attributes |= SFGAO_LINK;
  }
  return attributes;
}

// The picture of a document: its type's DefaultIcon, or the shell's document picture.
std::u16string DocumentPicture(const std::u16string& name) {
  const std::u16string type = TypeOfExtension(ExtensionOf(name));
  if (!type.empty()) {
    std::optional<std::u16string> icon = ClassesDefaultText(type + u"\\DefaultIcon");
    if (icon && !icon->empty()) return *icon;
  }
  return kDocumentPicture;
}

// The picture of a file that exists: a program shows its own first icon.
std::u16string FilePicture(const ShellItem& item) {
  if (NamesProgram(item.name)) return item.fromFileSystem ? item.path + u",0" : std::u16string(kProgramPicture);
  return DocumentPicture(item.name);
}

std::u16string Picture(const ShellItem& item, bool open) {
  if (IsStorageFolder(item)) return kStorageCardPicture;
  if (IsFolder(item)) return open ? kOpenFolderPicture : kFolderPicture;
  if (item.fromFileSystem && NamesShortcut(item.name)) {
    // A shortcut shows what it starts; one whose target is not there shows a document. The
    // shortcut was found a moment ago: its file is read without looking its path up again,
    // through the descriptor of that look when it opened the file.
    std::optional<std::u16string> command =
        item.file >= 0 ? ReadShortcutCommandFromFile(item.file) : ReadShortcutCommandFromHost(item.host);
    ShellItem target;
    if (command && !command->empty() && (*command)[0] != u':' &&
        FindShellItem(CleanShortcutCommand(*command).c_str(), &target) == ERROR_SUCCESS && !IsFolder(target) &&
        !NamesShortcut(target.name)) {
      return FilePicture(target);
    }
    return kDocumentPicture;
  }
  if (NamesShortcut(item.name)) return kDocumentPicture;
  return FilePicture(item);
}

// The caller's path up to MAX_PATH characters.
std::u16string_view BoundedPath(LPCWSTR path) {
  size_t length = 0;
  while (length < MAX_PATH && path[length] != 0) ++length;
  return std::u16string_view(path, length);
}

void CopyBounded(const std::u16string& text, WCHAR* field, size_t capacity) {
  const size_t length = std::min(text.size(), capacity - 1);
  std::copy(text.begin(), text.begin() + length, field);
  field[length] = 0;
}

}  // namespace

}  // namespace cesim::detail

using namespace cesim::detail;

DWORD_PTR WINAPI SHGetFileInfo(LPCWSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo,
                               UINT uFlags) {
  if (pszPath == nullptr || psfi == nullptr || cbFileInfo < sizeof(SHFILEINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if ((uFlags & (SHGFI_PIDL | SHGFI_EXETYPE)) != 0) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  // These are set whatever is asked.
  psfi->szDisplayName[0] = 0;
  psfi->szTypeName[0] = 0;
  psfi->iIcon = 0;
  const bool small = (uFlags & SHGFI_SMALLICON) != 0;
  // An empty path asks for the system image list alone.
  if (pszPath[0] == 0) {
    if ((uFlags & SHGFI_SYSICONINDEX) != 0) return reinterpret_cast<DWORD_PTR>(SystemImageList(small));
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
  }

  ShellItem item;
  OpenedItem opened;
  if ((uFlags & SHGFI_USEFILEATTRIBUTES) != 0) {
    // The path need not exist: the item is what the caller says it is.
    for (size_t i = 0; i < MAX_PATH && pszPath[i] != 0; ++i) item.path.push_back(pszPath[i]);
    item.name = LastName(item.path);
    item.attributes = dwFileAttributes;
  } else {
    // A shortcut whose picture is asked for is read next: it is opened at its look-up.
    const bool readsShortcut = (uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX)) != 0 && NamesShortcut(BoundedPath(pszPath));
    const DWORD error = FindShellItem(pszPath, &item, readsShortcut ? &opened : nullptr);
    if (error != ERROR_SUCCESS) {
      SetLastError(error);
      return 0;
    }
  }

  if (uFlags & SHGFI_DISPLAYNAME) CopyBounded(DisplayName(item), psfi->szDisplayName, MAX_PATH);
  if (uFlags & SHGFI_TYPENAME) CopyBounded(TypeName(item), psfi->szTypeName, sizeof(psfi->szTypeName) / sizeof(WCHAR));
  if (uFlags & SHGFI_ATTRIBUTES) {
    const DWORD attributes = ShellAttributes(item);
    psfi->dwAttributes = (uFlags & SHGFI_ATTR_SPECIFIED) != 0 ? psfi->dwAttributes & attributes : attributes;
  }
  if (uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX)) {
    psfi->iIcon = SystemIconIndex(Picture(item, (uFlags & SHGFI_OPENICON) != 0));
    if (uFlags & SHGFI_ICON) psfi->hIcon = ImageList_GetIcon(SystemImageList(small), psfi->iIcon, ILD_NORMAL);
  }
  if (uFlags & SHGFI_SYSICONINDEX) return reinterpret_cast<DWORD_PTR>(SystemImageList(small));
  return TRUE;
}

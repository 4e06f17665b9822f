// Shortcut files as SHCreateShortcut writes them: the number of characters of the target in
// decimal, "#" and the target, in the device's ANSI code page, with no line break: the target
// "\Windows\calc.exe" gives "17#\Windows\calc.exe". The shell reads them back the same way.
#include "shell/shortcut_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "files/attributes.h"
#include "files/items.h"
#include "files/write_times.h"
#include "shell/ansi_text.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/shell.h"

namespace cesim::detail {

namespace {

// The target's buffer on the device holds 256 characters with its terminator.
constexpr size_t kLongestTarget = 255;
// A shortcut is a line; no more than this much of a file is read.
constexpr size_t kLongestShortcutFile = 4096;

// A target of at most kLongestTarget characters; nothing for a longer one (read no further).
std::optional<std::u16string> TargetText(LPCWSTR target) {
  for (size_t i = 0; i <= kLongestTarget; ++i) {
    if (target[i] == 0) return std::u16string(target, i);
  }
  return std::nullopt;
}

bool WriteAll(int descriptor, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = write(descriptor, bytes.data() + done, bytes.size() - done);
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

// ERROR_SUCCESS when a file may be made at the item's place: its folder exists, is not in ROM and
// holds nothing of that name.
DWORD CheckNewFile(const DeviceItem& item) {
  if (item.resolved.names.empty()) return ERROR_ACCESS_DENIED;
  if (item.exists) return ERROR_FILE_EXISTS;
  if (!item.parentExists) return ERROR_PATH_NOT_FOUND;
  std::vector<std::u16string> parent = item.resolved.names;
  parent.pop_back();
  if (!parent.empty() && (DeviceAttributes(PathKey(parent), true) & FILE_ATTRIBUTE_INROM) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return ERROR_SUCCESS;
}

}  // namespace

std::optional<std::u16string> ReadShortcutCommand(const std::u16string& path) {
  std::u16string absolute;
  if (CheckPath(path.c_str(), false, absolute) != ERROR_SUCCESS) return std::nullopt;
  const DeviceItem item = LookUpItem(absolute);
  if (!item.exists || item.isFolder) return std::nullopt;
  return ReadShortcutCommandFromHost(item.resolved.host);
}

std::optional<std::u16string> ReadShortcutCommandFromHost(const std::string& hostPath) {
  const int descriptor = open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return std::nullopt;
  std::optional<std::u16string> command = ReadShortcutCommandFromFile(descriptor);
  close(descriptor);
  return command;
}

std::optional<std::u16string> ReadShortcutCommandFromFile(int descriptor) {
  // On the stack: only the bytes read are looked at, so nothing needs clearing first.
  char bytes[kLongestShortcutFile];
  const ssize_t got = read(descriptor, bytes, sizeof(bytes));
  if (got < 0) return std::nullopt;
  const size_t size = static_cast<size_t>(got);
  size_t at = 0;
  while (at < size && (bytes[at] == ' ' || bytes[at] == '\t' || bytes[at] == '\r' || bytes[at] == '\n')) ++at;
  if (at < size && (bytes[at] == '+' || bytes[at] == '-')) ++at;
  const size_t digits = at;
  while (at < size && bytes[at] >= '0' && bytes[at] <= '9') ++at;
  if (at == digits) return std::nullopt;
  if (at < size && bytes[at] == '#') ++at;
  size_t end = at;
  while (end < size && bytes[end] != '\r' && bytes[end] != '\n') ++end;
  return DecodeAnsi(std::string_view(bytes + at, end - at));
}

}  // namespace cesim::detail

using namespace cesim::detail;

DWORD WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget) {
  if (szShortcut == nullptr || szTarget == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::optional<std::u16string> target = TargetText(szTarget);
  if (!target) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string absolute;
  DWORD error = CheckPath(szShortcut, false, absolute);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  const DeviceItem item = LookUpItem(absolute);
  error = CheckNewFile(item);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  // A target that the code page cannot hold would come back as other characters: refused.
  std::optional<std::string> bytes = EncodeAnsi(*target);
  if (!bytes) {
    SetLastError(ERROR_NO_UNICODE_TRANSLATION);
    return FALSE;
  }
  const std::string contents = std::to_string(target->size()) + "#" + *bytes;
  const int descriptor = open(item.resolved.host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (descriptor < 0) {
    SetLastError(errno == EEXIST ? ERROR_FILE_EXISTS : ERROR_ACCESS_DENIED);
    return FALSE;
  }
  const bool written = WriteAll(descriptor, contents);
  StampWritten(descriptor);
  close(descriptor);
  if (!written) {
    unlink(item.resolved.host.c_str());
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  StampFolderOf(item.resolved.host);
  ForgetAttributes(item.key);
  return TRUE;
}

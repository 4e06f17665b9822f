// ShellExecuteEx: a program is started with the parameters given; a shortcut starts its command;
// a document or folder is opened with the command of its type in HKEY_CLASSES_ROOT
// (<type>\shell\<verb>\command, "%1" standing for the item and "%*" for the parameters); a name
// that starts with ":" is a command that the shell keeps by name (value "1" of the key
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shell\Rai\:NAME). Every start goes into the launch log.
// A failure gives the documented hInstApp and last error, and a message box unless
// SEE_MASK_FLAG_NO_UI is set.
#include <optional>
#include <string>
#include <vector>

#include "core/handles.h"
#include "files/items.h"
#include "files/paths.h"
#include "loader/launch.h"
#include "shell/ceshell_paths.h"
#include "shell/file_types.h"
#include "shell/shortcut_file.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/message_box.h"
#include "sim/registry.h"
#include "sim/shell.h"
#include "sim/window.h"

namespace cesim::detail {

namespace {

// What ShellExecuteEx gives back for a start: hInstApp greater than 32.
constexpr INT_PTR kStarted = 33;
// Parameters longer than this are refused rather than read without end.
constexpr size_t kLongestParameters = 32767;
const char16_t kRaiKey[] = u"SOFTWARE\\Microsoft\\Shell\\Rai\\";

struct Failure {
  DWORD error = ERROR_SUCCESS;
  INT_PTR instance = 0;  // the SE_ERR_ value for hInstApp
};

Failure FailureOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND: return {error, SE_ERR_FNF};
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_NAME: return {error, SE_ERR_PNF};
    case ERROR_ACCESS_DENIED: return {error, SE_ERR_ACCESSDENIED};
    case ERROR_NO_ASSOCIATION: return {error, SE_ERR_NOASSOC};
    case ERROR_NOT_ENOUGH_MEMORY: return {error, SE_ERR_OOM};
    default: return {error, static_cast<INT_PTR>(error < 32 ? error : SE_ERR_NOASSOC)};
  }
}

std::optional<std::u16string> Bounded(LPCWSTR text, size_t longest) {
  if (text == nullptr) return std::u16string();
  for (size_t i = 0; i <= longest; ++i) {
    if (text[i] == 0) return std::u16string(text, i);
  }
  return std::nullopt;
}

struct FoundFile {
  std::u16string path;  // names as the file system writes them
  bool isFolder = false;
};

DWORD LookUp(const std::u16string& path, FoundFile* found) {
  std::u16string absolute;
  const DWORD error = CheckPath(path.c_str(), false, absolute);
  if (error != ERROR_SUCCESS) return error;
  const DeviceItem item = LookUpItem(absolute);
  if (!item.exists) return item.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  found->path = DevicePathOf(item.resolved);
  found->isFolder = item.isFolder;
  return ERROR_SUCCESS;
}

// The file a name stands for: a path as it is; a plain name in \Windows, then in the root, with
// ".exe" added when it has no extension and is not found as it is.
DWORD FindFile(const std::u16string& name, FoundFile* found) {
  if (name.empty()) return ERROR_FILE_NOT_FOUND;
  if (name.find(u'\\') != std::u16string::npos) return LookUp(name, found);
  std::vector<std::u16string> candidates = {u"\\Windows\\" + name, u"\\" + name};
  if (ExtensionOf(name).empty()) {
    candidates.push_back(u"\\Windows\\" + name + u".exe");
    candidates.push_back(u"\\" + name + u".exe");
  }
  DWORD error = ERROR_FILE_NOT_FOUND;
  for (const std::u16string& candidate : candidates) {
    error = LookUp(candidate, found);
    if (error == ERROR_SUCCESS) return error;
  }
  return error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : error;
}

// One call of ShellExecuteEx: what it was asked, and the process it started.
struct Execution {
  ShellRequest request;
  DWORD processId = 0;
};

void Record(const std::u16string& programPath, const std::u16string& arguments, Execution* execution) {
  execution->processId = RecordLaunch(programPath, arguments, "ShellExecuteEx", 0, &execution->request);
}

// Starts the program of a command line, with more arguments after the command's own.
DWORD StartCommand(const std::u16string& command, const std::u16string& moreArguments, int depth,
                   Execution* execution);

DWORD StartProgram(const std::u16string& program, const std::u16string& arguments, Execution* execution) {
  FoundFile found;
  const DWORD error = FindFile(program, &found);
  if (error != ERROR_SUCCESS) return error;
  if (found.isFolder) return ERROR_ACCESS_DENIED;
  if (!NamesProgram(found.path)) return ERROR_BAD_FORMAT;
  Record(found.path, arguments, execution);
  return ERROR_SUCCESS;
}

std::u16string Joined(const std::u16string& first, const std::u16string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  return first + u" " + second;
}

// A command that the shell keeps by name (":MSWELCOME").
DWORD StartNamedCommand(const std::u16string& name, const std::u16string& arguments, int depth,
                        Execution* execution) {
  HKEY key = nullptr;
  const std::u16string subkey = std::u16string(kRaiKey) + name;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return ERROR_FILE_NOT_FOUND;
  }
  WCHAR command[MAX_PATH + 1] = {};
  DWORD type = 0;
  DWORD size = MAX_PATH * sizeof(WCHAR);
  const LONG result = RegQueryValueExW(key, u"1", nullptr, &type, reinterpret_cast<LPBYTE>(command), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ || command[0] == 0) return ERROR_FILE_NOT_FOUND;
  return StartCommand(command, arguments, depth + 1, execution);
}

DWORD StartCommand(const std::u16string& command, const std::u16string& moreArguments, int depth,
                   Execution* execution) {
  // A named command that names itself (or others without end) is not followed for ever.
  if (depth > 4) return ERROR_FILE_NOT_FOUND;
  const CommandLine line = SplitCommandLine(command);
  if (!line.program.empty() && line.program[0] == u':') {
    return StartNamedCommand(line.program, Joined(line.arguments, moreArguments), depth, execution);
  }
  return StartProgram(line.program, Joined(line.arguments, moreArguments), execution);
}

// The command of an item's type with the item and the parameters put in: "%1" and "%L" are the
// item, "%*" the parameters, "%%" a percent sign. A command without "%1" gets the item at its end.
std::u16string Expanded(const std::u16string& command, const std::u16string& item, const std::u16string& parameters) {
  std::u16string result;
  bool placedItem = false;
  for (size_t i = 0; i < command.size(); ++i) {
    if (command[i] != u'%' || i + 1 == command.size()) {
      result.push_back(command[i]);
      continue;
    }
    const char16_t code = command[++i];
    if (code == u'1' || code == u'L' || code == u'l') {
      result += item;
      placedItem = true;
    } else if (code == u'*') {
      result += parameters;
    } else if (code == u'%') {
      result.push_back(u'%');
    } else if (code < u'2' || code > u'9') {
      result.push_back(u'%');
      result.push_back(code);
    }
  }
  if (!placedItem) {
    const bool quote = item.find(u' ') != std::u16string::npos;
    result += (quote ? u" \"" : u" ") + item + (quote ? u"\"" : u"");
  }
  return result;
}

DWORD OpenWithType(const std::u16string& type, const std::u16string& verb, const std::u16string& item,
                   const std::u16string& parameters, Execution* execution) {
  if (type.empty()) return ERROR_NO_ASSOCIATION;
  std::optional<std::u16string> command = ClassesDefaultText(type + u"\\shell\\" + verb + u"\\command");
  if (!command || command->empty()) return ERROR_NO_ASSOCIATION;
  return StartCommand(Expanded(*command, item, parameters), std::u16string(), 0, execution);
}

DWORD Execute(Execution* execution) {
  const std::u16string& file = execution->request.file;
  const std::u16string& verb = execution->request.verb;
  const std::u16string& parameters = execution->request.parameters;
  if (file.empty()) return ERROR_FILE_NOT_FOUND;
  if (file[0] == u':') {
    return SameName(verb, u"open") ? StartNamedCommand(file, parameters, 0, execution) : ERROR_NO_ASSOCIATION;
  }
  FoundFile found;
  const DWORD error = FindFile(file, &found);
  if (error != ERROR_SUCCESS) return error;
  if (found.isFolder) return OpenWithType(u"Folder", verb, found.path, parameters, execution);
  const bool opening = SameName(verb, u"open");
  if (NamesProgram(found.path) && opening) {
    Record(found.path, parameters, execution);
    return ERROR_SUCCESS;
  }
  if (NamesShortcut(found.path) && opening) {
    std::optional<std::u16string> command = ReadShortcutCommand(found.path);
    if (!command || command->empty()) return ERROR_FILE_NOT_FOUND;
    return StartCommand(*command, parameters, 0, execution);
  }
  return OpenWithType(TypeOfExtension(ExtensionOf(found.path)), verb, found.path, parameters, execution);
}

// The shell's own message for a failure, owned by the caller's window.
void ShowFailure(HWND owner, const std::u16string& file, DWORD error) {
  const std::u16string name = LastName(file);
  std::u16string text;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      text = u"Cannot find '" + name + u"' (or one of its components). Make sure the path and file name are correct.";
      break;
    case ERROR_NO_ASSOCIATION:
      text = u"There is no application associated with '" + name + u"'.";
      break;
    default:
      text = u"Cannot open '" + name + u"'.";
      break;
  }
  MessageBoxW(owner != nullptr && IsWindow(owner) ? owner : nullptr, text.c_str(), name.c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace

}  // namespace cesim::detail

using namespace cesim::detail;

BOOL WINAPI ShellExecuteEx(LPSHELLEXECUTEINFO lpExecInfo) {
  if (lpExecInfo == nullptr || lpExecInfo->cbSize != sizeof(SHELLEXECUTEINFO)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::optional<std::u16string> file = Bounded(lpExecInfo->lpFile, MAX_PATH - 1);
  std::optional<std::u16string> verb = Bounded(lpExecInfo->lpVerb, MAX_PATH - 1);
  std::optional<std::u16string> parameters = Bounded(lpExecInfo->lpParameters, kLongestParameters);
  DWORD error = ERROR_SUCCESS;
  Execution execution;
  if (!file) {
    error = ERROR_FILENAME_EXCED_RANGE;
  } else if (!verb || !parameters) {
    error = ERROR_INVALID_PARAMETER;
  } else {
    execution.request.file = *file;
    execution.request.verb = verb->empty() ? u"open" : *verb;
    execution.request.parameters = *parameters;
    error = Execute(&execution);
  }
  if (error == ERROR_SUCCESS) {
    lpExecInfo->hInstApp = reinterpret_cast<HINSTANCE>(kStarted);
    // The caller of SEE_MASK_NOCLOSEPROCESS gets the started process's handle and closes it.
    if (lpExecInfo->fMask & SEE_MASK_NOCLOSEPROCESS) {
      lpExecInfo->hProcess = OpenKernelHandle(KernelObject::Process, execution.processId);
    }
    return TRUE;
  }
  if (lpExecInfo->fMask & SEE_MASK_NOCLOSEPROCESS) lpExecInfo->hProcess = nullptr;
  const Failure failure = FailureOf(error);
  lpExecInfo->hInstApp = reinterpret_cast<HINSTANCE>(failure.instance);
  if ((lpExecInfo->fMask & SEE_MASK_FLAG_NO_UI) == 0) ShowFailure(lpExecInfo->hwnd, file.value_or(u""), error);
  SetLastError(failure.error);
  return FALSE;
}

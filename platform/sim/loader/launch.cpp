// Finding the program that a name stands for, and the log of the programs started.
#include "loader/launch.h"

#include "core/clock.h"
#include "files/items.h"
#include "files/paths.h"
#include "sim/loader.h"

namespace cesim::detail {

namespace {

struct LaunchLog {
  std::vector<Launch> launches;
  DWORD nextProcessId = 0;
};

LaunchLog& Log() {
  static LaunchLog log;
  return log;
}

bool HasSeparator(const std::u16string& name) {
  for (char16_t c : name) {
    if (IsPathSeparator(c)) return true;
  }
  return false;
}

bool EndsWithExe(const std::u16string& path) {
  return path.size() >= 4 && SameName(path.substr(path.size() - 4), u".exe");
}

// ".exe" for a plain name without extension; a trailing "." means a name without one.
std::u16string WithProgramExtension(const std::u16string& name) {
  if (!name.empty() && name.back() == u'.') return name.substr(0, name.size() - 1);
  if (name.find(u'.') != std::u16string::npos) return name;
  return name + u".exe";
}

// ERROR_SUCCESS when the candidate is a program; else why it is none.
DWORD CheckCandidate(const std::u16string& candidate, std::u16string* programPath) {
  std::u16string absolute;
  DWORD error = CheckPath(candidate.c_str(), false, absolute);
  if (error != ERROR_SUCCESS) return error;
  DeviceItem item = LookUpItem(absolute);
  if (!item.exists) return item.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
  if (item.isFolder) return ERROR_ACCESS_DENIED;
  if (!EndsWithExe(absolute)) return ERROR_BAD_EXE_FORMAT;
  *programPath = DevicePathOf(item.resolved);
  return ERROR_SUCCESS;
}

}  // namespace

DWORD ResolveProgram(const std::u16string& name, std::u16string* programPath) {
  if (name.empty()) return ERROR_PATH_NOT_FOUND;
  if (name.size() >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  if (HasSeparator(name)) return CheckCandidate(name, programPath);
  const std::u16string fileName = WithProgramExtension(name);
  for (const char16_t* folder : {u"\\Windows\\", u"\\"}) {
    DWORD error = CheckCandidate(folder + fileName, programPath);
    if (error == ERROR_SUCCESS) return error;
    // A candidate that is no program ends the search as it would on the device; one that is not
    // there, or that does not fit, lets it go on.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_FILENAME_EXCED_RANGE) {
      return error;
    }
  }
  return ERROR_FILE_NOT_FOUND;
}

DWORD RecordLaunch(const std::u16string& programPath, const std::u16string& commandLine, const std::string& call,
                   DWORD creationFlags, const ShellRequest* request) {
  LaunchLog& log = Log();
  Launch launch;
  launch.programPath = programPath;
  launch.commandLine = commandLine;
  launch.time = ClockNow();
  launch.call = call;
  launch.creationFlags = creationFlags;
  if (request != nullptr) {
    launch.verb = request->verb;
    launch.file = request->file;
    launch.parameters = request->parameters;
  }
  // Process identifiers of the device are handle-like numbers.
  launch.processId = 0x00100002 + (++log.nextProcessId) * 0x10000;
  log.launches.push_back(launch);
  return launch.processId;
}

const std::vector<Launch>& Launches() { return Log().launches; }

void ResetLaunches(Phase) { Log() = LaunchLog(); }

}  // namespace cesim::detail

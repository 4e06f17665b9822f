// Starting programs: finding the program that a name stands for, as the device's CreateProcessW
// searches for it, and the launch log in which every start is kept. Nothing is run on this host;
// automation reads the log (cesim::LaunchLog). CreateProcessW and the shell's ShellExecuteEx
// both start programs through here.
#ifndef CESIM_LOADER_LAUNCH_H
#define CESIM_LOADER_LAUNCH_H

#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// The program a name stands for. A name with a path is taken as it is (a path without a leading
// "\\" starts at the root: the device has no current folder); a plain name is looked for in
// \Windows, then in the root folder. A name without an extension gets ".exe" unless it ends in a
// "."; a name with a path gets none. Returns ERROR_SUCCESS and the program's path with every name
// as it is written on the device, or the platform's error: ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND (a folder on the way is missing, or the name is empty),
// ERROR_FILENAME_EXCED_RANGE, ERROR_INVALID_NAME, ERROR_ACCESS_DENIED (a folder),
// ERROR_BAD_EXE_FORMAT (a file that is no program: one whose name does not end in ".exe").
DWORD ResolveProgram(const std::u16string& name, std::u16string* programPath);

// One start of a program.
struct Launch {
  std::u16string programPath;  // as ResolveProgram found it
  std::u16string commandLine;  // the program's arguments as given; empty when none were
  DWORD time = 0;              // the device's clock
  std::string call;            // what started it: "CreateProcessW", "ShellExecuteEx"
  DWORD creationFlags = 0;
  DWORD processId = 0;
  // ShellExecuteEx's request, as it was given; empty for other calls.
  std::u16string verb;
  std::u16string file;
  std::u16string parameters;
};

// What the shell was asked when it starts a program (ShellExecuteEx).
struct ShellRequest {
  std::u16string verb;
  std::u16string file;
  std::u16string parameters;
};

// Keeps a start in the log; returns the identifier of the process that it stands for.
DWORD RecordLaunch(const std::u16string& programPath, const std::u16string& commandLine, const std::string& call,
                   DWORD creationFlags, const ShellRequest* request = nullptr);
const std::vector<Launch>& Launches();

void ResetLaunches(Phase phase);

}  // namespace cesim::detail

#endif

// The launch log: every program that the device was asked to start, in order. Nothing is run on
// this host; automation reads the log (cesim::LaunchLog). This is the shell's half of the device's
// one launch log, shaped as the process starter's (CreateProcessW) will share it: one record per
// start, with the call that made it.
#ifndef CESIM_SHELL_LAUNCH_LOG_H
#define CESIM_SHELL_LAUNCH_LOG_H

#include <string>
#include <vector>

#include "core/parts.h"
#include "sim/types.h"

namespace cesim::detail {

// One start of a program.
struct Launch {
  std::u16string programPath;  // the program as the device found it
  std::u16string commandLine;  // the program's arguments as given; empty when none were
  DWORD time = 0;              // the device's clock
  std::string call;            // what started it: "ShellExecuteEx"
  DWORD creationFlags = 0;
  DWORD processId = 0;
};

// Keeps a start in the log; returns the identifier of the process that it stands for.
DWORD RecordLaunch(const std::u16string& programPath, const std::u16string& commandLine, const std::string& call,
                   DWORD creationFlags);
const std::vector<Launch>& Launches();

void ResetLaunches(Phase phase);

}  // namespace cesim::detail

#endif

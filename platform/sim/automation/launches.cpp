// The launch log from outside: the programs that the device was asked to start.
#include "cesim/automation.h"
#include "shell/launch_log.h"

namespace cesim {

std::vector<LaunchRecord> LaunchLog() {
  std::vector<LaunchRecord> rows;
  for (const detail::Launch& launch : detail::Launches()) {
    LaunchRecord row;
    row.programPath = launch.programPath;
    row.commandLine = launch.commandLine;
    row.time = launch.time;
    row.call = launch.call;
    row.creationFlags = launch.creationFlags;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace cesim

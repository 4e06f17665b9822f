// The launch log from outside: the programs that the device was asked to start, and the handles
// of them that are still open.
#include "cesim/automation.h"
#include "core/handles.h"
#include "loader/launch.h"

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
    row.verb = launch.verb;
    row.file = launch.file;
    row.parameters = launch.parameters;
    rows.push_back(row);
  }
  return rows;
}

size_t OpenKernelHandles() { return detail::OpenKernelHandleCount(); }

}  // namespace cesim

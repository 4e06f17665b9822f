// The log of the programs started.
#include "shell/launch_log.h"

#include "core/clock.h"

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

}  // namespace

DWORD RecordLaunch(const std::u16string& programPath, const std::u16string& commandLine, const std::string& call,
                   DWORD creationFlags) {
  LaunchLog& log = Log();
  Launch launch;
  launch.programPath = programPath;
  launch.commandLine = commandLine;
  launch.time = ClockNow();
  launch.call = call;
  launch.creationFlags = creationFlags;
  // Process identifiers of the device are handle-like numbers.
  launch.processId = 0x00100002 + (++log.nextProcessId) * 0x10000;
  log.launches.push_back(launch);
  return launch.processId;
}

const std::vector<Launch>& Launches() { return Log().launches; }

void ResetLaunches(Phase) { Log() = LaunchLog(); }

}  // namespace cesim::detail

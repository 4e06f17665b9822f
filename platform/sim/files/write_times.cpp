// Last-write times from the device's clock instead of the host's.
#include "files/write_times.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

#include "time/clock_time.h"

namespace cesim::detail {

namespace {

constexpr uint64_t kTicksPerSecond = 10000000ULL;
constexpr uint64_t kUnixEpochSeconds = 11644473600ULL;  // seconds from 1601 to 1970

void NowTimes(struct timespec times[2]) {
  times[0] = HostTimeOf(SystemTicksNow());
  times[1] = times[0];
}

}  // namespace

struct timespec HostTimeOf(uint64_t fileTime) {
  struct timespec time = {};
  const uint64_t seconds = fileTime / kTicksPerSecond;
  // A time before 1970 cannot be a host time; the epoch stands for it.
  if (seconds < kUnixEpochSeconds) return time;
  time.tv_sec = static_cast<time_t>(seconds - kUnixEpochSeconds);
  time.tv_nsec = static_cast<long>((fileTime % kTicksPerSecond) * 100);
  return time;
}

void StampWritten(int descriptor) {
  struct timespec times[2];
  NowTimes(times);
  futimens(descriptor, times);
}

void StampWritten(const std::string& hostPath) {
  struct timespec times[2];
  NowTimes(times);
  utimensat(AT_FDCWD, hostPath.c_str(), times, 0);
}

void StampFolderOf(const std::string& hostPath) {
  const std::string::size_type slash = hostPath.find_last_of('/');
  if (slash == std::string::npos || slash == 0) return;
  StampWritten(hostPath.substr(0, slash));
}

}  // namespace cesim::detail

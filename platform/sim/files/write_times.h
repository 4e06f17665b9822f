// Last-write times from the device's clock. The device stamps a file when it is created or
// written and a folder when an entry in it is added, removed or renamed, with its own time; the
// host file system would stamp the host's time instead, which differs from run to run.
#ifndef CESIM_FILES_WRITE_TIMES_H
#define CESIM_FILES_WRITE_TIMES_H

#include <cstdint>
#include <string>

namespace cesim::detail {

// The host time for a file time (100-nanosecond intervals since 1601, UTC).
struct timespec HostTimeOf(uint64_t fileTime);

// The device's time now, as the last-write (and last-access) time of an open host file.
void StampWritten(int descriptor);
// The same for a host path (a file or a folder).
void StampWritten(const std::string& hostPath);
// The same for the folder that holds a host path: an entry of it was added, removed or renamed.
void StampFolderOf(const std::string& hostPath);

}  // namespace cesim::detail

#endif

// Opening the host file behind a device file, for the calls that read or write what a file holds
// (the run-time's streams, version resources, copies), with the checks the device makes first:
// a path it accepts, a file and not a folder, nothing written to a file in ROM or a read-only one.
#ifndef CESIM_FILES_OPEN_H
#define CESIM_FILES_OPEN_H

#include "sim/types.h"

namespace cesim::detail {

enum class OpenDisposition {
  Existing,          // the file must exist
  CreateOrTruncate,  // made when missing, emptied when present
  CreateOrOpen,      // made when missing, kept as it is when present
  CreateNew,         // made; ERROR_FILE_EXISTS when present
};

struct FileOpening {
  bool read = true;
  bool write = false;
  bool append = false;  // every write goes to the end of the file
  OpenDisposition disposition = OpenDisposition::Existing;
};

// Opens the file and gives its host descriptor (the caller closes it), or returns the error the
// device reports: the path's own errors, ERROR_FILE_NOT_FOUND or ERROR_PATH_NOT_FOUND for what is
// missing, ERROR_ACCESS_DENIED for a folder or for writing to a file in ROM or a read-only file,
// ERROR_FILE_EXISTS for a new file whose name is taken. A file made here starts with no
// attributes of its own (those of a deleted file of that name are gone).
DWORD OpenDeviceFile(LPCWSTR path, const FileOpening& how, int* descriptor);

}  // namespace cesim::detail

#endif

// The host side of loading a module: opening the shared library that stands for a device module
// so that every load starts from fresh, zeroed module state.
#ifndef CESIM_LOADER_HOST_H
#define CESIM_LOADER_HOST_H

#include <string>

namespace cesim::detail {

struct HostLibrary {
  void* handle = nullptr;
  std::string path;       // the library the image maps
  bool fromCopy = false;  // opened from a private copy of it
};

// Opens the library with its own copy of the module's state. When the host already has the
// library mapped (another module instance, or a library that stayed resident after its last
// close), a private copy of the file is opened instead, so the state is never shared or stale.
bool OpenHostLibrary(const std::string& path, HostLibrary* library);
// Closes the library; notes when the host keeps it resident, so the next open uses a copy.
void CloseHostLibrary(HostLibrary* library);

// The address of a symbol that the library itself defines (not one of its dependencies).
void* HostSymbol(const HostLibrary& library, const char* name);

}  // namespace cesim::detail

#endif

// Opening and closing the host libraries of device modules. A device module's globals start zeroed
// at every load; a host library keeps its state for as long as the host keeps it mapped, so a
// library that the host still holds is opened from a private copy of the file.
#include "loader/host.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace cesim::detail {

namespace {

// Libraries that stayed mapped after their last close.
std::set<std::string>& ResidentLibraries() {
  static std::set<std::string> resident;
  return resident;
}

bool IsMapped(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

bool CopyFile(const std::string& from, int toDescriptor) {
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    const ssize_t got = read(in, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0) {
      ok = false;
      break;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(toDescriptor, buffer + done, static_cast<size_t>(got - done));
      if (put <= 0) {
        ok = false;
        break;
      }
      done += put;
    }
    if (!ok) break;
  }
  close(in);
  return ok;
}

// Opens a private copy of the library; the copy's file is removed at once (the mapping stays).
void* OpenCopy(const std::string& path) {
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / "cesim-module-XXXXXX.so").string();
  if (error) pattern = "/tmp/cesim-module-XXXXXX.so";
  const int descriptor = mkstemps(pattern.data(), 3);
  if (descriptor < 0) return nullptr;
  const bool copied = CopyFile(path, descriptor);
  close(descriptor);
  void* handle = copied ? dlopen(pattern.c_str(), RTLD_NOW | RTLD_LOCAL) : nullptr;
  unlink(pattern.c_str());
  return handle;
}

}  // namespace

bool OpenHostLibrary(const std::string& path, HostLibrary* library) {
  const bool useCopy = ResidentLibraries().count(path) != 0 || IsMapped(path);
  void* handle = useCopy ? OpenCopy(path) : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) return false;
  library->handle = handle;
  library->path = path;
  library->fromCopy = useCopy;
  return true;
}

void CloseHostLibrary(HostLibrary* library) {
  if (library->handle == nullptr) return;
  dlclose(library->handle);
  library->handle = nullptr;
  if (!library->fromCopy && IsMapped(library->path)) ResidentLibraries().insert(library->path);
}

void* HostSymbol(const HostLibrary& library, const char* name) {
  if (library.handle == nullptr || name == nullptr) return nullptr;
  void* symbol = dlsym(library.handle, name);
  if (symbol == nullptr) return nullptr;
  // dlsym also searches the library's dependencies; only the library's own definitions count.
  link_map* own = nullptr;
  link_map* holder = nullptr;
  Dl_info info;
  if (dlinfo(library.handle, RTLD_DI_LINKMAP, &own) != 0 ||
      dladdr1(symbol, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0 || holder != own) {
    return nullptr;
  }
  return symbol;
}

}  // namespace cesim::detail

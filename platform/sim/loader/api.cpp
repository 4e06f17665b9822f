// The loader: LoadLibraryW finds a device module by path or by the device's search order, loads the
// shared library that the image maps to it and calls its DllMain; modules are counted per load and
// known by their file name without extension, as on the device; FreeLibrary ends a module at its
// last free. GetModuleHandleW, GetModuleFileNameW and DisableThreadLibraryCalls answer for the
// loaded modules, the core library and the emulated process.
#include "loader/loader.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "cesim/automation.h"
#include "core/device.h"
#include "core/parts.h"
#include "loader/modules.h"
#include "loader/system_modules.h"
#include "resources/resources.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/loader.h"

namespace cesim::detail {

namespace {

// Handle values: the process and the core library have fixed ones; loaded modules are numbered
// from a base, 64 KB apart like module bases on the device, and never reused within a boot.
constexpr uintptr_t kProcessModule = 0x00010000;
constexpr uintptr_t kCoreModule = 0x01F60000;
constexpr uintptr_t kModuleBase = 0x10000000;
constexpr uintptr_t kModuleStep = 0x00010000;

const char16_t kCoreKey[] = u"COREDLL";
const char16_t kCorePath[] = u"\\Windows\\coredll.dll";
const char16_t kWindowsFolder[] = u"\\Windows\\";

struct Loader {
  std::map<uintptr_t, std::unique_ptr<LoadedModule>> modules;
  unsigned long nextModule = 0;
  unsigned long loads = 0;
};

Loader& TheLoader() {
  static Loader loader;
  return loader;
}

// The length of a caller's string when it is shorter than MAX_PATH; reads no further.
std::optional<size_t> BoundedLength(LPCWSTR text) {
  for (size_t i = 0; i < MAX_PATH; ++i) {
    if (text[i] == 0) return i;
  }
  return std::nullopt;
}

std::u16string FileNamePart(const std::u16string& path) {
  const size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// The name under which the device knows a module: its file name without extension, upper case.
std::u16string ModuleKey(const std::u16string& path) {
  std::u16string name = FileNamePart(path);
  const size_t dot = name.find_last_of(u'.');
  if (dot != std::u16string::npos) name.resize(dot);
  for (char16_t& c : name) c = towupper(c);
  return name;
}

// The file name with the default extension: ".dll" unless the name has one; a trailing "." means
// a name without extension.
std::u16string WithDefaultExtension(const std::u16string& fileName) {
  if (!fileName.empty() && fileName.back() == u'.') return fileName.substr(0, fileName.size() - 1);
  if (fileName.find(u'.') != std::u16string::npos) return fileName;
  return fileName + u".dll";
}

LoadedModule* FindByKey(const std::u16string& key) {
  for (auto& entry : TheLoader().modules) {
    if (entry.second->key == key) return entry.second.get();
  }
  return nullptr;
}

bool HostFileExists(const std::u16string& devicePath) {
  std::optional<std::string> host = HostPath(devicePath);
  struct stat info;
  return host && stat(host->c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

struct Resolution {
  std::u16string devicePath;
  std::string library;
};

// Finds the module a name stands for: an absolute device path as it is; a plain name in the
// program's own folder, then in \Windows. Sets the platform's error when nothing is found.
std::optional<Resolution> Resolve(const std::u16string& name) {
  std::vector<std::u16string> candidates;
  const std::u16string fileName = WithDefaultExtension(FileNamePart(name));
  if (name.find(u'\\') != std::u16string::npos) {
    if (name[0] == u'\\') candidates.push_back(name.substr(0, name.size() - FileNamePart(name).size()) + fileName);
  } else {
    const std::u16string program = cesim::ProgramPath();
    const size_t slash = program.find_last_of(u'\\');
    if (slash != std::u16string::npos) candidates.push_back(program.substr(0, slash + 1) + fileName);
    candidates.push_back(kWindowsFolder + fileName);
  }
  bool fileSeen = false;
  for (const std::u16string& candidate : candidates) {
    if (candidate.size() >= MAX_PATH) continue;
    if (std::optional<std::string> library = ModuleLibrary(candidate)) return Resolution{candidate, *library};
    fileSeen = fileSeen || HostFileExists(candidate);
  }
  // A file that the image maps to no library is not a module this device can run.
  SetLastError(fileSeen ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
  return std::nullopt;
}

// Takes a module out of the table and releases what it holds; no call into it is made.
void Discard(HMODULE handle) {
  Loader& loader = TheLoader();
  auto it = loader.modules.find(reinterpret_cast<uintptr_t>(handle));
  if (it == loader.modules.end()) return;
  std::unique_ptr<LoadedModule> module = std::move(it->second);
  loader.modules.erase(it);
  DetachResources(handle);
  CloseHostLibrary(&module->library);
}

// The last reference is gone: DLL_PROCESS_DETACH, then the module is unloaded.
void EndModule(HMODULE handle) {
  LoadedModule* module = FindLoadedModule(handle);
  if (module == nullptr) return;
  module->unloading = true;
  if (module->entry != nullptr) module->entry(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_DETACH, nullptr);
  Discard(handle);
}

HMODULE Load(const std::u16string& name) {
  const std::u16string key = ModuleKey(name);
  if (key == kCoreKey) return reinterpret_cast<HMODULE>(kCoreModule);
  // A system module is part of the process already; loading it again only gives its handle.
  if (HMODULE system = SystemModuleByKey(key)) return system;
  if (key.empty()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  if (LoadedModule* loaded = FindByKey(key)) {
    if (loaded->unloading) {
      SetLastError(ERROR_DLL_INIT_FAILED);
      return nullptr;
    }
    ++loaded->references;
    return loaded->handle;
  }

  std::optional<Resolution> found = Resolve(name);
  if (!found) return nullptr;
  auto module = std::make_unique<LoadedModule>();
  if (!OpenHostLibrary(found->library, &module->library)) {
    struct stat info;
    SetLastError(stat(found->library.c_str(), &info) == 0 ? ERROR_BAD_EXE_FORMAT : ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  Loader& loader = TheLoader();
  ++loader.nextModule;
  HMODULE handle = reinterpret_cast<HMODULE>(kModuleBase + loader.nextModule * kModuleStep);
  module->handle = handle;
  module->devicePath = found->devicePath;
  module->key = key;
  module->references = 1;
  module->loadOrder = ++loader.loads;
  module->exports = static_cast<const ModuleExport*>(HostSymbol(module->library, "cesim_module_exports"));
  module->entry = reinterpret_cast<ModuleEntry>(HostSymbol(module->library, "DllMain"));
  const void* resources = HostSymbol(module->library, "cesim_module_resources");
  const void* resourcesSize = HostSymbol(module->library, "cesim_module_resources_size");
  const ModuleEntry entry = module->entry;
  loader.modules.emplace(reinterpret_cast<uintptr_t>(handle), std::move(module));
  if (resources != nullptr && resourcesSize != nullptr) {
    AttachResources(handle, static_cast<const uint8_t*>(resources),
                    static_cast<size_t>(*static_cast<const uint64_t*>(resourcesSize)));
  }

  if (entry != nullptr && !entry(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_ATTACH, nullptr)) {
    // A refused attach: the module is told it is detached and is unloaded at once.
    if (LoadedModule* refused = FindLoadedModule(handle)) {
      refused->unloading = true;
      entry(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_DETACH, nullptr);
      Discard(handle);
    }
    SetLastError(ERROR_DLL_INIT_FAILED);
    return nullptr;
  }
  // DllMain may have freed the module it is the entry of.
  return FindLoadedModule(handle) != nullptr ? handle : nullptr;
}

}  // namespace

void ResetLoader(Phase) {
  UnloadAllModules();
  TheLoader().nextModule = 0;
  TheLoader().loads = 0;
}

LoadedModule* FindLoadedModule(HMODULE handle) {
  auto it = TheLoader().modules.find(reinterpret_cast<uintptr_t>(handle));
  return it == TheLoader().modules.end() ? nullptr : it->second.get();
}

ModuleKind ClassifyModule(HMODULE module) {
  const uintptr_t value = reinterpret_cast<uintptr_t>(module);
  if (value == kProcessModule) return ModuleKind::Process;
  if (value == kCoreModule) return ModuleKind::Core;
  if (IsSystemModule(module)) return ModuleKind::System;
  return FindLoadedModule(module) != nullptr ? ModuleKind::Loaded : ModuleKind::None;
}

HMODULE ProcessModuleHandle() { return reinterpret_cast<HMODULE>(kProcessModule); }

HMODULE CoreModuleHandle() { return reinterpret_cast<HMODULE>(kCoreModule); }

void UnloadAllModules() {
  // Newest first; a module's DllMain may load or free others meanwhile, so the newest live
  // module is looked up afresh each time.
  for (;;) {
    LoadedModule* newest = nullptr;
    for (auto& entry : TheLoader().modules) {
      LoadedModule* module = entry.second.get();
      if (!module->unloading && (newest == nullptr || module->loadOrder > newest->loadOrder)) newest = module;
    }
    if (newest == nullptr) break;
    EndModule(newest->handle);
  }
}

}  // namespace cesim::detail

using cesim::detail::LoadedModule;
using cesim::detail::ModuleKind;

CESIM_API HINSTANCE WINAPI LoadLibraryW(LPCWSTR lpLibFileName) {
  if (lpLibFileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::optional<size_t> length = cesim::detail::BoundedLength(lpLibFileName);
  if (!length) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  if (*length == 0) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return cesim::detail::Load(std::u16string(lpLibFileName, *length));
}

CESIM_API BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
  const ModuleKind kind = cesim::detail::ClassifyModule(hLibModule);
  if (kind == ModuleKind::Process || kind == ModuleKind::Core || kind == ModuleKind::System) return TRUE;
  LoadedModule* module = cesim::detail::FindLoadedModule(hLibModule);
  if (module == nullptr || module->unloading) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (--module->references == 0) cesim::detail::EndModule(hLibModule);
  return TRUE;
}

CESIM_API HMODULE WINAPI GetModuleHandleW(LPCWSTR lpModuleName) {
  if (lpModuleName == nullptr) return cesim::detail::ProcessModuleHandle();
  std::optional<size_t> length = cesim::detail::BoundedLength(lpModuleName);
  if (length && *length > 0) {
    const std::u16string key = cesim::detail::ModuleKey(std::u16string(lpModuleName, *length));
    if (key == cesim::detail::kCoreKey) return cesim::detail::CoreModuleHandle();
    if (HMODULE system = cesim::detail::SystemModuleByKey(key)) return system;
    if (LoadedModule* module = cesim::detail::FindByKey(key)) return module->handle;
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

CESIM_API DWORD WINAPI GetModuleFileNameW(HMODULE hModule, LPWSTR lpFilename, DWORD nSize) {
  std::u16string path;
  switch (cesim::detail::ClassifyModule(hModule == nullptr ? cesim::detail::ProcessModuleHandle() : hModule)) {
    case ModuleKind::Process:
      path = cesim::ProgramPath();
      break;
    case ModuleKind::Core:
      path = cesim::detail::kCorePath;
      break;
    case ModuleKind::System:
      path = cesim::detail::SystemModulePath(hModule);
      break;
    case ModuleKind::Loaded:
      path = cesim::detail::FindLoadedModule(hModule)->devicePath;
      break;
    case ModuleKind::None:
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
  }
  if (lpFilename == nullptr || nSize == 0) {
    SetLastError(lpFilename == nullptr ? ERROR_INVALID_PARAMETER : ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (path.empty()) {
    // No process has been started: there is no program path to report.
    lpFilename[0] = 0;
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  // A path that does not fit is cut to nSize - 1 characters and terminated; the result is then
  // nSize, so the caller can tell.
  if (path.size() >= nSize) {
    std::copy(path.begin(), path.begin() + (nSize - 1), lpFilename);
    lpFilename[nSize - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::copy(path.begin(), path.end(), lpFilename);
  lpFilename[path.size()] = 0;
  return static_cast<DWORD>(path.size());
}

CESIM_API BOOL WINAPI DisableThreadLibraryCalls(HMODULE hLibModule) {
  LoadedModule* module = cesim::detail::FindLoadedModule(hLibModule);
  if (module == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // The device runs one thread here, so there are no thread calls to hold back; the request is
  // kept as the module made it.
  module->threadCallsDisabled = true;
  return TRUE;
}

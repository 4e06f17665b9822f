// GetProcAddressW and GetProcAddressA: a module's exports by name or by ordinal, read from the
// export table that its .def file produced, as a device reads a module's export directory. An
// export marked NONAME has an ordinal only.
#include <cstring>
#include <string>

#include "loader/loader.h"
#include "loader/modules.h"
#include "loader/system_modules.h"
#include "sim/core.h"
#include "sim/loader.h"

namespace {

using cesim::detail::LoadedModule;
using cesim::detail::ModuleExport;

// No export name is longer than this; longer requests cannot match and are not read further.
constexpr size_t kLongestName = 1024;
// An export table never has more rows than there are ordinals.
constexpr size_t kMostExports = 65536;

FARPROC ResolveSymbol(const LoadedModule& module, const ModuleExport& row) {
  return reinterpret_cast<FARPROC>(cesim::detail::HostSymbol(module.library, row.symbol));
}

FARPROC ByOrdinal(const LoadedModule& module, WORD ordinal) {
  if (module.exports == nullptr || ordinal == 0) return nullptr;
  for (size_t i = 0; i < kMostExports && module.exports[i].name != nullptr; ++i) {
    if (module.exports[i].ordinal == ordinal) return ResolveSymbol(module, module.exports[i]);
  }
  return nullptr;
}

FARPROC ByName(const LoadedModule& module, const std::string& name) {
  if (module.exports == nullptr) return nullptr;
  for (size_t i = 0; i < kMostExports && module.exports[i].name != nullptr; ++i) {
    const ModuleExport& row = module.exports[i];
    if (!row.noname && name == row.name) return ResolveSymbol(module, row);
  }
  return nullptr;
}

// Looks up an export of any module kind; `name` is empty for a lookup by ordinal.
FARPROC Lookup(HMODULE hModule, bool byOrdinal, WORD ordinal, const std::string& name) {
  HMODULE module = hModule == nullptr ? cesim::detail::ProcessModuleHandle() : hModule;
  FARPROC result = nullptr;
  switch (cesim::detail::ClassifyModule(module)) {
    case cesim::detail::ModuleKind::None:
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    case cesim::detail::ModuleKind::Process:
      break;  // the emulated program exports nothing
    case cesim::detail::ModuleKind::Core:
      // The core library is known here by its names only.
      if (!byOrdinal) result = cesim::detail::CoreExport(name.c_str());
      break;
    case cesim::detail::ModuleKind::System:
      result = cesim::detail::SystemModuleExport(module, byOrdinal, ordinal, name);
      break;
    case cesim::detail::ModuleKind::Loaded: {
      const LoadedModule& loaded = *cesim::detail::FindLoadedModule(module);
      result = byOrdinal ? ByOrdinal(loaded, ordinal) : ByName(loaded, name);
      break;
    }
  }
  if (result == nullptr) SetLastError(ERROR_PROC_NOT_FOUND);
  return result;
}

}  // namespace

CESIM_API FARPROC WINAPI GetProcAddressA(HMODULE hModule, LPCSTR lpProcName) {
  if (IS_INTRESOURCE(lpProcName)) return Lookup(hModule, true, LOWORD(lpProcName), std::string());
  const size_t length = strnlen(lpProcName, kLongestName + 1);
  if (length > kLongestName) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return Lookup(hModule, false, 0, std::string(lpProcName, length));
}

CESIM_API FARPROC WINAPI GetProcAddressW(HMODULE hModule, LPCWSTR lpProcName) {
  if (IS_INTRESOURCE(lpProcName)) return Lookup(hModule, true, LOWORD(lpProcName), std::string());
  // Export names are ASCII; a name with any other character matches none.
  std::string name;
  for (size_t i = 0; lpProcName[i] != 0; ++i) {
    if (i == kLongestName || lpProcName[i] > 0x7F) {
      SetLastError(ERROR_PROC_NOT_FOUND);
      return nullptr;
    }
    name.push_back(static_cast<char>(lpProcName[i]));
  }
  return Lookup(hModule, false, 0, name);
}

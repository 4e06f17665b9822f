// The system modules' table: their names, fixed handles (next to the core library's, 64 KB apart),
// device paths, the device.ini key that says whether the image has them, their embedded resources
// and their exports.
#include "loader/system_modules.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "core/device.h"
#include "resources/resources.h"
#include "shell/ceshell_paths.h"
#include "sim/shell.h"

// The compiled resource files of the system modules, embedded in cesim by its build.
extern "C" const uint8_t cesim_ceshell_resources[];
extern "C" const uint64_t cesim_ceshell_resources_size;
extern "C" const uint8_t cesim_shellres_resources[];
extern "C" const uint64_t cesim_shellres_resources_size;

namespace cesim::detail {

namespace {

struct SystemModule {
  const char16_t* key;
  const char16_t* path;
  const char* setting;
  uintptr_t handle;
  bool presentByDefault;
  const uint8_t* resources;
  const uint64_t* resourcesSize;
  std::vector<SystemExport> exports;
};

// An export as GetProcAddressW hands it out; the caller casts it back to the export's own type.
template <typename Function>
FARPROC AsExport(Function* function) {
  return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

// The shell library's path functions, which it exports by ordinal only.
std::vector<SystemExport> ShellLibraryExports() {
  return {
      {nullptr, CESHELL_ORDINAL_PATHISPROGRAM, AsExport(&ShellPathIsProgram)},
      {nullptr, CESHELL_ORDINAL_PATHISSHORTCUT, AsExport(&ShellPathIsShortcut)},
      {nullptr, CESHELL_ORDINAL_CLEANCOMMAND, AsExport(&ShellCleanCommand)},
  };
}

std::vector<SystemModule>& Modules() {
  static std::vector<SystemModule> modules = {
      {u"CESHELL", u"\\Windows\\ceshell.dll", "ceshell", 0x01F70000, true, cesim_ceshell_resources,
       &cesim_ceshell_resources_size, ShellLibraryExports()},
      {u"SHELLRES", u"\\Windows\\shellres.dll", "shellres", 0x01F80000, false, cesim_shellres_resources,
       &cesim_shellres_resources_size, {}},
  };
  return modules;
}

// Which modules the booted image has, in the table's order.
std::vector<bool>& Present() {
  static std::vector<bool> present;
  return present;
}

bool PresentInImage(const SystemModule& module) {
  std::optional<std::string> value = SettingValue("system modules", module.setting);
  if (!value) return module.presentByDefault;
  return !(*value == "0" || *value == "no" || *value == "false" || *value == "absent");
}

const SystemModule* Find(HMODULE handle) {
  const std::vector<SystemModule>& modules = Modules();
  for (size_t i = 0; i < modules.size() && i < Present().size(); ++i) {
    if (Present()[i] && reinterpret_cast<HMODULE>(modules[i].handle) == handle) return &modules[i];
  }
  return nullptr;
}

}  // namespace

void ResetSystemModules(Phase phase) {
  Present().assign(Modules().size(), false);
  if (phase != Phase::Boot) return;
  for (size_t i = 0; i < Modules().size(); ++i) {
    const SystemModule& module = Modules()[i];
    Present()[i] = PresentInImage(module);
    if (Present()[i]) {
      AttachResources(reinterpret_cast<HMODULE>(module.handle), module.resources,
                      static_cast<size_t>(*module.resourcesSize));
    }
  }
}

bool IsSystemModule(HMODULE module) { return Find(module) != nullptr; }

HMODULE SystemModuleByKey(const std::u16string& key) {
  const std::vector<SystemModule>& modules = Modules();
  for (size_t i = 0; i < modules.size() && i < Present().size(); ++i) {
    if (Present()[i] && key == modules[i].key) return reinterpret_cast<HMODULE>(modules[i].handle);
  }
  return nullptr;
}

std::u16string SystemModulePath(HMODULE module) {
  const SystemModule* found = Find(module);
  return found == nullptr ? std::u16string() : std::u16string(found->path);
}

FARPROC SystemModuleExport(HMODULE module, bool byOrdinal, WORD ordinal, const std::string& name) {
  const SystemModule* found = Find(module);
  if (found == nullptr) return nullptr;
  for (const SystemExport& row : found->exports) {
    if (byOrdinal ? row.ordinal == ordinal : (row.name != nullptr && name == row.name)) return row.function;
  }
  return nullptr;
}

}  // namespace cesim::detail

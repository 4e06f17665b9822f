// The core library as a module: its exports are cesim's own exported functions, found by name.
// Some of them are optional on real devices (the gesture engine's GetGestureInfo and
// CloseGestureInfoHandle, SetLayeredWindowAttributes); they are exported only when the device's
// settings say so. SetLayeredWindowAttributes is implemented here, the gesture calls with the
// gesture engine (message/gesture.cpp).
#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>

#include "core/device.h"
#include "core/parts.h"
#include "loader/loader.h"
#include "loader/modules.h"
#include "sim/core.h"
#include "sim/loader.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

// The host object that holds cesim itself, and a handle for looking up its symbols.
struct CesimObject {
  link_map* map = nullptr;
  void* handle = nullptr;
};

const CesimObject& Cesim() {
  static const CesimObject object = [] {
    CesimObject found;
    Dl_info info;
    if (dladdr1(reinterpret_cast<void*>(&CoreExport), &info, reinterpret_cast<void**>(&found.map),
                RTLD_DL_LINKMAP) == 0 ||
        found.map == nullptr)
      return CesimObject();
    // cesim is already loaded; this only takes a handle to it, kept for the life of the process.
    found.handle = dlopen(found.map->l_name, RTLD_NOW | RTLD_NOLOAD);
    return found;
  }();
  return object;
}

// CloseGestureInfoHandle comes with GetGestureInfo: both are the gesture engine's.
const char* const kOptionalExports[] = {"GetGestureInfo", "CloseGestureInfoHandle", "SetLayeredWindowAttributes"};

bool ExportPresent(const char* name) {
  if (std::strcmp(name, "CloseGestureInfoHandle") == 0) return CoreExportPresent("GetGestureInfo");
  return CoreExportPresent(name);
}

// The layered-window attributes that windows were given; they belong to the booted device.
struct CoreState {
  std::map<uintptr_t, LayeredWindowAttributes> layered;
};

CoreState& State() {
  static CoreState state;
  return state;
}

}  // namespace

void ResetCoreLibraryState(Phase phase) {
  State() = CoreState();
  if (phase == Phase::Boot) AddWindowRemovedObserver(&ForgetLayeredAttributes);
}

FARPROC CoreExport(const char* name) {
  if (name == nullptr || name[0] == 0) return nullptr;
  for (const char* optional : kOptionalExports) {
    if (std::strcmp(name, optional) == 0 && !ExportPresent(optional)) return nullptr;
  }
  const CesimObject& cesim = Cesim();
  if (cesim.handle == nullptr) return nullptr;
  void* symbol = dlsym(cesim.handle, name);
  if (symbol == nullptr) return nullptr;
  // The search also covers cesim's dependencies; only cesim's own definitions are core exports.
  Dl_info info;
  link_map* holder = nullptr;
  if (dladdr1(symbol, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) == 0 || holder != cesim.map)
    return nullptr;
  return reinterpret_cast<FARPROC>(symbol);
}

std::optional<LayeredWindowAttributes> LayeredAttributesOf(HWND window) {
  auto it = State().layered.find(reinterpret_cast<uintptr_t>(window));
  if (it == State().layered.end()) return std::nullopt;
  return it->second;
}

void ForgetLayeredAttributes(HWND window) { State().layered.erase(reinterpret_cast<uintptr_t>(window)); }

}  // namespace cesim::detail

// Only a window with WS_EX_LAYERED takes attributes; any other fails as no layered window, with
// ERROR_INVALID_WINDOW_HANDLE as on the desktop. Child windows are accepted as well as top-level
// ones.
CESIM_API BOOL WINAPI SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
  if (!IsWindow(hwnd) || (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  cesim::detail::State().layered[reinterpret_cast<uintptr_t>(hwnd)] =
      cesim::detail::LayeredWindowAttributes{crKey, bAlpha, dwFlags};
  return TRUE;
}

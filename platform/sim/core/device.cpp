// The one device of the process: which image it was booted from, its settings, its boot and
// shutdown, and the program path of the emulated process.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cesim/automation.h"
#include "core/device.h"
#include "core/settings.h"
#include "core/parts.h"
#include "loader/loader.h"

namespace cesim {

namespace {

struct DeviceState {
  bool booted = false;
  std::string imageFolder;
  std::vector<detail::SettingsSection> settings;
  std::u16string programPath;
};

DeviceState& Device() {
  static DeviceState device;
  return device;
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

// The whole file, or nothing when it exists but cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return text.str();
}

}  // namespace

bool Boot(const std::string& imageFolder) {
  if (IsBooted()) Shutdown();
  std::error_code error;
  std::filesystem::path folder = std::filesystem::absolute(imageFolder, error);
  if (error || imageFolder.empty()) return false;
  std::string folderText = folder.lexically_normal().string();
  while (folderText.size() > 1 && folderText.back() == '/') folderText.pop_back();
  if (!IsFolder(folderText) || !IsFolder(folderText + "/files")) return false;

  std::string settingsText;
  if (Exists(folderText + "/device.ini")) {
    std::optional<std::string> text = ReadWholeFile(folderText + "/device.ini");
    if (!text) return false;
    settingsText = *text;
  }
  // The registry is loaded by its own part; an unreadable file fails the boot here, before any
  // part has started.
  if (Exists(folderText + "/registry.reg") && !ReadWholeFile(folderText + "/registry.reg")) return false;

  DeviceState& device = Device();
  device.imageFolder = folderText;
  device.settings = detail::ParseSettings(settingsText);
  device.programPath.clear();
  device.booted = true;
  detail::ResetParts(detail::Phase::Boot);
  return true;
}

void Shutdown() {
  DeviceState& device = Device();
  if (!device.booted) return;
  detail::ResetParts(detail::Phase::Shutdown);
  device = DeviceState();
}

bool IsBooted() { return Device().booted; }

void StartProcess(const std::u16string& programPath) {
  // The previous emulated process ends first: its modules are detached and unloaded.
  detail::UnloadAllModules();
  Device().programPath = programPath;
}

std::u16string ProgramPath() { return Device().programPath; }

namespace detail {

const std::string& ImageFolder() { return Device().imageFolder; }

std::optional<std::string> SettingValue(const std::string& section, const std::string& key) {
  std::optional<std::string> value;
  for (const SettingsSection& s : Device().settings) {
    if (!SameSectionName(s.name, section)) continue;
    for (const auto& entry : s.entries) {
      if (SameSettingKey(entry.first, key)) value = entry.second;
    }
  }
  return value;
}

std::vector<std::pair<std::string, std::string>> SettingSection(const std::string& section) {
  for (const SettingsSection& s : Device().settings) {
    if (SameSectionName(s.name, section)) return s.entries;
  }
  return {};
}

std::optional<std::string> ModuleLibrary(const std::u16string& devicePath) {
  std::optional<std::string> library = SettingValue("modules", Narrow(devicePath));
  if (!library || library->empty()) return std::nullopt;
  if ((*library)[0] != '/') return ImageFolder() + "/" + *library;
  return library;
}

bool CoreExportPresent(const std::string& name) {
  std::optional<std::string> value = SettingValue("coredll", name);
  if (!value) return true;
  return !(*value == "0" || *value == "no" || *value == "false" || *value == "absent");
}

}  // namespace detail

}  // namespace cesim

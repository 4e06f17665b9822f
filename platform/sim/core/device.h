// The booted device as cesim's parts see it from inside: the image folder, its settings file
// and the mapping of device paths onto the image's file tree.
#ifndef CESIM_CORE_DEVICE_H
#define CESIM_CORE_DEVICE_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cesim::detail {

// The folder of the booted image (empty when no device is booted).
const std::string& ImageFolder();

// device.ini of the booted image: sections of key=value lines. Section and key names are
// compared without letter case; keys that are device paths are compared as device paths.
std::optional<std::string> SettingValue(const std::string& section, const std::string& key);
std::vector<std::pair<std::string, std::string>> SettingSection(const std::string& section);

// The host file-system path for a device path ("\\Windows\\fexplore.exe"), matching each
// existing component without letter case as the device does; components that do not exist
// yet keep the case they were given. Empty for paths that are not absolute device paths.
std::optional<std::string> HostPath(const std::u16string& devicePath);

// The host shared library that stands for a device module ([modules]; a relative library path
// is taken from the image folder). Empty when the image maps no library to the path.
std::optional<std::string> ModuleLibrary(const std::u16string& devicePath);

// Whether the core library exports an optional entry point ([coredll]; present unless "0").
bool CoreExportPresent(const std::string& name);

}  // namespace cesim::detail

#endif

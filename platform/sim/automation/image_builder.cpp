// ImageBuilder: writes a device image folder (files/, registry.reg, device.ini) for tests and
// tools. Folders given by path are device paths; their host form is made with the case given.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cesim/automation.h"
#include "core/settings.h"
#include "files/attributes.h"
#include "files/paths.h"
#include "files/write_times.h"
#include "time/clock_time.h"
#include "sim/types.h"

namespace cesim {

namespace {

// The host path of a device path below the image's files/ folder, made from the names as
// given; empty for a path that is not an absolute device path.
std::string HostPathIn(const std::string& folder, const std::u16string& devicePath) {
  std::optional<std::vector<std::u16string>> names = detail::SplitDevicePath(devicePath);
  if (!names || folder.empty()) return std::string();
  std::string host = folder + "/files";
  for (const std::u16string& name : *names) host += "/" + Narrow(name);
  return host;
}

// The key under which device.ini keeps a path: as written, with "\\" separators.
std::string SettingsPath(const std::u16string& devicePath) {
  std::optional<std::vector<std::u16string>> names = detail::SplitDevicePath(devicePath);
  if (!names) return std::string();
  if (names->empty()) return "\\";
  std::string path;
  for (const std::u16string& name : *names) path += "\\" + Narrow(name);
  return path;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

using Settings = std::map<std::string, std::map<std::string, std::string>>;

// Sets a key, replacing an entry that names the same key in another letter case or path form.
void Put(Settings& settings, const std::string& section, const std::string& key, const std::string& value) {
  std::map<std::string, std::string>& entries = settings[section];
  for (auto it = entries.begin(); it != entries.end();) {
    it = detail::SameSettingKey(it->first, key) ? entries.erase(it) : std::next(it);
  }
  entries[key] = value;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  return text.str();
}

}  // namespace

ImageBuilder::ImageBuilder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != 0 ? base : "/tmp") + "/cesim-image-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (mkdtemp(name.data()) != nullptr) {
    folder_ = name.data();
    owned_ = true;
  }
  std::error_code error;
  if (!folder_.empty()) std::filesystem::create_directories(folder_ + "/files", error);
}

ImageBuilder::ImageBuilder(const std::string& folder) : folder_(folder) {
  while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
  if (folder_.empty() || folder_ == "/") {
    folder_.clear();  // never the host's root
    return;
  }
  std::error_code error;
  std::filesystem::create_directories(folder_ + "/files", error);
  // An existing image keeps what it has; the builder adds to it.
  // Section names in lower case, as the builder writes them, so that its own settings replace
  // the existing ones instead of standing beside them.
  for (const detail::SettingsSection& section : detail::ParseSettings(ReadText(folder_ + "/device.ini"))) {
    for (const auto& entry : section.entries) {
      Put(settings_, Lower(section.name), entry.first, entry.second);
    }
  }
  registry_ = ReadText(folder_ + "/registry.reg");
  if (registry_.compare(0, 8, "REGEDIT4") == 0) {
    const size_t lineEnd = registry_.find('\n');
    registry_.erase(0, lineEnd == std::string::npos ? registry_.size() : lineEnd + 1);
  }
}

ImageBuilder::~ImageBuilder() {
  if (owned_ && !folder_.empty()) {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
}

ImageBuilder& ImageBuilder::AddFolder(const std::u16string& path, DWORD ceAttributes) {
  const std::string host = HostPathIn(folder_, path);
  if (host.empty()) return *this;
  std::error_code error;
  std::filesystem::create_directories(host, error);
  if (ceAttributes != 0) SetAttributes(path, ceAttributes);
  return *this;
}

ImageBuilder& ImageBuilder::AddFile(const std::u16string& path, const std::string& contents, DWORD ceAttributes) {
  const std::string host = HostPathIn(folder_, path);
  if (host.empty() || host == folder_ + "/files") return *this;
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(host).parent_path(), error);
  std::ofstream out(host, std::ios::binary | std::ios::trunc);
  out << contents;
  if (ceAttributes != 0) SetAttributes(path, ceAttributes);
  return *this;
}

ImageBuilder& ImageBuilder::SetAttributes(const std::u16string& path, DWORD ceAttributes) {
  const std::string key = SettingsPath(path);
  if (key.empty()) return *this;
  Put(settings_, "attributes", key, detail::AttributeWords(ceAttributes));
  if (ceAttributes == 0) settings_["attributes"].erase(key);
  return *this;
}

ImageBuilder& ImageBuilder::AddRegistry(const std::string& regedit4Text) {
  registry_ += regedit4Text;
  if (!registry_.empty() && registry_.back() != '\n') registry_ += '\n';
  registry_ += '\n';
  return *this;
}

ImageBuilder& ImageBuilder::SetScreen(int width, int height) {
  Put(settings_, "screen", "width", std::to_string(width));
  Put(settings_, "screen", "height", std::to_string(height));
  return *this;
}

ImageBuilder& ImageBuilder::SetTaskbarHeight(int pixels) {
  Put(settings_, "screen", "taskbar", std::to_string(pixels));
  return *this;
}

ImageBuilder& ImageBuilder::SetAsyncKeyLowBitPoisoned(bool poisoned) {
  Put(settings_, "input", "asyncpressedbit", poisoned ? "poison" : "pressed");
  return *this;
}

ImageBuilder& ImageBuilder::SetScreenDepth(int bitsPerPixel) {
  Put(settings_, "screen", "bitsPerPixel", std::to_string(bitsPerPixel));
  return *this;
}

ImageBuilder& ImageBuilder::SetTimeZoneBias(int minutesWestOfUtc) {
  Put(settings_, "timezone", "bias", std::to_string(minutesWestOfUtc));
  return *this;
}

ImageBuilder& ImageBuilder::SetBootTime(const std::string& utc) {
  Put(settings_, "clock", "boot", utc);
  return *this;
}

ImageBuilder& ImageBuilder::SetLocale(const std::string& key, const std::string& value) {
  Put(settings_, "locale", key, value);
  return *this;
}

ImageBuilder& ImageBuilder::AddVolume(const std::u16string& mountFolder, uint64_t freeBytes, uint64_t totalBytes,
                                      bool filtersFolders) {
  const std::string key = SettingsPath(mountFolder);
  if (key.empty()) return *this;
  if (key != "\\") AddFolder(mountFolder);  // the object store has no mount folder
  Put(settings_, "volumes", key,
      std::to_string(freeBytes) + "," + std::to_string(totalBytes) + (filtersFolders ? ",dirfilter" : ",nodirfilter"));
  return *this;
}

ImageBuilder& ImageBuilder::SetObjectStore(uint64_t freeBytes, uint64_t totalBytes) {
  return AddVolume(u"\\", freeBytes, totalBytes, /*filtersFolders=*/true);
}

ImageBuilder& ImageBuilder::SetCoreExport(const std::string& name, bool present) {
  Put(settings_, "coredll", name, present ? "1" : "0");
  return *this;
}

ImageBuilder& ImageBuilder::SetShellFolder(const std::string& csidlName, const std::u16string& path) {
  Put(settings_, "shellfolders", csidlName, Narrow(path));
  return *this;
}

ImageBuilder& ImageBuilder::SetSystemModule(const std::string& name, bool present) {
  Put(settings_, "system modules", name, present ? "1" : "0");
  return *this;
}

ImageBuilder& ImageBuilder::AddModule(const std::u16string& devicePath, const std::string& hostLibrary) {
  const std::string key = SettingsPath(devicePath);
  if (key.empty() || key == "\\") return *this;
  Put(settings_, "modules", key, hostLibrary);
  // The module is a file on the device too, where listings and attribute queries find it.
  const std::string host = HostPathIn(folder_, devicePath);
  struct stat info;
  if (stat(host.c_str(), &info) != 0) AddFile(devicePath);
  return *this;
}

bool ImageBuilder::AddPrograms(const std::string& programsFolder, std::string* missing) {
  for (const auto& entry : settings_["programs"]) {
    const std::string source = programsFolder + "/" + entry.second;
    struct stat info;
    if (entry.second.empty() || entry.second.find('/') != std::string::npos || stat(source.c_str(), &info) != 0 ||
        !S_ISREG(info.st_mode)) {
      if (missing != nullptr) *missing = source;
      return false;
    }
    AddFile(Widen(entry.first), ReadText(source));
  }
  return true;
}

ImageBuilder& ImageBuilder::StampFilesWithBootTime() {
  if (folder_.empty()) return *this;
  std::optional<std::string> boot;
  for (const auto& entry : settings_["clock"]) {
    if (detail::SameSettingKey(entry.first, "boot")) boot = entry.second;
  }
  const struct timespec time = detail::HostTimeOf(detail::BootTicks(boot));
  const struct timespec times[2] = {time, time};
  std::error_code error;
  const std::string files = folder_ + "/files";
  for (auto it = std::filesystem::recursive_directory_iterator(files, error);
       !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
    utimensat(AT_FDCWD, it->path().c_str(), times, AT_SYMLINK_NOFOLLOW);
  }
  utimensat(AT_FDCWD, files.c_str(), times, 0);
  return *this;
}

const std::string& ImageBuilder::Write() {
  if (folder_.empty()) return folder_;  // no folder could be made: nothing to write
  // An image names its screen; the builder's default is a portrait handheld's.
  bool screenNamed = false;
  for (const auto& entry : settings_["screen"]) {
    screenNamed = screenNamed || detail::SameSettingKey(entry.first, "width") || detail::SameSettingKey(entry.first, "height");
  }
  if (!screenNamed) SetScreen(240, 320);
  std::ofstream settings(folder_ + "/device.ini", std::ios::binary | std::ios::trunc);
  settings << "; A device image written by cesim's image builder.\n";
  for (const auto& section : settings_) {
    if (section.second.empty()) continue;
    settings << "\n[" << section.first << "]\n";
    for (const auto& entry : section.second) settings << entry.first << "=" << entry.second << "\n";
  }
  std::ofstream registry(folder_ + "/registry.reg", std::ios::binary | std::ios::trunc);
  registry << "REGEDIT4\n\n" << registry_;
  return folder_;
}

}  // namespace cesim

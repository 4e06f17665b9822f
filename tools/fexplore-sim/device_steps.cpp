// Device steps: the Explorer's registry values and the programs the device was asked to start,
// and what each step changed of them.
#include <cstdio>
#include <optional>

#include "cesim/automation.h"
#include "session.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

const char kExplorerKey[] = "HKEY_LOCAL_MACHINE\\Explorer";
const char kUserKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer";
const char kHistoryKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU";

struct WatchedValue {
  const char* key;
  const char16_t* name;
};
const WatchedValue kWatched[] = {
    {kExplorerKey, u"ShowExt"},   {kExplorerKey, u"Preview"},      {kExplorerKey, u"ViewAll"},
    {kExplorerKey, u"ListStyle"}, {kExplorerKey, u"ClumnWidth"},   {kExplorerKey, u"ClumnWidthLS"},
    {kUserKey, u"LastLocation"},  {kUserKey, u"LocalPath"},        {kUserKey, u"StorageCardPath"},
    {kUserKey, u"NetWorkPath"},   {kHistoryKey, u"MRUList"},       {kHistoryKey, u"a"},
    {kHistoryKey, u"b"},          {kHistoryKey, u"c"},             {kHistoryKey, u"d"},
    {kHistoryKey, u"e"},          {kHistoryKey, u"f"},             {kHistoryKey, u"g"},
    {kHistoryKey, u"h"},          {kHistoryKey, u"i"},             {kHistoryKey, u"j"},
};

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%X", value);
  return text;
}

// A value's data as the user would want to read it: numbers (and style bits in hexadecimal),
// texts in quotes, a column-width record as its four widths.
std::string Describe(const cesim::RegistryValue& value) {
  const std::vector<uint8_t>& data = value.data;
  if (value.type == REG_DWORD && data.size() == 4) {
    unsigned number = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<unsigned>(data[3]) << 24);
    return number > 9 ? std::to_string(number) + " (" + Hex(number) + ")" : std::to_string(number);
  }
  if (value.type == REG_SZ) {
    std::u16string text;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
      char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
      if (c == 0) break;
      text.push_back(c);
    }
    return "\"" + cesim::Narrow(text) + "\"";
  }
  if (value.type == REG_BINARY && data.size() == 8) {
    std::string widths = "widths";
    for (size_t i = 0; i < 8; i += 2) widths += " " + std::to_string(data[i] | (data[i + 1] << 8));
    return widths;
  }
  std::string bytes = "type " + std::to_string(value.type) + ",";
  for (uint8_t byte : data) {
    char text[4];
    std::snprintf(text, sizeof(text), " %02x", byte);
    bytes += text;
  }
  return bytes;
}

}  // namespace

RegistrySnapshot ReadExplorerRegistry() {
  RegistrySnapshot snapshot;
  for (const WatchedValue& watched : kWatched) {
    std::optional<cesim::RegistryValue> value = cesim::ReadRegistryValue(watched.key, watched.name);
    if (!value) continue;
    snapshot[std::string(watched.key) + " \"" + cesim::Narrow(watched.name) + "\""] = Describe(*value);
  }
  return snapshot;
}

void PrintRegistryChanges(const RegistrySnapshot& before, std::ostream& out) {
  RegistrySnapshot after = ReadExplorerRegistry();
  for (const auto& [name, data] : after) {
    auto old = before.find(name);
    if (old == before.end()) {
      out << "  Registry: " << name << " = " << data << " (new)\n";
    } else if (old->second != data) {
      out << "  Registry: " << name << " = " << data << " (was " << old->second << ")\n";
    }
  }
  for (const auto& [name, data] : before) {
    if (after.find(name) == after.end()) out << "  Registry: " << name << " removed (was " << data << ")\n";
  }
}

void PrintLaunches(size_t before, std::ostream& out) {
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  for (size_t i = before; i < log.size(); ++i) {
    out << "  Started: " << cesim::Narrow(log[i].programPath);
    if (!log[i].commandLine.empty()) out << " " << cesim::Narrow(log[i].commandLine);
    out << " (" << log[i].call << ")\n";
  }
}

bool RunDeviceStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (!argument.empty()) return false;
  if (command == "registry") {
    for (const auto& [name, data] : ReadExplorerRegistry()) out << "  " << name << " = " << data << "\n";
    return true;
  }
  if (command == "launches") {
    out << "  Launch log:\n";
    if (cesim::LaunchLog().empty()) out << "    (nothing was started)\n";
    PrintLaunches(0, out);
    return true;
  }
  return false;
}

}  // namespace fexplore_sim

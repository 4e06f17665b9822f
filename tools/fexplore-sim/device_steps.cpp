// Device steps: the registry values as the registry holds them and the programs the device was
// asked to start.
#include "cesim/automation.h"
#include "steps.h"

namespace fexplore_sim {

void PrintLaunches(size_t before, std::ostream& out) {
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  for (size_t i = before; i < log.size(); ++i) {
    out << "  Started: " << cesim::Narrow(log[i].programPath);
    if (!log[i].commandLine.empty()) out << " " << cesim::Narrow(log[i].commandLine);
    out << " (" << log[i].call << ")\n";
  }
}

bool RunDeviceStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "registry") {
    // Without a key, the Explorer's values; with one, every value at and below it.
    RegistrySnapshot values;
    if (argument.empty()) {
      values = ReadExplorerRegistry();
    } else if (!ReadRegistryTree(argument, &values)) {
      out << "  (the registry has no key " << argument << ")\n";
      return true;
    }
    if (values.empty()) out << "  (no values)\n";
    for (const auto& [name, data] : values) out << "  " << name << " = " << data << "\n";
    return true;
  }
  if (!argument.empty()) return false;
  if (command == "launches") {
    out << "  Launch log:\n";
    if (cesim::LaunchLog().empty()) out << "    (nothing was started)\n";
    PrintLaunches(0, out);
    return true;
  }
  return false;
}

}  // namespace fexplore_sim

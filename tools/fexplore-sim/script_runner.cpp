// Plays a script: each line is a step (a command and its argument); after each step the
// registry values it changed and the programs it started are shown.
#include "script_runner.h"

#include <istream>
#include <ostream>

#include "cesim/automation.h"
#include "session.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool RunStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "process") {
    if (argument.empty()) return false;
    StartProgram(argument, out);
    return true;
  }
  return RunListStep(command, argument, out) || RunMenuStep(command, argument, out) ||
         RunPreviewStep(command, argument, out) || RunFolderStep(command, argument, out) ||
         RunDeviceStep(command, argument, out);
}

}  // namespace

bool RunScript(std::istream& script, std::ostream& out) {
  std::string line;
  int number = 0;
  while (std::getline(script, line)) {
    ++number;
    line = Trim(line);
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find_first_of(" \t");
    std::string command = line.substr(0, space);
    std::string argument = space == std::string::npos ? std::string() : Trim(line.substr(space));
    out << "\n> " << line << "\n";
    RegistrySnapshot registry = ReadExplorerRegistry();
    size_t launches = cesim::LaunchLog().size();
    if (!RunStep(command, argument, out)) {
      out << "line " << number << ": cannot run \"" << line << "\"\n";
      EndSession();
      return false;
    }
    if (command != "registry" && command != "launches") {
      PrintRegistryChanges(registry, out);
      PrintLaunches(launches, out);
    }
  }
  EndSession();
  return true;
}

}  // namespace fexplore_sim

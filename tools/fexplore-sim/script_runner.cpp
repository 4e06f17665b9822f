// Plays a script: each line is a step (a command and its argument); after each step the
// registry values it changed and the programs it started are shown.
#include "script_runner.h"

#include <istream>
#include <ostream>
#include <vector>

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
         RunDeviceStep(command, argument, out) || RunCommandStep(command, argument, out);
}

// The script's lines and the next one to run; false once a line could not be run.
std::vector<std::string> g_lines;
size_t g_next = 0;
std::ostream* g_out = nullptr;
bool g_failed = false;

void SkipEmptyLines() {
  while (g_next < g_lines.size() && (g_lines[g_next].empty() || g_lines[g_next][0] == '#')) ++g_next;
}

std::string CommandOf(const std::string& line) { return line.substr(0, line.find_first_of(" \t")); }

}  // namespace

std::string NextCommand() {
  SkipEmptyLines();
  return g_next < g_lines.size() && !g_failed ? CommandOf(g_lines[g_next]) : std::string();
}

bool RunNextLine() {
  SkipEmptyLines();
  if (g_next >= g_lines.size() || g_failed) return false;
  const size_t number = g_next + 1;
  const std::string line = g_lines[g_next++];
  std::ostream& out = *g_out;
  size_t space = line.find_first_of(" \t");
  std::string command = line.substr(0, space);
  std::string argument = space == std::string::npos ? std::string() : Trim(line.substr(space));
  out << "\n> " << line << "\n";
  if (!RunStep(command, argument, out)) {
    out << "line " << number << ": cannot run \"" << line << "\"\n";
    g_failed = true;
    return false;
  }
  // The registry and launch steps print the whole state; the changes count from there on.
  if (command == "registry" || command == "launches") ForgetChanges();
  else PrintChanges(out);
  return true;
}

bool RunScript(std::istream& script, std::ostream& out) {
  g_lines.clear();
  g_next = 0;
  g_failed = false;
  g_out = &out;
  std::string line;
  while (std::getline(script, line)) g_lines.push_back(Trim(line));
  ForgetChanges();
  while (!NextCommand().empty()) {
    if (!RunNextLine()) break;
  }
  EndSession();
  return !g_failed;
}

}  // namespace fexplore_sim

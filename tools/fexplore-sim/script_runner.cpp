// The script steps of fexplore-sim.
#include "script_runner.h"

#include <istream>
#include <ostream>

#include "ceplatform.h"
#include "cesim/automation.h"
#include "context_menu_host.h"

namespace fexplore_sim {
namespace {

const char16_t kModulePath[] = u"\\Windows\\foldwise.dll";

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

void StartProcess(const std::string& program, std::ostream& out) {
  cesim::StartProcess(cesim::Widen(program));
  out << "Process " << program << " started.\n";
  HMODULE module = LoadLibraryW(kModulePath);
  if (module != nullptr) {
    out << "  foldwise.dll loaded into it.\n";
    FreeLibrary(module);
  } else {
    out << "  foldwise.dll refused to load into it (error " << GetLastError() << ").\n";
  }
}

void ShowContextMenu(const std::string& path, std::ostream& out) {
  ContextMenuSession session = {};
  std::u16string devicePath = cesim::Widen(path);
  out << "Context menu of " << path << ":\n";
  if (!OpenContextMenu(devicePath.c_str(), &session)) {
    out << "  (no menu)\n";
    return;
  }
  for (const cesim::MenuRow& row : cesim::ReadMenu(session.menu)) {
    if (row.separator) {
      out << "  ----------------\n";
    } else {
      out << "  " << cesim::Narrow(row.text);
      if (row.id >= kFirstHandlerCommand) out << "   [extension command " << (row.id - kFirstHandlerCommand) << "]";
      out << "\n";
    }
  }
  if (session.handlersRefused > 0) {
    out << "  (" << session.handlersRefused << " registered extension(s) could not be loaded)\n";
  }
  CloseContextMenu(&session);
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
    if (command == "process" && !argument.empty()) {
      StartProcess(argument, out);
    } else if (command == "context-menu" && !argument.empty()) {
      ShowContextMenu(argument, out);
    } else {
      out << "line " << number << ": cannot run \"" << line << "\"\n";
      return false;
    }
  }
  return true;
}

}  // namespace fexplore_sim

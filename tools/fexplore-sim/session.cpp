// The running Explorer of a script and the user's actions in its message loop.
#include "session.h"

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"
#include "frame_window.h"
#include "steps.h"
#include "message_loop.h"

namespace fexplore_sim {
namespace {

const char16_t kModulePath[] = u"\\Windows\\foldwise.dll";
const char16_t kExplorerPath[] = u"\\Windows\\fexplore.exe";

// The running Explorer's frame window; a module that another program loaded to show that the
// module refuses it.
HWND g_frame = nullptr;
HMODULE g_other_module = nullptr;
// Bumped whenever an Explorer loop ends by itself, so that the quit queued for it goes unused.
int g_loop = 0;

bool IsExplorerProgram(const std::u16string& path) {
  const std::u16string name = u"fexplore.exe";
  if (path.size() < name.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    char16_t c = path[path.size() - name.size() + i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    if (c != name[i]) return false;
  }
  return path.size() == name.size() || path[path.size() - name.size() - 1] == u'\\';
}

// A new Explorer process with its windows; the module loads into it afresh.
void StartNewExplorer(std::ostream& out) {
  cesim::StartProcess(kExplorerPath);
  g_frame = StartExplorer(GetModuleHandleW(nullptr), nullptr);
  if (g_frame == nullptr) {
    out << "  The Explorer's frame window could not be created.\n";
    return;
  }
  WCHAR folder[MAX_PATH];
  GetFrameFolder(g_frame, folder, MAX_PATH);
  out << "  The Explorer is open at " << cesim::Narrow(folder) << ", "
      << (CurrentImportRoute() == kRouteToModule ? "its calls routed through foldwise.dll's table"
                                                 : "its calls going to the platform (no replacement table)")
      << ".\n";
}

}  // namespace

HWND Frame() { return g_frame; }

void EndSession() {
  if (g_frame != nullptr) ::EndExplorer(g_frame);
  g_frame = nullptr;
  if (g_other_module != nullptr) FreeLibrary(g_other_module);
  g_other_module = nullptr;
}

void StartProgram(const std::string& program, std::ostream& out) {
  EndSession();
  std::u16string path = cesim::Widen(program);
  if (IsExplorerProgram(path)) {
    out << "Process " << program << " started.\n";
    StartNewExplorer(out);
    return;
  }
  cesim::StartProcess(path);
  out << "Process " << program << " started.\n";
  // Another program that loads the module: the module decides whether it may live there.
  g_other_module = LoadLibraryW(kModulePath);
  if (g_other_module == nullptr) {
    out << "  foldwise.dll refused to load into it (error " << GetLastError() << ").\n";
  } else {
    out << "  foldwise.dll loaded into it.\n";
  }
}

void ActInExplorer(std::vector<std::function<void()>> actions, std::ostream& out) {
  size_t launches = cesim::LaunchLog().size();
  int loop = g_loop;
  for (std::function<void()>& action : actions) cesim::WhenIdle(std::move(action));
  cesim::WhenIdle([&out] { PrintAndCancelMenus(out); });
  cesim::WhenIdle([loop] {
    if (loop == g_loop) PostQuitMessage(0);
  });
  RunExplorerMessageLoop(g_frame);
  if (g_frame == nullptr || IsWindow(g_frame)) return;
  ++g_loop;
  out << "  The Explorer closed.\n";
  EndSession();
  std::vector<cesim::LaunchRecord> log = cesim::LaunchLog();
  for (size_t i = launches; i < log.size(); ++i) {
    if (!IsExplorerProgram(log[i].programPath)) continue;
    out << "  A new Explorer was started (" << log[i].call << ").\n";
    StartNewExplorer(out);
    return;
  }
}

void ActInExplorer(std::function<void()> action, std::ostream& out) {
  std::vector<std::function<void()>> actions;
  actions.push_back(std::move(action));
  ActInExplorer(std::move(actions), out);
}

void PrintLines(std::ostream& out, const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out << "    | " << text.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

}  // namespace fexplore_sim

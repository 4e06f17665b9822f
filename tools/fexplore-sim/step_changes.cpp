// What a step changed on the device, each since the last print: the Explorer's registry values and
// those below HKEY_CLASSES_ROOT, the programs started, the clipboard's text and the device's files.
#include <map>
#include <optional>

#include "cesim/automation.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

bool IsShortcut(const std::u16string& path) {
  return path.size() > 4 && (path.compare(path.size() - 4, 4, u".lnk") == 0 || path.compare(path.size() - 4, 4, u".LNK") == 0);
}

// A shortcut's first line, which is what the user would want to see of it; empty for a file too
// large to be a shortcut or one that cannot be read.
std::u16string ShortcutLine(const std::u16string& path, unsigned long long size) {
  if (size >= 1024) return std::u16string();
  std::u16string text;
  if (FILE* stream = _wfopen(path.c_str(), u"r")) {
    WCHAR line[1024] = {};
    if (fgetws(line, 1024, stream) != nullptr) text = line;
    fclose(stream);
  }
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r')) text.pop_back();
  return text;
}

// A file as a listing tells it apart from its former self: its size, last change and attributes,
// and a shortcut's text, which a rewrite of the same length in the same moment changes alone.
struct FileState {
  unsigned long long size = 0;
  unsigned long long written = 0;
  DWORD attributes = 0;
  bool folder = false;
  std::u16string shortcut;
  bool operator!=(const FileState& other) const {
    return size != other.size || written != other.written || attributes != other.attributes ||
           folder != other.folder || shortcut != other.shortcut;
  }
};
using FileListing = std::map<std::u16string, FileState>;

void ListFolder(const std::u16string& folder, int depth, FileListing* listing) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + u"\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::u16string path = folder + u"\\" + found.cFileName;
    FileState state;
    state.attributes = found.dwFileAttributes;
    state.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    state.size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    state.written = (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                    found.ftLastWriteTime.dwLowDateTime;
    if (!state.folder && IsShortcut(path)) state.shortcut = ShortcutLine(path, state.size);
    (*listing)[path] = state;
    if (state.folder && depth < 16) ListFolder(path, depth + 1, listing);
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

FileListing ListFiles() {
  FileListing listing;
  ListFolder(u"", 0, &listing);
  return listing;
}

void PrintFile(const std::u16string& path, const FileState& state, std::ostream& out) {
  out << " " << cesim::Narrow(path);
  if (state.folder) {
    out << "\\ (folder)\n";
    return;
  }
  out << " (" << state.size << " bytes";
  if (state.attributes & FILE_ATTRIBUTE_READONLY) out << ", read-only";
  if (state.attributes & FILE_ATTRIBUTE_HIDDEN) out << ", hidden";
  out << ")";
  if (!state.shortcut.empty()) out << ": " << cesim::Narrow(state.shortcut);
  out << "\n";
}

struct Baseline {
  RegistrySnapshot registry;
  size_t launches = 0;
  std::optional<std::u16string> clipboard;
  FileListing files;
};
Baseline g_baseline;

Baseline Current() {
  Baseline now;
  now.registry = ReadWatchedRegistry();
  now.launches = cesim::LaunchLog().size();
  now.clipboard = cesim::ClipboardText();
  now.files = ListFiles();
  return now;
}

}  // namespace

void ForgetChanges() { g_baseline = Current(); }

void PrintChanges(std::ostream& out) {
  Baseline now = Current();
  PrintRegistryChanges(g_baseline.registry, now.registry, out);
  PrintLaunches(g_baseline.launches, out);
  if (now.clipboard != g_baseline.clipboard) {
    if (now.clipboard) out << "  Clipboard: \"" << cesim::Narrow(*now.clipboard) << "\"\n";
    else out << "  Clipboard: (no text)\n";
  }
  for (const auto& [path, state] : now.files) {
    auto old = g_baseline.files.find(path);
    if (old == g_baseline.files.end()) {
      out << "  File created:";
      PrintFile(path, state, out);
    } else if (old->second != state && !state.folder) {
      out << "  File changed:";
      PrintFile(path, state, out);
    }
  }
  for (const auto& [path, state] : g_baseline.files) {
    if (now.files.find(path) == now.files.end()) out << "  File removed: " << cesim::Narrow(path) << "\n";
  }
  g_baseline = std::move(now);
}

}  // namespace fexplore_sim

// Program and shortcut names, and shortcut commands read the way the device's shortcut files are
// written: "\Windows\calc.exe", "\"\Program Files\Tool Box\box.exe\"", "\Windows\iexplore.exe
// -home", a program with its icon after "?", or ":MSWELCOME" for a command that the shell looks
// up by name.
#include "shell/ceshell_paths.h"

#include <algorithm>
#include <optional>

#include "core/case_fold.h"
#include "shell/file_types.h"

namespace cesim::detail {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Views into the caller's text: a command is cut up without copying it first.
std::u16string_view Trimmed(std::u16string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

std::u16string LeadingTrimmed(std::u16string_view text) {
  size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  return std::u16string(text.substr(first));
}

// The end of the first ".exe" in an unquoted command that the end, white space or "?" follows.
std::optional<size_t> EndOfProgram(std::u16string_view command) {
  for (size_t dot = command.find(u'.'); dot != std::u16string_view::npos; dot = command.find(u'.', dot + 1)) {
    if (dot + 4 > command.size() || !SameFolded(command.substr(dot, 4), u".exe")) continue;
    const size_t end = dot + 4;
    if (end == command.size() || IsBlank(command[end]) || command[end] == u'?') return end;
  }
  return std::nullopt;
}

// The text of a caller's buffer, when it ends within MAX_PATH characters.
std::optional<std::u16string_view> BoundedText(LPCWSTR text) {
  if (text == nullptr) return std::nullopt;
  for (size_t i = 0; i < MAX_PATH; ++i) {
    if (text[i] == 0) return std::u16string_view(text, i);
  }
  return std::nullopt;
}

}  // namespace

bool NamesProgram(std::u16string_view path) { return SameFolded(ExtensionIn(path), u".exe"); }

bool NamesShortcut(std::u16string_view path) { return SameFolded(ExtensionIn(path), u".lnk"); }

CommandLine SplitCommandLine(const std::u16string& command) {
  const std::u16string_view text = Trimmed(command);
  CommandLine line;
  if (!text.empty() && text[0] == u'"') {
    const size_t close = text.find(u'"', 1);
    if (close == std::u16string_view::npos) {
      line.program = std::u16string(text.substr(1));
    } else {
      line.program = std::u16string(text.substr(1, close - 1));
      line.arguments = LeadingTrimmed(text.substr(close + 1));
    }
    return line;
  }
  size_t end = text.size();
  if (std::optional<size_t> program = EndOfProgram(text)) {
    end = *program;
  } else {
    for (size_t i = 0; i < text.size(); ++i) {
      if (IsBlank(text[i])) {
        end = i;
        break;
      }
    }
  }
  line.program = std::u16string(text.substr(0, end));
  if (end < text.size()) line.arguments = LeadingTrimmed(text.substr(end + (text[end] == u'?' ? 0 : 1)));
  return line;
}

std::u16string CleanShortcutCommand(std::u16string_view command) {
  const std::u16string_view text = Trimmed(command);
  if (text.empty() || text[0] == u':') return std::u16string(text);
  if (text[0] == u'"') {
    // The program that SplitCommandLine finds, without splitting off the arguments too.
    const size_t close = text.find(u'"', 1);
    return std::u16string(close == std::u16string_view::npos ? text.substr(1) : text.substr(1, close - 1));
  }
  if (std::optional<size_t> end = EndOfProgram(text)) return std::u16string(text.substr(0, *end));
  return std::u16string(text);
}

BOOL WINAPI ShellPathIsProgram(LPCWSTR path) {
  std::optional<std::u16string_view> text = BoundedText(path);
  return text && NamesProgram(*text) ? TRUE : FALSE;
}

BOOL WINAPI ShellPathIsShortcut(LPCWSTR path) {
  std::optional<std::u16string_view> text = BoundedText(path);
  return text && NamesShortcut(*text) ? TRUE : FALSE;
}

void WINAPI ShellCleanCommand(LPWSTR command) {
  std::optional<std::u16string_view> text = BoundedText(command);
  if (!text) return;
  const std::u16string clean = CleanShortcutCommand(*text);
  // Never longer than the command: it fits where the command was.
  std::copy(clean.begin(), clean.end(), command);
  command[clean.size()] = 0;
}

}  // namespace cesim::detail

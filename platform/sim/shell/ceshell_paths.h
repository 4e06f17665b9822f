// The shell library's path rules: which names are programs and shortcuts, and how a shortcut's
// command line splits into the program it starts and the arguments. The shell library exports
// them by ordinal (37, 38, 46); ShellExecuteEx reads commands with the same split.
#ifndef CESIM_SHELL_CESHELL_PATHS_H
#define CESIM_SHELL_CESHELL_PATHS_H

#include <string>
#include <string_view>

#include "sim/types.h"

namespace cesim::detail {

// A program: the extension of the last name is ".exe", in any letter case.
bool NamesProgram(std::u16string_view path);
// A shortcut file: the extension of the last name is ".lnk", in any letter case.
bool NamesShortcut(std::u16string_view path);

// A command line as the shell reads it: white space around it is dropped; a program path in
// double quotation marks ends at the closing mark; an unquoted one ends after the first ".exe"
// that the end, white space or "?" follows, else at the first white space. The arguments are
// what follows, without the white space before them.
struct CommandLine {
  std::u16string program;
  std::u16string arguments;
};
CommandLine SplitCommandLine(const std::u16string& command);

// The program path that a shortcut's command starts (ordinal 46): the command without the white
// space around it; a quoted program path without its quotes and what follows them; an unquoted
// one that names a ".exe" without what follows it. A command that names no program the shell can
// find (":NAME", a document) keeps its text.
std::u16string CleanShortcutCommand(std::u16string_view command);

// The exports (see ceshell_ordinals.h). They read at most MAX_PATH characters: a text without a
// terminator in that reach is no path (FALSE) and is left alone by the clean-up.
BOOL WINAPI ShellPathIsProgram(LPCWSTR path);
BOOL WINAPI ShellPathIsShortcut(LPCWSTR path);
void WINAPI ShellCleanCommand(LPWSTR command);

}  // namespace cesim::detail

#endif

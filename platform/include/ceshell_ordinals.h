// The three path functions of the Windows CE shell library ("ceshell"), which it exports by
// ordinal only: their numbers and the function types that a caller looks them up as
// (GetProcAddress(module, MAKEINTRESOURCE(...))). The library documents no names for them; these
// are descriptive ones. Shared by every face of the platform header.
#ifndef FOLDWISE_CESHELL_ORDINALS_H
#define FOLDWISE_CESHELL_ORDINALS_H

// The program test: TRUE when the name or path names a program (its extension is ".exe").
#define CESHELL_ORDINAL_PATHISPROGRAM 37
typedef BOOL(WINAPI* CESHELL_PATHISPROGRAM)(LPCWSTR pszPath);

// The shortcut test: TRUE when the name or path names a shortcut file (its extension is ".lnk").
#define CESHELL_ORDINAL_PATHISSHORTCUT 38
typedef BOOL(WINAPI* CESHELL_PATHISSHORTCUT)(LPCWSTR pszPath);

// The command clean-up: turns the command line of a shortcut, in place, into the program path it
// starts: white space around it goes, a quoted program path loses its quotes and what follows
// them, an unquoted one what follows its ".exe"; a command that names no program (":NAME") keeps
// its text. The result is never longer than the command.
#define CESHELL_ORDINAL_CLEANCOMMAND 46
typedef void(WINAPI* CESHELL_CLEANCOMMAND)(LPWSTR pszCommand);

#endif

// Starting a program through the shell.
#include "dialogs/program_start.h"

void StartProgram(LPCWSTR file, LPCWSTR parameters) {
  SHELLEXECUTEINFO info;
  memset(&info, 0, sizeof(info));
  info.cbSize = sizeof(SHELLEXECUTEINFO);
  info.lpFile = file;
  info.lpParameters = parameters;
  ShellExecuteEx(&info);
}

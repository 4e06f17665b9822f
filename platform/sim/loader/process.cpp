// CreateProcessW: the program is looked for as the device looks for it and its start is kept in
// the launch log; it does not run on this host. The caller gets the handles and identifiers of a
// process that stands for it.
#include "core/handles.h"
#include "loader/launch.h"
#include "sim/core.h"
#include "sim/loader.h"

namespace {

// The longest command line taken, terminator included, as on the desktop.
constexpr size_t kCommandLineLimit = 32767;

// Reads a caller's string no further than `limit` characters; false when it is longer.
bool ReadBounded(LPCWSTR text, size_t limit, std::u16string* out) {
  out->clear();
  if (text == nullptr) return true;
  for (size_t i = 0; i < limit; ++i) {
    if (text[i] == 0) {
      out->assign(text, i);
      return true;
    }
  }
  return false;
}

}  // namespace

BOOL WINAPI CreateProcessW(LPCWSTR pszImageName, LPCWSTR pszCmdLine, LPSECURITY_ATTRIBUTES psaProcess,
                           LPSECURITY_ATTRIBUTES psaThread, BOOL fInheritHandles, DWORD fdwCreate,
                           LPVOID pvEnvironment, LPWSTR pszCurDir, LPSTARTUPINFOW psiStartInfo,
                           LPPROCESS_INFORMATION pProcInfo) {
  // What the device does not support it ignores.
  (void)psaProcess;
  (void)psaThread;
  (void)fInheritHandles;
  (void)pvEnvironment;
  (void)pszCurDir;
  (void)psiStartInfo;
  // The device needs the program's name; the command line holds only its arguments.
  if (pszImageName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string name;
  if (!ReadBounded(pszImageName, MAX_PATH, &name)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  std::u16string commandLine;
  if (!ReadBounded(pszCmdLine, kCommandLineLimit, &commandLine)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string programPath;
  DWORD error = cesim::detail::ResolveProgram(name, &programPath);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  DWORD processId = cesim::detail::RecordLaunch(programPath, commandLine, "CreateProcessW", fdwCreate);
  if (pProcInfo != nullptr) {
    pProcInfo->dwProcessId = processId;
    pProcInfo->dwThreadId = processId + 4;
    pProcInfo->hProcess = cesim::detail::OpenKernelHandle(cesim::detail::KernelObject::Process, processId);
    pProcInfo->hThread = cesim::detail::OpenKernelHandle(cesim::detail::KernelObject::Thread, processId + 4);
  }
  return TRUE;
}

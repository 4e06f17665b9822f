// Which program the process runs, on desktop Windows, and the test program's entry point. The
// module stays only in \Windows\fexplore.exe, so the test program copies itself there (into the
// Windows folder of the system drive, which the device's paths call "\Windows") and runs the
// tests from that copy; a copy elsewhere, started with --load-module, tells through its exit code
// whether the module stays loaded in another program.
#include <stdio.h>

#include <gtest/gtest.h>

#include "system_test.h"

namespace system_test {

const WCHAR kLoadModuleSwitch[] = L"--load-module";

// The program's own path as the desktop writes it, drive and all (the platform face's
// GetModuleFileNameW gives the device's form, without the drive).
Text OwnPath() {
  WCHAR path[MAX_PATH];
  DWORD length = 0;
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  typedef DWORD(WINAPI * ModuleFileName)(HMODULE, LPWSTR, DWORD);
  ModuleFileName desktopModuleFileName =
      reinterpret_cast<ModuleFileName>(reinterpret_cast<void*>(GetProcAddressA(kernel, "GetModuleFileNameW")));
  if (desktopModuleFileName != nullptr) length = desktopModuleFileName(nullptr, path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Text(path, length) : Text();
}

// Runs `program` with `arguments` and gives its exit code, or -1 when it did not start. The
// platform face starts it as the device does: the command line holds only the arguments, and the
// started program's command line begins with its path, put there by the face.
int RunProgram(const Text& program, const Text& arguments) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), arguments.c_str(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

bool RunAs(const Text& program) {
  WCHAR running[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, running, MAX_PATH);
  return length > 0 && length < MAX_PATH && _wcsicmp(running, program.c_str()) == 0;
}

Load LoadInProgram(const Host& host, const Text& program, const Text& module) {
  const Text copy = host.Path(program);
  const Text self = OwnPath();
  if (!CopyFileW(self.c_str(), copy.c_str(), FALSE)) {
    fprintf(stderr, "system: %ls not copied to %ls (%lu)\n", self.c_str(), copy.c_str(),
            static_cast<unsigned long>(GetLastError()));
    return Load::kProgramNotRun;
  }
  int code = RunProgram(copy, Text(kLoadModuleSwitch) + L" \"" + host.Path(module) + L"\"");
  DeleteFileW(copy.c_str());
  if (code != 0 && code != 1) fprintf(stderr, "system: the copy at %ls gave %d\n", copy.c_str(), code);
  // The copy answers 0 when the module stayed, 1 when it was refused.
  return code == 0 ? Load::kStays : code == 1 ? Load::kRefused : Load::kProgramNotRun;
}

Text DeviceForm(const Text& platformPath) {
  WCHAR windows[MAX_PATH] = {};
  UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  if (length < 2 || length >= MAX_PATH || windows[1] != L':') return platformPath;
  if (platformPath.size() < 3 || platformPath[1] != L':' || platformPath[2] != L'\\' ||
      towupper(platformPath[0]) != towupper(windows[0])) {
    return platformPath;
  }
  return platformPath.substr(2);
}

bool StartsAreObservable() { return false; }

std::vector<Text> StartedPrograms() { return std::vector<Text>(); }

// A file copied into the Windows folder for the tests' run and taken away when they end. A file
// that was there already (another program's Explorer or shell resources in the same Windows
// folder) is put aside for the run and put back after it, so that neither sees the other's file.
class PlacedForTheRun {
 public:
  PlacedForTheRun(const Text& source, const Text& place) : place_(place), aside_(place + L".aside") {
    putAside_ = GetFileAttributesW(place_.c_str()) != INVALID_FILE_ATTRIBUTES &&
                MoveFileExW(place_.c_str(), aside_.c_str(), MOVEFILE_REPLACE_EXISTING);
    placed_ = CopyFileW(source.c_str(), place_.c_str(), FALSE) != FALSE;
    if (!placed_) {
      fprintf(stderr, "system: %ls not copied to %ls (%lu)\n", source.c_str(), place_.c_str(),
              static_cast<unsigned long>(GetLastError()));
    }
  }
  ~PlacedForTheRun() {
    if (placed_) DeleteFileW(place_.c_str());
    if (putAside_) MoveFileExW(aside_.c_str(), place_.c_str(), MOVEFILE_REPLACE_EXISTING);
  }
  PlacedForTheRun(const PlacedForTheRun&) = delete;
  PlacedForTheRun& operator=(const PlacedForTheRun&) = delete;

  bool placed() const { return placed_; }

 private:
  Text place_;
  Text aside_;
  bool putAside_ = false;
  bool placed_ = false;
};

// Runs the tests from a copy of this program at the Explorer's place, the Windows folder of the
// system drive, with the shell's resource module that the build made beside it, where the device
// keeps it (the Explorer's pane menu is one of its menus). Gives the tests' exit code, or 2 and 3
// when the copies could not be made.
int RunAtTheExplorersPlace(int count, LPWSTR* arguments) {
  WCHAR windows[MAX_PATH];
  UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  const Text self = OwnPath();
  if (length == 0 || length >= MAX_PATH || self.empty()) return 2;
  const Text folder = self.substr(0, self.find_last_of(L'\\') + 1);
  Text shellResources = folder;
  for (const char* c = FOLDWISE_SYSTEM_SHELLRES; *c != 0; ++c) shellResources += *c == '/' ? L'\\' : WCHAR(*c);
  PlacedForTheRun explorer(self, Text(windows) + L"\\fexplore.exe");
  PlacedForTheRun resources(shellResources, Text(windows) + L"\\shellres.dll");
  if (!explorer.placed() || !resources.placed()) return 3;
  // The copy finds the build's files from this program's folder.
  SetEnvironmentVariableW(L"FOLDWISE_TEST_PROGRAM_FOLDER", folder.c_str());
  Text rest;
  for (int i = 1; i < count; ++i) rest += L"\"" + Text(arguments[i]) + L"\" ";
  return RunProgram(Text(windows) + L"\\fexplore.exe", rest);
}

}  // namespace system_test

int main(int argc, char** argv) {
  using system_test::Text;
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments != nullptr && count == 3 && Text(arguments[1]) == system_test::kLoadModuleSwitch) {
    HMODULE module = LoadLibraryW(arguments[2]);
    if (module != nullptr) FreeLibrary(module);
    return module != nullptr ? 0 : 1;
  }
  if (!system_test::RunAs(system_test::kExplorerProgram)) return system_test::RunAtTheExplorersPlace(count, arguments);
  // The tests work in the Windows folder: a path without a drive letter, as the device writes its
  // paths, then names a file of the system drive, whose root plays the device root's part.
  WCHAR windows[MAX_PATH];
  UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !SetCurrentDirectoryW(windows)) return 4;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

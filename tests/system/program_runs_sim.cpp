// Which program the process runs, on cesim: the emulated process is started with it.
#include <cstdio>

#include "cesim/automation.h"
#include "system_test.h"

namespace system_test {

bool RunAs(const Text& program) {
  // The device starts only programs that are there.
  if (GetFileAttributesW(program.c_str()) == 0xFFFFFFFF) {
    FILE* file = _wfopen(program.c_str(), u"wb");
    if (file == nullptr) return false;
    fputs("MZ", file);
    fclose(file);
  }
  cesim::StartProcess(program);
  WCHAR running[MAX_PATH] = {};
  return GetModuleFileNameW(nullptr, running, MAX_PATH) > 0 && program == running;
}

Load LoadInProgram(const Host& host, const Text& program, const Text& module) {
  const std::u16string previous = cesim::ProgramPath();
  if (!RunAs(host.Path(program))) return Load::kProgramNotRun;
  HMODULE loaded = LoadLibraryW(host.Path(module).c_str());
  if (loaded != nullptr) FreeLibrary(loaded);
  cesim::StartProcess(previous);
  return loaded != nullptr ? Load::kStays : Load::kRefused;
}

Text DeviceForm(const Text& platformPath) { return platformPath; }

bool StartsAreObservable() { return true; }

std::vector<Text> StartedPrograms() {
  std::vector<Text> started;
  for (const cesim::LaunchRecord& record : cesim::LaunchLog()) {
    if (record.call == "ShellExecuteEx") started.push_back(record.file + u"|" + record.parameters);
    if (record.call == "CreateProcessW") started.push_back(record.programPath + u"|" + record.commandLine);
  }
  return started;
}

}  // namespace system_test

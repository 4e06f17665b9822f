// fexplore-sim: boots a device image (a copy of it, so the image on disk stays as it is), maps
// the built module to \Windows\foldwise.dll, puts the built sample programs where the image's
// [programs] section says, and plays a script of user actions, printing what the user sees at
// each step.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "cesim/automation.h"
#include "script_runner.h"

namespace {

int Usage() {
  std::cerr << "usage: fexplore-sim [--image FOLDER] [--script FILE] [--module LIBRARY]\n"
               "  --image   device image (default: the sample device, examples/device)\n"
               "  --script  script of steps; without it the steps are read from standard input\n"
               "  --module  the module's shared library (default: the one built beside this tool)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string image = std::string(FOLDWISE_SOURCE_DIR) + "/examples/device";
  std::string script;
  std::string module = FOLDWISE_MODULE_PATH;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (i + 1 >= argc) return Usage();
    if (option == "--image") {
      image = argv[++i];
    } else if (option == "--script") {
      script = argv[++i];
    } else if (option == "--module") {
      module = argv[++i];
    } else {
      return Usage();
    }
  }
  if (!std::filesystem::is_directory(image + "/files")) {
    std::cerr << "fexplore-sim: " << image << " is not a device image (no files/ folder)\n";
    return 1;
  }

  cesim::ImageBuilder copy;  // a temporary folder, removed at the end
  std::error_code error;
  std::filesystem::copy(image, copy.Folder(),
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing,
                        error);
  if (error) {
    std::cerr << "fexplore-sim: cannot copy " << image << ": " << error.message() << "\n";
    return 1;
  }
  cesim::ImageBuilder device(copy.Folder());
  device.AddModule(u"\\Windows\\foldwise.dll", std::filesystem::absolute(module).string());
  // The programs the image names in [programs] come from the build, not from the image itself.
  std::string missing;
  if (!device.AddPrograms(FOLDWISE_PROGRAMS_DIR, &missing)) {
    std::cerr << "fexplore-sim: the image's programs need " << missing << " (build the sample_programs target)\n";
    return 1;
  }
  device.StampFilesWithBootTime();
  device.Write();
  if (!cesim::Boot(copy.Folder())) {
    std::cerr << "fexplore-sim: the device did not boot from " << image << "\n";
    return 1;
  }
  std::cout << "Device booted from " << image << ".\n";

  bool ok;
  if (script.empty()) {
    ok = fexplore_sim::RunScript(std::cin, std::cout);
  } else {
    std::ifstream in(script);
    if (!in) {
      std::cerr << "fexplore-sim: cannot read " << script << "\n";
      cesim::Shutdown();
      return 1;
    }
    ok = fexplore_sim::RunScript(in, std::cout);
  }
  cesim::Shutdown();
  return ok ? 0 : 1;
}

// Reading the built sample programs.
#include "sample_programs.h"

#include <fstream>
#include <sstream>

namespace foldwise_test {

std::string SampleProgram(const std::string& name) {
  std::ifstream in(std::string(FOLDWISE_PROGRAMS_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

}  // namespace foldwise_test

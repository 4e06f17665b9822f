// The sample programs that the build cross-compiles (examples/programs): real PE files whose
// bytes tests put into the device images they build.
#ifndef FOLDWISE_TESTS_SAMPLE_PROGRAMS_H
#define FOLDWISE_TESTS_SAMPLE_PROGRAMS_H

#include <string>

namespace foldwise_test {

// The bytes of a built program ("box.exe", "notes.exe", "viewer.exe", "plain.exe"); empty when it
// was not built.
std::string SampleProgram(const std::string& name);

}  // namespace foldwise_test

#endif

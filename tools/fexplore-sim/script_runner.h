// Plays a script of user actions on the booted device and prints what the user sees.
#ifndef FEXPLORE_SIM_SCRIPT_RUNNER_H
#define FEXPLORE_SIM_SCRIPT_RUNNER_H

#include <iosfwd>
#include <string>

namespace fexplore_sim {

// Runs each line ("command argument"); returns false at the first line it cannot run.
bool RunScript(std::istream& script, std::ostream& out);

}  // namespace fexplore_sim

#endif

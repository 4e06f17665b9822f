// Plays a script of user actions on the booted device and prints what the user sees.
#ifndef FEXPLORE_SIM_SCRIPT_RUNNER_H
#define FEXPLORE_SIM_SCRIPT_RUNNER_H

#include <iosfwd>
#include <string>

namespace fexplore_sim {

// Runs each line ("command argument"); returns false at the first line it cannot run.
bool RunScript(std::istream& script, std::ostream& out);

// While a step waits inside a modal loop (a command's dialog), the script's next lines run
// there: the command of the next line still to run ("" at the end of the script), and that
// line run as any other, its changes printed after it. RunNextLine is false when the line could
// not be run; the script then stops.
std::string NextCommand();
bool RunNextLine();

}  // namespace fexplore_sim

#endif

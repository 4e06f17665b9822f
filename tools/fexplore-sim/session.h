// The Explorer that a script acts on: starting it, letting the user act while its own message loop
// runs, following it when it closes and starts a new one, and what is printed along the way.
#ifndef FEXPLORE_SIM_SESSION_H
#define FEXPLORE_SIM_SESSION_H

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "ceplatform.h"

namespace fexplore_sim {

// The running Explorer's frame window, or null when none runs.
HWND Frame();
// Ends the Explorer (or the other program's module) that runs now.
void EndSession();
// Starts a program: the Explorer opens with its windows; any other program loads the module to
// show whether the module lets itself be loaded there.
void StartProgram(const std::string& program, std::ostream& out);

// The user acts while the Explorer's own message loop runs; the loop ends once it has handled
// everything that the actions caused, or when the Explorer closes. A menu that the actions left
// open is shown (with its submenus) and closed. An Explorer that closed and had a new one started
// is followed by that new one, as on the device.
void ActInExplorer(std::vector<std::function<void()>> actions, std::ostream& out);
void ActInExplorer(std::function<void()> action, std::ostream& out);

// Prints each line of a text behind "    | ".
void PrintLines(std::ostream& out, const std::string& text);

}  // namespace fexplore_sim

#endif

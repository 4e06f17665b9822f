// The steps of fexplore-sim, one file per kind: menus (menu_steps.cpp), the list and its keys
// (list_steps.cpp), the preview overlay (preview_steps.cpp), the Change Folder pop-up
// (folder_steps.cpp), the device's registry and launches (device_steps.cpp) and the context
// menu's commands with their dialogs (command_steps.cpp). Each returns false for a line it does not
// know, and prints what the user sees after its step.
#ifndef FEXPLORE_SIM_STEPS_H
#define FEXPLORE_SIM_STEPS_H

#include <ostream>
#include <map>
#include <string>

#include "ceplatform.h"

namespace fexplore_sim {

bool RunMenuStep(const std::string& command, const std::string& argument, std::ostream& out);
bool RunListStep(const std::string& command, const std::string& argument, std::ostream& out);
bool RunPreviewStep(const std::string& command, const std::string& argument, std::ostream& out);
bool RunFolderStep(const std::string& command, const std::string& argument, std::ostream& out);
bool RunDeviceStep(const std::string& command, const std::string& argument, std::ostream& out);
// Commands of an item's context menu run as the Explorer runs them, and the user's actions in
// the dialogs and message boxes they open (command_steps.cpp).
bool RunCommandStep(const std::string& command, const std::string& argument, std::ostream& out);

// What a step changed on the device, printed after it (step_changes.cpp): the Explorer's
// registry values and those below HKEY_CLASSES_ROOT, the programs started, the clipboard's text
// and the files created, changed or removed, each since the last print. ForgetChanges takes the device as it is now as the start.
void PrintChanges(std::ostream& out);
void ForgetChanges();

// Prints the pop-up menus that are open, each item's submenu below it, then closes them as the
// user does with Escape.
void PrintAndCancelMenus(std::ostream& out);
// What the user sees of the Explorer: the folder in its path control, its toolbar, its list and
// the preview overlay.
void PrintExplorer(std::ostream& out);
// How many folders the Explorer was sent so far; after a step, the folder it was sent since then
// and the Change Folder pop-up's tree when it is open ("(no Change Folder dialog open)" unless
// quiet).
int NavigationCount();
bool ChangeFolderOpen();
void PrintFolderState(std::ostream& out, int navigationsBefore, bool quietWithoutDialog);
// The preview overlay: hidden or shown, its size and place in the frame, its picture and
// transparency.
void PrintOverlay(std::ostream& out);
// A menu item's text as shown: "&" marks the next letter, "&&" shows one ampersand.
std::string ShownText(const std::u16string& text);
// The list item whose shown name (or file name) is `name`, or -1.
int FindListItem(HWND list, const std::string& name);

// Registry values as the registry holds them (registry_snapshot.cpp): one entry per value, named
// "KEY \"value\"" ("KEY @" for a key's default value), its data as text.
using RegistrySnapshot = std::map<std::string, std::string>;
// The Explorer's settings, last folders and path history.
RegistrySnapshot ReadExplorerRegistry();
// Every value at and below a key, written as HKEY_CLASSES_ROOT\.doc; false when there is no such key.
bool ReadRegistryTree(const std::string& key, RegistrySnapshot* snapshot);
// What a step's changes are shown from: the Explorer's values and every value below
// HKEY_CLASSES_ROOT (file types, their open commands, the context-menu handlers).
RegistrySnapshot ReadWatchedRegistry();
void PrintRegistryChanges(const RegistrySnapshot& before, const RegistrySnapshot& after, std::ostream& out);
// The programs started since the step began.
void PrintLaunches(size_t before, std::ostream& out);

}  // namespace fexplore_sim

#endif

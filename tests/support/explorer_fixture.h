// A device with the module mapped at \Windows\foldwise.dll and registered as the context menu
// handler of files and folders, and the Explorer stand-in started in the emulated process
// \Windows\fexplore.exe, as a user's device runs it. The Explorer loads the module itself.
#ifndef FOLDWISE_TESTS_EXPLORER_FIXTURE_H
#define FOLDWISE_TESTS_EXPLORER_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"

namespace foldwise_test {

// REGEDIT4 text that registers a module path as the context menu handler of files and folders
// under the module's class identifier.
std::string ContextMenuHandlerRegistration(const std::u16string& modulePath = u"\\Windows\\foldwise.dll");

class ExplorerTest : public ::testing::Test {
 protected:
  // Maps the module, registers it (unless the test clears registerModule before starting) and
  // puts the Explorer's program file in place. Tests add to device.image before starting.
  void SetUp() override;
  // Ends the Explorer that is still running.
  void TearDown() override;

  // Boots the image, starts \Windows\fexplore.exe and the Explorer in a folder (null: the stored
  // last location, or the root). Fills frame, toolbar, commandBar, pane and list; false, with a
  // test failure, when the device does not boot or the frame is not created.
  bool StartExplorerIn(const char16_t* folder = u"\\");

  // Runs the Explorer's message loop while the user does something (queued with WhenIdle) and
  // until everything that it caused is handled; false when the loop stalled.
  bool ActInExplorer(std::function<void()> action);

  // The list view's texts of column 0 in item order, as the Explorer gives them.
  std::vector<std::string> ListedNames();
  // The index of the item whose name column reads `name`, or -1.
  int FindListed(const std::string& name);

  BootedDevice device;
  bool registerModule = true;
  HWND frame = nullptr;
  HWND toolbar = nullptr;
  HWND commandBar = nullptr;
  HWND pane = nullptr;
  HWND list = nullptr;
};

}  // namespace foldwise_test

#endif

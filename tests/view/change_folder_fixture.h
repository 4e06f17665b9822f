// A device with the module loaded for its resources and the Explorer stand-in's frame window, on
// which the Change Folder tests open the dialog; the user acts through cesim's automation, under
// a plain message loop or under the Explorer's own, which calls IsDialogMessageW.
#ifndef FOLDWISE_TESTS_CHANGE_FOLDER_FIXTURE_H
#define FOLDWISE_TESTS_CHANGE_FOLDER_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"

namespace foldwise_test {

// A registry line for a string value, with the device path's backslashes escaped.
std::string StringValue(const std::string& name, const std::string& value);

class ChangeFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Boots with the Explorer's last location (and more registry text), loads the module for its
  // resources and creates the frame window.
  void Boot(const std::string& lastLocation, const std::string& registry = "");

  // Opens the dialog from the frame window and lets it settle under a plain message loop.
  HWND Open();

  HWND Tree(HWND dialog);

  // Scrolls the item into the small tree's view, as the user would, and taps its button.
  bool TapButton(HWND dialog, const std::vector<std::u16string>& path);

  // Runs the Explorer's own message loop while the user does the actions, one per moment the
  // loop waits for input, then ends it.
  void RunExplorerLoop(const std::vector<std::function<void()>>& actions);

  std::vector<HWND> FrameDialogs();
  std::string FrameFolder();

  BootedDevice device;
  HWND frame = nullptr;
};

}  // namespace foldwise_test

#endif

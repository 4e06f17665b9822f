// A device with the Explorer stand-in running and the module extending its windows: the Change
// Folder tests open the dialog through the Explorer's folder command, which the module takes
// over; the user acts through cesim's automation, under a plain message loop or under the
// Explorer's own, which calls IsDialogMessageW.
#ifndef FOLDWISE_TESTS_CHANGE_FOLDER_FIXTURE_H
#define FOLDWISE_TESTS_CHANGE_FOLDER_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ceplatform.h"
#include "explorer_fixture.h"

namespace foldwise_test {

// A registry line for a string value, with the device path's backslashes escaped.
std::string StringValue(const std::string& name, const std::string& value);

class ChangeFolderTest : public ExplorerTest {
 protected:
  void SetUp() override;

  // Boots with the Explorer's last location (and more registry text) and starts the Explorer in
  // \My Documents.
  void Boot(const std::string& lastLocation, const std::string& registry = "");

  // Chooses the Explorer's folder command, lets the dialog settle under a plain message loop and
  // returns it (null when the frame owns no dialog or more than one).
  HWND Open();
  // Opens it from the list pane instead (its "Change Folder" command), which the module does
  // whatever the last location is; the folder command leaves a network location to the host.
  HWND OpenFromPane();

  HWND Tree(HWND dialog);

  // Scrolls the item into the small tree's view, as the user would, and taps its button.
  bool TapButton(HWND dialog, const std::vector<std::u16string>& path);

  // Runs the Explorer's own message loop while the user does the actions, one per moment the
  // loop waits for input, then ends it.
  void RunExplorerLoop(const std::vector<std::function<void()>>& actions);

  std::vector<HWND> FrameDialogs();
  std::string FrameFolder();
};

}  // namespace foldwise_test

#endif

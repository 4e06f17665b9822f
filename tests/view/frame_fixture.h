// The frame extension's tests: the small Explorer with a toolbar on its frame, and the host's
// View and path history pop-ups as the Explorer's command bar holds them.
#ifndef FOLDWISE_TESTS_FRAME_FIXTURE_H
#define FOLDWISE_TESTS_FRAME_FIXTURE_H

#include <string>
#include <vector>

#include "pane_fixture.h"

namespace foldwise_test {

// Registry text of the path history: "MRUList" and one value per letter.
std::string PathHistory(const std::string& order, const std::vector<std::pair<char, std::string>>& entries);

class FrameTest : public PaneTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the small Explorer (as PaneTest::Start) and makes the host's pop-ups.
  void Start(const std::string& explorerValues = "", const std::u16string& folder = u"\\My Documents");
  // Opens a pop-up as the system does: WM_INITMENUPOPUP to the frame with its position.
  void OpenPopup(HMENU popup, int position = 0);
  // The host's View pop-up: 21002, 21003 "Show All Files", 21004.
  HMENU view = nullptr;
  // The host's path history pop-up: 210 "Up One Level" and nothing else of its own.
  HMENU history = nullptr;

  // The rows of a menu as "text=id", "-" for a separator and "text>" for a submenu; a checked
  // item ends in " [x]", a radio-checked one in " (o)", a grey one in " [grey]".
  static std::vector<std::string> Rows(HMENU menu);
  // The submenu at the position, or null.
  static HMENU SubmenuAt(HMENU menu, int position);

  std::vector<std::string> FrameCommands() const;
};

}  // namespace foldwise_test

#endif

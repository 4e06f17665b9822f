// The frame tests' Explorer and its pop-ups.
#include "frame_fixture.h"

#include "cesim/automation.h"
#include "host/host_contract.h"

namespace foldwise_test {

std::string PathHistory(const std::string& order, const std::vector<std::pair<char, std::string>>& entries) {
  std::string text = "[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU]\n\"MRUList\"=\"" + order + "\"\n";
  for (const auto& entry : entries) {
    std::string escaped;
    for (char c : entry.second) {
      if (c == '\\') escaped += '\\';
      escaped += c;
    }
    text += "\"" + std::string(1, entry.first) + "\"=\"" + escaped + "\"\n";
  }
  return text;
}

void FrameTest::SetUp() {
  PaneTest::SetUp();
  host.withToolbar = true;
  device.image.AddFolder(u"\\Windows");
}

void FrameTest::TearDown() {
  if (cesim::IsBooted()) {
    DestroyMenu(view);
    DestroyMenu(history);
  }
}

void FrameTest::Start(const std::string& explorerValues, const std::u16string& folder) {
  PaneTest::Start(explorerValues, folder);
  view = CreatePopupMenu();
  AppendMenuW(view, MF_STRING, HOST_CMD_VIEW_FIRST, u"Refresh");
  AppendMenuW(view, MF_STRING, HOST_CMD_SHOW_ALL, u"Show All Files");
  AppendMenuW(view, MF_STRING, HOST_CMD_REFRESH_VIEW, u"Redisplay");
  history = CreatePopupMenu();
  AppendMenuW(history, MF_STRING, HOST_MENU_HISTORY_FIRST, u"Up One Level");
}

void FrameTest::OpenPopup(HMENU popup, int position) {
  SendMessageW(host.frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(position, 0));
}

std::vector<std::string> FrameTest::Rows(HMENU menu) {
  std::vector<std::string> rows;
  for (const cesim::MenuRow& row : cesim::ReadMenu(menu)) {
    std::string text;
    if (row.separator) {
      text = "-";
    } else if (row.popup) {
      text = cesim::Narrow(row.text) + ">";
    } else {
      text = cesim::Narrow(row.text) + "=" + std::to_string(row.id);
    }
    if (row.checked) text += row.radio ? " (o)" : " [x]";
    if (row.grayed && !row.separator) text += " [grey]";
    rows.push_back(text);
  }
  return rows;
}

HMENU FrameTest::SubmenuAt(HMENU menu, int position) { return GetSubMenu(menu, position); }

std::vector<std::string> FrameTest::FrameCommands() const {
  std::vector<std::string> commands;
  for (const std::string& line : host.log.lines) {
    if (line.rfind("frame command ", 0) == 0) commands.push_back(line.substr(14));
  }
  return commands;
}

}  // namespace foldwise_test

// The Change Folder tests' device, frame window and message loops.
#include "change_folder_fixture.h"

#include <cstring>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "frame_window.h"
#include "host/host_contract.h"
#include "message_loop.h"
#include "resources/resource_ids.h"
#include "view/commands.h"

namespace foldwise_test {

namespace {
const char kUserKey[] = "[HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer]\n";
}  // namespace

std::string StringValue(const std::string& name, const std::string& value) {
  std::string escaped;
  for (char c : value) {
    if (c == '\\' || c == '"') escaped += '\\';
    escaped += c;
  }
  return "\"" + name + "\"=\"" + escaped + "\"\n";
}

void ChangeFolderTest::SetUp() {
  ExplorerTest::SetUp();
  device.image.AddFolder(u"\\Windows\\Fonts")
      .AddFolder(u"\\Windows\\Start Menu\\Programs")
      .AddFolder(u"\\Windows\\System\\Cache", FILE_ATTRIBUTE_HIDDEN)
      .AddFolder(u"\\My Documents")
      .AddFolder(u"\\Temp", FILE_ATTRIBUTE_HIDDEN);
}

void ChangeFolderTest::Boot(const std::string& lastLocation, const std::string& registry) {
  device.image.AddRegistry(kUserKey + StringValue("LocalPath", lastLocation) + registry);
  ASSERT_TRUE(StartExplorerIn(u"\\My Documents"));
}

namespace {

HWND OnlyDialog(const std::vector<HWND>& dialogs) { return dialogs.size() == 1 ? dialogs[0] : nullptr; }

}  // namespace

HWND ChangeFolderTest::Open() {
  SendMessageW(frame, WM_COMMAND, HOST_CMD_FOLDER, 0);
  cesim::PumpMessages();
  return OnlyDialog(FrameDialogs());
}

HWND ChangeFolderTest::OpenFromPane() {
  SendMessageW(pane, WM_COMMAND, CMD_CHANGE_FOLDER, 0);
  cesim::PumpMessages();
  return OnlyDialog(FrameDialogs());
}

HWND ChangeFolderTest::Tree(HWND dialog) { return GetDlgItem(dialog, IDC_FOLDER_TREE); }

bool ChangeFolderTest::TapButton(HWND dialog, const std::vector<std::u16string>& path) {
  HTREEITEM item = cesim::FindTreeItem(Tree(dialog), path);
  if (item == nullptr) return false;
  SendMessageW(Tree(dialog), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  return cesim::TapTreeItemButton(Tree(dialog), path);
}

void ChangeFolderTest::RunExplorerLoop(const std::vector<std::function<void()>>& actions) {
  for (const auto& action : actions) cesim::WhenIdle(action);
  cesim::WhenIdle([] { PostQuitMessage(0); });
  int stalls = cesim::MessageLoopStalls();
  EXPECT_EQ(RunExplorerMessageLoop(frame), 0);
  EXPECT_EQ(cesim::MessageLoopStalls(), stalls) << "the loop waited with nothing left to do";
  EXPECT_EQ(cesim::PendingIdleActions(), 0u);
}

std::vector<HWND> ChangeFolderTest::FrameDialogs() {
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = frame;
  return cesim::FindWindows(query);
}

std::string ChangeFolderTest::FrameFolder() {
  WCHAR folder[MAX_PATH];
  GetFrameFolder(frame, folder, MAX_PATH);
  return cesim::Narrow(folder);
}

}  // namespace foldwise_test

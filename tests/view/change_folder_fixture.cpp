// The Change Folder tests' device, frame window and message loops.
#include "change_folder_fixture.h"

#include <cstring>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "frame_window.h"
#include "message_loop.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "view/change_folder_dialog.h"

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
  std::memset(&g_module, 0, sizeof(g_module));
  device.image.AddModule(u"\\Windows\\foldwise.dll", FOLDWISE_MODULE_PATH)
      .AddFile(u"\\Windows\\fexplore.exe", "MZ")
      .AddFolder(u"\\Windows\\Fonts")
      .AddFolder(u"\\Windows\\Start Menu\\Programs")
      .AddFolder(u"\\Windows\\System\\Cache", FILE_ATTRIBUTE_HIDDEN)
      .AddFolder(u"\\My Documents")
      .AddFolder(u"\\Temp", FILE_ATTRIBUTE_HIDDEN);
}

void ChangeFolderTest::TearDown() { std::memset(&g_module, 0, sizeof(g_module)); }

void ChangeFolderTest::Boot(const std::string& lastLocation, const std::string& registry) {
  device.image.AddRegistry(kUserKey + StringValue("LocalPath", lastLocation) + registry);
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  g_module.instance = LoadLibraryW(u"\\Windows\\foldwise.dll");
  ASSERT_NE(g_module.instance, nullptr);
  frame = CreateFrameWindow(GetModuleHandleW(nullptr), u"\\My Documents");
  ASSERT_NE(frame, nullptr);
}

HWND ChangeFolderTest::Open() {
  HWND dialog = ShowChangeFolderDialog(frame);
  cesim::PumpMessages();
  return dialog;
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

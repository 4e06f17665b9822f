// The frame extension's commands: what each does to the settings, the list and the path history,
// and what the host sees of it afterwards.
#include <gtest/gtest.h>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "frame_fixture.h"
#include "host/host_contract.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

using FrameCommandsTest = FrameTest;

const char kHistoryKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\File Explorer\\DialogMRU";

std::vector<HWND> FrameDialogs(HWND frame) {
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = frame;
  return cesim::FindWindows(query);
}

TEST_F(FrameCommandsTest, ShowExtensionRedisplaysFirstAndThenReachesTheHost) {
  Start();
  SendMessageW(host.frame, WM_COMMAND, CMD_SHOW_EXTENSION, 0);
  EXPECT_EQ(FrameCommands(), (std::vector<std::string>{"21004", "61440"}));
  EXPECT_EQ(ExplorerNumber(u"ShowExt"), 1u);
}

TEST_F(FrameCommandsTest, AListStyleIsAppliedAndStoredBeforeTheHostSeesIt) {
  Start(ExplorerDword("ListStyle", LIST_STYLE_ICON));
  int flushes = cesim::RegistryFlushCount();
  SendMessageW(host.frame, WM_COMMAND, CMD_STYLE_DETAIL_HEADER, 0);
  EXPECT_EQ(GetWindowLongW(host.list, GWL_STYLE) & 0x4003, static_cast<LONG>(LIST_STYLE_DETAIL_HEADER));
  std::optional<cesim::RegistryValue> stored = cesim::ReadRegistryValue("HKEY_LOCAL_MACHINE\\Explorer", u"ListStyle");
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(ExplorerNumber(u"ListStyle"), static_cast<DWORD>(LIST_STYLE_DETAIL_HEADER));
  EXPECT_EQ(cesim::RegistryFlushCount(), flushes + 1);  // on storage at once
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{"61442"});
}

TEST_F(FrameCommandsTest, PreviewImageTogglesAStoredFiveToZeroAndThenToOne) {
  Start(ExplorerDword("Preview", 5));
  int flushes = cesim::RegistryFlushCount();
  SendMessageW(host.frame, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  EXPECT_EQ(ExplorerNumber(u"Preview"), 0u);
  EXPECT_EQ(cesim::RegistryFlushCount(), flushes + 1);
  EXPECT_NE(cesim::RegistryFileText().find("\"Preview\"=dword:00000000"), std::string::npos);
  SendMessageW(host.frame, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  EXPECT_EQ(ExplorerNumber(u"Preview"), 1u);
  EXPECT_EQ(FrameCommands(), (std::vector<std::string>{"61444", "61444"}));
}

TEST_F(FrameCommandsTest, SettingsAreNeverWrittenWhereTheExplorerKeyIsMissing) {
  Start();
  ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"Explorer"), ERROR_SUCCESS);
  SendMessageW(host.frame, WM_COMMAND, CMD_STYLE_DETAIL, 0);
  SendMessageW(host.frame, WM_COMMAND, CMD_PREVIEW_IMAGE, 0);
  EXPECT_FALSE(cesim::RegistryKeyExists("HKEY_LOCAL_MACHINE\\Explorer"));
}

TEST_F(FrameCommandsTest, TheFolderCommandOpensChangeFolderUnlessTheLastLocationIsOnTheNetwork) {
  Start();
  SetLastLocation(u"\\Storage Card");
  EXPECT_EQ(SendMessageW(host.frame, WM_COMMAND, HOST_CMD_FOLDER, 0), 0);
  cesim::PumpMessages();
  EXPECT_EQ(FrameDialogs(host.frame).size(), 1u);
  EXPECT_TRUE(FrameCommands().empty());
}

TEST_F(FrameCommandsTest, TheFolderCommandGoesToTheHostForANetworkLocation) {
  Start();
  SetLastLocation(u"\\\\server\\share");
  SendMessageW(host.frame, WM_COMMAND, HOST_CMD_FOLDER, 0);
  cesim::PumpMessages();
  EXPECT_TRUE(FrameDialogs(host.frame).empty());
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{"301"});
}

TEST_F(FrameCommandsTest, DeletingAnEntryRemovesItsLetterAndRestartsTheExplorer) {
  device.image.AddRegistry(PathHistory("abcd", {{'a', "\\A"}, {'b', "\\B"}, {'c', "\\C"}, {'d', "\\D"}}));
  Start();
  SendMessageW(host.frame, WM_COMMAND, CMD_DELETE_PATH_BASE + 'c', 0);
  MSG pending;
  EXPECT_TRUE(PeekMessageW(&pending, host.frame, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
  std::optional<cesim::RegistryValue> order = cesim::ReadRegistryValue(kHistoryKey, u"MRUList");
  ASSERT_TRUE(order.has_value());
  EXPECT_EQ(order->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(order->data.size(), 8u);  // "abd" and its terminator
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"MRUList"), u"abd");
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"c"), u"\\C");  // the value stays
  std::vector<cesim::LaunchRecord> launches = cesim::LaunchLog();
  ASSERT_EQ(launches.size(), 1u);
  EXPECT_EQ(launches[0].programPath, u"\\Windows\\fexplore.exe");
  EXPECT_EQ(launches[0].call, "CreateProcessW");
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{std::to_string(CMD_DELETE_PATH_BASE + 'c')});
  // The posted close ends this Explorer.
  cesim::PumpMessages();
  EXPECT_FALSE(IsWindow(host.frame));
}

TEST_F(FrameCommandsTest, WhenNoNewExplorerCanStartThisOneStaysOpen) {
  device.image.AddRegistry(PathHistory("ab", {{'a', "\\A"}, {'b', "\\B"}}));
  Start();
  ASSERT_TRUE(DeleteFileW(u"\\Windows\\fexplore.exe"));
  SendMessageW(host.frame, WM_COMMAND, CMD_DELETE_PATH_BASE + 'a', 0);
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"MRUList"), u"b");
  EXPECT_TRUE(cesim::LaunchLog().empty());
  cesim::PumpMessages();
  EXPECT_TRUE(IsWindow(host.frame));
}

TEST_F(FrameCommandsTest, ALetterMissingFromTheHistoryStillRestarts) {
  device.image.AddRegistry(PathHistory("ab", {{'a', "\\A"}, {'b', "\\B"}}));
  Start();
  SendMessageW(host.frame, WM_COMMAND, CMD_DELETE_PATH_BASE + 'j', 0);
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"MRUList"), u"ab");
  EXPECT_EQ(cesim::LaunchLog().size(), 1u);
}

TEST_F(FrameCommandsTest, AHistoryTooLongToReadIsNotOverwritten) {
  device.image.AddRegistry(PathHistory("abcdefghijklmnop", {{'a', "\\A"}}));
  Start();
  SendMessageW(host.frame, WM_COMMAND, CMD_DELETE_PATH_BASE + 'a', 0);
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"MRUList"), u"abcdefghijklmnop");
  EXPECT_EQ(cesim::LaunchLog().size(), 1u);
}

TEST_F(FrameCommandsTest, LettersAfterJAreTheHostsOwn) {
  device.image.AddRegistry(PathHistory("ak", {{'a', "\\A"}, {'k', "\\K"}}));
  Start();
  SendMessageW(host.frame, WM_COMMAND, CMD_DELETE_PATH_BASE + 'k', 0);
  EXPECT_EQ(cesim::ReadRegistryString(kHistoryKey, u"MRUList"), u"ak");
  EXPECT_TRUE(cesim::LaunchLog().empty());
  EXPECT_TRUE(IsWindow(host.frame));
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{std::to_string(CMD_DELETE_PATH_BASE + 'k')});
}

TEST_F(FrameCommandsTest, EveryOtherCommandHidesTheOverlayAndStopsThePreview) {
  Start(ExplorerDword("Preview", 1));
  HWND overlay = GetDlgItem(host.frame, OVERLAY_CONTROL_ID);
  ASSERT_NE(overlay, nullptr);
  ShowWindow(overlay, SW_SHOWNA);
  SetTimer(host.pane, PREVIEW_TIMER_ID, PREVIEW_DELAY_MS, nullptr);
  host.log.Clear();
  SendMessageW(host.frame, WM_COMMAND, 12345, 0);
  EXPECT_FALSE(IsWindowVisible(overlay));
  cesim::AdvanceClock(PREVIEW_DELAY_MS * 2);
  for (const std::string& line : host.log.lines) EXPECT_EQ(line.find("pane timer"), std::string::npos) << line;
  EXPECT_EQ(FrameCommands(), std::vector<std::string>{"12345"});
}

}  // namespace
}  // namespace foldwise_test

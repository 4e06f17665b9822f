// Delete Path in the Explorer's path history pop-up: the module lists the history there, and
// choosing an entry takes it out of the history, starts a new Explorer and closes this one.
#include "system_test.h"

#include "explorer.h"
#include "view/commands.h"

namespace system_test {
namespace {

const WCHAR kHistoryKey[] = TEXT("Software\\Microsoft\\File Explorer\\DialogMRU");

class DeletePathTest : public SystemTest {
 protected:
  // The path history as the Explorer kept it in an earlier session.
  static void SetHistory(const Text& order, const std::vector<Text>& paths) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kHistoryKey, 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, TEXT("MRUList"), 0, REG_SZ, reinterpret_cast<const BYTE*>(order.c_str()),
                   static_cast<DWORD>((order.size() + 1) * sizeof(WCHAR)));
    for (size_t i = 0; i < paths.size(); ++i) {
      const WCHAR name[2] = {static_cast<WCHAR>(TEXT('a') + i), 0};
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(paths[i].c_str()),
                     static_cast<DWORD>((paths[i].size() + 1) * sizeof(WCHAR)));
    }
    RegCloseKey(key);
  }

  static Text HistoryOrder() {
    WCHAR order[32] = {};
    DWORD size = sizeof(order) - sizeof(WCHAR);
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kHistoryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return TEXT("(no key)");
    DWORD type = 0;
    if (RegQueryValueExW(key, TEXT("MRUList"), nullptr, &type, reinterpret_cast<BYTE*>(order), &size) != ERROR_SUCCESS) {
      order[0] = 0;
    }
    RegCloseKey(key);
    return order;
  }

  // The Delete Path pop-up of the path history pop-up, opened as the menu bar opens it.
  HMENU OpenDeletePath() { return OpenPopupAndFindSubmenu(ExplorerHistoryMenu(frame), TEXT("Delete Path")); }
};

TEST_F(DeletePathTest, ChoosingAnEntryTakesItOutOfTheHistoryAndRestartsTheExplorer) {
  if (!StartsAreObservable()) {
    GTEST_SKIP() << "the new Explorer would be this test program started again (FIDELITY.md)";
  }
  host.AddFolder(TEXT("\\Docs\\Work"));
  host.AddFolder(TEXT("\\Pictures"));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  SetHistory(TEXT("abc"), {DevicePath(TEXT("\\Docs")), DevicePath(TEXT("\\Docs\\Work")), DevicePath(TEXT("\\Pictures"))});

  HMENU entries = OpenDeletePath();
  ASSERT_NE(entries, nullptr) << "the path history pop-up has no Delete Path";
  ASSERT_EQ(GetMenuItemCount(entries), 3);
  WCHAR text[MAX_PATH] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_TYPE;
  info.dwTypeData = text;
  info.cch = MAX_PATH - 1;
  GetMenuItemInfoW(entries, 1, TRUE, &info);
  EXPECT_EQ(conformance::Printable(text), conformance::Printable(DevicePath(TEXT("\\Docs\\Work"))));
  const UINT chosen = GetMenuItemID(entries, 1);

  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
  EXPECT_EQ(conformance::Printable(HistoryOrder()), "ac");
  EXPECT_EQ(StartedPrograms(), std::vector<Text>{Text(kExplorerProgram) + TEXT("|")});
  host.Pump();
  EXPECT_FALSE(IsWindow(frame)) << "the old Explorer stays open";
}

}  // namespace
}  // namespace system_test

// View Options in the Explorer's View menu: the module puts its pop-up in on the first opening
// with marks that follow the settings, and its list styles restyle the list view and are kept.
#include "system_test.h"
#include "explorer.h"
#include "view/commands.h"

namespace system_test {
namespace {

class ViewOptionsTest : public SystemTest {
 protected:
  // The View pop-up opened as the menu bar opens it, and the pop-up item "View Options" in it.
  HMENU OpenViewOptions() {
    int position = 0;
    HMENU options = OpenPopupAndFindSubmenu(ExplorerViewMenu(frame), TEXT("View Options"), &position);
    if (options != nullptr) {
      SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(options), MAKELPARAM(position, 0));
    }
    return options;
  }

  static bool Checked(HMENU menu, UINT command) {
    return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }

  LONG ListStyleBits() const { return GetWindowLongW(list, GWL_STYLE) & (LVS_TYPEMASK | LVS_NOCOLUMNHEADER); }

  static DWORD StoredListStyle() {
    HKEY key = nullptr;
    DWORD value = 0xFFFFFFFF;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("Explorer"), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    DWORD size = sizeof(value);
    DWORD type = 0;
    if (RegQueryValueExW(key, TEXT("ListStyle"), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS) {
      value = 0xFFFFFFFF;
    }
    RegCloseKey(key);
    return value;
  }
};


TEST_F(ViewOptionsTest, TheMarksFollowTheShowExtensionSettingAtEveryOpening) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  HMENU options = OpenViewOptions();
  ASSERT_NE(options, nullptr) << "no View Options pop-up";
  const bool before = Checked(options, CMD_SHOW_EXTENSION);
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(CMD_SHOW_EXTENSION, 0), 0);
  host.Pump();
  options = OpenViewOptions();
  ASSERT_NE(options, nullptr);
  EXPECT_NE(Checked(options, CMD_SHOW_EXTENSION), before);
  SendMessageW(frame, WM_COMMAND, MAKEWPARAM(CMD_SHOW_EXTENSION, 0), 0);
  host.Pump();
  EXPECT_EQ(Checked(OpenViewOptions(), CMD_SHOW_EXTENSION), before);
}

TEST_F(ViewOptionsTest, EachListStyleRestylesTheListIsMarkedAndIsStored) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  struct Style {
    UINT command;
    LONG bits;
    DWORD stored;
  };
  const Style styles[] = {{CMD_STYLE_ICON, LIST_STYLE_ICON, LIST_STYLE_ICON},
                          {CMD_STYLE_DETAIL_HEADER, LIST_STYLE_DETAIL_HEADER, LIST_STYLE_DETAIL_HEADER},
                          {CMD_STYLE_DETAIL, LIST_STYLE_DETAIL, LIST_STYLE_DETAIL}};
  for (const Style& style : styles) {
    SendMessageW(frame, WM_COMMAND, MAKEWPARAM(style.command, 0), 0);
    host.Pump();
    EXPECT_EQ(ListStyleBits(), style.bits) << style.command;
    EXPECT_EQ(StoredListStyle(), style.stored) << style.command;
    HMENU options = OpenViewOptions();
    ASSERT_NE(options, nullptr);
    for (const Style& other : styles) {
      EXPECT_EQ(Checked(options, other.command), other.command == style.command) << style.command << " " << other.command;
    }
  }
}

}  // namespace
}  // namespace system_test

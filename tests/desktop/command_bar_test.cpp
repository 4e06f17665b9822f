// Command bars on desktop Windows: a toolbar across the top of its window, whose menu bar is the
// window's own menu, so that the pop-up menus' messages reach the window as they reach a command
// bar's parent on the device.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

class CommandBar : public ::testing::Test {
 protected:
  void SetUp() {
    window = CreateWindowExW(0, TEXT("STATIC"), TEXT("Frame"), WS_OVERLAPPEDWINDOW, 0, 0, 240, 320, NULL, NULL,
                             NULL, NULL);
    ASSERT_TRUE(window != NULL);
    menu = CreateMenu();
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, 21004, TEXT("Refresh"));
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(view), TEXT("View"));
  }
  void TearDown() { DestroyWindow(window); }

  HWND window;
  HMENU menu;
};

TEST_F(CommandBar, IsAToolbarAcrossTheTopOfItsWindow) {
  HWND bar = CommandBar_Create(NULL, window, 1);
  ASSERT_TRUE(bar != NULL);
  WCHAR name[32];
  GetClassNameW(bar, name, 32);
  EXPECT_EQ(0, wcscmp(name, TOOLBARCLASSNAMEW));
  EXPECT_EQ(1, GetDlgCtrlID(bar));
  EXPECT_GT(CommandBar_Height(bar), 0);
  EXPECT_TRUE(NULL == CommandBar_Create(NULL, NULL, 2));
}

TEST_F(CommandBar, TheMenuBarIsTheWindowsMenu) {
  HWND bar = CommandBar_Create(NULL, window, 1);
  ASSERT_TRUE(CommandBar_InsertMenubarEx(bar, NULL, reinterpret_cast<LPWSTR>(menu), 0));
  EXPECT_EQ(menu, GetMenu(window));
  EXPECT_EQ(menu, CommandBar_GetMenu(bar, 0));
  EXPECT_TRUE(CommandBar_DrawMenuBar(bar, 0));
  // One menu bar to a window.
  EXPECT_FALSE(CommandBar_InsertMenubarEx(bar, NULL, reinterpret_cast<LPWSTR>(CreateMenu()), 0));
  EXPECT_FALSE(CommandBar_InsertMenubarEx(bar, NULL, reinterpret_cast<LPWSTR>(window), 0));
}

}  // namespace

// The replacement table, called as the Explorer's routed imports call it.
#include <gtest/gtest.h>

#include <vector>

#include "cesim/automation.h"
#include "module_fixture.h"
#include "replacement_table_access.h"

namespace foldwise_test {
namespace {

std::vector<UINT> g_hostMessages;  // what the host's own window procedure received

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= WM_APP) g_hostMessages.push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

class ReplacementTableTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    g_hostMessages.clear();
    device.image.AddFile(u"\\Windows\\readme.txt", "in rom", FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_READONLY)
        .AddFile(u"\\Windows\\other.txt", "in rom", FILE_ATTRIBUTE_INROM)
        .AddFile(u"\\Windows\\shell.dll", "MZ", FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE)
        .AddFile(u"\\My Documents\\letter.txt", "text");
  }

  const HostImports* Load() {
    if (BootAndLoad() == nullptr) return nullptr;
    return ReplacementTableOf(module);
  }

  ATOM RegisterHostClass(const char16_t* name) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass);
  }
};

TEST_F(ReplacementTableTest, IsOrdinalOneWithoutAName) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  EXPECT_NE(table->deleteFile, nullptr);
  EXPECT_NE(table->createWindowEx, nullptr);
  EXPECT_EQ(GetProcAddressW(module, u"FoldwiseReplacementTable"), nullptr);
}

TEST_F(ReplacementTableTest, AFileLeftInRomCountsAsDeletedForOneAttributeQuery) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->deleteFile(u"\\Windows\\readme.txt"), static_cast<BOOL>(-1));
  // The platform itself still has the file.
  EXPECT_NE(GetFileAttributesW(u"\\Windows\\readme.txt"), INVALID_FILE_ATTRIBUTES);
  // Another letter case is another path: the real attributes, and the path stays remembered.
  EXPECT_NE(table->getFileAttributes(u"\\windows\\README.TXT"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(table->getFileAttributes(u"\\Windows\\readme.txt"), INVALID_FILE_ATTRIBUTES);
  DWORD again = table->getFileAttributes(u"\\Windows\\readme.txt");
  ASSERT_NE(again, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(again & FILE_ATTRIBUTE_INROM);
}

TEST_F(ReplacementTableTest, OnlyTheLastRomDeleteIsRemembered) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->deleteFile(u"\\Windows\\readme.txt"));
  ASSERT_TRUE(table->deleteFile(u"\\Windows\\other.txt"));
  EXPECT_NE(table->getFileAttributes(u"\\Windows\\readme.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(table->getFileAttributes(u"\\Windows\\other.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ReplacementTableTest, OtherDeletesGiveThePlatformsResult) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->deleteFile(u"\\My Documents\\letter.txt"));
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\letter.txt"), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(table->deleteFile(u"\\My Documents\\letter.txt"));
  EXPECT_FALSE(table->deleteFile(u"\\My Documents"));  // a folder is no file
  EXPECT_NE(table->getFileAttributes(u"\\My Documents"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ReplacementTableTest, ListingsNeverCarryTheRomModuleAttribute) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  WIN32_FIND_DATAW data = {};
  HANDLE search = table->findFirstFile(u"\\Windows\\*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  bool sawModule = false;
  do {
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_ROMMODULE) << cesim::Narrow(data.cFileName);
    if (std::u16string(data.cFileName) == u"shell.dll") {
      sawModule = true;
      EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_INROM);  // every other bit stays
    }
  } while (table->findNextFile(search, &data));
  FindClose(search);
  EXPECT_TRUE(sawModule);

  // Even a failed search, whose find data the platform leaves undefined, has the bit cleared.
  data.dwFileAttributes = FILE_ATTRIBUTE_ROMMODULE;
  EXPECT_EQ(table->findFirstFile(u"\\Nowhere\\*", &data), INVALID_HANDLE_VALUE);
  EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_ROMMODULE);
}

TEST_F(ReplacementTableTest, OnlyTheFrameClassByItsExactNameAndAtomClassesAreExtended) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  ASSERT_NE(RegisterHostClass(u"FEXPLORE"), 0);
  ATOM paneClass = RegisterHostClass(u"Pane");
  ASSERT_NE(paneClass, 0);
  HINSTANCE instance = GetModuleHandleW(nullptr);

  HWND frame = table->createWindowEx(0, u"FEXPLORE", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, instance, nullptr);
  // Class names are found without letter case, so this is a frame window too, but asked for
  // by another name: the Explorer's own frame is asked for by its exact name.
  HWND lookalike = table->createWindowEx(0, u"Fexplore", u"", 0, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
  HWND pane = table->createWindowEx(0, reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(paneClass)), u"", WS_CHILD, 0, 0,
                                    240, 300, frame, nullptr, instance, nullptr);
  ASSERT_NE(frame, nullptr);
  ASSERT_NE(lookalike, nullptr);
  ASSERT_NE(pane, nullptr);
  WNDPROC host = HostProc;
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongW(frame, GWL_WNDPROC)), host);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongW(lookalike, GWL_WNDPROC)), host);
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongW(pane, GWL_WNDPROC)), host);

  // What the extensions do not handle reaches the host's procedure unchanged.
  SendMessageW(frame, WM_APP + 1, 0, 0);
  SendMessageW(pane, WM_APP + 2, 0, 0);
  EXPECT_EQ(g_hostMessages, (std::vector<UINT>{WM_APP + 1, WM_APP + 2}));

  // A window that cannot be created gets nothing and gives null.
  EXPECT_EQ(table->createWindowEx(0, u"NoSuchClass", u"", 0, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr), nullptr);
}

// The first listing of a folder's whole content starts the frame extension: observed through
// the frame's toolbar, whose first button loses its drop-down style then, and only then.
class StartUpTriggerTest : public ReplacementTableTest {
 protected:
  HWND StartFrame(const HostImports* table) {
    RegisterHostClass(u"FEXPLORE");
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND frame = table->createWindowEx(0, u"FEXPLORE", u"", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, instance,
                                       nullptr);
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, u"", WS_CHILD | WS_VISIBLE, 0, 0, 240, 24, frame, nullptr,
                              instance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2] = {};
    buttons[0].idCommand = 100;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].fsStyle = TBSTYLE_BUTTON | TBSTYLE_DROPDOWN;
    buttons[1] = buttons[0];
    buttons[1].idCommand = 101;
    SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    return frame;
  }

  BYTE ButtonStyle(int index) {
    TBBUTTON button = {};
    SendMessageW(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    return button.fsStyle;
  }

  void List(const HostImports* table, const char16_t* pattern) {
    WIN32_FIND_DATAW data = {};
    HANDLE search = table->findFirstFile(pattern, &data);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }

  HWND toolbar = nullptr;
};

TEST_F(StartUpTriggerTest, OnlyAPatternEndingInAllFilesTriggersItAndOnlyOnce) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  ASSERT_NE(StartFrame(table), nullptr);
  for (const char16_t* pattern : {u"\\*", u"\\*.txt", u"\\Windows\\*.*x", u"*.*", u"\\Windows\\*.*\\x"}) {
    List(table, pattern);
    EXPECT_TRUE(ButtonStyle(0) & TBSTYLE_DROPDOWN) << cesim::Narrow(pattern);
  }
  List(table, u"\\Windows\\*.*");
  EXPECT_FALSE(ButtonStyle(0) & TBSTYLE_DROPDOWN);
  EXPECT_TRUE(ButtonStyle(1) & TBSTYLE_DROPDOWN);  // only the first button

  // A second matching listing starts nothing again.
  TBBUTTONINFOW info = {};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE;
  info.fsStyle = TBSTYLE_BUTTON | TBSTYLE_DROPDOWN;
  SendMessageW(toolbar, TB_SETBUTTONINFOW, 100, reinterpret_cast<LPARAM>(&info));
  List(table, u"\\*.*");
  EXPECT_TRUE(ButtonStyle(0) & TBSTYLE_DROPDOWN);
}

TEST_F(StartUpTriggerTest, ARootListingWithoutAnyExplorerWindowChangesNothing) {
  const HostImports* table = Load();
  ASSERT_NE(table, nullptr);
  WIN32_FIND_DATAW data = {};
  HANDLE search = table->findFirstFile(u"\\*.*", &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
}

}  // namespace
}  // namespace foldwise_test

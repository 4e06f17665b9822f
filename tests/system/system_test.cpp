#include "system_test.h"

#include <algorithm>

#include "explorer.h"
#include "frame_window.h"
#include "handler_registry.h"
#include "key_trees.h"

namespace system_test {

namespace {

// The module's class identifier, under which the handler is registered.
const WCHAR kClassId[] = TEXT("{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}");

// The Explorer's keys, which it and the module read and write.
const WCHAR kMachineKey[] = TEXT("Explorer");                            // below HKEY_LOCAL_MACHINE
const WCHAR kUserKey[] = TEXT("Software\\Microsoft\\File Explorer");     // below HKEY_CURRENT_USER

// On the desktop the Explorer's keys are not the test's own: every test of the run, and every
// run in the same registry, sees them. The test takes away what it and the module wrote there,
// as the host takes away the test's own keys; a device boots fresh for each test and needs none.
void TakeAwayExplorerKeys() {
  if (conformance::OnCesim()) return;
  conformance::DeleteKeyTree(HKEY_LOCAL_MACHINE, kMachineKey);
  conformance::DeleteKeyTree(HKEY_CURRENT_USER, kUserKey);
}

}  // namespace

const WCHAR kExplorerProgram[] = TEXT("\\Windows\\fexplore.exe");

void SystemTest::SetUp() {
  modulePath = TEXT("\\Modules\\foldwise.dll");
  ASSERT_TRUE(host.AddModule(modulePath, FOLDWISE_SYSTEM_MODULE)) << "the module was not built";
  host.AddFolder(TEXT("\\Windows"));
  const Text handler = host.ClassName(TEXT("Foldwise"));
  host.SetClassesDefault(Text(TEXT("CLSID\\")) + kClassId + TEXT("\\InprocServer32"), host.Path(modulePath));
  host.SetClassesDefault(Text(HANDLERS_OF_FILES) + TEXT("\\") + handler, kClassId);
  host.SetClassesDefault(Text(HANDLERS_OF_FOLDERS) + TEXT("\\") + handler, kClassId);
}

void SystemTest::TearDown() {
  CloseMenu();
  if (frame != nullptr) EndExplorer(frame);
  frame = nullptr;
  TakeAwayExplorerKeys();
}

bool SystemTest::StartExplorerIn(const Text& folder) {
  if (!host.Start()) {
    ADD_FAILURE() << "the platform did not start";
    return false;
  }
  // The Explorer's registry keys are there, as on every device that runs it, and hold nothing
  // that an earlier run that did not end left there.
  TakeAwayExplorerKeys();
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    HKEY key = nullptr;
    const WCHAR* name = root == HKEY_LOCAL_MACHINE ? kMachineKey : kUserKey;
    if (RegCreateKeyExW(root, name, 0, nullptr, 0, 0, nullptr, &key, nullptr) != ERROR_SUCCESS) continue;
    if (root == HKEY_LOCAL_MACHINE) {
      for (const ExplorerValueData& value : explorerValues) {
        RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                       static_cast<DWORD>(value.data.size()));
      }
    }
    RegCloseKey(key);
  }
  if (!RunAs(kExplorerProgram)) {
    ADD_FAILURE() << "the process does not run as the Explorer";
    return false;
  }
  frame = StartExplorer(host.Instance(), DevicePath(folder).c_str());
  if (frame == nullptr) {
    ADD_FAILURE() << "the Explorer's frame window was not created";
    return false;
  }
  pane = ExplorerPane(frame);
  list = ExplorerListView(frame);
  host.Activate(frame);
  host.Pump();
  return pane != nullptr && list != nullptr;
}

void SystemTest::SetExplorerValue(const Text& name, DWORD type, const std::vector<BYTE>& data) {
  explorerValues.push_back(ExplorerValueData{name, type, data});
}

std::vector<BYTE> SystemTest::ExplorerValue(const Text& name) {
  std::vector<BYTE> data;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kMachineKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return data;
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && size > 0) {
    data.resize(size);
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) data.clear();
    data.resize(data.empty() ? 0 : size);
  }
  RegCloseKey(key);
  return data;
}

bool SystemTest::OpenMenuOf(const Text& path) {
  CloseMenu();
  menuOpen = OpenContextMenu(host.Path(path).c_str(), &menu) != FALSE;
  return menuOpen;
}

void SystemTest::CloseMenu() {
  if (menuOpen) CloseContextMenu(&menu);
  menuOpen = false;
}

std::vector<Text> SystemTest::MenuTexts() const {
  std::vector<Text> texts;
  if (!menuOpen) return texts;
  int count = GetMenuItemCount(menu.menu);
  for (int i = 0; i < count; ++i) {
    WCHAR text[MAX_PATH + 20] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = MAX_PATH + 19;
    GetMenuItemInfoW(menu.menu, static_cast<UINT>(i), TRUE, &info);
    texts.push_back((info.fType & MFT_SEPARATOR) ? Text(TEXT("-")) : Text(text));
  }
  return texts;
}

UINT SystemTest::CommandWithText(const Text& text) const {
  if (!menuOpen) return 0;
  int count = GetMenuItemCount(menu.menu);
  for (int i = 0; i < count; ++i) {
    WCHAR shown[MAX_PATH + 20] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE | MIIM_ID;
    info.dwTypeData = shown;
    info.cch = MAX_PATH + 19;
    if (GetMenuItemInfoW(menu.menu, static_cast<UINT>(i), TRUE, &info) && text == shown) return info.wID;
  }
  return 0;
}

HRESULT SystemTest::Choose(const Text& text) {
  UINT command = CommandWithText(text);
  EXPECT_NE(command, 0u) << "no menu item reads " << conformance::Printable(text);
  HRESULT result = E_FAIL;
  if (command != 0) InvokeHandlerCommand(&menu, command, frame, &result);
  host.Pump();
  return result;
}

Text SystemTest::DevicePath(const Text& path) const { return DeviceForm(host.Path(path)); }

bool SystemTest::GoTo(const Text& folder) {
  const Text path = DevicePath(folder);
  SendMessageW(frame, FRAME_MSG_NAVIGATE, 0, reinterpret_cast<LPARAM>(path.c_str()));
  host.Pump();
  return ShownFolder() == path;
}

HMENU SystemTest::OpenPopupAndFindSubmenu(HMENU popup, const Text& name, int* position) const {
  SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(1, 0));
  int count = GetMenuItemCount(popup);
  for (int i = 0; i < count; ++i) {
    WCHAR text[64] = {};
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_TYPE | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 63;
    if (GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info) && info.hSubMenu != nullptr && Text(text) == name) {
      if (position != nullptr) *position = i;
      return info.hSubMenu;
    }
  }
  return nullptr;
}

Text SystemTest::ShownFolder() const { return TextOf(GetDlgItem(frame, 300)); }

std::vector<Text> SystemTest::ListedNames() const {
  std::vector<Text> names;
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    WCHAR text[MAX_PATH] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    names.push_back(text);
  }
  std::sort(names.begin(), names.end());
  return names;
}

int SystemTest::ListedItem(const Text& name) const {
  LVFINDINFOW find = {};
  find.flags = LVFI_STRING;
  find.psz = name.c_str();
  return static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void SystemTest::TapListedItem(const Text& name) {
  const int item = ListedItem(name);
  ASSERT_GE(item, 0) << conformance::Printable(name) << " is not listed";
  RECT label = {};
  label.left = LVIR_LABEL;
  ASSERT_TRUE(SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&label)));
  host.Tap(list, POINT{label.left + 2, (label.top + label.bottom) / 2});
}

Text SystemTest::TextOf(HWND window) {
  WCHAR text[MAX_PATH * 2] = {};
  GetWindowTextW(window, text, MAX_PATH * 2);
  return text;
}

Text SystemTest::ItemText(HWND dialog, int control) { return TextOf(GetDlgItem(dialog, control)); }

HWND SystemTest::ActiveDialog() const {
  HWND active = GetActiveWindow();
  return active == frame ? nullptr : active;
}

Text SystemTest::ClipboardText() {
  Text text = TEXT("(none)");
  if (!OpenClipboard(nullptr)) return TEXT("(clipboard not opened)");
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    const WCHAR* chars = static_cast<const WCHAR*>(GlobalLock(data));
    if (chars != nullptr) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace system_test

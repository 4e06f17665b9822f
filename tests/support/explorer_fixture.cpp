#include "explorer_fixture.h"

#include <functional>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "explorer.h"

namespace foldwise_test {

namespace {

const char kClassId[] = "{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}";

// A device path as REGEDIT4 writes it in a string value: every "\" doubled.
std::string RegistryString(const std::u16string& text) {
  std::string out;
  for (char c : cesim::Narrow(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

std::string ContextMenuHandlerRegistration(const std::u16string& modulePath) {
  std::string classId = kClassId;
  return "[HKEY_CLASSES_ROOT\\CLSID\\" + classId + "\\InprocServer32]\n@=\"" + RegistryString(modulePath) + "\"\n" +
         "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\Foldwise]\n@=\"" + classId + "\"\n" +
         "[HKEY_CLASSES_ROOT\\Folder\\shellex\\ContextMenuHandlers\\Foldwise]\n@=\"" + classId + "\"\n";
}

void ExplorerTest::SetUp() {
  device.image.AddModule(u"\\Windows\\foldwise.dll", FOLDWISE_MODULE_PATH)
      .AddFile(u"\\Windows\\fexplore.exe", "MZ")
      .AddFolder(u"\\My Documents");
}

void ExplorerTest::TearDown() {
  if (cesim::IsBooted()) EndExplorer(frame);
  frame = nullptr;
}

bool ExplorerTest::StartExplorerIn(const char16_t* folder) {
  if (registerModule) device.image.AddRegistry(ContextMenuHandlerRegistration());
  if (!device.Boot()) {
    ADD_FAILURE() << "the device did not boot";
    return false;
  }
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  frame = StartExplorer(GetModuleHandleW(nullptr), folder);
  if (frame == nullptr) {
    ADD_FAILURE() << "the Explorer's frame window was not created";
    return false;
  }
  toolbar = ExplorerToolbar(frame);
  commandBar = ExplorerCommandBar(frame);
  pane = ExplorerPane(frame);
  list = ExplorerListView(frame);
  cesim::PumpMessages();
  return true;
}

bool ExplorerTest::ActInExplorer(std::function<void()> action) {
  int stalls = cesim::MessageLoopStalls();
  cesim::WhenIdle(std::move(action));
  cesim::WhenIdle([] { PostQuitMessage(0); });
  RunExplorer(frame);
  return cesim::MessageLoopStalls() == stalls;
}

std::vector<std::string> ExplorerTest::ListedNames() {
  std::vector<std::string> names;
  int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    WCHAR text[MAX_PATH] = {};
    LVITEMW item = {};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
    names.push_back(cesim::Narrow(text));
  }
  return names;
}

int ExplorerTest::FindListed(const std::string& name) {
  std::vector<std::string> names = ListedNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i] == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace foldwise_test

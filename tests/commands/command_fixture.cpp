// The context menu road for the command tests.
#include "command_fixture.h"

namespace foldwise_test {

bool CommandTest::Select(const std::u16string& path) {
  if (BootAndLoad() == nullptr) return false;
  owner = CreateWindowExW(0, u"static", u"Explorer", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                          nullptr, nullptr);
  if (owner == nullptr) return false;
  IClassFactory* factory = nullptr;
  if (getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK) return false;
  factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu));
  factory->Release();
  if (menu == nullptr) return false;
  data_ = std::make_unique<DataObjectDouble>(DropListBlock({path}));
  site_ = std::make_unique<SiteDouble>(data_.get());
  IObjectWithSite* withSite = nullptr;
  menu->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&withSite));
  if (withSite == nullptr) return false;
  HRESULT hr = withSite->SetSite(site_.get());
  withSite->Release();
  if (hr != S_OK) return false;
  hostMenu_ = CreatePopupMenu();
  AppendMenuW(hostMenu_, MF_STRING, 1, u"Open");
  AppendMenuW(hostMenu_, MF_STRING, 2, u"Delete");
  return menu->QueryContextMenu(hostMenu_, 0, kFirst, kFirst + 20, CMF_NORMAL) == 5;
}

CMINVOKECOMMANDINFO CommandTest::Record(const char* verb) const {
  CMINVOKECOMMANDINFO info = {};
  info.cbSize = sizeof(CMINVOKECOMMANDINFO);
  info.hwnd = owner;
  info.lpVerb = verb;
  info.nShow = SW_SHOWNORMAL;
  return info;
}

HWND CommandTest::OwnedDialog() const {
  cesim::WindowQuery query;
  query.className = u"Dialog";
  query.owner = owner;
  return cesim::FindFirstWindow(query);
}

void CommandTest::InDialog(std::vector<std::function<void()>> steps) {
  for (auto& step : steps) cesim::WhenIdle(step);
}

HRESULT CommandTest::Invoke(const char* verb) {
  CMINVOKECOMMANDINFO info = Record(verb);
  return menu->InvokeCommand(&info);
}

HRESULT CommandTest::Run(const std::u16string& path, const char* verb) {
  if (!Select(path)) {
    ADD_FAILURE() << "the context menu could not be set up for " << cesim::Narrow(path);
    return E_UNEXPECTED;
  }
  return Invoke(verb);
}

HRESULT CommandTest::RunAnswering(const std::u16string& path, const char* verb, int button) {
  if (!Select(path)) {
    ADD_FAILURE() << "the context menu could not be set up for " << cesim::Narrow(path);
    return E_UNEXPECTED;
  }
  cesim::AnswerMessageBox(button);
  return Invoke(verb);
}

void CommandTest::TearDown() {
  if (menu != nullptr) {
    EXPECT_EQ(menu->Release(), 0u);
    menu = nullptr;
    // The object gave back every reference it took to the site and the data object.
    if (site_) {
      EXPECT_EQ(site_->references, 1u);
    }
    if (data_) {
      EXPECT_EQ(data_->references, 1u);
    }
  }
  if (hostMenu_ != nullptr) DestroyMenu(hostMenu_);
  if (owner != nullptr) DestroyWindow(owner);
  if (!cesim::IsBooted()) return;
  // Nothing that the device would wait on forever was left behind.
  EXPECT_EQ(cesim::MessageLoopStalls(), 0);
  EXPECT_EQ(cesim::PendingIdleActions(), 0u);
}

}  // namespace foldwise_test

// The context menu object: its interfaces, its site and selection, the commands it adds to a
// real menu, and their verb texts.
#include <gtest/gtest.h>

#include <cstring>

#include "cesim/automation.h"
#include "contextmenu/context_menu.h"
#include "data_object_double.h"
#include "module_fixture.h"

namespace foldwise_test {
namespace {

const UINT kFirst = 100;

class ContextMenuTest : public ModuleTest {
 protected:
  void SetUp() override {
    ModuleTest::SetUp();
    device.image.AddFile(u"\\Windows\\Setup.EXE", "MZ")
        .AddFile(u"\\Windows\\setup.exe.txt", "text")
        .AddFolder(u"\\Windows\\tools.exe")
        .AddFile(u"\\Windows\\README", "text")
        .AddFile(u"\\My Documents\\Letter.doc", "text");
  }

  // Boots, loads and creates a context menu object through the class object.
  IContextMenu* CreateMenuObject() {
    if (BootAndLoad() == nullptr) return nullptr;
    IClassFactory* factory = nullptr;
    if (getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)) != S_OK) return nullptr;
    IContextMenu* menu = nullptr;
    factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu));
    factory->Release();
    return menu;
  }

  static IObjectWithSite* SiteOf(IContextMenu* menu) {
    IObjectWithSite* site = nullptr;
    menu->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&site));
    return site;
  }

  // A host menu with four items of its own, as the Explorer builds it.
  static HMENU HostMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, 1, u"Open");
    AppendMenuW(menu, MF_STRING, 2, u"Cut");
    AppendMenuW(menu, MF_STRING, 3, u"Copy");
    AppendMenuW(menu, MF_STRING, 4, u"Delete");
    return menu;
  }

  static std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> texts;
    for (const auto& row : cesim::ReadMenu(menu)) {
      texts.push_back(row.separator ? "-" : cesim::Narrow(row.text) + "=" + std::to_string(row.id));
    }
    return texts;
  }

  // Sets a site whose data object lists the path, fills a host menu and returns its texts.
  std::vector<std::string> MenuFor(const std::u16string& path, HRESULT* result = nullptr) {
    IContextMenu* menu = CreateMenuObject();
    if (menu == nullptr) return {};
    DataObjectDouble data(DropListBlock({path}));
    SiteDouble site(&data);
    IObjectWithSite* withSite = SiteOf(menu);
    EXPECT_EQ(withSite->SetSite(&site), S_OK);
    withSite->Release();
    HMENU host = HostMenu();
    HRESULT hr = menu->QueryContextMenu(host, 0, kFirst, kFirst + 10, CMF_NORMAL);
    if (result != nullptr) *result = hr;
    auto texts = Texts(host);
    DestroyMenu(host);
    EXPECT_EQ(menu->Release(), 0u);
    EXPECT_EQ(site.references, 1u);
    EXPECT_EQ(data.references, 1u);
    return texts;
  }
};

TEST_F(ContextMenuTest, AProgramGetsAllFiveCommandsInPlace) {
  HRESULT hr = E_FAIL;
  auto texts = MenuFor(u"\\Windows\\Setup.EXE", &hr);
  EXPECT_EQ(hr, 5);
  std::vector<std::string> expected = {
      "Open with Parameters...=102", "Open=1", "Cut=2", "Copy Path=100", "Copy=3", "Delete=4",
      "Send Shortcut to Programs=103", "-", "Open with Program...=104", "-", "Property (Setup.EXE)...=101"};
  EXPECT_EQ(texts, expected);
}

TEST_F(ContextMenuTest, OtherFilesAndFoldersGetThreeCommands) {
  for (const auto* path : {u"\\Windows\\setup.exe.txt", u"\\Windows\\tools.exe", u"\\Windows\\README",
                           u"\\My Documents\\Letter.doc"}) {
    HRESULT hr = E_FAIL;
    auto texts = MenuFor(path, &hr);
    EXPECT_EQ(hr, 5) << cesim::Narrow(path);
    std::u16string p(path);
    std::string name = cesim::Narrow(p.substr(p.rfind(u'\\') + 1));
    std::vector<std::string> expected = {"Open=1", "Cut=2", "Copy Path=100", "Copy=3", "Delete=4", "-",
                                         "Open with Program...=104", "-", "Property (" + name + ")...=101"};
    EXPECT_EQ(texts, expected) << cesim::Narrow(path);
  }
}

TEST_F(ContextMenuTest, AMissingProgramCountsAsAFolder) {
  auto texts = MenuFor(u"\\Windows\\gone.exe");
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "Open=1");
}

TEST_F(ContextMenuTest, QueryContextMenuChecksItsRangeAndSite) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  HMENU host = HostMenu();
  EXPECT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst, 0), E_NO_SELECTION);
  DataObjectDouble data(DropListBlock({u"\\Windows\\README"}));
  SiteDouble site(&data);
  IObjectWithSite* withSite = SiteOf(menu);
  ASSERT_EQ(withSite->SetSite(&site), S_OK);
  EXPECT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst - 1, 0), E_INVALIDARG);
  EXPECT_EQ(GetMenuItemCount(host), 4);
  // A range of one identifier is accepted.
  EXPECT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst, 0), 5);
  EXPECT_EQ(GetMenuItemCount(host), 9);
  withSite->Release();
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(site.references, 1u);
  EXPECT_EQ(data.references, 1u);
  DestroyMenu(host);
}

TEST_F(ContextMenuTest, ASiteWithoutDataObjectIsKeptButGivesNoSelection) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  SiteDouble site(nullptr);
  IObjectWithSite* withSite = SiteOf(menu);
  EXPECT_EQ(withSite->SetSite(&site), STG_E_INVALIDPARAMETER);
  EXPECT_EQ(site.references, 2u);  // stored all the same
  IUnknown* got = nullptr;
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, reinterpret_cast<void**>(&got)), S_OK);
  EXPECT_EQ(got, &site);
  got->Release();
  HMENU host = HostMenu();
  EXPECT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst + 10, 0), E_NO_SELECTION);
  EXPECT_EQ(GetMenuItemCount(host), 4);
  DestroyMenu(host);
  withSite->Release();
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(site.references, 1u);
}

TEST_F(ContextMenuTest, FailedGetDataKeepsTheSiteAndReleasesTheDataObject) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  DataObjectDouble data(DropListBlock({u"\\Windows\\README"}));
  data.failGetData = true;
  SiteDouble site(&data);
  IObjectWithSite* withSite = SiteOf(menu);
  EXPECT_EQ(withSite->SetSite(&site), STG_E_INVALIDPARAMETER);
  EXPECT_EQ(data.references, 1u);
  EXPECT_EQ(site.references, 2u);
  withSite->Release();
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(site.references, 1u);
}

TEST_F(ContextMenuTest, SetSiteReplacesAndReleasesSites) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  DataObjectDouble data(DropListBlock({u"\\Windows\\README"}));
  SiteDouble first(&data);
  SiteDouble second(&data);
  IObjectWithSite* withSite = SiteOf(menu);
  ASSERT_EQ(withSite->SetSite(&first), S_OK);
  EXPECT_EQ(first.references, 2u);
  // The same site again: the new reference is taken before the old one is given up.
  ASSERT_EQ(withSite->SetSite(&first), S_OK);
  EXPECT_EQ(first.references, 2u);
  ASSERT_EQ(withSite->SetSite(&second), S_OK);
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 2u);
  ASSERT_EQ(withSite->SetSite(nullptr), S_OK);
  EXPECT_EQ(second.references, 1u);
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, &out), E_FAIL);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(withSite->GetSite(IID_IUnknown, nullptr), E_POINTER);
  ASSERT_EQ(withSite->SetSite(&second), S_OK);
  withSite->Release();
  // The final release gives up the current site.
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(second.references, 1u);
  EXPECT_EQ(data.references, 1u);
}

TEST_F(ContextMenuTest, BothInterfacesShareOneIdentityAndCount) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  IObjectWithSite* withSite = SiteOf(menu);
  ASSERT_NE(withSite, nullptr);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(withSite->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(menu));
  EXPECT_EQ(menu->AddRef(), 4u);
  EXPECT_EQ(withSite->Release(), 3u);
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(menu->QueryInterface(IID_IDataObject, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(menu->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  unknown->Release();
  menu->Release();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ContextMenuTest, GetCommandStringGivesTheOffsetAsVerb) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  DataObjectDouble data(DropListBlock({u"\\Windows\\README"}));
  SiteDouble site(&data);
  IObjectWithSite* withSite = SiteOf(menu);
  ASSERT_EQ(withSite->SetSite(&site), S_OK);
  HMENU host = HostMenu();
  ASSERT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst + 10, 0), 5);
  char verb[8];
  std::memset(verb, 'x', sizeof(verb));
  EXPECT_EQ(menu->GetCommandString(kFirst + 4, GCS_VERBA, nullptr, verb, sizeof(verb)), S_OK);
  EXPECT_STREQ(verb, "4");
  EXPECT_EQ(menu->GetCommandString(kFirst, GCS_VERBA, nullptr, verb, sizeof(verb)), S_OK);
  EXPECT_STREQ(verb, "0");
  std::memset(verb, 'x', sizeof(verb));
  EXPECT_EQ(menu->GetCommandString(kFirst + 5, GCS_VERBA, nullptr, verb, sizeof(verb)), E_FAIL);
  EXPECT_EQ(menu->GetCommandString(kFirst - 1, GCS_VERBA, nullptr, verb, sizeof(verb)), E_FAIL);
  EXPECT_EQ(menu->GetCommandString(kFirst + 1, GCS_HELPTEXTA, nullptr, verb, sizeof(verb)), E_NOTIMPL);
  EXPECT_EQ(menu->GetCommandString(kFirst + 1, GCS_VERBW, nullptr, verb, sizeof(verb)), E_NOTIMPL);
  EXPECT_EQ(verb[0], 'x');
  EXPECT_EQ(menu->GetCommandString(kFirst + 2, GCS_VERBA, nullptr, nullptr, 0), S_OK);
  DestroyMenu(host);
  withSite->Release();
  EXPECT_EQ(menu->Release(), 0u);
}

TEST_F(ContextMenuTest, InvokeCommandRefusesANullRecord) {
  IContextMenu* menu = CreateMenuObject();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->InvokeCommand(nullptr), E_POINTER);
  EXPECT_EQ(menu->Release(), 0u);
}

// --- The selection read from untrusted drop lists ---

class DropListTest : public ContextMenuTest {
 protected:
  // The properties item's text for a site whose data object hands out this block.
  std::string PropertiesTextFor(std::vector<uint8_t> block) {
    IContextMenu* menu = CreateMenuObject();
    if (menu == nullptr) return "(no object)";
    DataObjectDouble data(std::move(block));
    SiteDouble site(&data);
    IObjectWithSite* withSite = SiteOf(menu);
    EXPECT_EQ(withSite->SetSite(&site), S_OK);
    withSite->Release();
    HMENU host = HostMenu();
    EXPECT_EQ(menu->QueryContextMenu(host, 0, kFirst, kFirst + 10, 0), 5);
    auto rows = cesim::ReadMenu(host);
    DestroyMenu(host);
    EXPECT_EQ(menu->Release(), 0u);
    EXPECT_EQ(data.references, 1u);
    return rows.empty() ? "" : cesim::Narrow(rows.back().text);
  }
};

TEST_F(DropListTest, OnlyTheFirstPathIsTaken) {
  EXPECT_EQ(PropertiesTextFor(DropListBlock({u"\\Windows\\README", u"\\Windows\\Setup.EXE"})),
            "Property (README)...");
}

TEST_F(DropListTest, AnOffsetOutsideTheBlockGivesNoSelection) {
  auto block = DropListBlock({u"\\Windows\\README"});
  uint32_t offset = static_cast<uint32_t>(block.size()) + 100;
  std::memcpy(block.data(), &offset, sizeof(offset));
  EXPECT_EQ(PropertiesTextFor(block), "Property ()...");
  offset = 0xFFFFFFFFu;
  std::memcpy(block.data(), &offset, sizeof(offset));
  EXPECT_EQ(PropertiesTextFor(block), "Property ()...");
}

TEST_F(DropListTest, AListWithoutTerminatorGivesNoSelection) {
  auto block = DropListBlock({u"\\Windows\\README"});
  block.resize(block.size() - 4);  // cut both terminators
  EXPECT_EQ(PropertiesTextFor(block), "Property ()...");
}

TEST_F(DropListTest, BlocksTooSmallForARecordGiveNoSelection) {
  EXPECT_EQ(PropertiesTextFor({}), "Property ()...");
  EXPECT_EQ(PropertiesTextFor({0x14, 0}), "Property ()...");
}

TEST_F(DropListTest, APathOf259CharactersIsTakenWhole) {
  std::u16string path = u"\\" + std::u16string(258, u'a');
  ASSERT_EQ(path.size(), 259u);
  EXPECT_EQ(PropertiesTextFor(DropListBlock({path})), "Property (" + std::string(258, 'a') + ")...");
}

TEST_F(DropListTest, PathsOf260CharactersOrMoreAreNeverCut) {
  for (size_t length : {260u, 261u, 600u}) {
    std::u16string path = u"\\" + std::u16string(length - 1, u'a');
    EXPECT_EQ(PropertiesTextFor(DropListBlock({path})), "Property ()...") << length;
  }
}

TEST_F(DropListTest, AnUnalignedOffsetIsReadAsWideCharacters) {
  auto block = DropListBlock({});
  block.resize(sizeof(DROPFILES) + 1, 0);
  for (char16_t c : std::u16string(u"\\Windows\\README")) {
    block.push_back(static_cast<uint8_t>(c));
    block.push_back(0);
  }
  block.push_back(0);
  block.push_back(0);
  uint32_t offset = sizeof(DROPFILES) + 1;
  std::memcpy(block.data(), &offset, sizeof(offset));
  EXPECT_EQ(PropertiesTextFor(block), "Property (README)...");
}

}  // namespace
}  // namespace foldwise_test

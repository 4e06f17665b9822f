// LoadMenuW against the platform's documented behaviour: a module's standard menu resource by
// ordinal and by name becomes a menu bar whose pop-up items hold pop-up menus, with the item
// flags, identifiers, texts and separators the template gives; missing resources and modules
// fail as FindResourceW does. The template reader itself is held against malformed templates.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "menu/template.h"
#include "testmodule/testmodule_ids.h"

namespace {

const char16_t kModulePath[] = u"\\Windows\\testmodule.dll";

class LoadMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddModule(kModulePath, CESIM_TESTMODULE_PATH);
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    module = LoadLibraryW(kModulePath);
    ASSERT_NE(module, nullptr);
  }

  static MENUITEMINFOW Info(UINT mask, WCHAR* text = nullptr, UINT cch = 0) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.dwTypeData = text;
    info.cch = cch;
    return info;
  }

  foldwise_test::BootedDevice device;
  HMODULE module = nullptr;
};

TEST_F(LoadMenuTest, AResourceBecomesAMenuBarOfPopupMenus) {
  HMENU bar = LoadMenuW(module, MAKEINTRESOURCEW(IDM_SAMPLE));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file = GetSubMenu(bar, 0);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(GetMenuItemID(bar, 1), static_cast<UINT>(IDC_ABOUT));

  const std::vector<cesim::MenuRow> rows = cesim::ReadMenu(file);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[0].text, u"&Open");
  EXPECT_EQ(rows[0].id, static_cast<UINT>(IDC_OPEN));
  EXPECT_TRUE(rows[1].separator);
  EXPECT_TRUE(rows[2].popup);
  EXPECT_EQ(rows[2].text, u"&Recent");
  EXPECT_TRUE(rows[3].checked);
  EXPECT_EQ(rows[3].id, static_cast<UINT>(IDC_EXIT));

  HMENU recent = GetSubMenu(file, 2);
  EXPECT_EQ(GetMenuState(recent, IDC_SECOND, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  // Items are found by command through the submenus, from the menu bar down.
  WCHAR text[16];
  MENUITEMINFOW info = Info(MIIM_TYPE | MIIM_ID, text, 16);
  ASSERT_TRUE(GetMenuItemInfoW(bar, IDC_FIRST, FALSE, &info));
  EXPECT_EQ(std::u16string(text), u"First");
  // The separator of a template is a separator item with no text.
  info = Info(MIIM_TYPE | MIIM_STATE, text, 16);
  ASSERT_TRUE(GetMenuItemInfoW(file, 1, TRUE, &info));
  EXPECT_EQ(info.fType, static_cast<UINT>(MFT_SEPARATOR));
  EXPECT_EQ(info.cch, 0u);

  // The menu is the caller's: destroying the bar destroys the pop-up menus too.
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(file));
  EXPECT_FALSE(IsMenu(recent));
}

TEST_F(LoadMenuTest, EachLoadGivesANewMenu) {
  HMENU first = LoadMenuW(module, MAKEINTRESOURCEW(IDM_SAMPLE));
  HMENU second = LoadMenuW(module, MAKEINTRESOURCEW(IDM_SAMPLE));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(first, second);
  EXPECT_NE(GetSubMenu(first, 0), GetSubMenu(second, 0));
  // Changing one leaves the other as the resource has it.
  DeleteMenu(GetSubMenu(first, 0), 0, MF_BYPOSITION);
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(second, 0)), 4);
}

TEST_F(LoadMenuTest, MenusAreFoundByNameAndByNumberText) {
  HMENU named = LoadMenuW(module, u"ShortMenu");  // names compare without letter case
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(GetMenuItemCount(named), 1);
  EXPECT_EQ(GetMenuItemID(named, 0), static_cast<UINT>(IDC_ONLY));
  HMENU numbered = LoadMenuW(module, u"#400");
  ASSERT_NE(numbered, nullptr);
  EXPECT_EQ(GetMenuItemCount(numbered), 2);
}

TEST_F(LoadMenuTest, MissingMenusAndModulesFail) {
  SetLastError(0);
  EXPECT_EQ(LoadMenuW(module, MAKEINTRESOURCEW(999)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  // A dialog's identifier is no menu.
  EXPECT_EQ(LoadMenuW(module, MAKEINTRESOURCEW(IDD_SAMPLE)), nullptr);
  SetLastError(0);
  EXPECT_EQ(LoadMenuW(reinterpret_cast<HINSTANCE>(0x1234), MAKEINTRESOURCEW(IDM_SAMPLE)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  // The emulated program has no resources here.
  EXPECT_EQ(LoadMenuW(nullptr, MAKEINTRESOURCEW(IDM_SAMPLE)), nullptr);
}

// The words of a template, as little-endian 16-bit units.
std::vector<uint8_t> Bytes(const std::vector<uint16_t>& words) {
  std::vector<uint8_t> bytes;
  for (uint16_t w : words) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  return bytes;
}

TEST(MenuTemplateTest, ReadsNestedLevelsEndedByTheirLastItem) {
  // Header, then: popup "P" { item 5 "a", item 6 "" (end) }, item 7 "b" (end).
  const std::vector<uint8_t> bytes = Bytes({0, 0, MF_POPUP, u'P', 0, 0, 5, u'a', 0, MF_END, 6, 0, MF_END, 7, u'b', 0});
  auto items = cesim::detail::ParseMenuTemplate(bytes.data(), bytes.size());
  ASSERT_TRUE(items.has_value());
  ASSERT_EQ(items->size(), 2u);
  EXPECT_EQ((*items)[0].text, u"P");
  ASSERT_EQ((*items)[0].children.size(), 2u);
  EXPECT_EQ((*items)[0].children[0].id, 5u);
  EXPECT_EQ((*items)[0].children[1].flags, 0u);  // MF_END is not an item flag
  EXPECT_EQ((*items)[1].id, 7u);
  // The header's offset skips bytes before the first item.
  const std::vector<uint8_t> offset = Bytes({0, 2, 0xAAAA, MF_END, 9, u'c', 0});
  items = cesim::detail::ParseMenuTemplate(offset.data(), offset.size());
  ASSERT_TRUE(items.has_value());
  EXPECT_EQ((*items)[0].id, 9u);
}

TEST(MenuTemplateTest, RefusesBrokenTemplates) {
  using cesim::detail::ParseMenuTemplate;
  const std::vector<uint8_t> good = Bytes({0, 0, MF_END, 9, u'c', 0});
  // Every cut of a good template runs past its end somewhere.
  for (size_t size = 0; size < good.size(); ++size) EXPECT_FALSE(ParseMenuTemplate(good.data(), size)) << size;
  EXPECT_TRUE(ParseMenuTemplate(good.data(), good.size()));
  // An extended template (version 1), a level that never ends, a text without terminator.
  const std::vector<uint8_t> extended = Bytes({1, 4, 0, 0, 0, 0});
  EXPECT_FALSE(ParseMenuTemplate(extended.data(), extended.size()));
  const std::vector<uint8_t> endless = Bytes({0, 0, 0, 1, u'a', 0, 0, 2, u'b', 0});
  EXPECT_FALSE(ParseMenuTemplate(endless.data(), endless.size()));
  const std::vector<uint8_t> unterminated = Bytes({0, 0, MF_END, 1, u'a', u'b'});
  EXPECT_FALSE(ParseMenuTemplate(unterminated.data(), unterminated.size()));
  // Pop-up menus nested deeper than menus may be.
  std::vector<uint16_t> deep = {0, 0};
  for (int i = 0; i < 40; ++i) deep.insert(deep.end(), {MF_POPUP | MF_END, u'x', 0});
  deep.insert(deep.end(), {MF_END, 1, 0});
  const std::vector<uint8_t> deepBytes = Bytes(deep);
  EXPECT_FALSE(ParseMenuTemplate(deepBytes.data(), deepBytes.size()));
  EXPECT_FALSE(ParseMenuTemplate(nullptr, 0));
}

}  // namespace

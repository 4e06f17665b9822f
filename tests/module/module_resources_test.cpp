// The module's strings and dialog templates as a device reads them from its resources.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cesim/automation.h"
#include "module_fixture.h"

namespace foldwise_test {
namespace {

class ModuleResourcesTest : public ModuleTest {};

const char* const kStrings[] = {
    "Copy Path", "Property (%s)...", "Open with Parameters...", "Send Shortcut to Programs", "Free/Total:",
    "A shortcut exists with the same name.\n\n[Yes] to overwrite a shortcut.\n[No] to create a shortcut with "
    "sequential number.\n[Cancel] to cancel.",
    "Confirm Overwrite", "Show Extension", "Detail", "Detail with Header", "Icon", "Change Style", "My Device",
    "Open with Program...", "View Options", "Change Folder", "Comments", "CompanyName", "FileVersion",
    "InternalName", "LegalTrademarks", "OriginalFilename", "PrivateBuild", "ProductName", "ProductVersion",
    "SpecialBuild", "Overwrite current association?", "Delete Path", "Preview Image"};

TEST_F(ModuleResourcesTest, EveryStringIsStoredWithItsTerminatorForUseInPlace) {
  ASSERT_NE(BootAndLoad(), nullptr);
  for (UINT id = 1; id <= 29; ++id) {
    auto text = reinterpret_cast<const WCHAR*>(static_cast<INT_PTR>(LoadStringW(module, id, nullptr, 0)));
    ASSERT_NE(text, nullptr) << id;
    EXPECT_EQ(cesim::Narrow(text), kStrings[id - 1]) << id;
    // The stored length counts the terminator: a copy of it has one character more.
    WCHAR copy[512];
    EXPECT_EQ(LoadStringW(module, id, copy, 512), static_cast<int>(std::strlen(kStrings[id - 1])) + 1) << id;
  }
  EXPECT_EQ(LoadStringW(module, 30, nullptr, 0), 0);
}

struct TemplateFacts {
  UINT id;
  DWORD style;
  DWORD exStyle;
  WORD items;
  short cx;
  short cy;
};

TEST_F(ModuleResourcesTest, DialogTemplatesArePlainWithTheirStylesAndSizes) {
  ASSERT_NE(BootAndLoad(), nullptr);
  const TemplateFacts facts[] = {{101, 0x80C80800, 0, 12, 138, 96},
                                 {102, 0x80C80880, 0x80000000, 2, 138, 42},
                                 {103, 0x80C80880, 0, 5, 138, 100},
                                 {104, 0x90000000, 0x80000000, 1, 138, 62},
                                 {106, 0x80C80080, 0x80000000, 8, 138, 96}};
  for (const auto& fact : facts) {
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(fact.id), RT_DIALOG);
    ASSERT_NE(resource, nullptr) << fact.id;
    auto bytes = static_cast<const BYTE*>(LockResource(LoadResource(module, resource)));
    ASSERT_NE(bytes, nullptr);
    ASSERT_GE(SizeofResource(module, resource), 18u);
    DWORD style, exStyle;
    WORD items;
    short x, y, cx, cy;
    std::memcpy(&style, bytes, 4);
    std::memcpy(&exStyle, bytes + 4, 4);
    std::memcpy(&items, bytes + 8, 2);
    std::memcpy(&x, bytes + 10, 2);
    std::memcpy(&y, bytes + 12, 2);
    std::memcpy(&cx, bytes + 14, 2);
    std::memcpy(&cy, bytes + 16, 2);
    EXPECT_EQ(style, fact.style) << fact.id;
    EXPECT_EQ(exStyle, fact.exStyle) << fact.id;
    EXPECT_EQ(items, fact.items) << fact.id;
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(cx, fact.cx) << fact.id;
    EXPECT_EQ(cy, fact.cy) << fact.id;
  }
}

}  // namespace
}  // namespace foldwise_test

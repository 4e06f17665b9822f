// The Explorer stand-in shows context menus with the handlers registered for an item's kind,
// the module among them, as a user sees them.
#include <gtest/gtest.h>

#include "booted_device.h"
#include "cesim/automation.h"
#include "context_menu_host.h"
#include "handler_registry.h"

namespace foldwise_test {
namespace {

const char kRegistration[] =
    "[HKEY_CLASSES_ROOT\\CLSID\\{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}\\InprocServer32]\n"
    "@=\"\\\\Windows\\\\foldwise.dll\"\n"
    "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\Foldwise]\n"
    "@=\"{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}\"\n"
    "[HKEY_CLASSES_ROOT\\Folder\\shellex\\ContextMenuHandlers\\Foldwise]\n"
    "@=\"{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}\"\n";

class ContextMenuHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddModule(u"\\Windows\\foldwise.dll", FOLDWISE_MODULE_PATH)
        .AddFile(u"\\Windows\\fexplore.exe", "MZ")
        .AddFile(u"\\My Documents\\Letter.doc", "text")
        .AddFile(u"\\Program Files\\box.exe", "MZ");
  }

  std::vector<std::string> MenuOf(const std::u16string& path, int* refused = nullptr) {
    ContextMenuSession session = {};
    EXPECT_TRUE(OpenContextMenu(path.c_str(), &session));
    std::vector<std::string> texts;
    for (const auto& row : cesim::ReadMenu(session.menu)) texts.push_back(row.separator ? "-" : cesim::Narrow(row.text));
    if (refused != nullptr) *refused = session.handlersRefused;
    CloseContextMenu(&session);
    return texts;
  }

  BootedDevice device;
};

TEST_F(ContextMenuHostTest, TheRegisteredModuleAddsItsCommandsToFiles) {
  device.image.AddRegistry(kRegistration);
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  std::vector<std::string> expected = {"Open", "Cut", "Copy Path", "Copy", "Delete", "Rename",
                                       "-", "Open with Program...", "-", "Property (Letter.doc)..."};
  EXPECT_EQ(MenuOf(u"\\My Documents\\Letter.doc"), expected);
  EXPECT_EQ(MenuOf(u"\\Program Files\\box.exe").front(), "Open with Parameters...");
  EXPECT_EQ(MenuOf(u"\\My Documents").back(), "Property (My Documents)...");
  // Every object was released when the menus closed: the module may be unloaded.
  EXPECT_EQ(cesim::LiveMemoryBlocks(), 0);
}

TEST_F(ContextMenuHostTest, AnotherProcessShowsOnlyTheExplorersItems) {
  device.image.AddRegistry(kRegistration);
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\other.exe");
  int refused = 0;
  EXPECT_EQ(MenuOf(u"\\My Documents\\Letter.doc", &refused),
            (std::vector<std::string>{"Open", "Cut", "Copy", "Delete", "Rename"}));
  EXPECT_EQ(refused, 1);
}

TEST_F(ContextMenuHostTest, BrokenRegistrationsAreSkipped) {
  device.image.AddRegistry(
      "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\NotAGuid]\n@=\"{6B1E3A52-8C4D}\"\n"
      "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\NoServer]\n"
      "@=\"{00000000-0000-0000-0000-000000000001}\"\n"
      "[HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\NumberValue]\n@=dword:00000001\n");
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  int refused = 0;
  EXPECT_EQ(MenuOf(u"\\My Documents\\Letter.doc", &refused).size(), 5u);
  EXPECT_EQ(refused, 3);
}

TEST(GuidTextTest, ParsesOnlyTheRegistryForm) {
  GUID guid = {};
  ASSERT_TRUE(ParseGuid(u"{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}", &guid));
  EXPECT_EQ(guid.Data1, 0x6B1E3A52u);
  EXPECT_EQ(guid.Data4[7], 0x14);
  EXPECT_FALSE(ParseGuid(u"6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14", &guid));
  EXPECT_FALSE(ParseGuid(u"{6B1E3A52-8C4D-4F7A-9E21-3D5C7B9A0F14}x", &guid));
  EXPECT_FALSE(ParseGuid(u"{6B1E3A52-8C4D-4F7A-9E2-13D5C7B9A0F14}", &guid));
  EXPECT_FALSE(ParseGuid(u"{6B1E3A5G-8C4D-4F7A-9E21-3D5C7B9A0F14}", &guid));
  EXPECT_FALSE(ParseGuid(u"", &guid));
}

}  // namespace
}  // namespace foldwise_test

// Send Shortcut to Programs: the shortcut's name and target, the overwrite question answered Yes,
// No and Cancel, and names or folders that do not fit a path.
#include "command_fixture.h"
#include "device_files.h"
#include "resources/resource_ids.h"

namespace foldwise_test {
namespace {

const std::u16string kPrograms = u"\\Windows\\Start Menu\\Programs";
const std::u16string kToolBox = u"\\Program Files\\Tool Box\\box.exe";
const char* const kSendShortcut = "3";

class SendShortcutTest : public CommandTest {
 protected:
  void SetUp() override {
    CommandTest::SetUp();
    device.image.AddFile(kToolBox, "MZ")
        .AddFile(u"\\Windows\\calc.exe", "MZ")
        .AddFile(u"\\Windows\\my.tool.exe", "MZ")
        .AddFolder(kPrograms);
  }

  static std::u16string ShortcutLine(const std::u16string& target) {
    return cesim::Widen(std::to_string(target.size()) + "#") + target;
  }
  std::vector<std::u16string> Programs() { return FolderNames(kPrograms); }
};

TEST_F(SendShortcutTest, AFreeNameGetsItsShortcutWithoutAQuestion) {
  EXPECT_EQ(Run(u"\\Windows\\calc.exe", kSendShortcut), S_OK);
  EXPECT_EQ(Programs(), std::vector<std::u16string>{u"calc.lnk"});
  // A path without spaces is the target as it is.
  EXPECT_EQ(FirstLine(kPrograms + u"\\calc.lnk"), ShortcutLine(u"\\Windows\\calc.exe"));
  EXPECT_TRUE(cesim::MessageBoxesShown().empty());
}

TEST_F(SendShortcutTest, APathWithASpaceInAFolderNameIsQuoted) {
  EXPECT_EQ(Run(kToolBox, kSendShortcut), S_OK);
  EXPECT_EQ(FirstLine(kPrograms + u"\\box.lnk"), ShortcutLine(u"\"" + kToolBox + u"\""));
}

TEST_F(SendShortcutTest, OnlyTheLastExtensionGoes) {
  EXPECT_EQ(Run(u"\\Windows\\my.tool.exe", kSendShortcut), S_OK);
  EXPECT_EQ(Programs(), std::vector<std::u16string>{u"my.tool.lnk"});
}

TEST_F(SendShortcutTest, AMissingProgramsFolderIsCreated) {
  device.image.SetShellFolder("CSIDL_PROGRAMS", u"\\Windows\\Menu\\Apps");
  EXPECT_EQ(Run(u"\\Windows\\calc.exe", kSendShortcut), S_OK);
  EXPECT_EQ(FolderNames(u"\\Windows\\Menu\\Apps"), std::vector<std::u16string>{u"calc.lnk"});
}

TEST_F(SendShortcutTest, ATakenNameAsksTheUser) {
  device.image.AddFile(kPrograms + u"\\box.lnk", ShortcutFile("\\Windows\\old.exe"));
  EXPECT_EQ(RunAnswering(kToolBox, kSendShortcut, IDCANCEL), S_OK);
  auto boxes = cesim::MessageBoxesShown();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_EQ(boxes[0].caption, u"Confirm Overwrite");
  EXPECT_EQ(boxes[0].text,
            u"A shortcut exists with the same name.\n\n[Yes] to overwrite a shortcut.\n[No] to create a shortcut "
            u"with sequential number.\n[Cancel] to cancel.");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  // Cancel makes nothing and keeps the old shortcut.
  EXPECT_EQ(Programs(), std::vector<std::u16string>{u"box.lnk"});
  EXPECT_EQ(FirstLine(kPrograms + u"\\box.lnk"), ShortcutLine(u"\\Windows\\old.exe"));
}

TEST_F(SendShortcutTest, YesReplacesTheShortcutAtTheSameName) {
  device.image.AddFile(kPrograms + u"\\box.lnk", ShortcutFile("\\Windows\\old.exe"));
  EXPECT_EQ(RunAnswering(kToolBox, kSendShortcut, IDYES), S_OK);
  EXPECT_EQ(Programs(), std::vector<std::u16string>{u"box.lnk"});
  EXPECT_EQ(FirstLine(kPrograms + u"\\box.lnk"), ShortcutLine(u"\"" + kToolBox + u"\""));
}

TEST_F(SendShortcutTest, YesKeepsTheOldShortcutWhenTheNewOneCannotBeMade) {
  // A target of 256 characters or more is more than the device's shortcut can hold.
  std::u16string longProgram = PathOfLength(u"\\Apps", 259);
  longProgram = longProgram.substr(0, longProgram.size() - 4) + u".exe";
  std::u16string name = longProgram.substr(longProgram.rfind(u'\\') + 1);
  std::u16string shortcut = kPrograms + u"\\" + name.substr(0, name.size() - 4) + u".lnk";
  ASSERT_LT(shortcut.size(), 260u);
  device.image.AddFile(longProgram, "MZ").AddFile(shortcut, ShortcutFile("\\Windows\\old.exe"));
  EXPECT_EQ(RunAnswering(longProgram, kSendShortcut, IDYES), S_OK);
  ASSERT_EQ(cesim::MessageBoxesShown().size(), 1u);
  EXPECT_EQ(FirstLine(shortcut), ShortcutLine(u"\\Windows\\old.exe"));
  EXPECT_EQ(Programs().size(), 1u);
}

TEST_F(SendShortcutTest, YesKeepsAShortcutThatCannotBeDeletedAndLeavesNoOtherFile) {
  device.image.AddFile(kPrograms + u"\\box.lnk", ShortcutFile("\\Windows\\old.exe"), FILE_ATTRIBUTE_INROM);
  EXPECT_EQ(RunAnswering(kToolBox, kSendShortcut, IDYES), S_OK);
  EXPECT_EQ(Programs(), std::vector<std::u16string>{u"box.lnk"});
  EXPECT_EQ(FirstLine(kPrograms + u"\\box.lnk"), ShortcutLine(u"\\Windows\\old.exe"));
}

TEST_F(SendShortcutTest, NoMakesTheFirstFreeNumberedName) {
  device.image.AddFile(kPrograms + u"\\box.lnk", ShortcutFile("\\Windows\\old.exe"))
      .AddFile(kPrograms + u"\\box(1).lnk", ShortcutFile("\\Windows\\old.exe"));
  EXPECT_EQ(RunAnswering(kToolBox, kSendShortcut, IDNO), S_OK);
  EXPECT_EQ(Programs(), (std::vector<std::u16string>{u"box(1).lnk", u"box(2).lnk", u"box.lnk"}));
  EXPECT_EQ(FirstLine(kPrograms + u"\\box(2).lnk"), ShortcutLine(u"\"" + kToolBox + u"\""));
  EXPECT_EQ(FirstLine(kPrograms + u"\\box.lnk"), ShortcutLine(u"\\Windows\\old.exe"));
}

TEST_F(SendShortcutTest, NoKeepsEveryDotButTheLast) {
  device.image.AddFile(kPrograms + u"\\my.tool.lnk", ShortcutFile("\\Windows\\my.tool.exe"));
  EXPECT_EQ(RunAnswering(u"\\Windows\\my.tool.exe", kSendShortcut, IDNO), S_OK);
  EXPECT_EQ(Programs(), (std::vector<std::u16string>{u"my.tool(1).lnk", u"my.tool.lnk"}));
}

TEST_F(SendShortcutTest, NoStopsAtTheHighestNumber) {
  device.image.AddFile(kPrograms + u"\\calc.lnk", ShortcutFile("\\Windows\\old.exe"));
  for (int n = 1; n <= 999; ++n) {
    device.image.AddFile(kPrograms + u"\\calc(" + cesim::Widen(std::to_string(n)) + u").lnk", "1#x");
  }
  EXPECT_EQ(RunAnswering(u"\\Windows\\calc.exe", kSendShortcut, IDNO), S_OK);
  EXPECT_EQ(Programs().size(), 1000u);
}

TEST_F(SendShortcutTest, AProgramsFolderTooLongForTheNameGetsNothing) {
  std::u16string folder = PathOfLength(u"\\Windows", 251);
  device.image.AddFolder(folder).SetShellFolder("CSIDL_PROGRAMS", folder);
  EXPECT_EQ(Run(u"\\Windows\\calc.exe", kSendShortcut), S_OK);
  // calc.lnk would make a path of 260 characters and more; no shortcut is made under a cut name.
  EXPECT_TRUE(FolderNames(folder).empty());
  EXPECT_TRUE(cesim::MessageBoxesShown().empty());
}

TEST_F(SendShortcutTest, ANameThatFitsOnlyWithoutItsNumberGetsNoNumberedShortcut) {
  // Programs folder + "\calc.lnk" is 259 characters; "\calc(1).lnk" would be 262.
  std::u16string folder = PathOfLength(u"\\Windows", 259 - 9);
  device.image.AddFolder(folder).SetShellFolder("CSIDL_PROGRAMS", folder);
  device.image.AddFile(folder + u"\\calc.lnk", ShortcutFile("\\Windows\\old.exe"));
  EXPECT_EQ(RunAnswering(u"\\Windows\\calc.exe", kSendShortcut, IDNO), S_OK);
  EXPECT_EQ(FolderNames(folder), std::vector<std::u16string>{u"calc.lnk"});
}

TEST_F(SendShortcutTest, ALongProgramNameDoesNotOverflowTheShortcutPath) {
  std::u16string name(240, u'p');
  std::u16string program = u"\\" + name + u".exe";
  device.image.AddFile(program, "MZ");
  EXPECT_EQ(Run(program, kSendShortcut), S_OK);
  EXPECT_TRUE(Programs().empty());
}

}  // namespace
}  // namespace foldwise_test

// The version information dialog, opened from the properties dialog's "Version Info." button: the
// file version, description and copyright, the sorted list of further strings and the value of
// the entry the user picks; its copy of the version resource is released when it closes.
#include "booted_device.h"
#include "dialog_fixture.h"
#include "pe_builder.h"
#include "resources/resource_ids.h"
#include "sample_programs.h"

namespace foldwise_test {
namespace {

const std::u16string kToolBox = u"\\Program Files\\Tool Box\\box.exe";
const std::u16string kNotes = u"\\Program Files\\Notes\\notes.exe";
const std::u16string kViewer = u"\\Program Files\\Viewer\\viewer.exe";

class VersionDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    device.image.SetScreen(240, 320);
  }

  void AddProgram(const std::u16string& path, const std::string& name) {
    const std::string program = SampleProgram(name);
    ASSERT_FALSE(program.empty()) << name << " was not built";
    device.image.AddFile(path, program);
  }

  // Opens the version dialog of the program, runs the steps inside it (each given the version
  // dialog), then closes both dialogs with Done.
  HRESULT InVersionDialog(const std::u16string& path, const std::vector<Step>& steps) {
    std::vector<Step> all = {[](HWND properties) { TapItem(properties, IDC_PROP_VERSION); }};
    all.insert(all.end(), steps.begin(), steps.end());
    all.push_back([](HWND version) { TapDone(version); });
    all.push_back([](HWND properties) { TapDone(properties); });
    return OpenProperties(path, all);
  }

  VersionView VersionOf(const std::u16string& path) {
    VersionView view;
    EXPECT_EQ(InVersionDialog(path, {[&](HWND version) { view = ReadVersion(version); }}), S_OK);
    return view;
  }

  const std::vector<std::u16string> kAllKeys = {u"Comments",        u"CompanyName",      u"FileVersion",
                                                u"InternalName",    u"LegalTrademarks",  u"OriginalFilename",
                                                u"PrivateBuild",    u"ProductName",      u"ProductVersion",
                                                u"SpecialBuild"};
};

TEST_F(VersionDialogTest, ShowsTheFixedVersionDescriptionCopyrightAndEveryListedString) {
  AddProgram(kToolBox, "box.exe");
  VersionView shown = VersionOf(kToolBox);
  ASSERT_TRUE(shown.found);
  EXPECT_EQ(shown.caption, u"Version Info.");
  EXPECT_EQ(shown.fileVersion, u"5.1.2.3");
  EXPECT_EQ(shown.description, u"Tool Box");
  EXPECT_EQ(shown.copyright, u"Copyright (C) 2009 Tool Makers Ltd.");
  EXPECT_EQ(shown.keys, kAllKeys);
  EXPECT_EQ(shown.selected, 0);
  EXPECT_EQ(shown.value, u"") << "the first entry is selected, its value not yet shown";
  EXPECT_TRUE(shown.valueReadOnly);
  EXPECT_TRUE(shown.doneButton);
  EXPECT_EQ(shown.rect.bottom - shown.rect.top, 320 - 26);
}

TEST_F(VersionDialogTest, PickingAnEntryShowsItsValueAndAnotherReplacesIt) {
  AddProgram(kToolBox, "box.exe");
  std::u16string first;
  std::u16string second;
  InVersionDialog(kToolBox, {[](HWND version) { PickListEntry(version, IDC_VERSION_KEYS, u"ProductName"); },
                             [&](HWND version) {
                               first = ItemText(version, IDC_VERSION_VALUE);
                               PickListEntry(version, IDC_VERSION_KEYS, u"Comments");
                             },
                             [&](HWND version) { second = ItemText(version, IDC_VERSION_VALUE); }});
  EXPECT_EQ(first, u"Tool Box");
  EXPECT_EQ(second, u"Small tools for the handheld");
}

TEST_F(VersionDialogTest, OnlyTheStringsThatTheResourceHoldsAreListed) {
  AddProgram(kNotes, "notes.exe");
  VersionView shown = VersionOf(kNotes);
  EXPECT_EQ(shown.fileVersion, u"1.0.0.7");
  EXPECT_EQ(shown.keys, (std::vector<std::u16string>{u"CompanyName", u"ProductName"}));
  EXPECT_EQ(shown.selected, 0);
  EXPECT_EQ(shown.value, u"");
  EXPECT_EQ(shown.description, u"");
  EXPECT_EQ(shown.copyright, u"");
}

TEST_F(VersionDialogTest, StringsOnlyUnderASecondTranslationAreNotFound) {
  AddProgram(kViewer, "viewer.exe");
  VersionView shown = VersionOf(kViewer);
  EXPECT_EQ(shown.fileVersion, u"2.4.0.11");
  EXPECT_EQ(shown.description, u"");
  EXPECT_EQ(shown.copyright, u"");
  EXPECT_TRUE(shown.keys.empty());
}

TEST_F(VersionDialogTest, DoneAndCancelBothReleaseTheCopiedResource) {
  AddProgram(kToolBox, "box.exe");
  ASSERT_TRUE(Select(kToolBox));
  const size_t before = cesim::LiveMemoryBlocks();
  size_t whileShown = 0;
  cesim::WhenIdle([this] { TapItem(TopDialog(), IDC_PROP_VERSION); });
  cesim::WhenIdle([&] {
    whileShown = cesim::LiveMemoryBlocks();
    TapDone(TopDialog());
  });
  cesim::WhenIdle([this] { TapItem(TopDialog(), IDC_PROP_VERSION); });
  cesim::WhenIdle([this] { PressEscape(TopDialog()); });
  cesim::WhenIdle([&] {
    EXPECT_EQ(cesim::LiveMemoryBlocks(), before) << "each close released the copy";
    TapDone(TopDialog());
  });
  EXPECT_EQ(Invoke("1"), S_OK);
  EXPECT_GT(whileShown, before) << "the dialog holds a copy while it shows";
}

TEST_F(VersionDialogTest, TheVersionDialogReturnsToThePropertiesDialog) {
  AddProgram(kToolBox, "box.exe");
  HWND properties = nullptr;
  HWND version = nullptr;
  OpenProperties(kToolBox, {[&](HWND dialog) {
                              properties = dialog;
                              TapItem(dialog, IDC_PROP_VERSION);
                            },
                            [&](HWND dialog) {
                              version = dialog;
                              TapDone(dialog);
                            },
                            [&](HWND dialog) {
                              EXPECT_EQ(dialog, properties) << "the properties dialog is back on top";
                              ReplaceText(dialog, IDC_PROP_NAME, u"tools.exe");
                            },
                            [](HWND dialog) { TapDone(dialog); }});
  EXPECT_NE(version, properties);
  EXPECT_FALSE(IsWindow(version)) << "the version dialog is gone";
  EXPECT_NE(GetFileAttributesW(u"\\Program Files\\Tool Box\\tools.exe"), 0xFFFFFFFFu);
}

// A program whose version resource is made here: a fixed part and strings under 040904b0.
std::string ProgramWithStrings(const std::vector<std::pair<std::u16string, std::u16string>>& strings) {
  PeResource resource;
  resource.data = VersionResource(0x00050001, 0x00020003, u"040904b0", strings, {{0x409, 0x4B0}});
  return BuildPeImage({resource}, false);
}

TEST_F(VersionDialogTest, ALongStringIsShownWhole) {
  const std::u16string longName(600, u'n');
  device.image.AddFile(u"\\Windows\\long.exe", ProgramWithStrings({{u"Comments", u"short"}, {u"ProductName", longName},
                                                                      {u"FileDescription", u"Long"}}));
  std::u16string value;
  VersionView shown;
  InVersionDialog(u"\\Windows\\long.exe", {[](HWND version) { PickListEntry(version, IDC_VERSION_KEYS, u"ProductName"); },
                                            [&](HWND version) {
                                              shown = ReadVersion(version);
                                              value = shown.value;
                                            }});
  EXPECT_EQ(shown.fileVersion, u"5.1.2.3");
  EXPECT_EQ(shown.description, u"Long");
  EXPECT_EQ(value, longName);
}

TEST_F(VersionDialogTest, AResourceWithoutATranslationTableShowsOnlyTheFileVersion) {
  PeResource resource;
  resource.data = VersionResource(0x00010002, 0x00030004, u"040904b0", {{u"CompanyName", u"Maker"}}, {});
  device.image.AddFile(u"\\Windows\\bare.exe", BuildPeImage({resource}, false));
  VersionView shown = VersionOf(u"\\Windows\\bare.exe");
  EXPECT_EQ(shown.fileVersion, u"1.2.3.4");
  EXPECT_TRUE(shown.keys.empty());
}

TEST_F(VersionDialogTest, AStringWithoutATerminatorInsideTheResourceIsLeftOut) {
  // The strings' table comes last, and its last value is four characters stored as bytes with no
  // terminator after them: the resource ends where they do.
  auto word32 = [](std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  std::string fixed;
  for (uint32_t value : {0xFEEF04BDu, 0x00010000u, 0x00050001u, 0x00020003u, 0x00050001u, 0x00020003u, 0x3Fu, 0u, 4u,
                         1u, 0u, 0u, 0u}) {
    word32(fixed, value);
  }
  VersionNode translation{u"Translation", false, u"", std::string("\x09\x04\xB0\x04", 4), {}};
  VersionNode varInfo{u"VarFileInfo", true, u"", "", {translation}};
  VersionNode company{u"CompanyName", true, u"Maker", "", {}};
  VersionNode product{u"ProductName", false, u"", std::string("N\0o\0t\0e\0", 8), {}};
  VersionNode table{u"040904b0", true, u"", "", {company, product}};
  VersionNode stringInfo{u"StringFileInfo", true, u"", "", {table}};
  VersionNode root{u"VS_VERSION_INFO", false, u"", fixed, {varInfo, stringInfo}};
  PeResource resource;
  resource.data = EncodeVersionNode(root);
  device.image.AddFile(u"\\Windows\\cut.exe", BuildPeImage({resource}, false));
  VersionView shown = VersionOf(u"\\Windows\\cut.exe");
  EXPECT_EQ(shown.fileVersion, u"5.1.2.3");
  EXPECT_EQ(shown.keys, std::vector<std::u16string>{u"CompanyName"});
}

}  // namespace
}  // namespace foldwise_test

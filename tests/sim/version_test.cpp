// Version resources read out of real PE files on the device: the sample programs the build
// cross-compiles, PE images made by the tests (PE32 as on a device, PE32+), and spoiled ones. The
// PE reader and the version block reader are also driven directly with malformed input.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "pe_builder.h"
#include "sample_programs.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/version.h"
#include "version/pe_image.h"
#include "version/version_block.h"

namespace {

using foldwise_test::BootedDevice;
using foldwise_test::BuildPeImage;
using foldwise_test::PeLayout;
using foldwise_test::PeResource;
using foldwise_test::SampleProgram;
using foldwise_test::VersionNode;
using foldwise_test::VersionResource;

constexpr char16_t kBox[] = u"\\Program Files\\Tool Box\\box.exe";

// A writable copy of a path or sub-block, as the device's declarations take them.
std::vector<WCHAR> Writable(const std::u16string& text) {
  std::vector<WCHAR> copy(text.begin(), text.end());
  copy.push_back(0);
  return copy;
}

DWORD SizeOf(const std::u16string& path, DWORD* handle = nullptr) {
  std::vector<WCHAR> name = Writable(path);
  return GetFileVersionInfoSizeW(name.data(), handle);
}

// The whole version resource of a file, in a block of exactly its size.
std::vector<uint8_t> VersionOf(const std::u16string& path) {
  const DWORD size = SizeOf(path);
  std::vector<uint8_t> block(size);
  std::vector<WCHAR> name = Writable(path);
  if (size == 0 || !GetFileVersionInfoW(name.data(), 0, size, block.data())) block.clear();
  return block;
}

struct Found {
  bool ok = false;
  void* value = nullptr;
  UINT length = 0;
  DWORD error = 0;
};

Found Query(std::vector<uint8_t>& block, const std::u16string& subBlock) {
  Found found;
  void* sentinel = &found;
  found.value = sentinel;
  found.length = 0xDEADBEEF;
  std::vector<WCHAR> path = Writable(subBlock);
  SetLastError(0);
  found.ok = VerQueryValueW(block.data(), path.data(), &found.value, &found.length) != FALSE;
  found.error = GetLastError();
  if (!found.ok) {
    EXPECT_EQ(found.value, sentinel) << "a failed query wrote its result";
  }
  return found;
}

std::u16string TextOf(const Found& found) { return found.ok ? std::u16string(static_cast<const WCHAR*>(found.value)) : u"(none)"; }

class VersionTest : public ::testing::Test {
 protected:
  void Boot() { ASSERT_TRUE(device_.Boot()); }
  void AddProgram(const std::u16string& path, const std::string& name) {
    const std::string bytes = SampleProgram(name);
    ASSERT_FALSE(bytes.empty()) << name << " was not built";
    device_.image.AddFile(path, bytes);
  }
  BootedDevice device_;
};

// ---------------------------------------------------------------------------------------------
// The sample programs.

TEST_F(VersionTest, TheFixedPartOfToolBoxHoldsItsFileVersion) {
  AddProgram(kBox, "box.exe");
  Boot();
  DWORD handle = 0xDEADBEEF;
  const DWORD size = SizeOf(kBox, &handle);
  EXPECT_GT(size, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(handle, 0u);
  std::vector<uint8_t> block = VersionOf(kBox);
  ASSERT_EQ(block.size(), size);
  // The size is the resource's own length: the device has no narrow calls whose strings the
  // desktop makes room for (cesim's choice; the reference gives only "the size of the file's
  // version information").
  EXPECT_EQ(size, *reinterpret_cast<const WORD*>(block.data()));
  Found root = Query(block, u"\\");
  ASSERT_TRUE(root.ok);
  EXPECT_EQ(root.length, sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(root.value);
  EXPECT_EQ(fixed->dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 5);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 1);
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), 2);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 3);
  EXPECT_EQ(fixed->dwFileFlags, static_cast<DWORD>(VS_FF_PRERELEASE));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  // The root is also what an empty or missing sub-block names.
  EXPECT_EQ(Query(block, u"").value, root.value);
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), nullptr, &value, &length));
  EXPECT_EQ(value, root.value);
}

TEST_F(VersionTest, ToolBoxNamesItsTranslationAndEveryStringUnderIt) {
  AddProgram(kBox, "box.exe");
  Boot();
  std::vector<uint8_t> block = VersionOf(kBox);
  Found translation = Query(block, u"\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation.ok);
  ASSERT_EQ(translation.length, 4u);
  const WORD* pair = static_cast<const WORD*>(translation.value);
  EXPECT_EQ(pair[0], 0x0409);
  EXPECT_EQ(pair[1], 0x04B0);

  const std::pair<std::u16string, std::u16string> strings[] = {
      {u"Comments", u"Small tools for the handheld"},
      {u"CompanyName", u"Tool Makers Ltd."},
      {u"FileDescription", u"Tool Box"},
      {u"FileVersion", u"5.1.2.3"},
      {u"InternalName", u"box"},
      {u"LegalCopyright", u"Copyright (C) 2009 Tool Makers Ltd."},
      {u"LegalTrademarks", u"Tool Box is a trademark of Tool Makers Ltd."},
      {u"OriginalFilename", u"box.exe"},
      {u"PrivateBuild", u"Built for testing"},
      {u"ProductName", u"Tool Box"},
      {u"ProductVersion", u"5.1"},
      {u"SpecialBuild", u"Handheld edition"},
  };
  for (const auto& s : strings) {
    Found found = Query(block, u"\\StringFileInfo\\040904b0\\" + s.first);
    ASSERT_TRUE(found.ok) << cesim::Narrow(s.first);
    EXPECT_EQ(TextOf(found), s.second);
    // The length counts the characters with the terminator.
    EXPECT_EQ(found.length, s.second.size() + 1) << cesim::Narrow(s.first);
    const uint8_t* at = static_cast<const uint8_t*>(found.value);
    EXPECT_TRUE(at > block.data() && at < block.data() + block.size());
  }
}

TEST_F(VersionTest, KeysMatchWithoutLetterCaseButOnlyAsWholeNames) {
  AddProgram(kBox, "box.exe");
  Boot();
  std::vector<uint8_t> block = VersionOf(kBox);
  EXPECT_EQ(TextOf(Query(block, u"\\stringfileinfo\\040904B0\\COMPANYNAME")), u"Tool Makers Ltd.");
  // Empty names between backslashes are passed over.
  EXPECT_EQ(TextOf(Query(block, u"\\\\StringFileInfo\\\\040904b0\\CompanyName\\")), u"Tool Makers Ltd.");
  Found part = Query(block, u"\\StringFileInfo\\040904b0\\Company");
  EXPECT_FALSE(part.ok);
  EXPECT_EQ(part.length, 0u);
  EXPECT_EQ(part.error, static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_FALSE(Query(block, u"\\StringFileInfo\\040904b0\\CompanyNameX").ok);
  EXPECT_FALSE(Query(block, u"\\StringFileInfo\\040904e4\\CompanyName").ok);
  EXPECT_FALSE(Query(block, u"\\CompanyName").ok);
  // A block on the way is found too; it has no value.
  Found table = Query(block, u"\\StringFileInfo\\040904b0");
  ASSERT_TRUE(table.ok);
  EXPECT_EQ(table.length, 0u);
}

TEST_F(VersionTest, NotesHoldsOnlyItsCompanyAndProductName) {
  AddProgram(u"\\Program Files\\Notes\\notes.exe", "notes.exe");
  Boot();
  std::vector<uint8_t> block = VersionOf(u"\\Program Files\\Notes\\notes.exe");
  ASSERT_FALSE(block.empty());
  const std::u16string table = u"\\StringFileInfo\\040904b0\\";
  EXPECT_EQ(TextOf(Query(block, table + u"CompanyName")), u"Tool Makers Ltd.");
  EXPECT_EQ(TextOf(Query(block, table + u"ProductName")), u"Notes");
  for (const char16_t* key : {u"Comments", u"FileVersion", u"InternalName", u"LegalTrademarks", u"OriginalFilename",
                              u"PrivateBuild", u"ProductVersion", u"SpecialBuild", u"FileDescription",
                              u"LegalCopyright"}) {
    EXPECT_FALSE(Query(block, table + key).ok) << cesim::Narrow(key);
  }
}

TEST_F(VersionTest, ViewerHasItsStringsOnlyUnderItsSecondTranslation) {
  AddProgram(u"\\Program Files\\Viewer\\viewer.exe", "viewer.exe");
  Boot();
  std::vector<uint8_t> block = VersionOf(u"\\Program Files\\Viewer\\viewer.exe");
  Found translation = Query(block, u"\\VarFileInfo\\Translation");
  ASSERT_TRUE(translation.ok);
  ASSERT_EQ(translation.length, 8u);
  const WORD* pairs = static_cast<const WORD*>(translation.value);
  EXPECT_EQ(pairs[0], 0x0409);
  EXPECT_EQ(pairs[1], 0x04B0);
  EXPECT_EQ(pairs[2], 0x0407);
  EXPECT_EQ(pairs[3], 0x04E4);
  EXPECT_FALSE(Query(block, u"\\StringFileInfo\\040904b0\\FileDescription").ok);
  EXPECT_EQ(TextOf(Query(block, u"\\StringFileInfo\\040704e4\\FileDescription")), u"Bildbetrachter");
}

TEST_F(VersionTest, FilesWithoutAVersionResourceHaveSizeZeroAndSayWhy) {
  AddProgram(u"\\Program Files\\plain.exe", "plain.exe");
  device_.image.AddFile(u"\\My Documents\\notes.txt", "MZ is not enough").AddFile(u"\\My Documents\\empty.exe");
  Boot();
  struct Case {
    const char16_t* path;
    DWORD error;
  };
  const Case cases[] = {
      {u"\\Program Files\\plain.exe", ERROR_RESOURCE_DATA_NOT_FOUND},
      {u"\\My Documents\\notes.txt", ERROR_RESOURCE_DATA_NOT_FOUND},
      {u"\\My Documents\\empty.exe", ERROR_RESOURCE_DATA_NOT_FOUND},
      {u"\\My Documents\\missing.exe", ERROR_FILE_NOT_FOUND},
      {u"\\Nowhere\\missing.exe", ERROR_PATH_NOT_FOUND},
      {u"\\My Documents", ERROR_ACCESS_DENIED},
      {u"", ERROR_BAD_PATHNAME},
  };
  for (const Case& c : cases) {
    DWORD handle = 0xDEADBEEF;
    SetLastError(0);
    EXPECT_EQ(SizeOf(c.path, &handle), 0u) << cesim::Narrow(c.path);
    EXPECT_EQ(GetLastError(), c.error) << cesim::Narrow(c.path);
    EXPECT_EQ(handle, 0u);
  }
  EXPECT_EQ(GetFileVersionInfoSizeW(nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

  uint8_t buffer[64];
  std::memset(buffer, 0xAB, sizeof(buffer));
  std::vector<WCHAR> plain = Writable(u"\\Program Files\\plain.exe");
  EXPECT_FALSE(GetFileVersionInfoW(plain.data(), 0, sizeof(buffer), buffer));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(buffer[0], 0xAB);
}

TEST_F(VersionTest, GetFileVersionInfoNeedsABuffer) {
  AddProgram(kBox, "box.exe");
  Boot();
  std::vector<WCHAR> box = Writable(kBox);
  SetLastError(0);
  EXPECT_FALSE(GetFileVersionInfoW(box.data(), 0, 100, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

TEST_F(VersionTest, ASmallerBufferGetsTheFirstBytesAndQueriesStopAtThem) {
  AddProgram(kBox, "box.exe");
  Boot();
  std::vector<WCHAR> box = Writable(kBox);
  const DWORD size = SizeOf(kBox);
  // Room for the root and its fixed part, not for the strings.
  const DWORD part = 100;
  ASSERT_GT(size, part);
  std::vector<uint8_t> block(size, 0xAB);
  ASSERT_TRUE(GetFileVersionInfoW(box.data(), 0, part, block.data()));
  EXPECT_EQ(block[part], 0xAB) << "wrote past the size given";
  Found root = Query(block, u"\\");
  ASSERT_TRUE(root.ok);
  EXPECT_EQ(static_cast<const VS_FIXEDFILEINFO*>(root.value)->dwFileVersionLS, 0x00020003u);
  EXPECT_FALSE(Query(block, u"\\StringFileInfo\\040904b0\\CompanyName").ok);
  EXPECT_FALSE(Query(block, u"\\VarFileInfo\\Translation").ok);
  // Filled again whole, the same block answers everything.
  ASSERT_TRUE(GetFileVersionInfoW(box.data(), 0, size, block.data()));
  EXPECT_EQ(TextOf(Query(block, u"\\StringFileInfo\\040904b0\\CompanyName")), u"Tool Makers Ltd.");
}

TEST_F(VersionTest, ANullResultPointerIsRefused) {
  AddProgram(kBox, "box.exe");
  Boot();
  std::vector<uint8_t> block = VersionOf(kBox);
  std::vector<WCHAR> root = Writable(u"\\");
  SetLastError(0);
  EXPECT_FALSE(VerQueryValueW(block.data(), root.data(), nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  void* value = nullptr;
  EXPECT_FALSE(VerQueryValueW(nullptr, root.data(), &value, nullptr));
  // The length may be left out.
  EXPECT_TRUE(VerQueryValueW(block.data(), root.data(), &value, nullptr));
}

TEST(SampleImageTest, TheBuiltProgramsGoWhereTheImagesProgramsSectionSays) {
  cesim::ImageBuilder image;
  {
    std::ofstream settings(image.Folder() + "/device.ini");
    settings << "[programs]\n\\Program Files\\Tool Box\\box.exe=box.exe\n\\Temp\\none.exe=plain.exe\n";
  }
  cesim::ImageBuilder builder(image.Folder());
  ASSERT_TRUE(builder.AddPrograms(FOLDWISE_PROGRAMS_DIR));
  builder.Write();
  ASSERT_TRUE(cesim::Boot(image.Folder()));
  EXPECT_EQ(SizeOf(kBox), VersionOf(kBox).size());
  EXPECT_GT(SizeOf(kBox), 0u);
  EXPECT_EQ(GetFileAttributesW(u"\\Temp\\none.exe"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(SizeOf(u"\\Temp\\none.exe"), 0u);
  cesim::Shutdown();
}

TEST(SampleImageTest, AProgramTheBuildDidNotMakeIsReported) {
  cesim::ImageBuilder image;
  {
    std::ofstream settings(image.Folder() + "/device.ini");
    settings << "[programs]\n\\Windows\\x.exe=nothing.exe\n";
  }
  cesim::ImageBuilder builder(image.Folder());
  std::string missing;
  EXPECT_FALSE(builder.AddPrograms(FOLDWISE_PROGRAMS_DIR, &missing));
  EXPECT_NE(missing.find("nothing.exe"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// PE images the tests make.

std::string ToolResource() {
  return VersionResource(0x00030002, 0x00010000, u"040904b0", {{u"CompanyName", u"Made Here"}}, {{0x0409, 0x04B0}});
}

TEST_F(VersionTest, APe32ImageAsOnADeviceIsReadLikeAPe32PlusOne) {
  PeResource version;
  version.data = ToolResource();
  device_.image.AddFile(u"\\Windows\\tool32.exe", BuildPeImage({version}, false))
      .AddFile(u"\\Windows\\tool64.exe", BuildPeImage({version}, true));
  Boot();
  for (const char16_t* path : {u"\\Windows\\tool32.exe", u"\\Windows\\tool64.exe"}) {
    EXPECT_EQ(SizeOf(path), version.data.size()) << cesim::Narrow(path);
    std::vector<uint8_t> block = VersionOf(path);
    ASSERT_EQ(block.size(), version.data.size());
    EXPECT_EQ(std::memcmp(block.data(), version.data.data(), block.size()), 0);
    EXPECT_EQ(TextOf(Query(block, u"\\StringFileInfo\\040904b0\\CompanyName")), u"Made Here");
  }
}

std::string ResourceSaying(const std::u16string& text) {
  return VersionResource(0x00010000, 0, u"040904b0", {{u"Comments", text}}, {{0x0409, 0x04B0}});
}

std::u16string CommentsOf(const std::u16string& path) {
  std::vector<uint8_t> block = VersionOf(path);
  return TextOf(Query(block, u"\\StringFileInfo\\040904b0\\Comments"));
}

TEST_F(VersionTest, AnEnglishDeviceTakesTheUsEnglishResourceOfSeveral) {
  device_.image.AddFile(u"\\Windows\\multi.exe", BuildPeImage({{16, 1, 0x0407, ResourceSaying(u"German")},
                                                                {16, 1, 0x0409, ResourceSaying(u"English")},
                                                                {16, 1, 0x040C, ResourceSaying(u"French")}}));
  Boot();
  EXPECT_EQ(CommentsOf(u"\\Windows\\multi.exe"), u"English");
}

TEST_F(VersionTest, AGermanDeviceTakesTheGermanResource) {
  device_.image.AddFile(u"\\Windows\\multi.exe", BuildPeImage({{16, 1, 0x0407, ResourceSaying(u"German")},
                                                                {16, 1, 0x0409, ResourceSaying(u"English")}}));
  device_.image.SetLocale("lcid", "0x0407");
  Boot();
  EXPECT_EQ(CommentsOf(u"\\Windows\\multi.exe"), u"German");
}

TEST_F(VersionTest, ANeutralResourceComesFirstAndOtherwiseTheFirstLanguage) {
  device_.image.AddFile(u"\\Windows\\neutral.exe", BuildPeImage({{16, 1, 0x0000, ResourceSaying(u"Neutral")},
                                                                  {16, 1, 0x0409, ResourceSaying(u"English")}}));
  device_.image.AddFile(u"\\Windows\\other.exe", BuildPeImage({{16, 1, 0x040C, ResourceSaying(u"French")},
                                                                {16, 1, 0x0410, ResourceSaying(u"Italian")}}));
  Boot();
  EXPECT_EQ(CommentsOf(u"\\Windows\\neutral.exe"), u"Neutral");
  EXPECT_EQ(CommentsOf(u"\\Windows\\other.exe"), u"French");
}

TEST_F(VersionTest, OnlyTheVersionResourceOfNameOneCounts) {
  device_.image.AddFile(u"\\Windows\\other.exe", BuildPeImage({{16, 2, 0x0409, ResourceSaying(u"Two")},
                                                                {10, 1, 0x0409, "not a version"}}));
  Boot();
  EXPECT_EQ(SizeOf(u"\\Windows\\other.exe"), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(VersionTest, ASpoiledPeImageOnTheDeviceHasNoVersionResource) {
  PeLayout layout;
  std::string image = BuildPeImage({{16, 1, 0x0409, ToolResource()}}, false, &layout);
  image.resize(layout.dataOffsets[0] + 10);  // cut inside the resource's data
  device_.image.AddFile(u"\\Windows\\cut.exe", image);
  Boot();
  SetLastError(0);
  EXPECT_EQ(SizeOf(u"\\Windows\\cut.exe"), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

// ---------------------------------------------------------------------------------------------
// The PE reader on malformed images.

const cesim::detail::OrdinalOrText kVersionType = [] {
  cesim::detail::OrdinalOrText type;
  type.ordinal = 16;
  return type;
}();
const cesim::detail::OrdinalOrText kVersionName = [] {
  cesim::detail::OrdinalOrText name;
  name.ordinal = 1;
  return name;
}();

std::optional<cesim::detail::ResourceData> Find(const std::string& image) {
  // A copy in a block of its own size, so that the sanitizer sees any read past the end.
  std::vector<uint8_t> bytes(image.begin(), image.end());
  return cesim::detail::FindPeResource(bytes.data(), bytes.size(), kVersionType, kVersionName, {0x0409});
}

void Put32(std::string& image, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) image[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

TEST(PeReaderTest, FindsTheResourceDataInBothOptionalHeaderForms) {
  for (bool pe32Plus : {false, true}) {
    PeLayout layout;
    const std::string image = BuildPeImage({{16, 1, 0x0409, ToolResource()}}, pe32Plus, &layout);
    std::optional<cesim::detail::ResourceData> found = Find(image);
    ASSERT_TRUE(found) << pe32Plus;
    EXPECT_EQ(found->offset, layout.dataOffsets[0]);
    EXPECT_EQ(found->size, ToolResource().size());
    EXPECT_EQ(found->language, 0x0409);
  }
}

TEST(PeReaderTest, EveryCutOfAnImageBeforeItsDataEndsFailsWithoutReadingPastIt) {
  PeLayout layout;
  const std::string image = BuildPeImage({{16, 1, 0x0409, ToolResource()}}, false, &layout);
  const size_t needed = layout.dataOffsets[0] + ToolResource().size();
  for (size_t length = 0; length < needed; ++length) {
    EXPECT_FALSE(Find(image.substr(0, length))) << length;
  }
  EXPECT_TRUE(Find(image.substr(0, needed)));
}

TEST(PeReaderTest, SpoiledHeadersTablesAndDirectoriesFail) {
  PeLayout layout;
  const std::string good = BuildPeImage({{16, 1, 0x0409, ToolResource()}}, false, &layout);
  struct Spoil {
    const char* what;
    size_t at;
    uint32_t value;
    int width = 4;
  };
  const size_t section = layout.sectionOffset;
  const Spoil spoils[] = {
      {"DOS signature", 0, 0x00005A4E},
      {"header offset past the end", 0x3C, 0x7FFFFFF0},
      {"header offset wrapping", 0x3C, 0xFFFFFFFF},
      {"PE signature", layout.peOffset, 0x00004551},
      {"optional header magic", layout.optionalOffset, 0x0000020C},
      {"optional header size past the end", layout.peOffset + 20, 0xFFFF, 2},
      {"directory count without resources", layout.optionalOffset + 92, 2},
      {"resource address in no section", layout.resourceEntryOffset, 0x9000},
      {"section raw data past the end", layout.sectionTableOffset + 20, 0x7FFFF000},
      {"section raw size of nothing", layout.sectionTableOffset + 16, 0},
      {"section count past the table", layout.peOffset + 6, 0xFFFF, 2},
      {"type entries past the directory", section + 12, 0xFFFF0000},
      {"type subdirectory past the section", section + 20, 0xFFFFFFF0},
      {"type entry leading to data", section + 20, 0x00000030},
      {"named type whose name lies past the section", section + 16, 0x8FFFFFF0},
      {"data entry address past the section", layout.dataEntryOffsets[0], 0x5000},
      {"data size past the section", layout.dataEntryOffsets[0] + 4, 0x10000},
  };
  for (const Spoil& spoil : spoils) {
    std::string image = good;
    if (spoil.width == 2) {
      image[spoil.at] = static_cast<char>(spoil.value & 0xFF);
      image[spoil.at + 1] = static_cast<char>((spoil.value >> 8) & 0xFF);
    } else {
      Put32(image, spoil.at, spoil.value);
    }
    EXPECT_FALSE(Find(image)) << spoil.what;
  }
}

TEST(PeReaderTest, ALanguageThatLeadsToAnotherDirectoryIsNoResource) {
  PeLayout layout;
  std::string image = BuildPeImage({{16, 1, 0x0409, ToolResource()}}, false, &layout);
  // The language directory is the third; its one entry's target gets the subdirectory bit.
  const size_t languageEntry = layout.dataEntryOffsets[0] - 8 + 4;
  Put32(image, languageEntry, 0x80000000u);
  EXPECT_FALSE(Find(image));
}

// ---------------------------------------------------------------------------------------------
// The version block reader on malformed blocks.

std::optional<cesim::detail::VersionValue> QueryBytes(const std::string& bytes, const std::u16string& path) {
  std::vector<uint8_t> block(bytes.begin(), bytes.end());
  return cesim::detail::QueryVersionValue(block.data(), block.size(), path);
}

void Put16(std::string& bytes, size_t at, uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

TEST(VersionBlockTest, EveryCutOfAResourceAnswersOnlyWhatLiesInsideIt) {
  const std::string resource = ToolResource();
  for (size_t length = 0; length <= resource.size(); ++length) {
    std::optional<cesim::detail::VersionValue> value =
        QueryBytes(resource.substr(0, length), u"\\StringFileInfo\\040904b0\\CompanyName");
    if (value) {
      EXPECT_LE(value->offset + value->length * 2, length) << length;
    }
    QueryBytes(resource.substr(0, length), u"\\VarFileInfo\\Translation");
    QueryBytes(resource.substr(0, length), u"\\");
  }
}

TEST(VersionBlockTest, LengthsThatDoNotFitTheirParentEndTheWalk) {
  const std::string good = ToolResource();
  // A root that claims more than there is (a cut copy) answers only from what is there.
  std::string longRoot = good;
  Put16(longRoot, 0, static_cast<uint16_t>(good.size() + 64));
  EXPECT_TRUE(QueryBytes(longRoot, u"\\"));
  EXPECT_TRUE(QueryBytes(longRoot, u"\\VarFileInfo\\Translation"));
  EXPECT_FALSE(QueryBytes(longRoot.substr(0, 60), u"\\VarFileInfo\\Translation"));
  // A root shorter than its header is nothing.
  std::string shortRoot = good;
  Put16(shortRoot, 0, 4);
  EXPECT_FALSE(QueryBytes(shortRoot, u"\\"));
  // A child shorter than its own header.
  VersionNode root;
  root.key = u"VS_VERSION_INFO";
  root.binaryValue = std::string(52, '\0');
  VersionNode child;
  child.key = u"StringFileInfo";
  child.text = true;
  root.children.push_back(child);
  std::string bytes = foldwise_test::EncodeVersionNode(root);
  const size_t childAt = bytes.size() - foldwise_test::EncodeVersionNode(child).size();
  std::string tiny = bytes;
  Put16(tiny, childAt, 4);
  EXPECT_FALSE(QueryBytes(tiny, u"\\StringFileInfo"));
  std::string zero = bytes;
  Put16(zero, childAt, 0);
  EXPECT_FALSE(QueryBytes(zero, u"\\StringFileInfo"));
  // A child running past its parent.
  std::string past = bytes;
  Put16(past, childAt, static_cast<uint16_t>(bytes.size()));
  EXPECT_FALSE(QueryBytes(past, u"\\StringFileInfo"));
  EXPECT_TRUE(QueryBytes(bytes, u"\\StringFileInfo"));
}

TEST(VersionBlockTest, KeysAndValuesMustEndInsideTheirBlock) {
  VersionNode root;
  root.key = u"VS_VERSION_INFO";
  VersionNode text;
  text.key = u"Name";
  text.text = true;
  text.textValue = u"Value";
  root.children.push_back(text);
  const std::string good = foldwise_test::EncodeVersionNode(root);
  ASSERT_TRUE(QueryBytes(good, u"\\Name"));
  const size_t childAt = good.size() - foldwise_test::EncodeVersionNode(text).size();
  // The value's terminator overwritten, so that the text runs to the block's end.
  std::string unterminated = good;
  Put16(unterminated, good.size() - 2, u'x');
  EXPECT_FALSE(QueryBytes(unterminated, u"\\Name"));
  // The key's terminator gone: the key runs to the block's end.
  std::string keyless = good;
  for (size_t at = childAt + 6; at < good.size(); at += 2) Put16(keyless, at, u'k');
  EXPECT_FALSE(QueryBytes(keyless, u"\\Name"));
  // A binary value longer than its block.
  VersionNode binary;
  binary.key = u"Data";
  binary.binaryValue = "abcd";
  VersionNode holder;
  holder.key = u"VS_VERSION_INFO";
  holder.children.push_back(binary);
  std::string bytes = foldwise_test::EncodeVersionNode(holder);
  const size_t binaryAt = bytes.size() - foldwise_test::EncodeVersionNode(binary).size();
  Put16(bytes, binaryAt + 2, 200);
  EXPECT_FALSE(QueryBytes(bytes, u"\\Data"));
}

TEST(VersionBlockTest, ABlockOfTheSixteenBitKindIsNotRead) {
  // wLength, wValueLength, then a narrow key where a 32-bit block has its type.
  const std::string narrow("\x10\x00\x00\x00VS_VERSION\0\0", 16);
  EXPECT_FALSE(QueryBytes(narrow, u"\\"));
}

TEST(VersionBlockTest, AKeyWithoutAValueGivesItsPositionAndLengthZero) {
  VersionNode root;
  root.key = u"VS_VERSION_INFO";
  root.binaryValue = std::string(52, '\0');
  VersionNode table;
  table.key = u"FFFF0000";
  table.text = true;
  VersionNode empty;
  empty.key = u"FileVersion";
  empty.text = true;
  VersionNode full;
  full.key = u"ProductVersion";
  full.text = true;
  full.textValue = u"1.0.0.1";
  table.children = {empty, full};
  VersionNode info;
  info.key = u"StringFileInfo";
  info.text = true;
  info.children = {table};
  root.children = {info};
  const std::string bytes = foldwise_test::EncodeVersionNode(root);
  std::optional<cesim::detail::VersionValue> none = QueryBytes(bytes, u"\\StringFileInfo\\FFFF0000\\FileVersion");
  ASSERT_TRUE(none);
  EXPECT_EQ(none->length, 0);
  std::optional<cesim::detail::VersionValue> next = QueryBytes(bytes, u"\\StringFileInfo\\FFFF0000\\ProductVersion");
  ASSERT_TRUE(next);
  EXPECT_EQ(next->length, 8);
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(bytes.data() + next->offset)), u"1.0.0.1");
}

}  // namespace

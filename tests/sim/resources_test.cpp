// Module resources against the platform's documented behaviour: string tables through both forms of
// LoadStringW (the device's in-place pointer and the bounded copy), FindResourceW by ordinal,
// "#number" and name, language-neutral first, LoadResource/LockResource/SizeofResource, missing
// and stale handles; and the .res reader against malformed files.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "resources/reader.h"
#include "testmodule/testmodule_ids.h"
#include "booted_device.h"
#include "ceplatform.h"

namespace {

const char16_t kModulePath[] = u"\\Windows\\testmodule.dll";

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddModule(kModulePath, CESIM_TESTMODULE_PATH);
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
    module = LoadLibraryW(kModulePath);
    ASSERT_NE(module, nullptr);
  }
  // The device's in-place form, as callers write it.
  LPCWSTR InPlace(UINT id) { return reinterpret_cast<LPCWSTR>(static_cast<INT_PTR>(LoadStringW(module, id, nullptr, 0))); }

  foldwise_test::BootedDevice device;
  HMODULE module = nullptr;
};

TEST_F(ResourcesTest, InPlaceStringIsTheStoredTextWithItsTerminator) {
  const int result = LoadStringW(module, IDS_STORED_TERMINATOR, nullptr, 0);
  ASSERT_GT(result, 0);  // an address that fits a positive int
  LPCWSTR text = reinterpret_cast<LPCWSTR>(static_cast<INT_PTR>(result));
  EXPECT_EQ(std::u16string(text), u"Alpha");
  EXPECT_EQ(text[-1], 6);  // the stored count, which includes the stored terminator
  // The same string every time: it is the resource itself.
  EXPECT_EQ(InPlace(IDS_STORED_TERMINATOR), text);
}

TEST_F(ResourcesTest, InPlaceStringIsNotTerminatedUnlessStoredSo) {
  LPCWSTR text = InPlace(IDS_NO_TERMINATOR);
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text[-1], 4);
  EXPECT_EQ(std::u16string(text, 4), u"Beta");
  // What follows is the next string's count, not a terminator.
  EXPECT_EQ(text[4], 28);
}

TEST_F(ResourcesTest, CopiesStringsCutAndTerminated) {
  WCHAR buffer[16];
  for (WCHAR& c : buffer) c = u'#';
  EXPECT_EQ(LoadStringW(module, IDS_LONG, buffer, 8), 7);
  EXPECT_EQ(std::u16string(buffer), u"A longe");
  EXPECT_EQ(buffer[8], u'#');

  // Copied as stored: a stored terminator counts among the characters copied.
  EXPECT_EQ(LoadStringW(module, IDS_STORED_TERMINATOR, buffer, 16), 6);
  EXPECT_EQ(std::u16string(buffer), u"Alpha");
  EXPECT_EQ(LoadStringW(module, IDS_NO_TERMINATOR, buffer, 16), 4);
  EXPECT_EQ(std::u16string(buffer), u"Beta");

  // Room for the terminator only.
  buffer[0] = u'#';
  EXPECT_EQ(LoadStringW(module, IDS_LONG, buffer, 1), 0);
  EXPECT_EQ(buffer[0], 0);
  // No room at all: the device has no pointer form for a buffer, so nothing is written.
  buffer[0] = u'#';
  EXPECT_EQ(LoadStringW(module, IDS_LONG, buffer, 0), 0);
  EXPECT_EQ(buffer[0], u'#');
}

TEST_F(ResourcesTest, MissingStringsGiveZero) {
  WCHAR buffer[8] = {u'#'};
  SetLastError(0);
  EXPECT_EQ(LoadStringW(module, 4, buffer, 8), 0);  // an empty slot of an existing block
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(buffer[0], u'#');
  EXPECT_EQ(LoadStringW(module, 40, nullptr, 0), 0);  // no such block
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadStringW(module, 0x10001, nullptr, 0), 0);
  // The process's own program carries no resources here.
  EXPECT_EQ(LoadStringW(nullptr, IDS_STORED_TERMINATOR, buffer, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(ResourcesTest, PrefersTheLanguageNeutralBlock) {
  EXPECT_EQ(std::u16string(InPlace(IDS_STORED_TERMINATOR)), u"Alpha");
  EXPECT_EQ(std::u16string(InPlace(IDS_SECOND_BLOCK)), u"Seventeen");
  // Strings come by blocks of sixteen: the neutral block 2 is chosen, and its slot 20 is empty,
  // though the English block 2 has a string there.
  EXPECT_EQ(InPlace(IDS_ENGLISH_ONLY), nullptr);
}

TEST_F(ResourcesTest, FindsADialogTemplate) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCE(IDD_SAMPLE), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(FindResourceW(module, u"#101", RT_DIALOG), found);
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = LoadResource(module, found);
  ASSERT_NE(loaded, nullptr);
  const BYTE* data = static_cast<const BYTE*>(LockResource(loaded));
  ASSERT_EQ(static_cast<const void*>(data), loaded);
  // A plain template: style, extended style, two items, then position and size.
  ASSERT_GT(size, 18u);
  DWORD style;
  WORD items;
  std::memcpy(&style, data, sizeof style);
  std::memcpy(&items, data + 8, sizeof items);
  EXPECT_EQ(style, 0x80C00000u);
  EXPECT_EQ(items, 2);
  EXPECT_TRUE(FreeResource(loaded) == FALSE);  // nothing to free; the data stays valid
  EXPECT_EQ(LockResource(loaded), loaded);
}

TEST_F(ResourcesTest, FindsRawDataAndNamedResources) {
  HRSRC raw = FindResourceW(module, MAKEINTRESOURCE(IDR_RAW), RT_RCDATA);
  ASSERT_NE(raw, nullptr);
  ASSERT_EQ(SizeofResource(module, raw), 5u);
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(module, raw)), "raw\x34\x12", 5), 0);

  // Names and named types are compared without letter case.
  HRSRC named = FindResourceW(module, u"config", u"TestData");
  ASSERT_NE(named, nullptr);
  ASSERT_EQ(SizeofResource(module, named), 5u);
  EXPECT_EQ(std::memcmp(LockResource(LoadResource(module, named)), "named", 5), 0);
  EXPECT_EQ(FindResourceW(module, u"conf", u"TESTDATA"), nullptr);
  EXPECT_EQ(FindResourceW(module, u"configs", u"TESTDATA"), nullptr);
}

TEST_F(ResourcesTest, ReportsWhatIsMissing) {
  SetLastError(0);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(102), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(IDD_SAMPLE), RT_BITMAP), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceW(module, u"#", RT_DIALOG), nullptr);
  EXPECT_EQ(FindResourceW(module, u"#70000", RT_DIALOG), nullptr);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCE(IDD_SAMPLE), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(FindResourceW(GetModuleHandleW(u"coredll"), MAKEINTRESOURCE(IDD_SAMPLE), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST_F(ResourcesTest, RefusesHandlesThatAreNotResources) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCE(IDD_SAMPLE), RT_DIALOG);
  ASSERT_NE(found, nullptr);
  HGLOBAL loaded = LoadResource(module, found);
  // Only what FindResourceW and LoadResource gave out.
  EXPECT_EQ(LoadResource(module, reinterpret_cast<HRSRC>(static_cast<BYTE*>(loaded))), nullptr);
  EXPECT_EQ(SizeofResource(module, reinterpret_cast<HRSRC>(reinterpret_cast<BYTE*>(found) + 4)), 0u);
  EXPECT_EQ(LockResource(static_cast<BYTE*>(loaded) + 2), nullptr);
  EXPECT_EQ(LockResource(nullptr), nullptr);
  int local = 0;
  EXPECT_EQ(LockResource(&local), nullptr);
  // The resources go with their module.
  ASSERT_TRUE(FreeLibrary(module));
  SetLastError(0);
  EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCE(IDD_SAMPLE), RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LockResource(loaded), nullptr);
  EXPECT_EQ(LoadStringW(module, IDS_STORED_TERMINATOR, nullptr, 0), 0);
}

// ---------------------------------------------------------------------------------------------
// The .res reader on files put together here, whole and broken.

class ResFile {
 public:
  ResFile() { Record(Ordinal(0), Ordinal(0), {}, 0); }

  static std::vector<uint16_t> Ordinal(uint16_t number) { return {0xFFFF, number}; }
  static std::vector<uint16_t> Name(const std::u16string& text) {
    std::vector<uint16_t> words(text.begin(), text.end());
    words.push_back(0);
    return words;
  }

  // Appends a record; returns where its header starts.
  size_t Record(const std::vector<uint16_t>& type, const std::vector<uint16_t>& name,
                const std::vector<uint8_t>& data, uint16_t language) {
    const size_t start = bytes.size();
    Dword(static_cast<uint32_t>(data.size()));
    Dword(0);  // header size, filled in below
    for (uint16_t w : type) Word(w);
    for (uint16_t w : name) Word(w);
    Pad();
    Dword(0);  // data version
    Word(0x1030);
    Word(language);
    Dword(0);
    Dword(0);
    const uint32_t headerSize = static_cast<uint32_t>(bytes.size() - start);
    std::memcpy(&bytes[start + 4], &headerSize, 4);
    bytes.insert(bytes.end(), data.begin(), data.end());
    Pad();
    return start;
  }

  void SetDword(size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); }

  std::vector<uint8_t> bytes;

 private:
  void Word(uint16_t w) {
    bytes.push_back(static_cast<uint8_t>(w));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  void Dword(uint32_t d) {
    Word(static_cast<uint16_t>(d));
    Word(static_cast<uint16_t>(d >> 16));
  }
  void Pad() {
    while (bytes.size() % 4 != 0) bytes.push_back(0);
  }
};

// Reads a copy of exactly `size` bytes, so that any read past the end is a fault the sanitizer sees.
std::vector<cesim::detail::ResourceRecord> Read(const std::vector<uint8_t>& bytes, size_t size) {
  std::vector<uint8_t> exact(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
  return cesim::detail::ReadResourceFile(exact.data(), exact.size());
}

TEST(ResFileReader, ReadsWellFormedRecords) {
  ResFile file;
  file.Record(ResFile::Ordinal(6), ResFile::Ordinal(1), {1, 0, 'A', 0}, 0x0409);
  const size_t second = file.Record(ResFile::Name(u"TESTDATA"), ResFile::Name(u"CFG"), {'x', 'y', 'z'}, 0);
  auto records = Read(file.bytes, file.bytes.size());
  ASSERT_EQ(records.size(), 2u);
  EXPECT_FALSE(records[0].type.isString);
  EXPECT_EQ(records[0].type.ordinal, 6);
  EXPECT_EQ(records[0].name.ordinal, 1);
  EXPECT_EQ(records[0].language, 0x0409);
  EXPECT_EQ(records[0].dataSize, 4u);
  EXPECT_TRUE(records[1].type.isString);
  EXPECT_EQ(records[1].type.text, u"TESTDATA");
  EXPECT_EQ(records[1].name.text, u"CFG");
  EXPECT_EQ(records[1].headerOffset, second);
  EXPECT_EQ(records[1].dataSize, 3u);
  EXPECT_EQ(file.bytes[records[1].dataOffset], 'x');
}

TEST(ResFileReader, NeedsTheLeadingEmptyRecord) {
  ResFile file;
  file.Record(ResFile::Ordinal(6), ResFile::Ordinal(1), {0, 0}, 0);
  std::vector<uint8_t> withoutIt(file.bytes.begin() + 32, file.bytes.end());
  EXPECT_TRUE(Read(withoutIt, withoutIt.size()).empty());
  EXPECT_TRUE(cesim::detail::ReadResourceFile(nullptr, 100).empty());
}

TEST(ResFileReader, KeepsTheRecordsBeforeACut) {
  ResFile file;
  file.Record(ResFile::Ordinal(5), ResFile::Ordinal(101), std::vector<uint8_t>(30, 7), 0);
  file.Record(ResFile::Name(u"LONGTYPENAME"), ResFile::Name(u"LONGRESOURCENAME"), std::vector<uint8_t>(9, 1), 0);
  const size_t whole = file.bytes.size();
  size_t previous = 0;
  for (size_t size = 0; size <= whole; ++size) {
    const size_t count = Read(file.bytes, size).size();
    EXPECT_GE(count, previous) << size;
    EXPECT_LE(count, 2u) << size;
    previous = count;
  }
  EXPECT_EQ(previous, 2u);
}

TEST(ResFileReader, StopsAtSizesThatRunPastTheEnd) {
  ResFile file;
  file.Record(ResFile::Ordinal(6), ResFile::Ordinal(1), {1, 2, 3, 4}, 0);
  const size_t bad = file.Record(ResFile::Ordinal(6), ResFile::Ordinal(2), {5, 6, 7, 8}, 0);
  file.Record(ResFile::Ordinal(6), ResFile::Ordinal(3), {9, 9, 9, 9}, 0);

  for (uint32_t dataSize : {0xFFFFFFFFu, 0xFFFFFFF0u, 0x80000000u, static_cast<uint32_t>(file.bytes.size())}) {
    ResFile broken = file;
    broken.SetDword(bad, dataSize);
    EXPECT_EQ(Read(broken.bytes, broken.bytes.size()).size(), 1u) << dataSize;
  }
  for (uint32_t headerSize : {0u, 8u, 28u, 33u, 34u, 0xFFFFFFFCu, static_cast<uint32_t>(file.bytes.size())}) {
    ResFile broken = file;
    broken.SetDword(bad + 4, headerSize);
    EXPECT_EQ(Read(broken.bytes, broken.bytes.size()).size(), 1u) << headerSize;
  }
}

TEST(ResFileReader, StopsAtNamesWithoutTerminator) {
  ResFile file;
  file.Record(ResFile::Ordinal(6), ResFile::Ordinal(1), {}, 0);
  // A 32-byte header whose type is a string running into the fixed fields and past them.
  const size_t bad = file.bytes.size();
  file.bytes.resize(bad + 32, 'A');
  file.SetDword(bad, 0);
  file.SetDword(bad + 4, 32);
  EXPECT_EQ(Read(file.bytes, file.bytes.size()).size(), 1u);
}

TEST(ResFileReader, SurvivesArbitraryBytes) {
  // Deterministic noise after a valid start; every prefix must read without a fault.
  ResFile file;
  uint32_t state = 12345;
  for (int i = 0; i < 4096; ++i) {
    state = state * 1103515245u + 12345u;
    file.bytes.push_back(static_cast<uint8_t>(state >> 16));
  }
  for (size_t size = 0; size <= file.bytes.size(); size += 7) Read(file.bytes, size);
  // Noise made to look like headers: small sizes in the first two words of each dword pair.
  for (size_t at = 32; at + 8 <= file.bytes.size(); at += 8) file.SetDword(at + 4, 32 + (file.bytes[at] % 4) * 4);
  Read(file.bytes, file.bytes.size());
}

}  // namespace

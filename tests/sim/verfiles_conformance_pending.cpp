// Platform behaviour that both cesim and desktop Windows have, written once against the Win32 API
// and the run-time: version resources of the sample programs, moving, deleting and changing the
// attributes of files, free space, file time conversions, the capacity rules of the date and time
// formats, and a shortcut file read with _wfopen, fwscanf and fgetws. Built into cesim's tests and
// into the desktop tests that run under Wine. Where the device and the desktop differ, the test
// says so with the device's reference and checks the device's side on cesim only. A thin host at
// the top gives each test a fresh folder: a booted device's "\Temp" on cesim, a new folder under
// the temporary folder on desktop Windows.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ceplatform.h"
#ifndef _WIN32
#include "booted_device.h"
#include "sample_programs.h"
#endif

namespace {

typedef std::basic_string<WCHAR> WString;

// ---------------------------------------------------------------------------------------------
// The host: a folder for one test and the sample programs.

#ifdef _WIN32
const bool kOnDevice = false;

// The build's sample programs lie beside the test program's folder: examples/programs of the build.
std::string SampleProgram(const std::string& name) {
  WCHAR self[MAX_PATH];
  DWORD length = GetModuleFileNameW(NULL, self, MAX_PATH);
  WString path(self, length);
  for (int up = 0; up < 3; ++up) path.erase(path.find_last_of(TEXT("\\/")));
  path += TEXT("\\examples\\programs\\") + WString(name.begin(), name.end());
  std::ifstream in(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  if (in) bytes << in.rdbuf();
  return bytes.str();
}

class Place {
 public:
  Place() {
    WCHAR temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static int next = 0;
    WCHAR name[64];
    swprintf(name, TEXT("verfiles%lu_%d"), GetCurrentProcessId(), next++);
    folder_ = WString(temp) + name;
    CreateDirectoryW(folder_.c_str(), NULL);
  }
  ~Place() { Remove(folder_); }
  bool Ready() const { return GetFileAttributesW(folder_.c_str()) != INVALID_FILE_ATTRIBUTES; }
  WString Path(const WString& name) const { return folder_ + TEXT("\\") + name; }

 private:
  static void Remove(const WString& folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + TEXT("\\*")).c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const WString name = data.cFileName;
        if (name == TEXT(".") || name == TEXT("..")) continue;
        const WString path = folder + TEXT("\\") + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path);
        } else {
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
  }
  WString folder_;
};
#else
const bool kOnDevice = true;
using foldwise_test::SampleProgram;

class Place {
 public:
  Place() {
    device_.image.AddFolder(u"\\Temp");
    booted_ = device_.Boot();
  }
  bool Ready() const { return booted_; }
  WString Path(const WString& name) const { return u"\\Temp\\" + name; }

 private:
  foldwise_test::BootedDevice device_;
  bool booted_ = false;
};
#endif

// A file holding exactly these bytes, written through the run-time as both platforms have it.
bool PutFile(const WString& path, const std::string& bytes) {
  FILE* file = _wfopen(path.c_str(), TEXT("wb"));
  if (file == NULL) return false;
  const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}

std::vector<WCHAR> Writable(const WString& text) {
  std::vector<WCHAR> copy(text.begin(), text.end());
  copy.push_back(0);
  return copy;
}

class Conformance : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(place_.Ready()); }
  WString PutProgram(const char* name) {
    const std::string bytes = SampleProgram(name);
    EXPECT_FALSE(bytes.empty()) << name << " was not built";
    const WString path = place_.Path(WString(name, name + std::strlen(name)));
    EXPECT_TRUE(PutFile(path, bytes));
    return path;
  }
  Place place_;
};

// ---------------------------------------------------------------------------------------------
// Version resources.

std::vector<BYTE> VersionOf(const WString& path, DWORD* reported = NULL) {
  std::vector<WCHAR> name = Writable(path);
  DWORD handle = 0xDEADBEEF;
  const DWORD size = GetFileVersionInfoSizeW(name.data(), &handle);
  EXPECT_EQ(handle, 0u);
  if (reported != NULL) *reported = size;
  std::vector<BYTE> block(size);
  if (size == 0 || !GetFileVersionInfoW(name.data(), 0, size, block.data())) block.clear();
  return block;
}

bool Query(std::vector<BYTE>& block, const WString& subBlock, void** value, UINT* length) {
  std::vector<WCHAR> path = Writable(subBlock);
  return VerQueryValueW(block.data(), path.data(), value, length) != FALSE;
}

WString StringOf(std::vector<BYTE>& block, const WString& subBlock) {
  void* value = NULL;
  UINT length = 0;
  if (!Query(block, subBlock, &value, &length)) return TEXT("(none)");
  return static_cast<const WCHAR*>(value);
}

TEST_F(Conformance, ToolBoxHasItsFixedPartTranslationAndStrings) {
  const WString box = PutProgram("box.exe");
  DWORD reported = 0;
  std::vector<BYTE> block = VersionOf(box, &reported);
  ASSERT_FALSE(block.empty());
  const WORD resourceLength = *reinterpret_cast<const WORD*>(block.data());
  // The desktop reports twice the resource and 4 bytes, room for the narrow calls' strings; the
  // device, which has no narrow calls, the resource itself (cesim's choice; CE's reference says
  // only "the size of the file's version information").
  EXPECT_GE(reported, resourceLength);
  if (kOnDevice) {
    EXPECT_EQ(reported, resourceLength);
  }

  void* value = NULL;
  UINT length = 0;
  ASSERT_TRUE(Query(block, TEXT("\\"), &value, &length));
  EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, static_cast<DWORD>(VS_FFI_SIGNATURE));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00050001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00020003u);

  ASSERT_TRUE(Query(block, TEXT("\\VarFileInfo\\Translation"), &value, &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(static_cast<const WORD*>(value)[0], 0x0409);
  EXPECT_EQ(static_cast<const WORD*>(value)[1], 0x04B0);

  ASSERT_TRUE(Query(block, TEXT("\\StringFileInfo\\040904b0\\CompanyName"), &value, &length));
  EXPECT_EQ(WString(static_cast<const WCHAR*>(value)), TEXT("Tool Makers Ltd."));
  EXPECT_EQ(length, 17u);
  EXPECT_EQ(StringOf(block, TEXT("\\StringFileInfo\\040904B0\\legalcopyright")),
            TEXT("Copyright (C) 2009 Tool Makers Ltd."));
}

TEST_F(Conformance, AMissingKeyFailsWithLengthZeroAndLeavesTheValueAlone) {
  const WString box = PutProgram("box.exe");
  std::vector<BYTE> block = VersionOf(box);
  ASSERT_FALSE(block.empty());
  void* value = &block;
  UINT length = 0xDEADBEEF;
  SetLastError(0xDEADBEEF);
  EXPECT_FALSE(Query(block, TEXT("\\StringFileInfo\\040904b0\\Company"), &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(value, static_cast<void*>(&block));
  EXPECT_FALSE(Query(block, TEXT("\\StringFileInfo\\040704e4\\CompanyName"), &value, &length));
}

TEST_F(Conformance, NotesAndViewerHoldOnlySomeStrings) {
  const WString notes = PutProgram("notes.exe");
  const WString viewer = PutProgram("viewer.exe");
  std::vector<BYTE> notesBlock = VersionOf(notes);
  EXPECT_EQ(StringOf(notesBlock, TEXT("\\StringFileInfo\\040904b0\\ProductName")), TEXT("Notes"));
  EXPECT_EQ(StringOf(notesBlock, TEXT("\\StringFileInfo\\040904b0\\FileDescription")), TEXT("(none)"));
  std::vector<BYTE> viewerBlock = VersionOf(viewer);
  EXPECT_EQ(StringOf(viewerBlock, TEXT("\\StringFileInfo\\040904b0\\FileDescription")), TEXT("(none)"));
  EXPECT_EQ(StringOf(viewerBlock, TEXT("\\StringFileInfo\\040704e4\\FileDescription")), TEXT("Bildbetrachter"));
}

TEST_F(Conformance, FilesWithoutAVersionResourceReportSizeZero) {
  const WString plain = PutProgram("plain.exe");
  const WString text = place_.Path(TEXT("notes.txt"));
  ASSERT_TRUE(PutFile(text, "not a program"));
  for (const WString& path : {plain, text}) {
    std::vector<WCHAR> name = Writable(path);
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(name.data(), NULL), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  }
  std::vector<WCHAR> missing = Writable(place_.Path(TEXT("missing.exe")));
  EXPECT_EQ(GetFileVersionInfoSizeW(missing.data(), NULL), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

// ---------------------------------------------------------------------------------------------
// Moving, deleting and attributes.

TEST_F(Conformance, MoveRenamesAndRefusesTakenNamesAndMissingSources) {
  const WString a = place_.Path(TEXT("a.txt"));
  const WString b = place_.Path(TEXT("b.txt"));
  const WString c = place_.Path(TEXT("c.txt"));
  ASSERT_TRUE(PutFile(a, "a"));
  ASSERT_TRUE(PutFile(b, "b"));
  SetLastError(0);
  EXPECT_FALSE(MoveFileW(a.c_str(), b.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(MoveFileW(a.c_str(), a.c_str()));
  EXPECT_TRUE(MoveFileW(a.c_str(), c.c_str()));
  EXPECT_EQ(GetFileAttributesW(a.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesW(c.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(MoveFileW(a.c_str(), place_.Path(TEXT("d.txt")).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFileW(c.c_str(), place_.Path(TEXT("wild?.txt")).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST_F(Conformance, MoveOfAFolderTakesItsFilesAlong) {
  const WString folder = place_.Path(TEXT("Folder"));
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
  ASSERT_TRUE(PutFile(folder + TEXT("\\inner.txt"), "x"));
  const WString moved = place_.Path(TEXT("Moved"));
  ASSERT_TRUE(MoveFileW(folder.c_str(), moved.c_str()));
  EXPECT_NE(GetFileAttributesW((moved + TEXT("\\inner.txt")).c_str()), INVALID_FILE_ATTRIBUTES);
  // A folder cannot go inside itself.
  SetLastError(0);
  EXPECT_FALSE(MoveFileW(moved.c_str(), (moved + TEXT("\\Sub")).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Conformance, MoveToAnotherLetterCaseOfTheSameName) {
  const WString lower = place_.Path(TEXT("case.txt"));
  const WString upper = place_.Path(TEXT("CASE.TXT"));
  ASSERT_TRUE(PutFile(lower, "x"));
  ASSERT_TRUE(MoveFileW(lower.c_str(), upper.c_str()));
  WIN32_FIND_DATAW data;
  HANDLE search = FindFirstFileW(lower.c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  FindClose(search);
  // Windows and cesim take the new spelling; Wine keeps the old one (todo_wine in its file tests).
  if (kOnDevice) {
    EXPECT_EQ(WString(data.cFileName), TEXT("CASE.TXT"));
  }
}

TEST_F(Conformance, DeleteRefusesReadOnlyFilesAndFolders) {
  // On the device files in ROM are refused the same way (ERROR_ACCESS_DENIED); no call can make
  // one, so cesim's own file tests show that.
  const WString locked = place_.Path(TEXT("locked.txt"));
  ASSERT_TRUE(PutFile(locked, "x"));
  ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  SetLastError(0);
  EXPECT_FALSE(DeleteFileW(locked.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_TRUE(DeleteFileW(locked.c_str()));
  const WString folder = place_.Path(TEXT("Folder"));
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), NULL));
  EXPECT_FALSE(DeleteFileW(folder.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(DeleteFileW(place_.Path(TEXT("missing.txt")).c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Conformance, SetFileAttributesReplacesTheSettableBits) {
  const WString file = place_.Path(TEXT("file.txt"));
  ASSERT_TRUE(PutFile(file, "x"));
  EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  // The bits given replace the settable ones. Windows and the device clear the archive bit when
  // it is not given; Wine keeps it on every file, so its exact value is checked on cesim only.
  const DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(file.c_str()) & kSettable, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  if (kOnDevice) {
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY));
  }
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(file.c_str()) & kSettable, 0u);
  if (kOnDevice) {
    EXPECT_EQ(GetFileAttributesW(file.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
  }
  SetLastError(0);
  EXPECT_FALSE(SetFileAttributesW(place_.Path(TEXT("missing.txt")).c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Conformance, FreeSpaceOfAFolderOnAVolume) {
  ULARGE_INTEGER available;
  ULARGE_INTEGER total;
  ULARGE_INTEGER free;
  const WString folder = place_.Path(TEXT(""));
  ASSERT_TRUE(GetDiskFreeSpaceExW(folder.c_str(), &available, &total, &free));
  EXPECT_GT(total.QuadPart, 0u);
  EXPECT_LE(free.QuadPart, total.QuadPart);
  EXPECT_LE(available.QuadPart, free.QuadPart);
  SetLastError(0);
  EXPECT_FALSE(GetDiskFreeSpaceExW(place_.Path(TEXT("Nowhere\\Deeper\\")).c_str(), &available, &total, &free));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(GetDiskFreeSpaceExW(place_.Path(TEXT("Nowhere")).c_str(), &available, &total, &free));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  // A file is no folder of the volume.
  const WString file = place_.Path(TEXT("file.txt"));
  ASSERT_TRUE(PutFile(file, "x"));
  EXPECT_FALSE(GetDiskFreeSpaceExW(file.c_str(), &available, &total, &free));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  // The device's reference lets only the last result be left out; the desktop any of them.
  SetLastError(0);
  const BOOL withoutResults = GetDiskFreeSpaceExW(folder.c_str(), NULL, NULL, &free);
  if (kOnDevice) {
    EXPECT_FALSE(withoutResults);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  } else {
    EXPECT_TRUE(withoutResults);
  }
}

// ---------------------------------------------------------------------------------------------
// Time.

TEST(TimeConformance, LocalFileTimesConvertInPlaceAsIntoAnotherStructure) {
  SYSTEMTIME when = {};
  when.wYear = 2009;
  when.wMonth = 6;
  when.wDay = 15;
  when.wHour = 12;
  FILETIME utc;
  ASSERT_TRUE(SystemTimeToFileTime(&when, &utc));
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  FILETIME inPlace = utc;
  ASSERT_TRUE(FileTimeToLocalFileTime(&inPlace, &inPlace));
  EXPECT_EQ(inPlace.dwLowDateTime, local.dwLowDateTime);
  EXPECT_EQ(inPlace.dwHighDateTime, local.dwHighDateTime);
  ASSERT_TRUE(LocalFileTimeToFileTime(&inPlace, &inPlace));
  EXPECT_EQ(inPlace.dwLowDateTime, utc.dwLowDateTime);
  EXPECT_EQ(inPlace.dwHighDateTime, utc.dwHighDateTime);
}

TEST(TimeConformance, SystemTimesAndFileTimesAndTheirLimits) {
  SYSTEMTIME epoch = {};
  epoch.wYear = 1970;
  epoch.wMonth = 1;
  epoch.wDay = 1;
  FILETIME file;
  ASSERT_TRUE(SystemTimeToFileTime(&epoch, &file));
  EXPECT_EQ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime, 116444736000000000ull);
  SYSTEMTIME back;
  ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
  EXPECT_EQ(back.wDayOfWeek, 4);
  SYSTEMTIME bad = epoch;
  bad.wMonth = 2;
  bad.wDay = 30;
  SetLastError(0);
  EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

SYSTEMTIME Afternoon() {
  SYSTEMTIME when = {};
  when.wYear = 2009;
  when.wMonth = 6;
  when.wDay = 5;
  when.wHour = 14;
  when.wMinute = 7;
  when.wSecond = 9;
  return when;
}

TEST(TimeConformance, DateAndTimeFormatsCountTheTerminatorAndRefuseWhatDoesNotFit) {
  const SYSTEMTIME when = Afternoon();
  WCHAR text[32];
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), NULL, 0), 11);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), text, 11), 11);
  EXPECT_EQ(WString(text), TEXT("2009-06-05"));
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("yyyy'-'MM'-'dd"), text, 10), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("HH:mm:ss"), text, 32), 9);
  EXPECT_EQ(WString(text), TEXT("14:07:09"));
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, TEXT("HH:mm:ss"), text, 32), 6);
  EXPECT_EQ(WString(text), TEXT("14:07"));
  SetLastError(0);
  for (int i = 0; i < 32; ++i) text[i] = TEXT('#');
  EXPECT_EQ(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, TEXT("HH:mm:ss"), text, 8), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  // What fits is left in the buffer, cut and terminated.
  EXPECT_EQ(WString(text), TEXT("14:07:0"));
  EXPECT_EQ(text[8], TEXT('#'));
}

TEST(TimeConformance, DateFlagsThatContradictThePictureAreRefused) {
  const SYSTEMTIME when = Afternoon();
  WCHAR text[32];
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, TEXT("d"), text, 32), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  SetLastError(0);
  EXPECT_EQ(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE | DATE_LONGDATE, &when, NULL, text, 32), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

TEST(TimeConformance, AUsEnglishUserLocaleWritesItsShortDateAndTime) {
  // The device's locale is the image's; a desktop's is its user's, which may be another one.
  if (GetUserDefaultLCID() != 0x0409) GTEST_SKIP() << "the user locale is not US English";
  const SYSTEMTIME when = Afternoon();
  WCHAR text[32];
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, NULL, text, 32), 0);
  EXPECT_EQ(WString(text), TEXT("6/5/2009"));
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, NULL, text, 32), 0);
  EXPECT_EQ(WString(text), TEXT("2:07:09 PM"));
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &when, NULL, text, 32), 0);
  EXPECT_EQ(WString(text), TEXT("2:07 PM"));
}

// ---------------------------------------------------------------------------------------------
// A shortcut read with the run-time's streams in text mode.

struct Shortcut {
  int scanned = 0;
  int count = 0;
  bool gotLine = false;
  WString line;
};

Shortcut ReadShortcut(const WString& path, int capacity = MAX_PATH) {
  Shortcut result;
  FILE* file = _wfopen(path.c_str(), TEXT("r"));
  EXPECT_TRUE(file != NULL);
  if (file == NULL) return result;
  result.scanned = fwscanf(file, TEXT("%d#"), &result.count);
  std::vector<WCHAR> buffer(capacity, 0);
  result.gotLine = fgetws(buffer.data(), capacity, file) == buffer.data();
  result.line = buffer.data();
  fclose(file);
  return result;
}

TEST_F(Conformance, AShortcutGivesItsCountAndItsCommandWithTheLineFeed) {
  const WString path = place_.Path(TEXT("Word.lnk"));
  ASSERT_TRUE(PutFile(path, "22#\"\\Windows\\pword.exe\" -n\r\nsecond line\r\n"));
  Shortcut s = ReadShortcut(path);
  EXPECT_EQ(s.scanned, 1);
  EXPECT_EQ(s.count, 22);
  EXPECT_TRUE(s.gotLine);
  EXPECT_EQ(s.line, TEXT("\"\\Windows\\pword.exe\" -n\n"));
}

TEST_F(Conformance, ShortcutEdgesOfTheNumberAndTheHash) {
  struct Case {
    const char* bytes;
    int scanned;
    bool gotLine;
    const WCHAR* line;
  };
  const Case cases[] = {
      {"12x", 1, true, TEXT("x")},
      {"12#", 1, false, TEXT("")},
      {"#12", 0, true, TEXT("#12")},
      {"-", 0, false, TEXT("")},
      {"", EOF, false, TEXT("")},
  };
  for (const Case& c : cases) {
    const WString path = place_.Path(TEXT("edge.lnk"));
    ASSERT_TRUE(PutFile(path, c.bytes));
    Shortcut s = ReadShortcut(path);
    EXPECT_EQ(s.scanned, c.scanned) << c.bytes;
    EXPECT_EQ(s.gotLine, c.gotLine) << c.bytes;
    EXPECT_EQ(s.line, c.line) << c.bytes;
  }
}

TEST_F(Conformance, AShortcutOfWhiteSpaceEndsBeforeTheFirstConversion) {
  // The run-time's reference: EOF when the end of the stream comes before the first conversion.
  const WString path = place_.Path(TEXT("blank.lnk"));
  ASSERT_TRUE(PutFile(path, "  \r\n\t "));
  Shortcut s = ReadShortcut(path);
  EXPECT_EQ(s.scanned, EOF);
  EXPECT_FALSE(s.gotLine);
}

TEST_F(Conformance, ALongCommandIsCutAtTheCapacityLessOne) {
  const WString path = place_.Path(TEXT("long.lnk"));
  ASSERT_TRUE(PutFile(path, "300#" + std::string(300, 'c') + "\r\n"));
  Shortcut s = ReadShortcut(path, MAX_PATH);
  EXPECT_TRUE(s.gotLine);
  EXPECT_EQ(s.line, WString(MAX_PATH - 1, TEXT('c')));
}

TEST_F(Conformance, TextModeWidensBytesOfTheCodePage) {
  // Latin-1 letters read the same on both; the bytes 0x80 to 0x9F are Windows-1252 characters on
  // the device (its ANSI code page) and their own values in the desktop run-time's "C" locale.
  const WString path = place_.Path(TEXT("text.lnk"));
  ASSERT_TRUE(PutFile(path, "1#caf\xE9 \x80"));
  Shortcut s = ReadShortcut(path);
  ASSERT_TRUE(s.gotLine);
  EXPECT_EQ(s.line.substr(0, 5), TEXT("caf\x00E9 "));
  if (kOnDevice) {
    EXPECT_EQ(s.line.substr(5), TEXT("\x20AC"));
  }
}

}  // namespace

// SHGetFileInfo against the platform's documentation: type names from HKEY_CLASSES_ROOT (the
// extension's key names a type whose default value is its name; "ABC File" without one), display
// names that hide the extension of shortcuts and registered types, the item's shell attributes,
// the icons of the shared system image lists (a program's own, a type's DefaultIcon, a
// shortcut's target's) with SHGFI_SYSICONINDEX returning the list, icons the caller must destroy,
// and the failures: a missing file, a structure too small. Image lists and icons themselves too.
#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"

namespace {

class FileInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddFile(u"\\Windows\\calc.exe", "MZ", FILE_ATTRIBUTE_INROM);
    device.image.AddFile(u"\\Windows\\pword.exe", "MZ", FILE_ATTRIBUTE_INROM);
    device.image.AddFile(u"\\Program Files\\Tool Box\\box.exe", "MZ");
    device.image.AddFile(u"\\My Documents\\Letter.doc", "letter");
    device.image.AddFile(u"\\My Documents\\notes.txt", "notes", FILE_ATTRIBUTE_READONLY);
    device.image.AddFile(u"\\My Documents\\data.abc");
    device.image.AddFile(u"\\My Documents\\plan.xyz");
    device.image.AddFile(u"\\My Documents\\README");
    device.image.AddFile(u"\\My Documents\\secret.txt", "", FILE_ATTRIBUTE_HIDDEN);
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Calculator.lnk", "17#\\Windows\\calc.exe");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Box.lnk", "33#\"\\Program Files\\Tool Box\\box.exe\"");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Broken.lnk", "12#\\nowhere.exe");
    device.image.AddFile(u"\\Windows\\Start Menu\\Programs\\Letter.lnk", "26#\\My Documents\\Letter.doc");
    device.image.AddVolume(u"\\Storage Card", 1000, 2000);
    device.image.AddRegistry(
        "[HKEY_CLASSES_ROOT\\.doc]\n@=\"docfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\docfile]\n@=\"Document\"\n\n"
        "[HKEY_CLASSES_ROOT\\docfile\\DefaultIcon]\n@=\"\\\\Windows\\\\pword.exe,-101\"\n\n"
        "[HKEY_CLASSES_ROOT\\.txt]\n@=\"txtfile\"\n\n"
        "[HKEY_CLASSES_ROOT\\txtfile]\n@=\"Text Document\"\n\n"
        "[HKEY_CLASSES_ROOT\\.xyz]\n@=\"xyzfile\"\n\n");
    ASSERT_TRUE(device.Boot());
  }

  // What SHGetFileInfo gives, from a structure filled with a sentinel.
  static SHFILEINFO Info(const std::u16string& path, UINT flags, DWORD_PTR* result = nullptr, DWORD attributes = 0) {
    SHFILEINFO info;
    FillSentinel(&info);
    DWORD_PTR got = SHGetFileInfo(path.c_str(), attributes, &info, sizeof(info), flags);
    if (result != nullptr) *result = got;
    return info;
  }

  static void FillSentinel(SHFILEINFO* info) {
    std::fill(info->szDisplayName, info->szDisplayName + MAX_PATH, u'#');
    std::fill(info->szTypeName, info->szTypeName + 80, u'#');
    info->hIcon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x5E5E));
    info->iIcon = 0x5E5E;
    info->dwAttributes = 0x5E5E5E5E;
  }

  static std::u16string TypeName(const std::u16string& path) { return Info(path, SHGFI_TYPENAME).szTypeName; }
  static std::u16string DisplayName(const std::u16string& path) {
    return Info(path, SHGFI_DISPLAYNAME).szDisplayName;
  }
  static int IconIndex(const std::u16string& path, UINT more = 0) {
    return Info(path, SHGFI_SYSICONINDEX | more).iIcon;
  }
  static std::u16string PictureAt(int index) {
    std::optional<std::vector<std::u16string>> pictures = cesim::ImageListPictures(SmallList());
    if (!pictures || index < 0 || index >= static_cast<int>(pictures->size())) return u"(none)";
    return (*pictures)[static_cast<size_t>(index)];
  }
  static HIMAGELIST SmallList() {
    SHFILEINFO info = {};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(u"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  }

  foldwise_test::BootedDevice device;
};

// --- Type names ---

TEST_F(FileInfoTest, TypeNamesComeFromTheTypeThatTheExtensionNames) {
  EXPECT_EQ(TypeName(u"\\My Documents\\Letter.doc"), u"Document");
  EXPECT_EQ(TypeName(u"\\My Documents\\notes.txt"), u"Text Document");
  EXPECT_EQ(TypeName(u"\\MY DOCUMENTS\\LETTER.DOC"), u"Document") << "names without letter case";
}

TEST_F(FileInfoTest, ATypeMissingFromTheRegistryIsNamedAfterTheExtension) {
  EXPECT_EQ(TypeName(u"\\My Documents\\data.abc"), u"ABC File") << "no key for the extension";
  EXPECT_EQ(TypeName(u"\\My Documents\\plan.xyz"), u"XYZ File") << "the type it names is missing";
  EXPECT_EQ(TypeName(u"\\My Documents\\README"), u"File") << "no extension";
  EXPECT_EQ(TypeName(u"\\Program Files\\Tool Box\\box.exe"), u"EXE File");
}

TEST_F(FileInfoTest, FoldersAndStorageCardsHaveTheShellsTypeNames) {
  EXPECT_EQ(TypeName(u"\\My Documents"), u"Folder");
  EXPECT_EQ(TypeName(u"\\Storage Card"), u"Storage Card");
}

// --- Display names ---

TEST_F(FileInfoTest, DisplayNamesHideTheExtensionOfRegisteredTypesAndShortcuts) {
  EXPECT_EQ(DisplayName(u"\\My Documents\\Letter.doc"), u"Letter");
  EXPECT_EQ(DisplayName(u"\\my documents\\letter.doc"), u"Letter") << "as the file system writes it";
  EXPECT_EQ(DisplayName(u"\\Windows\\Start Menu\\Programs\\Calculator.lnk"), u"Calculator");
  EXPECT_EQ(DisplayName(u"\\My Documents\\data.abc"), u"data.abc");
  EXPECT_EQ(DisplayName(u"\\Program Files\\Tool Box\\box.exe"), u"box.exe");
  EXPECT_EQ(DisplayName(u"\\My Documents\\plan.xyz"), u"plan") << "the extension has a key";
  EXPECT_EQ(DisplayName(u"\\Program Files\\Tool Box"), u"Tool Box");
}

// --- Attributes ---

TEST_F(FileInfoTest, AttributesAreTheShellItemsOnes) {
  const DWORD file = Info(u"\\My Documents\\Letter.doc", SHGFI_ATTRIBUTES).dwAttributes;
  const DWORD changeable = SFGAO_FILESYSTEM | SFGAO_CANRENAME | SFGAO_CANDELETE;
  EXPECT_EQ(file & changeable, changeable);
  EXPECT_EQ(file & (SFGAO_FOLDER | SFGAO_LINK | SFGAO_READONLY), 0u);
  EXPECT_NE(Info(u"\\My Documents", SHGFI_ATTRIBUTES).dwAttributes & SFGAO_FOLDER, 0u);
  EXPECT_NE(Info(u"\\Windows\\Start Menu\\Programs\\Box.lnk", SHGFI_ATTRIBUTES).dwAttributes & SFGAO_LINK, 0u);
  EXPECT_NE(Info(u"\\My Documents\\notes.txt", SHGFI_ATTRIBUTES).dwAttributes & SFGAO_READONLY, 0u);
  EXPECT_NE(Info(u"\\My Documents\\secret.txt", SHGFI_ATTRIBUTES).dwAttributes & SFGAO_GHOSTED, 0u);
  const DWORD rom = Info(u"\\Windows\\calc.exe", SHGFI_ATTRIBUTES).dwAttributes;
  EXPECT_NE(rom & SFGAO_READONLY, 0u);
  EXPECT_EQ(rom & (SFGAO_CANDELETE | SFGAO_CANRENAME | SFGAO_CANMOVE), 0u) << "ROM cannot be changed";
}

TEST_F(FileInfoTest, AskedForSpecifiedAttributesOnlyThoseAreAnswered) {
  SHFILEINFO info = {};
  info.dwAttributes = SFGAO_FOLDER | SFGAO_LINK;
  ASSERT_TRUE(SHGetFileInfo(u"\\My Documents", 0, &info, sizeof(info), SHGFI_ATTRIBUTES | SHGFI_ATTR_SPECIFIED));
  EXPECT_EQ(info.dwAttributes, DWORD(SFGAO_FOLDER));
}

// --- What is written and when it fails ---

TEST_F(FileInfoTest, OnlyWhatIsAskedForIsWrittenBesidesTheNamesAndIndex) {
  DWORD_PTR result = 0;
  SHFILEINFO info = Info(u"\\My Documents\\Letter.doc", SHGFI_TYPENAME, &result);
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(std::u16string(info.szDisplayName), u"") << "cleared whatever is asked";
  EXPECT_EQ(info.iIcon, 0);
  EXPECT_EQ(info.hIcon, reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x5E5E)));
  EXPECT_EQ(info.dwAttributes, 0x5E5E5E5Eu);
}

TEST_F(FileInfoTest, AMissingFileGivesNothing) {
  DWORD_PTR result = 1;
  SetLastError(0);
  SHFILEINFO info = Info(u"\\My Documents\\gone.doc", SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_ICON, &result);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(std::u16string(info.szTypeName), u"");
  EXPECT_EQ(info.hIcon, reinterpret_cast<HICON>(static_cast<UINT_PTR>(0x5E5E)));
  EXPECT_EQ(cesim::LiveIcons(), 0u);
  SetLastError(0);
  Info(u"\\Nowhere\\gone.doc", SHGFI_TYPENAME, &result);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileInfoTest, AStructureSmallerThanTheOneDeclaredIsRefusedUntouched) {
  SHFILEINFO info;
  FillSentinel(&info);
  SetLastError(0);
  EXPECT_EQ(SHGetFileInfo(u"\\My Documents\\Letter.doc", 0, &info, sizeof(info) - 1, SHGFI_TYPENAME | SHGFI_ICON), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(info.szTypeName[0], u'#');
  EXPECT_EQ(info.iIcon, 0x5E5E);
  EXPECT_EQ(SHGetFileInfo(u"\\My Documents\\Letter.doc", 0, nullptr, sizeof(info), SHGFI_TYPENAME), 0u);
  EXPECT_EQ(SHGetFileInfo(nullptr, 0, &info, sizeof(info), SHGFI_TYPENAME), 0u);
}

TEST_F(FileInfoTest, WithTheCallersAttributesNoFileIsNeeded) {
  DWORD_PTR result = 0;
  SHFILEINFO info = Info(u"\\Nowhere\\memo.doc", SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_DISPLAYNAME, &result,
                         FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(result, 1u);
  EXPECT_EQ(std::u16string(info.szTypeName), u"Document");
  EXPECT_EQ(std::u16string(info.szDisplayName), u"memo");
  EXPECT_EQ(std::u16string(Info(u"x", SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME, nullptr, FILE_ATTRIBUTE_DIRECTORY)
                               .szTypeName),
            u"Folder");
  const UINT byName = SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX;
  EXPECT_EQ(PictureAt(Info(u"\\Nowhere\\other.exe", byName, nullptr, FILE_ATTRIBUTE_NORMAL).iIcon), u"program")
      << "a program that is not there has the shell's program picture";
}

TEST_F(FileInfoTest, ALongTypeNameIsCutToItsField) {
  // A type whose name is longer than the 80-character field.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"longfile", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  const std::u16string value(100, u'n');
  ASSERT_EQ(RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u".long", 0, nullptr, 0, 0, nullptr, &key, nullptr), ERROR_SUCCESS);
  const std::u16string type = u"longfile";
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(type.c_str()),
                 static_cast<DWORD>((type.size() + 1) * sizeof(WCHAR)));
  RegCloseKey(key);
  SHFILEINFO info = Info(u"a.long", SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME, nullptr, FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(std::u16string(info.szTypeName), std::u16string(79, u'n'));
}

// --- The system image lists and icons ---

TEST_F(FileInfoTest, AnEmptyPathGivesTheSharedSystemImageLists) {
  SHFILEINFO info = {};
  HIMAGELIST small =
      reinterpret_cast<HIMAGELIST>(SHGetFileInfo(u"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  HIMAGELIST large = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(u"", 0, &info, sizeof(info), SHGFI_SYSICONINDEX));
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_NE(small, large);
  EXPECT_EQ(SmallList(), small) << "the same list every time";
  int cx = 0;
  int cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(cy, GetSystemMetrics(SM_CYSMICON));
  ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(ImageList_GetImageCount(small), ImageList_GetImageCount(large));
  EXPECT_GE(ImageList_GetImageCount(small), 5);
  EXPECT_FALSE(ImageList_Destroy(small)) << "shared with every caller";
  EXPECT_EQ(SHGetFileInfo(u"", 0, &info, sizeof(info), SHGFI_TYPENAME), 0u) << "an empty path names no file";
}

TEST_F(FileInfoTest, TheIndexReturnedIsThatOfTheItemsPictureInBothLists) {
  DWORD_PTR list = 0;
  const int folder = Info(u"\\My Documents", SHGFI_SYSICONINDEX | SHGFI_SMALLICON, &list).iIcon;
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(list), SmallList());
  EXPECT_EQ(PictureAt(folder), u"folder");
  EXPECT_EQ(IconIndex(u"\\My Documents"), folder) << "the large list holds the same picture there";
  EXPECT_EQ(PictureAt(IconIndex(u"\\My Documents", SHGFI_OPENICON)), u"open folder");
  EXPECT_EQ(PictureAt(IconIndex(u"\\Storage Card")), u"storage card");
  EXPECT_EQ(PictureAt(IconIndex(u"\\My Documents\\data.abc")), u"document");
  EXPECT_EQ(PictureAt(IconIndex(u"\\My Documents\\Letter.doc")), u"\\Windows\\pword.exe,-101") << "DefaultIcon";
  EXPECT_EQ(PictureAt(IconIndex(u"\\windows\\CALC.EXE")), u"\\Windows\\calc.exe,0") << "a program's own icon";
}

TEST_F(FileInfoTest, AShortcutShowsThePictureOfWhatItStarts) {
  EXPECT_EQ(IconIndex(u"\\Windows\\Start Menu\\Programs\\Calculator.lnk"), IconIndex(u"\\Windows\\calc.exe"));
  EXPECT_EQ(IconIndex(u"\\Windows\\Start Menu\\Programs\\Box.lnk"), IconIndex(u"\\Program Files\\Tool Box\\box.exe"))
      << "a quoted target";
  EXPECT_EQ(IconIndex(u"\\Windows\\Start Menu\\Programs\\Letter.lnk"), IconIndex(u"\\My Documents\\Letter.doc"));
  EXPECT_EQ(PictureAt(IconIndex(u"\\Windows\\Start Menu\\Programs\\Broken.lnk")), u"document")
      << "a target that is not there";
  EXPECT_NE(IconIndex(u"\\Windows\\calc.exe"), IconIndex(u"\\Program Files\\Tool Box\\box.exe"));
}

TEST_F(FileInfoTest, AnIconHandedOutIsTheCallersToDestroy) {
  DWORD_PTR result = 0;
  SHFILEINFO info = Info(u"\\My Documents", SHGFI_ICON | SHGFI_SMALLICON, &result);
  EXPECT_EQ(result, 1u);
  ASSERT_NE(info.hIcon, nullptr);
  EXPECT_EQ(cesim::LiveIcons(), 1u);
  EXPECT_EQ(cesim::IconPicture(info.hIcon), std::optional<std::u16string>(u"folder"));
  EXPECT_EQ(PictureAt(info.iIcon), u"folder") << "the index comes with the icon";
  SHFILEINFO second = Info(u"\\My Documents", SHGFI_ICON);
  EXPECT_NE(second.hIcon, info.hIcon) << "a new icon each time";
  EXPECT_EQ(cesim::LiveIcons(), 2u);
  EXPECT_TRUE(DestroyIcon(info.hIcon));
  EXPECT_TRUE(DestroyIcon(second.hIcon));
  EXPECT_EQ(cesim::LiveIcons(), 0u);
  SetLastError(0);
  EXPECT_FALSE(DestroyIcon(info.hIcon));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(device.Boot()); }
  foldwise_test::BootedDevice device;
};

TEST_F(ImageListTest, IconsAreCopiedInAndHandedOutAsNewIcons) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR | ILC_MASK, 4, 4);
  ASSERT_NE(list, nullptr);
  SHFILEINFO info = {};
  ASSERT_TRUE(SHGetFileInfo(u"\\", 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON));
  EXPECT_EQ(ImageList_AddIcon(list, info.hIcon), 0);
  EXPECT_EQ(ImageList_AddIcon(list, info.hIcon), 1);
  EXPECT_TRUE(DestroyIcon(info.hIcon)) << "the list keeps its own copy";
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  HICON out = ImageList_GetIcon(list, 1, ILD_NORMAL);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(cesim::IconPicture(out), std::optional<std::u16string>(u"folder"));
  EXPECT_TRUE(DestroyIcon(out));
  EXPECT_EQ(ImageList_GetIcon(list, 2, ILD_NORMAL), nullptr);
  EXPECT_EQ(ImageList_AddIcon(list, out), -1) << "a destroyed icon";
  EXPECT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(ImageList_GetImageCount(list), 1);
  EXPECT_TRUE(ImageList_RemoveAll(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(cesim::LiveIcons(), 0u);
}

TEST_F(ImageListTest, BadSizesAndHandlesAreRefused) {
  EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR, 1, 1), nullptr);
  EXPECT_EQ(ImageList_Create(16, -1, ILC_COLOR, 1, 1), nullptr);
  int cx = 7;
  EXPECT_FALSE(ImageList_GetIconSize(nullptr, &cx, &cx));
  EXPECT_EQ(cx, 7);
  EXPECT_EQ(ImageList_ReplaceIcon(nullptr, -1, nullptr), -1);
  EXPECT_FALSE(ImageList_Remove(nullptr, -1));
}

}  // namespace

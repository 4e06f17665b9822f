// SHGetFileInfo: the names that the shell shows for a file or folder, the type name of a registered
// file type from HKEY_CLASSES_ROOT, and the index of an item's picture in the shared system image
// list of small icons.
#include "conformance.h"

namespace conformance {
namespace {

class FileInfoTest : public ConformanceTest {
 protected:
  void SetUp() override {
    extension = host.ClassName(TEXT(".fwtest"));
    const Text type = host.ClassName(TEXT("fwtestfile"));
    host.AddFile(TEXT("\\Docs\\report") + extension, "x");
    host.AddFile(TEXT("\\Docs\\README"), "x");
    host.SetClassesDefault(extension, type);
    host.SetClassesDefault(type, TEXT("Foldwise Test Document"));
    ASSERT_TRUE(host.Start());
  }
  Text Report() const { return host.Path(TEXT("\\Docs\\report") + extension); }
  SHFILEINFO InfoOf(const Text& path, UINT flags) {
    SHFILEINFO info = {};
    EXPECT_NE(SHGetFileInfo(path.c_str(), 0, &info, sizeof(info), flags), DWORD_PTR(0)) << Printable(path);
    return info;
  }

  Text extension;
};

TEST_F(FileInfoTest, TheTypeNameIsTheRegisteredTypes) {
  EXPECT_EQ(Text(InfoOf(Report(), SHGFI_TYPENAME).szTypeName), Text(TEXT("Foldwise Test Document")));
}

TEST_F(FileInfoTest, FoldersAndFilesWithoutExtensionHaveTheShellsTypeNames) {
  EXPECT_EQ(Text(InfoOf(host.Path(TEXT("\\Docs")), SHGFI_TYPENAME).szTypeName), Text(TEXT("Folder")));
  EXPECT_EQ(Text(InfoOf(host.Path(TEXT("\\Docs\\README")), SHGFI_TYPENAME).szTypeName), Text(TEXT("File")));
}

TEST_F(FileInfoTest, TheDisplayNameOfAFolderOrAFileWithoutExtensionIsItsName) {
  EXPECT_EQ(Text(InfoOf(host.Path(TEXT("\\Docs")), SHGFI_DISPLAYNAME).szDisplayName), Text(TEXT("Docs")));
  EXPECT_EQ(Text(InfoOf(host.Path(TEXT("\\Docs\\README")), SHGFI_DISPLAYNAME).szDisplayName), Text(TEXT("README")));
}

TEST_F(FileInfoTest, DisplayAndTypeNamesComeTogether) {
  SHFILEINFO info = InfoOf(host.Path(TEXT("\\Docs\\README")), SHGFI_DISPLAYNAME | SHGFI_TYPENAME);
  EXPECT_EQ(Text(info.szDisplayName), Text(TEXT("README")));
  EXPECT_EQ(Text(info.szTypeName), Text(TEXT("File")));
}

TEST_F(FileInfoTest, TheSmallIconIndexIsOneOfTheSystemImageList) {
  SHFILEINFO info = {};
  info.iIcon = -5;
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfo(Report().c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(list, nullptr);
  EXPECT_GE(info.iIcon, 0);
  EXPECT_LT(info.iIcon, ImageList_GetImageCount(list));
  int cx = 0;
  int cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(cy, GetSystemMetrics(SM_CYSMICON));

  SHFILEINFO folder = {};
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SHGetFileInfo(host.Path(TEXT("\\Docs")).c_str(), 0, &folder, sizeof(folder),
                                                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
            list)
      << "every item's index is one of the same shared list";
  EXPECT_GE(folder.iIcon, 0);
  EXPECT_LT(folder.iIcon, ImageList_GetImageCount(list));
  EXPECT_NE(folder.iIcon, info.iIcon) << "a folder does not look like a document";
}

TEST_F(FileInfoTest, AnIconIsTheCallersToDestroy) {
  SHFILEINFO info = InfoOf(Report(), SHGFI_ICON | SHGFI_SMALLICON);
  ASSERT_NE(info.hIcon, nullptr);
  EXPECT_TRUE(DestroyIcon(info.hIcon));
}

TEST_F(FileInfoTest, AMissingFileGivesNothing) {
  SHFILEINFO info = {};
  EXPECT_EQ(SHGetFileInfo(host.Path(TEXT("\\Docs\\gone") + extension).c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME),
            DWORD_PTR(0));
}

}  // namespace
}  // namespace conformance

// Booting a device from an image: what the image's settings give, what a reboot resets, the
// emulated process's program path, the last-error code and the text conversions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "booted_device.h"
#include "cesim/automation.h"
#include "sim/core.h"
#include "sim/files.h"
#include "sim/metrics.h"
#include "sim/registry.h"

namespace {

using foldwise_test::BootedDevice;

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

TEST(DeviceBoot, BootsFromABuiltImageAndShutsDown) {
  BootedDevice device;
  device.image.SetScreen(320, 240).AddFile(u"\\Windows\\calc.exe");
  ASSERT_TRUE(device.Boot());
  EXPECT_TRUE(cesim::IsBooted());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\calc.exe"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  cesim::Shutdown();
  EXPECT_FALSE(cesim::IsBooted());
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\calc.exe"), 0xFFFFFFFFu);
}

TEST(DeviceBoot, AFolderThatIsNoImageDoesNotBoot) {
  EXPECT_FALSE(cesim::Boot("/nonexistent/cesim/image"));
  EXPECT_FALSE(cesim::Boot(""));
  EXPECT_FALSE(cesim::IsBooted());
  cesim::ImageBuilder image;
  ASSERT_EQ(rmdir((image.Folder() + "/files").c_str()), 0);  // an image without a file tree
  EXPECT_FALSE(cesim::Boot(image.Folder()));
  EXPECT_FALSE(cesim::IsBooted());
}

TEST(DeviceBoot, AnImageWithoutSettingsHasAPortraitScreen) {
  cesim::ImageBuilder image;  // nothing written: files/ only
  ASSERT_TRUE(cesim::Boot(image.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
  cesim::Shutdown();

  BootedDevice written;  // the builder writes the default screen itself
  ASSERT_TRUE(written.Boot());
  std::ifstream settings(written.image.Folder() + "/device.ini");
  std::string text((std::istreambuf_iterator<char>(settings)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[screen]\nheight=320\nwidth=240\n"), std::string::npos) << text;
}

TEST(DeviceBoot, BadSettingsLinesAreIgnored) {
  cesim::ImageBuilder image;
  image.AddFile(u"\\Windows\\a.exe").AddFile(u"\\Windows\\b.exe");
  WriteFile(image.Folder() + "/device.ini",
            "width=999\n"
            "; a comment\n"
            "# another\n"
            "[screen\n"
            "height=111\n"
            "[SCREEN]\n"
            "garbage without equals\n"
            "=17\n"
            "  Width =  480  \n"
            "height=tall\n"
            "[attributes]\n"
            "\\windows\\A.EXE = ROM, bogus ,hidden\n"
            "\\Windows\\b.exe=\n"
            "relative\\path=hidden\n"
            "[metrics]\n"
            "SM_CXVSCROLL=19\n"
            "49=20\n"
            "SM_CYSMICON=big\n");
  ASSERT_TRUE(cesim::Boot(image.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);  // "tall" is no number: the default stays
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\a.exe"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\b.exe"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 20);
  EXPECT_EQ(GetSystemMetrics(SM_CYSMICON), 16);
  cesim::Shutdown();
}

TEST(DeviceBoot, MetricsFollowTheScreen) {
  BootedDevice device;
  device.image.SetScreen(240, 240);
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 240 - GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXBORDER), 1);
  EXPECT_GT(GetSystemMetrics(SM_CXICONSPACING), GetSystemMetrics(SM_CXICON));
  EXPECT_EQ(GetSystemMetrics(12345), 0);
  EXPECT_EQ(GetSystemMetrics(-1), 0);
}

TEST(DeviceBoot, ARebootStartsFromTheImageAsItIsOnDisk) {
  BootedDevice device;
  device.image.AddFile(u"\\My Documents\\Letter.doc")
      .AddRegistry("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000000\n");
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  EXPECT_EQ(cesim::ProgramPath(), u"\\Windows\\fexplore.exe");
  ASSERT_TRUE(SetFileAttributesW(u"\\My Documents\\Letter.doc", FILE_ATTRIBUTE_HIDDEN));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Explorer", 0, 0, &key), ERROR_SUCCESS);
  const DWORD one = 1;
  RegSetValueExW(key, u"ShowExt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4);
  ASSERT_TRUE(CreateDirectoryW(u"\\Temp", nullptr));  // on the image's storage: it stays

  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_EQ(cesim::ProgramPath(), u"");
  EXPECT_EQ(GetFileAttributesW(u"\\My Documents\\Letter.doc"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ShowExt"), 0u);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(GetFileAttributesW(u"\\Temp"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(DeviceBoot, ShutdownEndsTheProcess) {
  BootedDevice device;
  ASSERT_TRUE(device.Boot());
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  cesim::StartProcess(u"\\Windows\\pword.exe");
  EXPECT_EQ(cesim::ProgramPath(), u"\\Windows\\pword.exe");
  cesim::Shutdown();
  EXPECT_EQ(cesim::ProgramPath(), u"");
  cesim::Shutdown();  // a second shutdown is harmless
  EXPECT_FALSE(cesim::IsBooted());
}

TEST(DeviceImage, AnExistingImageKeepsWhatItHasWhenTheBuilderAddsToIt) {
  cesim::ImageBuilder first;
  first.SetScreen(320, 240)
      .AddFile(u"\\Windows\\fexplore.exe", "", FILE_ATTRIBUTE_INROM)
      .AddRegistry("[HKEY_LOCAL_MACHINE\\Explorer]\n\"ShowExt\"=dword:00000001\n")
      .Write();
  {
    cesim::ImageBuilder more(first.Folder());
    more.AddRegistry("[HKEY_LOCAL_MACHINE\\Explorer]\n\"Preview\"=dword:00000001\n")
        .SetAttributes(u"\\WINDOWS\\FEXPLORE.EXE", FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE)
        .Write();
  }
  // A builder given a folder keeps it.
  struct stat info;
  ASSERT_EQ(stat(first.Folder().c_str(), &info), 0);
  ASSERT_TRUE(cesim::Boot(first.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"ShowExt"), 1u);
  EXPECT_EQ(cesim::ReadRegistryDword("HKEY_LOCAL_MACHINE\\Explorer", u"Preview"), 1u);
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\fexplore.exe"),
            static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_INROM | FILE_ATTRIBUTE_ROMMODULE));
  cesim::Shutdown();
}

TEST(DeviceImage, TheBuildersSettingsReplaceExistingOnesWrittenInAnotherCase) {
  cesim::ImageBuilder first;
  WriteFile(first.Folder() + "/device.ini", "[Screen]\nWIDTH=100\nHeight=100\n[Metrics]\nsm_cxvscroll=30\n");
  cesim::ImageBuilder(first.Folder()).SetScreen(320, 240).Write();
  ASSERT_TRUE(cesim::Boot(first.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 30);
  cesim::Shutdown();
}

TEST(DeviceImage, ModulesAndVolumesAppearInTheFileTree) {
  BootedDevice device;
  device.image.AddModule(u"\\Windows\\foldwise.dll", "/nonexistent/libfoldwise.so")
      .AddVolume(u"\\Storage Card", 1024, 4096);
  ASSERT_TRUE(device.Boot());
  EXPECT_EQ(GetFileAttributesW(u"\\Windows\\foldwise.dll"), static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_EQ(GetFileAttributesW(u"\\Storage Card"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY));
}

TEST(DeviceImage, TheTemporaryImageIsRemovedWithItsBuilder) {
  std::string folder;
  {
    cesim::ImageBuilder image;
    folder = image.Folder();
    image.AddFile(u"\\a.txt").Write();
  }
  struct stat info;
  EXPECT_NE(stat(folder.c_str(), &info), 0);
}

TEST(DeviceErrors, LastErrorIsKeptUntilSetAgain) {
  SetLastError(ERROR_MORE_DATA);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MORE_DATA));
  SetLastError(0);
  EXPECT_EQ(GetLastError(), 0u);
}

TEST(DeviceText, Utf16AndUtf8ConvertBothWays) {
  const std::u16string text = u"Caf\xE9 \x20AC \xD83D\xDE00";
  EXPECT_EQ(cesim::Narrow(text), "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80");
  EXPECT_EQ(cesim::Widen(cesim::Narrow(text)), text);
  // Broken input becomes U+FFFD instead of vanishing or running past the end.
  EXPECT_EQ(cesim::Widen("a\xC3"), u"a\xFFFD");
  EXPECT_EQ(cesim::Widen("\xFF" "b"), u"\xFFFD" u"b");
  EXPECT_EQ(cesim::Widen("\xC0\x80"), u"\xFFFD\xFFFD");  // an overlong form
  EXPECT_EQ(cesim::Narrow(u"\xD800x"), "\xEF\xBF\xBDx");
}

}  // namespace

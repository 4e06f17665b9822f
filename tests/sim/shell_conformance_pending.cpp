// Conformance tests of the clipboard, SHGetFileInfo, ShellExecuteEx and MessageBoxW: the
// behaviour the module relies on that desktop Windows shares, written against the Win32 API only
// so that the same source can run on cesim and as a Windows program under Wine. They move to
// tests/conformance when that suite is on main; until then the small host below stands in for its
// conformance::Host (same member names), running them on cesim. What only Windows CE does is
// tested in the cesim suites (clipboard_test, file_info_test, shell_execute_test,
// message_box_test, shortcut_test, shell_dialog_test) with the CE reference.
//
// Held against Wine 8 by hand: every clipboard and SHGetFileInfo expectation here, and the
// ShellExecuteEx failures (hInstApp and GetLastError where asserted). Wine names a type missing
// from HKEY_CLASSES_ROOT "abc file" where the desktop shell says "ABC File", shows registered
// extensions in display names, sets ERROR_BAD_EXE_FORMAT instead of the documented
// ERROR_NO_ASSOCIATION, gives SE_ERR_FNF for a missing folder and ignores cbSize; those checks
// stay in the cesim suites.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/automation.h"
#include "cesim/ui.h"

namespace conformance_pending {

using Text = std::basic_string<WCHAR>;

// --- The stand-in for conformance::Host, on cesim ---

class Host {
 public:
  void AddFile(const Text& path, const std::string& contents = std::string()) {
    device_.image.AddFile(path, contents);
  }
  // A default value below HKEY_CLASSES_ROOT (the desktop host writes HKEY_CLASSES_ROOT too).
  void SetClassesDefault(const Text& subkey, const Text& value) {
    std::string key;
    for (char16_t c : subkey) key += c == u'\\' ? "\\" : std::string(1, static_cast<char>(c));
    std::string data;
    for (char16_t c : value) data += c == u'\\' ? "\\\\" : c == u'"' ? "\\\"" : std::string(1, static_cast<char>(c));
    device_.image.AddRegistry("[HKEY_CLASSES_ROOT\\" + key + "]\n@=\"" + data + "\"\n\n");
  }
  bool Start() { return device_.Boot(); }
  Text Path(const Text& devicePath) const { return devicePath; }
  void RegisterWindowClass(const Text& name, WNDPROC procedure) {
    WNDCLASSW cls = {};
    cls.lpfnWndProc = procedure;
    cls.lpszClassName = name.c_str();
    RegisterClassW(&cls);
  }
  void PressKey(UINT vk) { cesim::PressKey(vk); }
  void Pump() { cesim::PumpMessages(); }
  void WhenIdle(std::function<void()> action) { cesim::WhenIdle(std::move(action)); }

 private:
  foldwise_test::BootedDevice device_;
};

class ConformanceTest : public ::testing::Test {
 protected:
  Host host;
};

// --- The clipboard ---

struct ClipboardHeard {
  int destroyClipboard = 0;
  int renderFormat = 0;
};
ClipboardHeard heard;

HLOCAL TextBlock(const Text& text) {
  HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR));
  for (size_t i = 0; i < text.size(); ++i) static_cast<WCHAR*>(block)[i] = text[i];
  return block;
}

Text TextOf(HANDLE data) {
  const WCHAR* text = static_cast<const WCHAR*>(GlobalLock(data));
  Text result = text != nullptr ? text : TEXT("");
  GlobalUnlock(data);
  return result;
}

LRESULT CALLBACK ClipboardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROYCLIPBOARD) {
    ++heard.destroyClipboard;
    return 0;
  }
  if (message == WM_RENDERFORMAT) {
    ++heard.renderFormat;
    SetClipboardData(static_cast<UINT>(wParam), TextBlock(TEXT("rendered")));
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ClipboardConformanceTest : public ConformanceTest {
 protected:
  void SetUp() override {
    heard = ClipboardHeard();
    ASSERT_TRUE(host.Start());
    host.RegisterWindowClass(TEXT("FoldwiseClipboardTest"), &ClipboardProc);
    first = Make();
    second = Make();
  }
  void TearDown() override {
    // The desktop's clipboard outlives the test: leave it empty and closed.
    if (OpenClipboard(first)) {
      EmptyClipboard();
      CloseClipboard();
    }
    DestroyWindow(first);
    DestroyWindow(second);
  }
  static HWND Make() {
    return CreateWindowExW(0, TEXT("FoldwiseClipboardTest"), TEXT(""), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
  }
  void Copy(HWND window, const Text& text) {
    ASSERT_TRUE(OpenClipboard(window));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, TextBlock(text)), nullptr);
    ASSERT_TRUE(CloseClipboard());
  }

  HWND first = nullptr;
  HWND second = nullptr;
};

TEST_F(ClipboardConformanceTest, CallsThatNeedTheClipboardOpenFailWithoutIt) {
  HLOCAL block = TextBlock(TEXT("x"));
  SetLastError(0);
  EXPECT_FALSE(EmptyClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  SetLastError(0);
  EXPECT_FALSE(CloseClipboard());
  EXPECT_EQ(GetLastError(), DWORD(ERROR_CLIPBOARD_NOT_OPEN));
  LocalFree(block);
}

TEST_F(ClipboardConformanceTest, AnotherWindowCannotOpenTheClipboardWhileOneHasItOpen) {
  ASSERT_TRUE(OpenClipboard(first));
  EXPECT_FALSE(OpenClipboard(second));
  EXPECT_TRUE(OpenClipboard(first));
  EXPECT_EQ(GetOpenClipboardWindow(), first);
  EXPECT_TRUE(CloseClipboard());
  EXPECT_TRUE(OpenClipboard(second));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardConformanceTest, EmptyingMakesTheOpenerTheOwnerOfWhatItPlaces) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(GetClipboardOwner(), first);
  HLOCAL block = TextBlock(TEXT("\\My Documents\\Letter.doc"));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
  EXPECT_EQ(CountClipboardFormats(), 1);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(second));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOf(data), Text(TEXT("\\My Documents\\Letter.doc")));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardConformanceTest, DataSetWithoutEmptyingJoinsWhatIsThereAndKeepsTheOwner) {
  Copy(first, TEXT("text"));
  ASSERT_TRUE(OpenClipboard(second));
  HLOCAL block = LocalAlloc(LPTR, 8);
  EXPECT_EQ(SetClipboardData(CF_OEMTEXT, block), block);
  EXPECT_EQ(GetClipboardOwner(), first);
  EXPECT_EQ(TextOf(GetClipboardData(CF_UNICODETEXT)), Text(TEXT("text")));
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardConformanceTest, EmptyingTellsThePreviousOwner) {
  Copy(first, TEXT("text"));
  ASSERT_TRUE(OpenClipboard(second));
  ASSERT_TRUE(EmptyClipboard());
  ASSERT_TRUE(CloseClipboard());
  host.Pump();
  EXPECT_EQ(heard.destroyClipboard, 1);
  EXPECT_EQ(GetClipboardOwner(), second);
}

TEST_F(ClipboardConformanceTest, DelayedDataIsRenderedByTheOwnerWhenAskedFor) {
  ASSERT_TRUE(OpenClipboard(first));
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, nullptr), nullptr);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  ASSERT_TRUE(OpenClipboard(second));
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(TextOf(data), Text(TEXT("rendered")));
  EXPECT_EQ(heard.renderFormat, 1);
  EXPECT_TRUE(CloseClipboard());
}

TEST_F(ClipboardConformanceTest, AnOwnerThatGoesAwayTakesItsDelayedFormats) {
  ASSERT_TRUE(OpenClipboard(second));
  ASSERT_TRUE(EmptyClipboard());
  SetClipboardData(CF_TEXT, nullptr);
  ASSERT_TRUE(CloseClipboard());
  ASSERT_TRUE(DestroyWindow(second));
  second = nullptr;
  EXPECT_EQ(GetClipboardOwner(), nullptr);
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
}

// --- SHGetFileInfo ---

class FileInfoConformanceTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFile(TEXT("\\Docs\\report.fwtest"), "x");
    host.AddFile(TEXT("\\Docs\\README"), "x");
    host.SetClassesDefault(TEXT(".fwtest"), TEXT("fwtestfile"));
    host.SetClassesDefault(TEXT("fwtestfile"), TEXT("Foldwise Test Document"));
    ASSERT_TRUE(host.Start());
  }
  Text TypeName(const Text& devicePath) {
    SHFILEINFO info = {};
    EXPECT_NE(SHGetFileInfo(host.Path(devicePath).c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME), DWORD_PTR(0));
    return info.szTypeName;
  }
};

TEST_F(FileInfoConformanceTest, TheTypeNameIsTheRegisteredTypes) {
  EXPECT_EQ(TypeName(TEXT("\\Docs\\report.fwtest")), Text(TEXT("Foldwise Test Document")));
}

TEST_F(FileInfoConformanceTest, FoldersAndFilesWithoutExtensionHaveTheShellsNames) {
  EXPECT_EQ(TypeName(TEXT("\\Docs")), Text(TEXT("Folder")));
  EXPECT_EQ(TypeName(TEXT("\\Docs\\README")), Text(TEXT("File")));
}

TEST_F(FileInfoConformanceTest, TheSystemIconIndexComesWithTheSystemImageList) {
  SHFILEINFO info = {};
  info.iIcon = -5;
  HIMAGELIST list = reinterpret_cast<HIMAGELIST>(SHGetFileInfo(
      host.Path(TEXT("\\Docs\\report.fwtest")).c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(list, nullptr);
  EXPECT_GE(info.iIcon, 0);
  EXPECT_LT(info.iIcon, ImageList_GetImageCount(list));
  int cx = 0;
  int cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx, GetSystemMetrics(SM_CXSMICON));
  EXPECT_EQ(cy, GetSystemMetrics(SM_CYSMICON));
  SHFILEINFO empty = {};
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(
                SHGetFileInfo(TEXT(""), 0, &empty, sizeof(empty), SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
            list)
      << "an empty path gives the same shared list";
}

TEST_F(FileInfoConformanceTest, AnIconIsTheCallersToDestroy) {
  SHFILEINFO info = {};
  EXPECT_NE(SHGetFileInfo(host.Path(TEXT("\\Docs\\report.fwtest")).c_str(), 0, &info, sizeof(info), SHGFI_ICON),
            DWORD_PTR(0));
  ASSERT_NE(info.hIcon, nullptr);
  EXPECT_TRUE(DestroyIcon(info.hIcon));
}

TEST_F(FileInfoConformanceTest, AMissingFileGivesNothing) {
  SHFILEINFO info = {};
  SetLastError(0);
  EXPECT_EQ(SHGetFileInfo(host.Path(TEXT("\\Docs\\gone.fwtest")).c_str(), 0, &info, sizeof(info), SHGFI_TYPENAME),
            DWORD_PTR(0));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

// --- ShellExecuteEx's failures (nothing is started) ---

class ShellExecuteConformanceTest : public ConformanceTest {
 protected:
  void SetUp() override {
    host.AddFile(TEXT("\\Docs\\data.fwnone"), "x");
    ASSERT_TRUE(host.Start());
  }
  BOOL Execute(const Text& devicePath) {
    path = host.Path(devicePath);
    record = SHELLEXECUTEINFO();
    record.cbSize = sizeof(record);
    record.fMask = SEE_MASK_FLAG_NO_UI;
    record.lpFile = path.c_str();
    return ShellExecuteEx(&record);
  }
  INT_PTR InstApp() const { return reinterpret_cast<INT_PTR>(record.hInstApp); }

  Text path;
  SHELLEXECUTEINFO record = {};
};

TEST_F(ShellExecuteConformanceTest, AMissingProgramIsFileNotFound) {
  SetLastError(0);
  EXPECT_FALSE(Execute(TEXT("\\Docs\\nowhere.exe")));
  EXPECT_EQ(InstApp(), INT_PTR(SE_ERR_FNF));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(ShellExecuteConformanceTest, AMissingFolderIsPathNotFound) {
  SetLastError(0);
  EXPECT_FALSE(Execute(TEXT("\\Nowhere\\nowhere.exe")));
  EXPECT_LE(InstApp(), 32);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(ShellExecuteConformanceTest, ADocumentWithoutAnAssociationIsNoAssociation) {
  EXPECT_FALSE(Execute(TEXT("\\Docs\\data.fwnone")));
  EXPECT_EQ(InstApp(), INT_PTR(SE_ERR_NOASSOC));
}

// --- MessageBoxW, answered by the keyboard ---

class MessageBoxConformanceTest : public ConformanceTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Start()); }
};

TEST_F(MessageBoxConformanceTest, EscapeCancelsABoxWithACancelButton) {
  host.WhenIdle([this] { host.PressKey(VK_ESCAPE); });
  EXPECT_EQ(MessageBoxW(nullptr, TEXT("Overwrite?"), TEXT("Confirm"), MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxConformanceTest, EnterPressesTheDefaultButton) {
  host.WhenIdle([this] { host.PressKey(VK_RETURN); });
  EXPECT_EQ(MessageBoxW(nullptr, TEXT("Overwrite?"), TEXT("Confirm"), MB_YESNOCANCEL | MB_ICONQUESTION), IDYES);
}

TEST_F(MessageBoxConformanceTest, TheSecondDefaultButtonIsTheOneEnterPresses) {
  host.WhenIdle([this] { host.PressKey(VK_RETURN); });
  EXPECT_EQ(MessageBoxW(nullptr, TEXT("Overwrite?"), TEXT("Confirm"), MB_YESNO | MB_DEFBUTTON2), IDNO);
}

}  // namespace conformance_pending

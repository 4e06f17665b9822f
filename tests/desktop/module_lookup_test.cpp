// Module lookups as module code sees them on desktop Windows: the core library by its device name,
// and export lookup by ASCII name, by wide name and by ordinal.
#include <gtest/gtest.h>

#include "ceplatform.h"

namespace {

TEST(CoreLibrary, TheDeviceNameFindsTheCoreLibraryInAnyLetterCase) {
  HMODULE core = GetModuleHandleW(TEXT("coredll"));
  ASSERT_NE(static_cast<HMODULE>(NULL), core);
  EXPECT_EQ(core, GetModuleHandleW(TEXT("COREDLL.DLL")));
  EXPECT_EQ(core, GetModuleHandleW(TEXT("CoreDll.dll")));
}

TEST(CoreLibrary, OtherNamesAreTheDesktopsOwnLookup) {
  EXPECT_EQ(static_cast<HMODULE>(NULL), GetModuleHandleW(TEXT("coredll.exe")));
  EXPECT_EQ(static_cast<HMODULE>(NULL), GetModuleHandleW(TEXT("no such library")));
  EXPECT_NE(static_cast<HMODULE>(NULL), GetModuleHandleW(TEXT("kernel32.dll")));
  EXPECT_NE(static_cast<HMODULE>(NULL), GetModuleHandleW(NULL));
}

TEST(CoreLibrary, TheOptionalUserInterfaceEntryPointsAreFoundByAsciiName) {
  HMODULE core = GetModuleHandleW(TEXT("coredll"));
  FARPROC layered = GetProcAddressA(core, "SetLayeredWindowAttributes");
  ASSERT_NE(static_cast<FARPROC>(NULL), layered);
  EXPECT_EQ(reinterpret_cast<void*>(layered),
            reinterpret_cast<void*>(&SetLayeredWindowAttributes));
}

TEST(CoreLibrary, KernelAndRegistryExportsAreFoundThroughTheSameHandle) {
  HMODULE core = GetModuleHandleW(TEXT("coredll"));
  EXPECT_EQ(reinterpret_cast<void*>(GetProcAddressA(GetModuleHandleW(TEXT("kernel32.dll")), "GetTickCount")),
            reinterpret_cast<void*>(GetProcAddressA(core, "GetTickCount")));
  EXPECT_NE(static_cast<FARPROC>(NULL), GetProcAddressA(core, "RegFlushKey"));
}

TEST(CoreLibrary, AMissingExportIsNullWithTheLastErrorSet) {
  HMODULE core = GetModuleHandleW(TEXT("coredll"));
  SetLastError(0);
  EXPECT_EQ(static_cast<FARPROC>(NULL), GetProcAddressA(core, "NoSuchCoreLibraryFunction"));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
}

TEST(ExportLookup, TheWideNameFindsWhatTheAsciiNameFinds) {
  HMODULE kernel = GetModuleHandleW(TEXT("kernel32.dll"));
  FARPROC ascii = GetProcAddressA(kernel, "GetCurrentProcessId");
  ASSERT_NE(static_cast<FARPROC>(NULL), ascii);
  EXPECT_EQ(reinterpret_cast<void*>(ascii), reinterpret_cast<void*>(GetProcAddressW(kernel, TEXT("GetCurrentProcessId"))));
  // The device's GetProcAddress is the wide one.
  EXPECT_EQ(reinterpret_cast<void*>(ascii), reinterpret_cast<void*>(GetProcAddress(kernel, TEXT("GetCurrentProcessId"))));
}

TEST(ExportLookup, AWideNameThatIsNotAsciiOrTooLongNamesNoExport) {
  HMODULE kernel = GetModuleHandleW(TEXT("kernel32.dll"));
  SetLastError(0);
  EXPECT_EQ(static_cast<FARPROC>(NULL), GetProcAddressW(kernel, TEXT("GetTickCount\x0100")));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());

  WCHAR longName[MAX_PATH + 1];
  for (int i = 0; i < MAX_PATH; ++i) {
    longName[i] = TEXT('A');
  }
  longName[MAX_PATH] = 0;
  SetLastError(0);
  EXPECT_EQ(static_cast<FARPROC>(NULL), GetProcAddressW(kernel, longName));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND), GetLastError());
}

// The export ordinal under which a loaded library exports a name, read from its export directory.
WORD ExportOrdinal(HMODULE module, const char* name) {
  const BYTE* base = reinterpret_cast<const BYTE*>(module);
  const IMAGE_DOS_HEADER* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const IMAGE_NT_HEADERS* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const IMAGE_EXPORT_DIRECTORY* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const DWORD* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  const WORD* indexes = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
    if (strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0) {
      return static_cast<WORD>(exports->Base + indexes[i]);
    }
  }
  return 0;
}

TEST(ExportLookup, AnOrdinalIsLookedUpAsAnOrdinal) {
  HMODULE kernel = GetModuleHandleW(TEXT("kernel32.dll"));
  WORD ordinal = ExportOrdinal(kernel, "GetTickCount");
  ASSERT_NE(0, ordinal);
  void* byName = reinterpret_cast<void*>(GetProcAddressA(kernel, "GetTickCount"));
  EXPECT_EQ(byName, reinterpret_cast<void*>(GetProcAddressW(kernel, MAKEINTRESOURCEW(ordinal))));
  EXPECT_EQ(byName, reinterpret_cast<void*>(GetProcAddressA(kernel, MAKEINTRESOURCEA(ordinal))));
}

}  // namespace

// The loader against the platform's documented behaviour: DllMain on attach and detach, a refused
// attach, per-module reference counts, the device's module names and search order, exports by
// name and by ordinal, the core library's optional exports, GetModuleFileNameW, and fresh module
// state on every new load. The module under test is the small test module (tests/sim/testmodule).
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "booted_device.h"
#include "ceplatform.h"

namespace {

const char16_t kModulePath[] = u"\\Windows\\testmodule.dll";
const char kCounterKey[] = "HKEY_LOCAL_MACHINE\\TestModule";

typedef int(WINAPI* CountFunction)();
typedef HINSTANCE(WINAPI* InstanceFunction)();

// Function pointers pass through void (*)(), the one type that converts to any function type.
typedef void (*AnyFunction)();
template <typename Function>
Function As(FARPROC procedure) {
  return reinterpret_cast<Function>(reinterpret_cast<AnyFunction>(procedure));
}
template <typename Function>
AnyFunction Address(Function function) {
  return reinterpret_cast<AnyFunction>(function);
}

DWORD Counter(const char16_t* name) { return cesim::ReadRegistryDword(kCounterKey, name).value_or(0); }

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device.image.AddModule(kModulePath, CESIM_TESTMODULE_PATH);
  }
  void Boot() {
    ASSERT_TRUE(device.Boot());
    cesim::StartProcess(u"\\Windows\\fexplore.exe");
  }
  foldwise_test::BootedDevice device;
};

TEST_F(LoaderTest, AttachesOnLoadAndDetachesOnLastFree) {
  Boot();
  HMODULE module = LoadLibraryW(kModulePath);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Counter(u"Attaches"), 1u);
  EXPECT_EQ(Counter(u"Detaches"), 0u);
  // DllMain was given the handle that LoadLibraryW returns.
  auto instance = As<InstanceFunction>(GetProcAddressW(module, u"ModuleInstance"));
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(instance(), module);

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(Counter(u"Detaches"), 1u);
  EXPECT_EQ(GetModuleHandleW(u"testmodule"), nullptr);
}

TEST_F(LoaderTest, RefusedAttachUnloadsTheModule) {
  device.image.AddRegistry("[HKEY_LOCAL_MACHINE\\TestModule]\n\"Refuse\"=dword:00000001\n");
  Boot();
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(kModulePath), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  // The refusing module is told it is detached, and is gone.
  EXPECT_EQ(Counter(u"Attaches"), 1u);
  EXPECT_EQ(Counter(u"Detaches"), 1u);
  EXPECT_EQ(GetModuleHandleW(u"testmodule"), nullptr);
  // A later attempt attaches again rather than finding a half-loaded module.
  EXPECT_EQ(LoadLibraryW(kModulePath), nullptr);
  EXPECT_EQ(Counter(u"Attaches"), 2u);
}

TEST_F(LoaderTest, CountsLoadsPerModule) {
  Boot();
  HMODULE first = LoadLibraryW(kModulePath);
  HMODULE second = LoadLibraryW(kModulePath);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(second, first);
  EXPECT_EQ(Counter(u"Attaches"), 1u);

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(Counter(u"Detaches"), 0u);
  EXPECT_NE(GetProcAddressW(first, u"NextCount"), nullptr);

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(Counter(u"Detaches"), 1u);

  // The handle is stale now.
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetProcAddressW(first, u"NextCount"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(Counter(u"Detaches"), 1u);
}

TEST_F(LoaderTest, ANewLoadStartsFromZeroedModuleState) {
  Boot();
  HMODULE module = LoadLibraryW(kModulePath);
  auto next = As<CountFunction>(GetProcAddressW(module, u"NextCount"));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next(), 1);
  EXPECT_EQ(next(), 2);
  ASSERT_TRUE(FreeLibrary(module));

  module = LoadLibraryW(kModulePath);
  next = As<CountFunction>(GetProcAddressW(module, u"NextCount"));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next(), 1);
  FreeLibrary(module);

  // A module that was unloaded with the device starts afresh in the next boot too.
  module = LoadLibraryW(kModulePath);
  next = As<CountFunction>(GetProcAddressW(module, u"NextCount"));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next(), 1);
  EXPECT_EQ(next(), 2);
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  cesim::StartProcess(u"\\Windows\\fexplore.exe");
  module = LoadLibraryW(kModulePath);
  next = As<CountFunction>(GetProcAddressW(module, u"NextCount"));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next(), 1);
}

TEST_F(LoaderTest, ModulesOfOneHostLibraryKeepTheirOwnState) {
  // Two device modules that the image maps to the same host library are two modules.
  device.image.AddModule(u"\\Windows\\second.dll", CESIM_TESTMODULE_PATH);
  Boot();
  HMODULE first = LoadLibraryW(kModulePath);
  HMODULE second = LoadLibraryW(u"second");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  auto nextFirst = As<CountFunction>(GetProcAddressW(first, u"NextCount"));
  auto nextSecond = As<CountFunction>(GetProcAddressW(second, u"NextCount"));
  ASSERT_NE(nextFirst, nullptr);
  ASSERT_NE(nextSecond, nullptr);
  EXPECT_EQ(nextFirst(), 1);
  EXPECT_EQ(nextFirst(), 2);
  EXPECT_EQ(nextSecond(), 1);
  EXPECT_EQ(As<InstanceFunction>(GetProcAddressW(second, u"ModuleInstance"))(), second);
  EXPECT_EQ(Counter(u"Attaches"), 2u);
  FreeLibrary(second);
  EXPECT_EQ(nextFirst(), 3);
}

TEST_F(LoaderTest, ShutdownDetachesLoadedModules) {
  Boot();
  ASSERT_NE(LoadLibraryW(kModulePath), nullptr);
  ASSERT_NE(LoadLibraryW(kModulePath), nullptr);
  cesim::Shutdown();
  // The module flushed its count to the image's registry file while detaching.
  std::ifstream file(device.image.Folder() + "/registry.reg");
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_NE(text.str().find("\"Detaches\"=dword:00000001"), std::string::npos) << text.str();
}

TEST_F(LoaderTest, KnowsModulesByFileNameWithoutExtension) {
  Boot();
  HMODULE module = LoadLibraryW(kModulePath);
  ASSERT_NE(module, nullptr);
  // The device compares module names without path, extension or letter case.
  EXPECT_EQ(LoadLibraryW(u"testmodule"), module);
  EXPECT_EQ(LoadLibraryW(u"TESTMODULE.DLL"), module);
  EXPECT_EQ(LoadLibraryW(u"\\Temp\\testmodule.cpl"), module);
  EXPECT_EQ(GetModuleHandleW(u"testmodule.dll"), module);
  EXPECT_EQ(GetModuleHandleW(u"TestModule"), module);
  EXPECT_EQ(Counter(u"Attaches"), 1u);
  // GetModuleHandleW takes no reference: four frees end the four loads.
  for (int i = 0; i < 3; ++i) FreeLibrary(module);
  EXPECT_EQ(Counter(u"Detaches"), 0u);
  FreeLibrary(module);
  EXPECT_EQ(Counter(u"Detaches"), 1u);
}

TEST_F(LoaderTest, SearchesTheProgramFolderThenWindows) {
  device.image.AddModule(u"\\Program Files\\Tools\\local.dll", CESIM_TESTMODULE_PATH);
  device.image.AddFile(u"\\Windows\\plain.dll", "not a module");
  Boot();
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(u"local"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  cesim::StartProcess(u"\\Program Files\\Tools\\tool.exe");
  HMODULE local = LoadLibraryW(u"local");
  ASSERT_NE(local, nullptr);
  WCHAR path[MAX_PATH];
  ASSERT_EQ(GetModuleFileNameW(local, path, MAX_PATH), 30u);
  EXPECT_EQ(std::u16string(path), u"\\Program Files\\Tools\\local.dll");
  // A path must be absolute; a plain name with no program-folder match is found in \Windows.
  EXPECT_EQ(LoadLibraryW(u"Windows\\testmodule.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_NE(LoadLibraryW(u"testmodule"), nullptr);

  // A file that the image maps to no library is no module this device can run.
  EXPECT_EQ(LoadLibraryW(u"plain"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  EXPECT_EQ(LoadLibraryW(u"\\Windows\\missing.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST_F(LoaderTest, RefusesNamesItCannotHold) {
  Boot();
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LoadLibraryW(u""), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  const std::u16string tooLong = u"\\Windows\\" + std::u16string(MAX_PATH, u'x') + u".dll";
  EXPECT_EQ(LoadLibraryW(tooLong.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

TEST_F(LoaderTest, ResolvesExportsByNameAndByOrdinal) {
  Boot();
  HMODULE module = LoadLibraryW(kModulePath);
  ASSERT_NE(module, nullptr);
  FARPROC byWideName = GetProcAddressW(module, u"NextCount");
  ASSERT_NE(byWideName, nullptr);
  EXPECT_EQ(GetProcAddressA(module, "NextCount"), byWideName);
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCE(3)), byWideName);  // its .def ordinal
  // An export without an ordinal in the .def takes the lowest free one.
  EXPECT_EQ(GetProcAddressA(module, reinterpret_cast<LPCSTR>(MAKEINTRESOURCE(1))),
            GetProcAddressA(module, "ModuleInstance"));

  // NONAME: reachable by ordinal only.
  auto hidden = As<CountFunction>(GetProcAddressW(module, MAKEINTRESOURCE(7)));
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden(), 7);
  SetLastError(0);
  EXPECT_EQ(GetProcAddressW(module, u"HiddenOrdinal"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));

  // Names are exact; unknown names and ordinals, and the entry point, are not exports.
  EXPECT_EQ(GetProcAddressA(module, "nextcount"), nullptr);
  EXPECT_EQ(GetProcAddressA(module, "DllMain"), nullptr);
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCE(2)), nullptr);
  EXPECT_EQ(GetProcAddressW(module, MAKEINTRESOURCE(0)), nullptr);
  EXPECT_EQ(GetProcAddressW(module, u"Next\u00e7ount"), nullptr);
  // The emulated program exports nothing.
  EXPECT_EQ(GetProcAddressA(nullptr, "NextCount"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

TEST_F(LoaderTest, CoreLibraryExportsCesimFunctionsByName) {
  Boot();
  HMODULE core = GetModuleHandleW(u"coredll");
  ASSERT_NE(core, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"coredll.dll"), core);
  EXPECT_EQ(LoadLibraryW(u"coredll.dll"), core);
  EXPECT_TRUE(FreeLibrary(core));
  EXPECT_EQ(Address(GetProcAddressA(core, "LoadLibraryW")), Address(&LoadLibraryW));
  EXPECT_EQ(Address(GetProcAddressW(core, u"GetGestureInfo")), Address(&GetGestureInfo));
  EXPECT_EQ(Address(GetProcAddressA(core, "SetLayeredWindowAttributes")), Address(&SetLayeredWindowAttributes));
  // Only the core library's own functions: not those of the host's C library, nor unknown names.
  EXPECT_EQ(GetProcAddressA(core, "malloc"), nullptr);
  EXPECT_EQ(GetProcAddressA(core, "NoSuchFunction"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  WCHAR path[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(core, path, MAX_PATH), 0u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\coredll.dll");
}

TEST_F(LoaderTest, OptionalCoreExportsFollowTheDeviceSettings) {
  device.image.SetCoreExport("GetGestureInfo", false);
  Boot();
  HMODULE core = GetModuleHandleW(u"coredll");
  SetLastError(0);
  EXPECT_EQ(GetProcAddressA(core, "GetGestureInfo"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_NE(GetProcAddressA(core, "SetLayeredWindowAttributes"), nullptr);
}

TEST_F(LoaderTest, OptionalCoreExportsCanAllBeAbsent) {
  device.image.SetCoreExport("GetGestureInfo", false).SetCoreExport("SetLayeredWindowAttributes", false);
  Boot();
  HMODULE core = GetModuleHandleW(u"coredll");
  EXPECT_EQ(GetProcAddressW(core, u"GetGestureInfo"), nullptr);
  EXPECT_EQ(GetProcAddressW(core, u"SetLayeredWindowAttributes"), nullptr);
  EXPECT_NE(GetProcAddressW(core, u"GetProcAddressA"), nullptr);
}

TEST_F(LoaderTest, GestureInfoOfAnUnknownHandleFails) {
  Boot();
  GESTUREINFO info = {};
  info.cbSize = sizeof info;
  info.dwID = 0xBEEF;
  SetLastError(0);
  EXPECT_FALSE(GetGestureInfo(reinterpret_cast<HGESTUREINFO>(0x1234), &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(info.dwID, 0xBEEFu);  // not written
  EXPECT_FALSE(GetGestureInfo(nullptr, nullptr));
}

TEST_F(LoaderTest, LayeredAttributesNeedAWindow) {
  Boot();
  SetLastError(0);
  EXPECT_FALSE(SetLayeredWindowAttributes(nullptr, 0, 128, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  HWND window =
      CreateWindowExW(WS_EX_LAYERED, u"Static", u"overlay", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(SetLayeredWindowAttributes(window, 0, 128, LWA_ALPHA));
  DestroyWindow(window);
  EXPECT_FALSE(SetLayeredWindowAttributes(window, 0, 128, LWA_ALPHA));
}

TEST_F(LoaderTest, ModuleFileNameOfTheProcessAndOfModules) {
  Boot();
  WCHAR path[MAX_PATH];
  ASSERT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), 21u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\fexplore.exe");

  HMODULE module = LoadLibraryW(u"TESTMODULE");
  ASSERT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 23u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\TESTMODULE.dll");
  EXPECT_EQ(GetModuleHandleW(nullptr), GetModuleHandleW(nullptr));
  EXPECT_NE(GetModuleHandleW(nullptr), module);

  FreeLibrary(module);
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(LoaderTest, ModuleFileNameIsCutToTheBuffer) {
  Boot();
  WCHAR path[32];
  for (WCHAR& c : path) c = u'#';
  SetLastError(0);
  // 21 characters into 10: nine of them and the terminator; the result is the buffer size.
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, 10), 10u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(path), u"\\Windows\\");
  EXPECT_EQ(path[10], u'#');
  // Exactly the length: no room for the terminator either.
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, 21), 21u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\fexplore.ex");
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, 22), 21u);
  EXPECT_EQ(std::u16string(path), u"\\Windows\\fexplore.exe");
  // No buffer at all: nothing is written.
  path[0] = u'#';
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, 0), 0u);
  EXPECT_EQ(path[0], u'#');
}

TEST_F(LoaderTest, ModuleFileNameOfLongProgramPaths) {
  Boot();
  WCHAR path[MAX_PATH];
  const std::u16string fits = foldwise_test::PathOfLength(u"\\Program Files", MAX_PATH - 1);
  cesim::StartProcess(fits);
  EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), static_cast<DWORD>(MAX_PATH - 1));
  EXPECT_EQ(std::u16string(path), fits);

  for (size_t length : {size_t(MAX_PATH), size_t(MAX_PATH + 1)}) {
    const std::u16string tooLong = foldwise_test::PathOfLength(u"\\Program Files", length);
    cesim::StartProcess(tooLong);
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), static_cast<DWORD>(MAX_PATH));
    EXPECT_EQ(std::u16string(path), tooLong.substr(0, MAX_PATH - 1));
  }
}

TEST_F(LoaderTest, DisablesThreadCallsOnlyForLoadedModules) {
  Boot();
  HMODULE module = LoadLibraryW(kModulePath);
  EXPECT_TRUE(DisableThreadLibraryCalls(module));
  FreeLibrary(module);
  SetLastError(0);
  EXPECT_FALSE(DisableThreadLibraryCalls(module));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(LoaderTest, AutomationLoadsAsTheProcessDoes) {
  Boot();
  HMODULE module = cesim::LoadModule(kModulePath);
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(GetModuleHandleW(u"testmodule"), module);
  cesim::FreeModule(module);
  EXPECT_EQ(GetModuleHandleW(u"testmodule"), nullptr);
  EXPECT_EQ(Counter(u"Detaches"), 1u);
}

}  // namespace

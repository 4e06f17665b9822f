// The module entry and its class object, reached through the loader as the Explorer does.
#include <gtest/gtest.h>

#include "module_fixture.h"

namespace foldwise_test {
namespace {

class ModuleEntryTest : public ModuleTest {};

TEST_F(ModuleEntryTest, LoadsIntoTheExplorerWhateverTheLetterCase) {
  ASSERT_NE(BootAndLoad(u"\\WINDOWS\\FEXPLORE.EXE"), nullptr);
  EXPECT_NE(getClassObject, nullptr);
  EXPECT_NE(canUnloadNow, nullptr);
}

TEST_F(ModuleEntryTest, RefusesEveryOtherProcess) {
  EXPECT_EQ(BootAndLoad(u"\\Windows\\other.exe"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
}

TEST_F(ModuleEntryTest, RefusesAnExplorerCopyInAnotherFolder) {
  EXPECT_EQ(BootAndLoad(u"\\Temp\\fexplore.exe"), nullptr);
}

TEST_F(ModuleEntryTest, LoadsWithoutTheOptionalCoreFunctions) {
  device.image.SetCoreExport("GetGestureInfo", false).SetCoreExport("SetLayeredWindowAttributes", false);
  ASSERT_NE(BootAndLoad(), nullptr);
  IClassFactory* factory = nullptr;
  EXPECT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  ASSERT_NE(factory, nullptr);
  factory->Release();
}

TEST_F(ModuleEntryTest, ExportsOnlyTheComEntryPointsByName) {
  ASSERT_NE(BootAndLoad(), nullptr);
  EXPECT_EQ(GetProcAddressW(module, u"DllRegisterServer"), nullptr);
  EXPECT_EQ(GetProcAddressW(module, u"ContextMenu"), nullptr);
}

TEST_F(ModuleEntryTest, GetClassObjectChecksItsArguments) {
  ASSERT_NE(BootAndLoad(), nullptr);
  EXPECT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, nullptr), E_INVALIDARG);

  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(getClassObject(IID_IContextMenu, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleEntryTest, ClassObjectAnswersOnlyItsOwnInterfaces) {
  ASSERT_NE(BootAndLoad(), nullptr);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(getClassObject(kFoldwiseClsid, IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(unknown->QueryInterface(IID_IContextMenu, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(unknown->QueryInterface(IID_IClassFactory, nullptr), E_INVALIDARG);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(unknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(static_cast<void*>(factory), static_cast<void*>(unknown));
  EXPECT_EQ(factory->Release(), 1u);
  EXPECT_EQ(unknown->Release(), 0u);
}

TEST_F(ModuleEntryTest, ClassObjectAskedForAnUnknownInterfaceStaysCounted) {
  ASSERT_NE(BootAndLoad(), nullptr);
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(getClassObject(kFoldwiseClsid, IID_IContextMenu, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  // The new object got no reference; it stays counted, so the module stays loaded.
  EXPECT_EQ(canUnloadNow(), S_FALSE);
}

TEST_F(ModuleEntryTest, EveryClassObjectCountsUntilItsLastRelease) {
  ASSERT_NE(BootAndLoad(), nullptr);
  IClassFactory* first = nullptr;
  IClassFactory* second = nullptr;
  ASSERT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&second)), S_OK);
  EXPECT_NE(first, second);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  first->Release();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  EXPECT_EQ(second->LockServer(TRUE), S_OK);
  second->Release();
  // Locking does not keep the module loaded.
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleEntryTest, CreateInstanceRefusesAggregationAndNullOut) {
  ASSERT_NE(BootAndLoad(), nullptr);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(getClassObject(kFoldwiseClsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, nullptr), E_INVALIDARG);
  void* out = reinterpret_cast<void*>(0x1234);
  EXPECT_EQ(factory->CreateInstance(factory, IID_IContextMenu, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));  // untouched on this path

  IContextMenu* menu = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu, reinterpret_cast<void**>(&menu)), S_OK);
  factory->Release();
  EXPECT_EQ(canUnloadNow(), S_FALSE);  // the context menu object is alive
  EXPECT_EQ(menu->Release(), 0u);
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleEntryTest, AFreshLoadStartsWithNoLiveObjects) {
  ASSERT_NE(BootAndLoad(), nullptr);
  void* out = nullptr;
  EXPECT_EQ(getClassObject(kFoldwiseClsid, IID_IContextMenu, &out), E_NOINTERFACE);  // leaks one count
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  ASSERT_TRUE(FreeLibrary(module));
  module = LoadLibraryW(u"\\Windows\\foldwise.dll");
  ASSERT_NE(module, nullptr);
  auto fresh = reinterpret_cast<DllCanUnloadNowFunc>(reinterpret_cast<void*>(GetProcAddressW(module, u"DllCanUnloadNow")));
  EXPECT_EQ(fresh(), S_OK);
}

}  // namespace
}  // namespace foldwise_test

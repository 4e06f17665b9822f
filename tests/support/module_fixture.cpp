#include "module_fixture.h"

namespace foldwise_test {

const CLSID kFoldwiseClsid = {0x6B1E3A52, 0x8C4D, 0x4F7A, {0x9E, 0x21, 0x3D, 0x5C, 0x7B, 0x9A, 0x0F, 0x14}};

void ModuleTest::SetUp() {
  device.image.AddModule(u"\\Windows\\foldwise.dll", FOLDWISE_MODULE_PATH);
  device.image.AddFolder(u"\\Windows");
}

HMODULE ModuleTest::BootAndLoad(const std::u16string& program) {
  if (!device.Boot()) {
    ADD_FAILURE() << "the device did not boot";
    return nullptr;
  }
  cesim::StartProcess(program);
  module = LoadLibraryW(u"\\Windows\\foldwise.dll");
  if (module != nullptr) {
    getClassObject = reinterpret_cast<DllGetClassObjectFunc>(reinterpret_cast<void*>(GetProcAddressW(module, u"DllGetClassObject")));
    canUnloadNow = reinterpret_cast<DllCanUnloadNowFunc>(reinterpret_cast<void*>(GetProcAddressW(module, u"DllCanUnloadNow")));
  }
  return module;
}

}  // namespace foldwise_test

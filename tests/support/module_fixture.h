// A device with the module mapped at \Windows\foldwise.dll, and the module's exports as the
// Explorer reaches them through the loader.
#ifndef FOLDWISE_TESTS_MODULE_FIXTURE_H
#define FOLDWISE_TESTS_MODULE_FIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "booted_device.h"
#include "ceplatform.h"

namespace foldwise_test {

// The class identifier that the module serves.
extern const CLSID kFoldwiseClsid;

typedef HRESULT(STDMETHODCALLTYPE* DllGetClassObjectFunc)(REFCLSID, REFIID, void**);
typedef HRESULT(STDMETHODCALLTYPE* DllCanUnloadNowFunc)();

class ModuleTest : public ::testing::Test {
 protected:
  // Boots the image (after the test adds to it), starts the process and loads the module.
  // Returns the module handle, or null when the load was refused.
  HMODULE BootAndLoad(const std::u16string& program = u"\\Windows\\fexplore.exe");

  void SetUp() override;

  BootedDevice device;
  HMODULE module = nullptr;
  DllGetClassObjectFunc getClassObject = nullptr;
  DllCanUnloadNowFunc canUnloadNow = nullptr;
};

}  // namespace foldwise_test

#endif

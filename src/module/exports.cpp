// The module's COM exports: the class object of its one class, and whether it may be unloaded.
#include "module/class_factory.h"
#include "module/class_id.h"
#include "module/module_state.h"

extern "C" HRESULT STDMETHODCALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == NULL) return E_INVALIDARG;
  *out = NULL;
  if (!SameGuid(clsid, CLSID_FoldwiseContextMenu)) return CLASS_E_CLASSNOTAVAILABLE;
  // A new class object for every call; there is no shared instance.
  ClassFactory* factory = ClassFactory::Create();
  if (factory == NULL) return E_OUTOFMEMORY;
  return factory->QueryInterface(iid, out);
}

extern "C" HRESULT STDMETHODCALLTYPE DllCanUnloadNow() {
  return g_module.liveObjects == 0 ? S_OK : S_FALSE;
}

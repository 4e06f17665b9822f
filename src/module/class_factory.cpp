// The class object: hands out context menu objects and counts itself as a live object.
#include "module/class_factory.h"

#include "contextmenu/context_menu.h"
#include "module/class_id.h"
#include "module/module_state.h"

void* ClassFactory::operator new(size_t size) throw() { return LocalAlloc(LPTR, size); }
void ClassFactory::operator delete(void* block) { LocalFree(block); }

ClassFactory::ClassFactory() : references_(0) { ++g_module.liveObjects; }

ClassFactory* ClassFactory::Create() { return new ClassFactory(); }

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out) {
  if (out == NULL) return E_INVALIDARG;
  *out = NULL;
  if (!SameGuid(iid, IID_IUnknown) && !SameGuid(iid, IID_IClassFactory)) return E_NOINTERFACE;
  *out = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) ClassFactory::Release() {
  ULONG count = --references_;
  if (count == 0) {
    --g_module.liveObjects;
    delete this;
  }
  return count;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (out == NULL) return E_INVALIDARG;
  if (outer != NULL) return CLASS_E_NOAGGREGATION;
  ContextMenu* menu = ContextMenu::Create();
  if (menu == NULL) {
    *out = NULL;
    return E_OUTOFMEMORY;
  }
  return menu->QueryInterface(iid, out);
}

// Locking does not keep the module loaded.
STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  (void)lock;
  return S_OK;
}

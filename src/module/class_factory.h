// The class object that creates the module's context menu objects.
#ifndef FOLDWISE_CLASS_FACTORY_H
#define FOLDWISE_CLASS_FACTORY_H

#include "ceplatform.h"

class ClassFactory : public IClassFactory {
 public:
  // A new class object with reference count 0, counted as live; null when memory runs out.
  static ClassFactory* Create();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out);
  STDMETHODIMP_(ULONG) AddRef();
  STDMETHODIMP_(ULONG) Release();
  // IClassFactory
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out);
  STDMETHODIMP LockServer(BOOL lock);

  static void* operator new(size_t size) throw();
  static void operator delete(void* block);

 private:
  ClassFactory();
  virtual ~ClassFactory() {}
  ULONG references_;
};

#endif

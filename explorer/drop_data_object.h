// The data object through which the Explorer hands its selection to context menu handlers:
// CF_HDROP as a DROPFILES block of wide paths in movable global memory.
#ifndef FEXPLORE_DROP_DATA_OBJECT_H
#define FEXPLORE_DROP_DATA_OBJECT_H

#include "ceplatform.h"

class DropDataObject : public IDataObject {
 public:
  // A data object for one selected path, with one reference; null when the path does not fit
  // or memory runs out.
  static DropDataObject* Create(LPCWSTR path);

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out);
  STDMETHODIMP_(ULONG) AddRef();
  STDMETHODIMP_(ULONG) Release();
  // IDataObject
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium);
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium);
  STDMETHODIMP QueryGetData(FORMATETC* format);
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out);
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release);
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out);
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection);
  STDMETHODIMP DUnadvise(DWORD connection);
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out);

  static void* operator new(size_t size) throw();
  static void operator delete(void* block);

 private:
  DropDataObject();
  virtual ~DropDataObject() {}

  ULONG references_;
  WCHAR path_[MAX_PATH];
};

#endif

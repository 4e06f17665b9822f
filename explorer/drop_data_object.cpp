// The Explorer's selection as CF_HDROP for context menu handlers.
#include "drop_data_object.h"

void* DropDataObject::operator new(size_t size) throw() { return LocalAlloc(LPTR, size); }
void DropDataObject::operator delete(void* block) { LocalFree(block); }

DropDataObject::DropDataObject() : references_(1) { path_[0] = 0; }

DropDataObject* DropDataObject::Create(LPCWSTR path) {
  if (path == NULL || wcslen(path) >= MAX_PATH) return NULL;
  DropDataObject* object = new DropDataObject();
  if (object == NULL) return NULL;
  wcsncpy(object->path_, path, MAX_PATH - 1);
  object->path_[MAX_PATH - 1] = 0;
  return object;
}

STDMETHODIMP DropDataObject::QueryInterface(REFIID iid, void** out) {
  if (out == NULL) return E_POINTER;
  *out = NULL;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDataObject)) return E_NOINTERFACE;
  *out = static_cast<IDataObject*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) DropDataObject::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) DropDataObject::Release() {
  ULONG count = --references_;
  if (count == 0) delete this;
  return count;
}

STDMETHODIMP DropDataObject::QueryGetData(FORMATETC* format) {
  if (format == NULL) return E_POINTER;
  if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
  if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
  return S_OK;
}

STDMETHODIMP DropDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
  HRESULT hr = QueryGetData(format);
  if (FAILED(hr)) return hr;
  if (medium == NULL) return E_POINTER;
  // DROPFILES, the path with its terminator, and the empty name that ends the list.
  SIZE_T length = wcslen(path_);
  SIZE_T size = sizeof(DROPFILES) + (length + 2) * sizeof(WCHAR);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  if (memory == NULL) return E_OUTOFMEMORY;
  BYTE* block = static_cast<BYTE*>(GlobalLock(memory));
  DROPFILES* header = reinterpret_cast<DROPFILES*>(block);
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  WCHAR* list = reinterpret_cast<WCHAR*>(block + sizeof(DROPFILES));
  for (SIZE_T i = 0; i < length; ++i) list[i] = path_[i];
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = NULL;
  return S_OK;
}

STDMETHODIMP DropDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
STDMETHODIMP DropDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out != NULL) out->ptd = NULL;
  return E_NOTIMPL;
}
STDMETHODIMP DropDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }
STDMETHODIMP DropDataObject::EnumFormatEtc(DWORD, IEnumFORMATETC** out) {
  if (out != NULL) *out = NULL;
  return E_NOTIMPL;
}
STDMETHODIMP DropDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP DropDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP DropDataObject::EnumDAdvise(IEnumSTATDATA** out) {
  if (out != NULL) *out = NULL;
  return OLE_E_ADVISENOTSUPPORTED;
}

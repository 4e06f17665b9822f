// A shell data object for tests: hands out a drop list (or any block) as CF_HDROP in an
// HGLOBAL, counts its references, and can be told to fail.
#ifndef FOLDWISE_TESTS_DATA_OBJECT_DOUBLE_H
#define FOLDWISE_TESTS_DATA_OBJECT_DOUBLE_H

#include <string>
#include <vector>

#include "ceplatform.h"

namespace foldwise_test {

// A DROPFILES block with the given wide paths, the list ending with an empty name.
std::vector<uint8_t> DropListBlock(const std::vector<std::u16string>& paths);

class DataObjectDouble : public IDataObject {
 public:
  explicit DataObjectDouble(std::vector<uint8_t> block) : block_(std::move(block)) {}

  bool failGetData = false;
  int getDataCalls = 0;
  // The references held by others: starts at 1 for the test's own.
  ULONG references = 1;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  std::vector<uint8_t> block_;
};

// A site: an object that yields a data object through QueryInterface (or does not).
class SiteDouble : public IUnknown {
 public:
  explicit SiteDouble(IDataObject* data) : data_(data) {}
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }

 private:
  IDataObject* data_;
};

}  // namespace foldwise_test

#endif

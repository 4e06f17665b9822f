#include "data_object_double.h"

#include <cstring>

namespace foldwise_test {

std::vector<uint8_t> DropListBlock(const std::vector<std::u16string>& paths) {
  std::vector<uint8_t> block(sizeof(DROPFILES), 0);
  DROPFILES header = {};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof(header));
  auto put = [&block](char16_t c) {
    block.push_back(static_cast<uint8_t>(c & 0xff));
    block.push_back(static_cast<uint8_t>(c >> 8));
  };
  for (const auto& path : paths) {
    for (char16_t c : path) put(c);
    put(0);
  }
  put(0);
  return block;
}

HRESULT DataObjectDouble::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDataObject) {
    *out = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  return E_NOINTERFACE;
}

HRESULT DataObjectDouble::QueryGetData(FORMATETC* format) {
  return format != nullptr && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
}

HRESULT DataObjectDouble::GetData(FORMATETC* format, STGMEDIUM* medium) {
  ++getDataCalls;
  if (failGetData || format == nullptr || format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) {
    return DV_E_FORMATETC;
  }
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block_.size());
  if (memory == nullptr) return E_OUTOFMEMORY;
  void* bytes = GlobalLock(memory);
  if (!block_.empty()) std::memcpy(bytes, block_.data(), block_.size());
  GlobalUnlock(memory);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = memory;
  medium->pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT SiteDouble::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown) {
    *out = static_cast<IUnknown*>(this);
  } else if (iid == IID_IDataObject && data_ != nullptr) {
    *out = data_;
  } else {
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

}  // namespace foldwise_test

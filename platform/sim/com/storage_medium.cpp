// ReleaseStgMedium: frees a data-transfer medium the way its provider asked. With pUnkForRelease
// the provider keeps the medium and is told through its Release; without it the receiver owns the
// medium and frees it by its kind.
#include "sim/com.h"
#include "sim/core.h"
#include "sim/files.h"

namespace {

// Streams and storages are COM objects whose first slots are IUnknown's; only Release is needed.
void ReleaseInterface(void* object) {
  if (object != nullptr) static_cast<IUnknown*>(object)->Release();
}

}  // namespace

CESIM_API void WINAPI ReleaseStgMedium(LPSTGMEDIUM pmedium) {
  if (pmedium == nullptr) return;
  IUnknown* owner = pmedium->pUnkForRelease;
  switch (pmedium->tymed) {
    case TYMED_HGLOBAL:
      if (owner == nullptr && pmedium->hGlobal != nullptr) GlobalFree(pmedium->hGlobal);
      break;
    case TYMED_FILE:
      if (pmedium->lpszFileName != nullptr) {
        if (owner == nullptr) DeleteFileW(pmedium->lpszFileName);
        CoTaskMemFree(pmedium->lpszFileName);
      }
      break;
    case TYMED_ISTREAM:
      ReleaseInterface(pmedium->pstm);
      break;
    case TYMED_ISTORAGE:
      ReleaseInterface(pmedium->pstg);
      break;
    default:
      // GDI and metafile media do not exist on the device; only their owner is released.
      break;
  }
  if (owner != nullptr) owner->Release();
}

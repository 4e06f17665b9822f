// GetFileVersionInfoSizeW, GetFileVersionInfoW and VerQueryValueW over the PE files of the
// device's file tree. The size is that of the resource itself (the device has no narrow calls that
// need room for converted strings, as the desktop's doubled size gives them).
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <optional>
#include <vector>

#include "files/open.h"
#include "locale/device_locale.h"
#include "sim/core.h"
#include "sim/locale.h"
#include "sim/version.h"
#include "version/pe_image.h"
#include "version/version.h"
#include "version/version_block.h"

namespace cesim::detail {

namespace {

// Blocks filled by GetFileVersionInfoW: address -> bytes copied.
std::map<const void*, size_t>& CopiedBlocks() {
  static std::map<const void*, size_t> blocks;
  return blocks;
}

// A device file mapped read-only into memory.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile() {
    if (base_ != nullptr) munmap(base_, size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // ERROR_SUCCESS, or the device's error for a file that cannot be opened. An empty file maps to
  // no bytes.
  DWORD Map(LPCWSTR path) {
    FileOpening reading;
    int descriptor = -1;
    const DWORD error = OpenDeviceFile(path, reading, &descriptor);
    if (error != ERROR_SUCCESS) return error;
    struct stat info;
    if (fstat(descriptor, &info) == 0 && info.st_size > 0) {
      void* base = mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
      if (base != MAP_FAILED) {
        base_ = base;
        size_ = static_cast<size_t>(info.st_size);
      }
    }
    close(descriptor);
    return ERROR_SUCCESS;
  }

  const uint8_t* Bytes() const { return static_cast<const uint8_t*>(base_); }
  size_t Size() const { return size_; }

 private:
  void* base_ = nullptr;
  size_t size_ = 0;
};

// The languages tried for a file's version resource, as the loader looks for a resource: neutral,
// the device's own language with its sub-language, neutral and default ones, then US English; a
// file that has none of them gives its first.
std::vector<uint16_t> PreferredLanguages() {
  const LANGID language = LANGIDFROMLCID(CurrentLocale().lcid);
  return {MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), language,
          static_cast<uint16_t>(MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL)),
          static_cast<uint16_t>(MAKELANGID(PRIMARYLANGID(language), SUBLANG_DEFAULT)),
          static_cast<uint16_t>(MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT))};
}

// Finds the version resource of a file; sets the last error when there is none.
std::optional<ResourceData> FindVersionResource(LPCWSTR path, MappedFile& file) {
  if (path == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return std::nullopt;
  }
  if (path[0] == 0) {
    SetLastError(ERROR_BAD_PATHNAME);
    return std::nullopt;
  }
  const DWORD error = file.Map(path);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return std::nullopt;
  }
  OrdinalOrText type;
  type.ordinal = 16;  // RT_VERSION
  OrdinalOrText name;
  name.ordinal = VS_VERSION_INFO;
  std::optional<ResourceData> resource = FindPeResource(file.Bytes(), file.Size(), type, name, PreferredLanguages());
  if (!resource) SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return resource;
}

}  // namespace

void ResetVersionBlocks(Phase) { CopiedBlocks().clear(); }

}  // namespace cesim::detail

using namespace cesim::detail;

DWORD WINAPI GetFileVersionInfoSizeW(LPWSTR lptstrFilename, LPDWORD lpdwHandle) {
  if (lpdwHandle != nullptr) *lpdwHandle = 0;
  MappedFile file;
  std::optional<ResourceData> resource = FindVersionResource(lptstrFilename, file);
  if (!resource) return 0;
  if (resource->size > 0xFFFFFFFFu) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return 0;
  }
  SetLastError(ERROR_SUCCESS);
  return static_cast<DWORD>(resource->size);
}

BOOL WINAPI GetFileVersionInfoW(LPWSTR lptstrFilename, DWORD, DWORD dwLen, LPVOID lpData) {
  if (lpData == nullptr) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  MappedFile file;
  std::optional<ResourceData> resource = FindVersionResource(lptstrFilename, file);
  if (!resource) return FALSE;
  // A buffer smaller than the resource gets as much of it as fits.
  const size_t copied = resource->size < dwLen ? resource->size : dwLen;
  std::memcpy(lpData, file.Bytes() + resource->offset, copied);
  CopiedBlocks()[lpData] = copied;
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL WINAPI VerQueryValueW(const LPVOID pBlock, LPWSTR lpSubBlock, LPVOID* lplpBuffer, PUINT puLen) {
  if (pBlock == nullptr) return FALSE;
  if (lplpBuffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const uint8_t* block = static_cast<const uint8_t*>(pBlock);
  // The block claims its own length; a block this device copied is read no further than the copy.
  size_t size = *VersionBlockLength(block, 2);
  auto copied = CopiedBlocks().find(pBlock);
  if (copied != CopiedBlocks().end() && copied->second < size) size = copied->second;
  const std::u16string path = lpSubBlock != nullptr && lpSubBlock[0] != 0 ? std::u16string(lpSubBlock) : u"\\";
  std::optional<VersionValue> value = QueryVersionValue(block, size, path);
  if (!value) {
    if (puLen != nullptr) *puLen = 0;
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return FALSE;
  }
  *lplpBuffer = static_cast<uint8_t*>(pBlock) + value->offset;
  if (puLen != nullptr) *puLen = value->length;
  return TRUE;
}

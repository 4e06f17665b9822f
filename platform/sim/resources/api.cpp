// FindResourceW, LoadResource, LockResource, SizeofResource and FreeResource over the .res image
// that each loaded module carries. The image is copied into read-only memory below 2 GB at load:
// resource pointers then behave as on the device (read-only, valid until the module is unloaded)
// and fit the int that the in-place form of LoadStringW returns.
#include "resources/resources.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "core/parts.h"
#include "loader/loader.h"
#include "resources/reader.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/resources.h"

namespace cesim::detail {

namespace {

struct ModuleResources {
  uint8_t* image = nullptr;  // the read-only copy
  size_t mappedSize = 0;
  std::vector<ResourceRecord> records;  // in file order, so by rising offsets
};

std::unordered_map<uintptr_t, ModuleResources>& Modules() {
  static std::unordered_map<uintptr_t, ModuleResources> modules;
  return modules;
}

// Anonymous memory in the low 2 GB of the address space where the host offers it.
uint8_t* MapLow(size_t size) {
  int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_32BIT
  flags |= MAP_32BIT;
#endif
  void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, flags, -1, 0);
  if (memory == MAP_FAILED) memory = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return memory == MAP_FAILED ? nullptr : static_cast<uint8_t*>(memory);
}

void Unmap(ModuleResources& resources) {
  if (resources.image != nullptr) munmap(resources.image, resources.mappedSize);
  resources.image = nullptr;
}

// The resources of a module handle; sets the platform's error when there are none.
ModuleResources* ResourcesOf(HMODULE module) {
  const ModuleKind kind = ClassifyModule(module);
  if (kind == ModuleKind::None) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const bool carriesResources = kind == ModuleKind::Loaded || kind == ModuleKind::System;
  auto it = carriesResources ? Modules().find(reinterpret_cast<uintptr_t>(module)) : Modules().end();
  if (it == Modules().end()) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  return &it->second;
}

// The caller's type or name as a resource identifier: an ordinal, "#number", or a string compared
// without letter case. Reads the caller's string only as far as it can still match.
bool Matches(const OrdinalOrText& stored, LPCWSTR wanted) {
  if (IS_INTRESOURCE(wanted)) return !stored.isString && stored.ordinal == LOWORD(wanted);
  if (wanted[0] == u'#') {
    uint32_t number = 0;
    size_t i = 1;
    for (; wanted[i] >= u'0' && wanted[i] <= u'9'; ++i) {
      number = number * 10 + static_cast<uint32_t>(wanted[i] - u'0');
      if (number > 0xFFFF) return false;
    }
    return i > 1 && wanted[i] == 0 && !stored.isString && stored.ordinal == number;
  }
  if (!stored.isString) return false;
  size_t i = 0;
  for (; i < stored.text.size(); ++i) {
    if (wanted[i] == 0 || towupper(wanted[i]) != towupper(stored.text[i])) return false;
  }
  return wanted[i] == 0;
}

// The order in which languages are preferred: neutral first, then the user's and the system's
// default, then US English, then whatever comes first in the file.
int LanguageRank(uint16_t language) {
  switch (language) {
    case MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL): return 0;
    case MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT): return 1;
    case MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT): return 2;
    case MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT): return 3;
    default: return 4;
  }
}

const ResourceRecord* RecordAtHeader(const ModuleResources& resources, const void* header) {
  const uint8_t* at = static_cast<const uint8_t*>(header);
  if (at < resources.image || at >= resources.image + resources.mappedSize) return nullptr;
  const size_t offset = static_cast<size_t>(at - resources.image);
  auto it = std::lower_bound(resources.records.begin(), resources.records.end(), offset,
                             [](const ResourceRecord& r, size_t o) { return r.headerOffset < o; });
  if (it == resources.records.end() || it->headerOffset != offset) return nullptr;
  return &*it;
}

// The loaded resource whose data contains `pointer`, if any.
const ResourceRecord* RecordContaining(const void* pointer, const uint8_t** image) {
  const uint8_t* at = static_cast<const uint8_t*>(pointer);
  for (const auto& entry : Modules()) {
    const ModuleResources& resources = entry.second;
    // The end of the image counts: an empty last resource has its data there.
    if (at < resources.image || at > resources.image + resources.mappedSize) continue;
    const size_t offset = static_cast<size_t>(at - resources.image);
    auto it = std::upper_bound(resources.records.begin(), resources.records.end(), offset,
                               [](size_t o, const ResourceRecord& r) { return o < r.dataOffset; });
    if (it == resources.records.begin()) return nullptr;
    --it;
    if (offset == it->dataOffset || offset - it->dataOffset < it->dataSize) {
      *image = resources.image;
      return &*it;
    }
    return nullptr;
  }
  return nullptr;
}

}  // namespace

void ResetResources(Phase) {
  // Modules are unloaded by the loader before this runs; anything left is released here.
  for (auto& entry : Modules()) Unmap(entry.second);
  Modules().clear();
}

void AttachResources(HMODULE module, const uint8_t* image, size_t size) {
  DetachResources(module);
  if (image == nullptr || size == 0) return;
  std::vector<ResourceRecord> records = ReadResourceFile(image, size);
  if (records.empty()) return;
  ModuleResources resources;
  resources.mappedSize = size;
  resources.image = MapLow(size);
  if (resources.image == nullptr) return;
  std::memcpy(resources.image, image, size);
  mprotect(resources.image, size, PROT_READ);
  resources.records = std::move(records);
  Modules()[reinterpret_cast<uintptr_t>(module)] = std::move(resources);
}

void DetachResources(HMODULE module) {
  auto it = Modules().find(reinterpret_cast<uintptr_t>(module));
  if (it == Modules().end()) return;
  Unmap(it->second);
  Modules().erase(it);
}

std::optional<size_t> ResourceBytesAt(const void* pointer) {
  const uint8_t* image = nullptr;
  const ResourceRecord* record = RecordContaining(pointer, &image);
  if (record == nullptr) return std::nullopt;
  const size_t offset = static_cast<size_t>(static_cast<const uint8_t*>(pointer) - image);
  return record->dataSize - (offset - record->dataOffset);
}

}  // namespace cesim::detail

using cesim::detail::ModuleResources;
using cesim::detail::ResourceRecord;

CESIM_API HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
  ModuleResources* resources = cesim::detail::ResourcesOf(hModule == nullptr ? cesim::detail::ProcessModuleHandle() : hModule);
  if (resources == nullptr) return nullptr;
  if (lpName == nullptr || lpType == nullptr) {
    SetLastError(lpType == nullptr ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  bool typeSeen = false;
  const ResourceRecord* best = nullptr;
  for (const ResourceRecord& record : resources->records) {
    if (!cesim::detail::Matches(record.type, lpType)) continue;
    typeSeen = true;
    if (!cesim::detail::Matches(record.name, lpName)) continue;
    if (best == nullptr || cesim::detail::LanguageRank(record.language) < cesim::detail::LanguageRank(best->language))
      best = &record;
  }
  if (best == nullptr) {
    SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HRSRC>(resources->image + best->headerOffset);
}

CESIM_API HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo) {
  ModuleResources* resources = cesim::detail::ResourcesOf(hModule == nullptr ? cesim::detail::ProcessModuleHandle() : hModule);
  if (resources == nullptr) return nullptr;
  const ResourceRecord* record = cesim::detail::RecordAtHeader(*resources, hResInfo);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return resources->image + record->dataOffset;
}

CESIM_API LPVOID WINAPI LockResource(HGLOBAL hResData) {
  // Only what LoadResource returned: the start of a loaded resource's data.
  const uint8_t* image = nullptr;
  const ResourceRecord* record = cesim::detail::RecordContaining(hResData, &image);
  if (record == nullptr || static_cast<const uint8_t*>(hResData) != image + record->dataOffset) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return hResData;
}

CESIM_API DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo) {
  ModuleResources* resources = cesim::detail::ResourcesOf(hModule == nullptr ? cesim::detail::ProcessModuleHandle() : hModule);
  if (resources == nullptr) return 0;
  const ResourceRecord* record = cesim::detail::RecordAtHeader(*resources, hResInfo);
  if (record == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return static_cast<DWORD>(record->dataSize);
}

CESIM_API BOOL WINAPI FreeResource(HGLOBAL) {
  // Resources stay mapped until their module is unloaded; there is nothing to free.
  return FALSE;
}

// Image lists: images of one size in order, added from icons and given out as new icons. Handles
// are numbered and never reused within a boot, so a destroyed list's handle stays stale.
#include "controls/imagelist/imagelist.h"

#include <cstdint>
#include <map>

#include "sim/commctrl.h"
#include "sim/core.h"
#include "sim/window.h"
#include "window/icons.h"

namespace cesim::detail {

namespace {

// A device never makes images of more than this many pixels a side.
constexpr int kLargestSide = 4096;
constexpr uintptr_t kListBase = 0x00C20000;

struct ImageList {
  int width = 0;
  int height = 0;
  bool shared = false;
  std::vector<std::u16string> images;
};

struct ListTable {
  std::map<uintptr_t, ImageList> lists;
  uintptr_t next = 0;
};

ListTable& Lists() {
  static ListTable table;
  return table;
}

ImageList* FindList(HIMAGELIST handle) {
  auto it = Lists().lists.find(reinterpret_cast<uintptr_t>(handle));
  return it == Lists().lists.end() ? nullptr : &it->second;
}

HIMAGELIST NewList(int width, int height, bool shared) {
  ListTable& table = Lists();
  const uintptr_t handle = kListBase + (++table.next) * 4;
  ImageList list;
  list.width = width;
  list.height = height;
  list.shared = shared;
  table.lists.emplace(handle, list);
  return reinterpret_cast<HIMAGELIST>(handle);
}

}  // namespace

HIMAGELIST CreateSharedImageList(int width, int height) { return NewList(width, height, true); }

int AppendImage(HIMAGELIST handle, const std::u16string& source) {
  ImageList* list = FindList(handle);
  if (list == nullptr) return -1;
  list->images.push_back(source);
  return static_cast<int>(list->images.size() - 1);
}

std::optional<std::vector<std::u16string>> ImageSources(HIMAGELIST handle) {
  const ImageList* list = FindList(handle);
  if (list == nullptr) return std::nullopt;
  return list->images;
}

int FindImageSource(HIMAGELIST handle, const std::u16string& source) {
  const ImageList* list = FindList(handle);
  if (list == nullptr) return -1;
  for (size_t i = 0; i < list->images.size(); ++i) {
    if (list->images[i] == source) return static_cast<int>(i);
  }
  return -1;
}

void ResetImageLists(Phase) { Lists() = ListTable(); }

}  // namespace cesim::detail

using cesim::detail::FindList;
using cesim::detail::ImageList;

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cx > cesim::detail::kLargestSide || cy > cesim::detail::kLargestSide || cInitial < 0 ||
      cGrow < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return cesim::detail::NewList(cx, cy, false);
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl) {
  ImageList* list = FindList(himl);
  // The system's shared lists stay for every other caller.
  if (list == nullptr || list->shared) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  cesim::detail::Lists().lists.erase(reinterpret_cast<uintptr_t>(himl));
  return TRUE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) {
  const ImageList* list = FindList(himl);
  return list == nullptr ? 0 : static_cast<int>(list->images.size());
}

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  const ImageList* list = FindList(himl);
  if (list == nullptr || cx == nullptr || cy == nullptr) return FALSE;
  *cx = list->width;
  *cy = list->height;
  return TRUE;
}

int WINAPI ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon) {
  ImageList* list = FindList(himl);
  std::optional<cesim::detail::IconPicture> picture = cesim::detail::IconPictureOf(hicon);
  if (list == nullptr || !picture || i < -1 || i >= static_cast<int>(list->images.size())) return -1;
  // The list keeps a copy of the picture at its own size; the caller keeps its icon.
  if (i == -1) {
    list->images.push_back(picture->source);
    return static_cast<int>(list->images.size() - 1);
  }
  list->images[static_cast<size_t>(i)] = picture->source;
  return i;
}

HICON WINAPI ImageList_GetIcon(HIMAGELIST himl, int i, UINT) {
  const ImageList* list = FindList(himl);
  if (list == nullptr || i < 0 || i >= static_cast<int>(list->images.size())) return nullptr;
  cesim::detail::IconPicture picture;
  picture.source = list->images[static_cast<size_t>(i)];
  picture.width = list->width;
  picture.height = list->height;
  return cesim::detail::CreateIconOf(picture);
}

BOOL WINAPI ImageList_Remove(HIMAGELIST himl, int i) {
  ImageList* list = FindList(himl);
  if (list == nullptr || i < -1 || i >= static_cast<int>(list->images.size())) return FALSE;
  if (i == -1) {
    list->images.clear();
  } else {
    list->images.erase(list->images.begin() + i);
  }
  return TRUE;
}

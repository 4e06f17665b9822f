// The preview step and the preview stop. The loaded image, the 16-bit target and both memory
// device contexts live only inside the step; the overlay keeps the final bitmap until the next
// preview replaces it.
#include "view/image_preview.h"

#include "host/host_item.h"
#include "module/module_state.h"
#include "view/commands.h"

namespace {

// The preview's pixel form: 16 bits, red 5, green 6, blue 5.
const WORD kPreviewBitsPerPixel = 16;

struct Bitfields16 {
  BITMAPINFOHEADER header;
  DWORD masks[3];
};

// The index of the focused item, or -1: the focus decides, not the selection.
int FocusedItem(HWND listView) {
  int count = static_cast<int>(SendMessageW(listView, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (SendMessageW(listView, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_FOCUSED) & LVIS_FOCUSED) return i;
  }
  return -1;
}

// The size that fits the image into the box without enlarging it.
SIZE FitIntoBox(int width, int height, int boxWidth, int boxHeight) {
  SIZE size;
  if (width <= boxWidth && height <= boxHeight) {
    size.cx = width;
    size.cy = height;
    return size;
  }
  int heightAtBoxWidth = height * boxWidth / width;
  if (heightAtBoxWidth > boxHeight) {
    size.cx = width * boxHeight / height;
    size.cy = boxHeight;
  } else {
    size.cx = boxWidth;
    size.cy = heightAtBoxWidth;
  }
  return size;
}

// Scales the image into a new 16-bit device-dependent bitmap of `size`; null on failure. The
// target is always 16 bits, whatever the loader's depth: its masks describe 5-6-5 pixels only.
HBITMAP ScaleTo16Bits(HBITMAP image, const BITMAP& source, SIZE size) {
  HDC sourceDc = CreateCompatibleDC(NULL);
  if (sourceDc == NULL) return NULL;
  HGDIOBJ sourcePrevious = SelectObject(sourceDc, image);

  Bitfields16 info;
  memset(&info, 0, sizeof(info));
  info.header.biSize = sizeof(info.header);
  // Rows of whole 32-bit words: the width rounded up to an even number of 16-bit pixels.
  info.header.biWidth = ((kPreviewBitsPerPixel * size.cx + 31) / 32) * kPreviewBitsPerPixel / 8;
  info.header.biHeight = -size.cy;  // top-down
  info.header.biPlanes = 1;
  info.header.biBitCount = kPreviewBitsPerPixel;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = 0xF800;
  info.masks[1] = 0x07E0;
  info.masks[2] = 0x001F;

  HBITMAP preview = NULL;
  void* pixels = NULL;
  HBITMAP target = CreateDIBSection(sourceDc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, NULL, 0);
  if (target != NULL) {
    HDC targetDc = CreateCompatibleDC(NULL);
    if (targetDc != NULL) {
      HGDIOBJ targetPrevious = SelectObject(targetDc, target);
      BITMAP scaled;
      memset(&scaled, 0, sizeof(scaled));
      GetObjectW(target, sizeof(scaled), &scaled);
      StretchBlt(targetDc, 0, 0, scaled.bmWidth, scaled.bmHeight, sourceDc, 0, 0, source.bmWidth, source.bmHeight,
                 SRCCOPY);
      preview = CreateBitmap(scaled.bmWidth, scaled.bmHeight, scaled.bmPlanes, scaled.bmBitsPixel, scaled.bmBits);
      SelectObject(targetDc, targetPrevious);
      DeleteObject(target);
      DeleteDC(targetDc);
    } else {
      DeleteObject(target);
    }
  }
  SelectObject(sourceDc, sourcePrevious);
  DeleteDC(sourceDc);
  return preview;
}

void HideOverlay() {
  if (g_module.overlayWindow != NULL) ShowWindow(g_module.overlayWindow, SW_HIDE);
}

// Puts the picture into the overlay and the overlay's lower right corner on the list's.
void ShowInOverlay(HBITMAP preview, SIZE size, const RECT& listRect) {
  HWND overlay = g_module.overlayWindow;
  POINT anchor = {listRect.right, listRect.bottom};
  ScreenToClient(g_module.frameWindow, &anchor);
  HBITMAP previous = reinterpret_cast<HBITMAP>(
      SendMessageW(overlay, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(preview)));
  if (previous != NULL && previous != preview) DeleteObject(previous);
  if (g_module.overlayOffsetX == 0 && g_module.overlayOffsetY == 0) {
    RECT window;
    RECT client;
    GetWindowRect(overlay, &window);
    GetClientRect(overlay, &client);
    g_module.overlayOffsetX = (window.right - client.right) - window.left;
    g_module.overlayOffsetY = (window.bottom - client.bottom) - window.top;
  }
  int width = size.cx + g_module.overlayOffsetX;
  int height = size.cy + g_module.overlayOffsetY;
  SetWindowPos(overlay, HWND_TOP, anchor.x - width, anchor.y - height, width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace

void StopPreview() {
  KillTimer(GetParent(g_module.listView), PREVIEW_TIMER_ID);
  HideOverlay();
}

void RunPreviewStep(HWND pane) {
  KillTimer(pane, PREVIEW_TIMER_ID);
  HWND listView = g_module.listView;
  if (g_module.overlayWindow == NULL) return;  // before the Explorer's start-up there is nowhere to show
  int focused = FocusedItem(listView);
  if (focused < 0) return;
  LVITEMW item;
  memset(&item, 0, sizeof(item));
  item.mask = LVIF_PARAM;
  item.iItem = focused;
  if (!SendMessageW(listView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return;
  LPCWSTR path = HostItemPath(item.lParam);
  if (path == NULL) return;

  HBITMAP image = SHLoadImageFile(path);
  if (image == NULL) {
    HideOverlay();
    return;
  }
  BITMAP source;
  memset(&source, 0, sizeof(source));
  GetObjectW(image, sizeof(source), &source);
  RECT listRect;
  GetWindowRect(listView, &listRect);
  int boxWidth = 3 * (listRect.right - listRect.left) / 4;
  int boxHeight = listRect.bottom - listRect.top;
  HBITMAP preview = NULL;
  SIZE size = {0, 0};
  // An empty bitmap, or a list with no room, has nothing to show.
  if (source.bmWidth > 0 && source.bmHeight > 0 && boxWidth > 0 && boxHeight > 0) {
    size = FitIntoBox(source.bmWidth, source.bmHeight, boxWidth, boxHeight);
    if (size.cx > 0 && size.cy > 0) preview = ScaleTo16Bits(image, source, size);
  }
  DeleteObject(image);
  if (preview == NULL) {
    HideOverlay();
    return;
  }
  ShowInOverlay(preview, size, listRect);
}

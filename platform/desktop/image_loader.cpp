// SHLoadImageFile on the desktop: the file decoded by the desktop's imaging component and
// handed back as the device's loader does, a 16-bit 5-6-5 DIB section of the picture's size.
#include "device_path.h"
#include "dib_format.h"

#include <wincodec.h>

namespace {

template <class T>
void Release(T*& object) {
  if (object != NULL) object->Release();
  object = NULL;
}

IWICImagingFactory* CreateFactory() {
  IWICImagingFactory* factory = NULL;
  HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory));
  if (result == CO_E_NOTINITIALIZED) {
    // The device's loader needs no COM apartment from its caller; the thread keeps this one.
    CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    result = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory));
  }
  return SUCCEEDED(result) ? factory : NULL;
}

// The picture's first frame as 32-bit BGR pixels, top-down, `width` by `height`.
BYTE* DecodePixels(IWICImagingFactory* factory, LPCWSTR path, UINT* width, UINT* height) {
  IWICBitmapDecoder* decoder = NULL;
  IWICBitmapFrameDecode* frame = NULL;
  IWICBitmapSource* converted = NULL;
  BYTE* pixels = NULL;
  if (SUCCEEDED(factory->CreateDecoderFromFilename(path, NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
      SUCCEEDED(decoder->GetFrame(0, &frame)) &&
      SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame, &converted)) &&
      SUCCEEDED(converted->GetSize(width, height)) && *width > 0 && *height > 0 && *width <= 0x4000 &&
      *height <= 0x4000) {
    UINT stride = *width * 4;
    pixels = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(stride) * *height));
    if (pixels != NULL && FAILED(converted->CopyPixels(NULL, stride, stride * *height, pixels))) {
      HeapFree(GetProcessHeap(), 0, pixels);
      pixels = NULL;
    }
  }
  Release(converted);
  Release(frame);
  Release(decoder);
  return pixels;
}

HBITMAP To16Bits(const BYTE* pixels, UINT width, UINT height) {
  Bitfields16 info = TopDownDib(static_cast<LONG>(width), static_cast<LONG>(height), 16);
  void* bits = NULL;
  HBITMAP bitmap = CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, NULL, 0);
  if (bitmap == NULL || bits == NULL) return bitmap;
  UINT targetStride = ((width * 16 + 31) / 32) * 4;
  for (UINT y = 0; y < height; ++y) {
    const BYTE* source = pixels + static_cast<SIZE_T>(y) * width * 4;
    WORD* target = reinterpret_cast<WORD*>(static_cast<BYTE*>(bits) + static_cast<SIZE_T>(y) * targetStride);
    for (UINT x = 0; x < width; ++x) {
      const BYTE* bgr = source + x * 4;
      target[x] = static_cast<WORD>(((bgr[2] >> 3) << 11) | ((bgr[1] >> 2) << 5) | (bgr[0] >> 3));
    }
  }
  return bitmap;
}

}  // namespace

HBITMAP WINAPI SHLoadImageFile(LPCWSTR pszFileName) {
  DesktopPath path(pszFileName);
  if (path.Get() == NULL) return NULL;
  IWICImagingFactory* factory = CreateFactory();
  if (factory == NULL) return NULL;
  UINT width = 0;
  UINT height = 0;
  BYTE* pixels = DecodePixels(factory, path.Get(), &width, &height);
  Release(factory);
  if (pixels == NULL) return NULL;
  HBITMAP bitmap = To16Bits(pixels, width, height);
  HeapFree(GetProcessHeap(), 0, pixels);
  return bitmap;
}

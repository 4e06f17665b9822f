// The screen read back into a top-down 24-bit DIB section and encoded as PNG by WIC.
#include "screen_picture.h"

#include <wincodec.h>

#include <cstdio>
#include <vector>

namespace shots {
namespace {

template <class T>
struct Com {
  T* object = nullptr;
  ~Com() {
    if (object != nullptr) object->Release();
  }
  T** out() { return &object; }
  T* operator->() const { return object; }
};

std::string Failed(const char* what, HRESULT result) {
  char text[96];
  std::snprintf(text, sizeof(text), "%s failed (0x%08lx)", what, static_cast<unsigned long>(result));
  return text;
}

// The pixels of `area`, rows top-down, each padded to a multiple of four bytes.
bool ReadScreen(const RECT& area, std::vector<BYTE>* pixels, UINT* stride) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  bool read = false;
  if (bitmap != nullptr && memory != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    read = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    GdiFlush();
    SelectObject(memory, old);
    *stride = static_cast<UINT>((width * 3 + 3) & ~3);
    if (read) {
      const BYTE* first = static_cast<const BYTE*>(bits);
      pixels->assign(first, first + static_cast<size_t>(*stride) * height);
    }
  }
  if (memory != nullptr) DeleteDC(memory);
  if (bitmap != nullptr) DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  return read;
}

}  // namespace

bool SaveScreenPicture(const RECT& area, const std::wstring& path, std::string* error) {
  std::vector<BYTE> pixels;
  UINT stride = 0;
  if (!ReadScreen(area, &pixels, &stride)) {
    *error = "the screen could not be read";
    return false;
  }
  const UINT width = static_cast<UINT>(area.right - area.left);
  const UINT height = static_cast<UINT>(area.bottom - area.top);
  Com<IWICImagingFactory> factory;
  HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.out()));
  if (FAILED(result)) return *error = Failed("creating the imaging factory", result), false;
  Com<IWICStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(result = factory->CreateStream(stream.out())) ||
      FAILED(result = stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)))
    return *error = Failed("opening the picture file", result), false;
  if (FAILED(result = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
      FAILED(result = encoder->Initialize(stream.object, WICBitmapEncoderNoCache)) ||
      FAILED(result = encoder->CreateNewFrame(frame.out(), options.out())) ||
      FAILED(result = frame->Initialize(options.object)) || FAILED(result = frame->SetSize(width, height)) ||
      FAILED(result = frame->SetPixelFormat(&format)))
    return *error = Failed("starting the PNG encoder", result), false;
  if (format != GUID_WICPixelFormat24bppBGR) return *error = "the PNG encoder takes no 24-bit pixels", false;
  if (FAILED(result = frame->WritePixels(height, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
      FAILED(result = frame->Commit()) || FAILED(result = encoder->Commit()))
    return *error = Failed("writing the PNG picture", result), false;
  return true;
}

}  // namespace shots

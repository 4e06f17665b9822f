// Picture files for tests, written with libjpeg-turbo, libpng and giflib.
#include "image_files.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

extern "C" {
#include <jpeglib.h>
}
#include <gif_lib.h>
#include <png.h>

namespace foldwise_test {

Picture::Picture(int width, int height, Rgb fill) : width_(width), height_(height), rgb_(static_cast<size_t>(width) * height * 3) {
  Fill(0, 0, width, height, fill);
}

Rgb Picture::At(int x, int y) const {
  const uint8_t* p = Row(y) + 3 * x;
  return Rgb{p[0], p[1], p[2]};
}

void Picture::Set(int x, int y, Rgb color) {
  uint8_t* p = rgb_.data() + (static_cast<size_t>(y) * width_ + x) * 3;
  p[0] = color.r;
  p[1] = color.g;
  p[2] = color.b;
}

void Picture::Fill(int left, int top, int right, int bottom, Rgb color) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) Set(x, y, color);
  }
}

std::string EncodeJpeg(const Picture& picture, int quality, JpegKind kind) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(picture.Width());
  info.image_height = static_cast<JDIMENSION>(picture.Height());
  const bool gray = kind == JpegKind::Grayscale, cmyk = kind == JpegKind::InvertedCmyk;
  info.input_components = gray ? 1 : cmyk ? 4 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(picture.Width()) * 4);
  while (info.next_scanline < info.image_height) {
    const uint8_t* rgb = picture.Row(static_cast<int>(info.next_scanline));
    for (int x = 0; x < picture.Width(); ++x) {
      const uint8_t r = rgb[3 * x], g = rgb[3 * x + 1], b = rgb[3 * x + 2];
      if (gray) {
        row[x] = static_cast<uint8_t>((r + g + b) / 3);
      } else if (cmyk) {
        // Inverted, as Adobe writes it: no black ink (255), and the colour channels as they are.
        row[4 * x] = r;
        row[4 * x + 1] = g;
        row[4 * x + 2] = b;
        row[4 * x + 3] = 255;
      } else {
        row[3 * x] = r;
        row[3 * x + 1] = g;
        row[3 * x + 2] = b;
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string file(reinterpret_cast<const char*>(out), size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return file;
}

namespace {

void WritePng(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void FlushPng(png_structp) {}

int WriteGif(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), static_cast<size_t>(length));
  return length;
}

}  // namespace

std::string EncodePng(const Picture& picture, PngKind kind, bool interlaced, uint8_t alpha) {
  std::string file;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &file, &WritePng, &FlushPng);
  int colorType = PNG_COLOR_TYPE_RGB, depth = 8, channels = 3;
  switch (kind) {
    case PngKind::Rgb: break;
    case PngKind::Rgba: colorType = PNG_COLOR_TYPE_RGB_ALPHA; channels = 4; break;
    case PngKind::Rgb16: depth = 16; break;
    case PngKind::Gray8: colorType = PNG_COLOR_TYPE_GRAY; channels = 1; break;
    case PngKind::Gray1: colorType = PNG_COLOR_TYPE_GRAY; depth = 1; channels = 1; break;
    case PngKind::GrayAlpha: colorType = PNG_COLOR_TYPE_GRAY_ALPHA; channels = 2; break;
    case PngKind::Palette: colorType = PNG_COLOR_TYPE_PALETTE; depth = 4; channels = 1; break;
  }
  const int width = picture.Width(), height = picture.Height();
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), depth, colorType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::map<uint32_t, int> paletteIndex;
  std::vector<png_color> palette;
  if (kind == PngKind::Palette) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Rgb c = picture.At(x, y);
        const uint32_t key = (c.r << 16) | (c.g << 8) | c.b;
        if (paletteIndex.emplace(key, static_cast<int>(palette.size())).second) palette.push_back(png_color{c.r, c.g, c.b});
      }
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  png_write_info(png, info);
  const size_t rowBytes = depth == 16 ? static_cast<size_t>(width) * 6 : depth == 1 ? (width + 7) / 8
                          : depth == 4 ? (width + 1) / 2 : static_cast<size_t>(width) * channels;
  std::vector<std::vector<uint8_t>> rows(height, std::vector<uint8_t>(rowBytes));
  for (int y = 0; y < height; ++y) {
    uint8_t* out = rows[y].data();
    for (int x = 0; x < width; ++x) {
      const Rgb c = picture.At(x, y);
      switch (kind) {
        case PngKind::Rgb: out[3 * x] = c.r; out[3 * x + 1] = c.g; out[3 * x + 2] = c.b; break;
        case PngKind::Rgba: out[4 * x] = c.r; out[4 * x + 1] = c.g; out[4 * x + 2] = c.b; out[4 * x + 3] = alpha; break;
        case PngKind::Rgb16:
          out[6 * x] = out[6 * x + 1] = c.r;
          out[6 * x + 2] = out[6 * x + 3] = c.g;
          out[6 * x + 4] = out[6 * x + 5] = c.b;
          break;
        case PngKind::Gray8: out[x] = c.r; break;
        case PngKind::Gray1: if (c.r & 0x80) out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8)); break;
        case PngKind::GrayAlpha: out[2 * x] = c.r; out[2 * x + 1] = alpha; break;
        case PngKind::Palette: {
          const int index = paletteIndex[(c.r << 16) | (c.g << 8) | c.b];
          out[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
          break;
        }
      }
    }
  }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return file;
}

std::string EncodeGif(const GifPicture& g) {
  std::string file;
  int error = 0;
  GifFileType* gif = EGifOpen(&file, &WriteGif, &error);
  ColorMapObject* map = GifMakeMapObject(static_cast<int>(g.colors.size()), nullptr);
  for (size_t i = 0; i < g.colors.size(); ++i) map->Colors[i] = GifColorType{g.colors[i].r, g.colors[i].g, g.colors[i].b};
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, g.screenWidth, g.screenHeight, 8, g.background, map);
  if (g.transparent >= 0) {
    GraphicsControlBlock control = {};
    control.DisposalMode = DISPOSAL_UNSPECIFIED;
    control.TransparentColor = g.transparent;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension);
  }
  EGifPutImageDesc(gif, g.left, g.top, g.width, g.height, g.interlaced, nullptr);
  std::vector<int> order;
  if (g.interlaced) {
    const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass) {
      for (int y = start[pass]; y < g.height; y += step[pass]) order.push_back(y);
    }
  } else {
    for (int y = 0; y < g.height; ++y) order.push_back(y);
  }
  for (int y : order) {
    std::vector<GifPixelType> line(g.indexes.begin() + static_cast<long>(y) * g.width,
                                   g.indexes.begin() + static_cast<long>(y + 1) * g.width);
    EGifPutLine(gif, line.data(), g.width);
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return file;
}

}  // namespace foldwise_test

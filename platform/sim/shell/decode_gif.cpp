// GIF files through giflib, line by line: the first picture of the file is drawn on its logical
// screen, which shows the screen's background colour (black without a global colour table) where
// the picture does not cover it and where its pixels are transparent. Later pictures (animation
// frames) are not read.
#include <gif_lib.h>

#include <cstring>
#include <vector>

#include "shell/image_decode.h"

namespace cesim::detail {

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

int ReadInput(GifFileType* gif, GifByteType* out, int length) {
  Input* input = static_cast<Input*>(gif->UserData);
  if (length < 0) return 0;
  const size_t wanted = static_cast<size_t>(length);
  const size_t available = input->size - input->offset;
  const size_t given = wanted < available ? wanted : available;
  std::memcpy(out, input->data + input->offset, given);
  input->offset += given;
  return static_cast<int>(given);
}

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

Rgb ColorAt(const ColorMapObject* map, int index) {
  if (map == nullptr || map->Colors == nullptr || index < 0 || index >= map->ColorCount) return Rgb();
  const GifColorType& c = map->Colors[index];
  return Rgb{c.Red, c.Green, c.Blue};
}

// The rows of an interlaced picture in the order the file stores them: every 8th row from 0, every
// 8th from 4, every 4th from 2, every 2nd from 1.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static const int kStart[4] = {0, 4, 2, 1};
  static const int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  }
  return order;
}

void Fill(std::vector<uint8_t>& row, Rgb color) {
  for (size_t i = 0; i + 2 < row.size(); i += 3) {
    row[i] = color.r;
    row[i + 1] = color.g;
    row[i + 2] = color.b;
  }
}

// Reads up to the first picture's description; the transparent colour of a graphic control
// extension before it is kept. False when the file ends or breaks before any picture.
bool FindFirstImage(GifFileType* gif, int* transparent) {
  *transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) != GIF_OK) return false;
    switch (record) {
      case IMAGE_DESC_RECORD_TYPE: return DGifGetImageDesc(gif) == GIF_OK;
      case EXTENSION_RECORD_TYPE: {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
          GraphicsControlBlock control;
          if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK) *transparent = control.TransparentColor;
        }
        while (block != nullptr) {
          if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
        }
        break;
      }
      case TERMINATE_RECORD_TYPE:
      default: return false;
    }
  }
}

bool Decode(GifFileType* gif, const DecodeLimits& limits, ImageSink& sink) {
  const int width = gif->SWidth, height = gif->SHeight;
  if (!WithinLimits(width, height, limits)) return false;
  int transparent = NO_TRANSPARENT_COLOR;
  if (!FindFirstImage(gif, &transparent)) return false;
  const GifImageDesc& frame = gif->Image;
  if (frame.Width <= 0 || frame.Height <= 0 || !WithinLimits(frame.Width, frame.Height, limits)) return false;
  const ColorMapObject* colors = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colors == nullptr) return false;
  const Rgb background = gif->SColorMap != nullptr ? ColorAt(gif->SColorMap, gif->SBackGroundColor) : Rgb();
  if (!sink.Begin(width, height)) return false;

  std::vector<uint8_t> blank(static_cast<size_t>(width) * 3);
  Fill(blank, background);
  for (int y = 0; y < height; ++y) {
    if (y < frame.Top || y >= frame.Top + frame.Height) sink.PutRow(y, blank.data());
  }
  std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
  std::vector<uint8_t> rgb(blank);
  for (int row : StoredRowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) return false;
    const int y = frame.Top + row;
    if (y < 0 || y >= height) continue;
    rgb = blank;
    for (int i = 0; i < frame.Width; ++i) {
      const int x = frame.Left + i;
      if (x < 0 || x >= width || line[i] == transparent) continue;
      const Rgb c = ColorAt(colors, line[i]);
      rgb[3 * static_cast<size_t>(x)] = c.r;
      rgb[3 * static_cast<size_t>(x) + 1] = c.g;
      rgb[3 * static_cast<size_t>(x) + 2] = c.b;
    }
    sink.PutRow(y, rgb.data());
  }
  return true;
}

}  // namespace

bool DecodeGif(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  Input input{data, size, 0};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, &ReadInput, &error);
  if (gif == nullptr) return false;
  const bool decoded = Decode(gif, limits, sink);
  DGifCloseFile(gif, &error);
  return decoded;
}

}  // namespace cesim::detail

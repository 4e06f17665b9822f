// PNG files through libpng, one row at a time: every colour type and depth comes out as 8-bit
// RGB (palettes expanded, greys widened, 16-bit samples cut to 8, alpha and transparency dropped:
// the picture shows its stored colours). Interlaced pictures are completed pass by pass in the
// sink's own rows. A bad checksum, a file cut short or a picture beyond the limits is refused.
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "shell/image_decode.h"

namespace cesim::detail {

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  size_t offset;
};

void ReadInput(png_structp png, png_bytep out, png_size_t length) {
  Input* input = static_cast<Input*>(png_get_io_ptr(png));
  if (length > input->size - input->offset) png_error(png, "file cut short");
  std::memcpy(out, input->data + input->offset, length);
  input->offset += length;
}

// libpng's messages are not printed; an error leaves through the decoding's jump target.
void OnWarning(png_structp, png_const_charp) {}
[[noreturn]] void OnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// What the decoding keeps between the jump target and a jump to it: plain storage only, so that
// leaving through libpng's error handler skips no destructor.
struct PngState {
  png_structp png;
  png_infop info;
  uint8_t* row;
  Input input;
};

bool Decode(PngState* volatile state, const DecodeLimits& limits, ImageSink& sink) {
  png_structp png = state->png;
  png_infop info = state->info;
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_read_fn(png, &state->input, &ReadInput);
  png_set_user_limits(png, static_cast<png_uint_32>(limits.largestSide), static_cast<png_uint_32>(limits.largestSide));
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!WithinLimits(width, height, limits)) return false;
  const int colorType = png_get_color_type(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  png_set_strip_16(png);
  png_set_strip_alpha(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(width) * 3) return false;
  state->row = static_cast<uint8_t*>(png_malloc(png, static_cast<png_alloc_size_t>(width) * 3));
  if (!sink.Begin(static_cast<int>(width), static_cast<int>(height))) return false;
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      // A later pass adds its pixels to the row that the earlier ones left.
      if (passes > 1) sink.GetRow(static_cast<int>(y), state->row);
      png_read_row(png, state->row, nullptr);
      sink.PutRow(static_cast<int>(y), state->row);
    }
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool DecodePng(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  PngState* state = static_cast<PngState*>(std::calloc(1, sizeof(PngState)));
  if (state == nullptr) return false;
  state->input = Input{data, size, 0};
  state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, &OnError, &OnWarning);
  if (state->png != nullptr) state->info = png_create_info_struct(state->png);
  bool decoded = false;
  if (state->png != nullptr && state->info != nullptr) decoded = Decode(state, limits, sink);
  if (state->row != nullptr) png_free(state->png, state->row);
  png_destroy_read_struct(&state->png, &state->info, nullptr);
  std::free(state);
  return decoded;
}

}  // namespace cesim::detail

// JPEG files through libjpeg-turbo's scanline interface: one row of pixels at a time goes to the
// sink, so a camera picture costs its bitmap and a few rows. Greyscale and colour pictures come
// out as RGB; CMYK and YCCK ones (as Adobe software writes them, inverted) are converted here. A
// file that ends before its last row is refused rather than shown with a grey remainder.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
#include <jerror.h>
}

#include "shell/image_decode.h"

namespace cesim::detail {

namespace {

// More scans than any real progressive picture has: a file with more is a trap for the decoder.
constexpr int kLargestScanCount = 1000;

struct ErrorManager {
  jpeg_error_mgr base;
  jmp_buf jump;
  bool truncated;
};

[[noreturn]] void OnError(j_common_ptr info) {
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  // Warnings (level -1) are not printed; a premature end of the data marks the picture as cut short.
  ErrorManager* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (level < 0 && errors->base.msg_code == JWRN_JPEG_EOF) errors->truncated = true;
}

void OnProgress(j_common_ptr info) {
  if (!info->is_decompressor) return;
  j_decompress_ptr decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kLargestScanCount) OnError(info);
}

// Everything the decoding keeps between the jump target and a jump to it lives here, in plain
// storage, so that leaving through the error handler skips no destructor.
struct JpegState {
  jpeg_decompress_struct info;
  ErrorManager errors;
  jpeg_progress_mgr progress;
  uint8_t* rgb;
};

// Adobe writes CMYK inverted: a sample of 255 means no ink.
void CmykToRgb(const JSAMPLE* cmyk, int width, uint8_t* rgb) {
  for (int x = 0; x < width; ++x) {
    const unsigned k = cmyk[4 * x + 3];
    rgb[3 * x] = static_cast<uint8_t>(cmyk[4 * x] * k / 255);
    rgb[3 * x + 1] = static_cast<uint8_t>(cmyk[4 * x + 1] * k / 255);
    rgb[3 * x + 2] = static_cast<uint8_t>(cmyk[4 * x + 2] * k / 255);
  }
}

bool Decode(JpegState* volatile state, const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  jpeg_decompress_struct& info = state->info;
  if (setjmp(state->errors.jump) != 0) return false;
  jpeg_create_decompress(&info);
  info.progress = &state->progress;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
  if (!WithinLimits(info.image_width, info.image_height, limits)) return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);
  const int width = static_cast<int>(info.output_width);
  const int height = static_cast<int>(info.output_height);
  if (!sink.Begin(width, height)) return false;
  // Rows come in the decoder's own memory, which jpeg_destroy_decompress frees.
  JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                             info.output_width * info.output_components, 1);
  state->rgb = cmyk ? static_cast<uint8_t*>((*info.mem->alloc_small)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                                       static_cast<size_t>(width) * 3))
                    : nullptr;
  while (info.output_scanline < info.output_height) {
    const int y = static_cast<int>(info.output_scanline);
    if (jpeg_read_scanlines(&info, row, 1) != 1) return false;
    if (state->errors.truncated) return false;
    if (cmyk) {
      CmykToRgb(row[0], width, state->rgb);
      sink.PutRow(y, state->rgb);
    } else {
      sink.PutRow(y, row[0]);
    }
  }
  jpeg_finish_decompress(&info);
  return !state->errors.truncated;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, const DecodeLimits& limits, ImageSink& sink) {
  JpegState* state = static_cast<JpegState*>(std::calloc(1, sizeof(JpegState)));
  if (state == nullptr) return false;
  state->info.err = jpeg_std_error(&state->errors.base);
  state->errors.base.error_exit = &OnError;
  state->errors.base.emit_message = &OnMessage;
  state->progress.progress_monitor = &OnProgress;
  const bool decoded = Decode(state, data, size, limits, sink);
  jpeg_destroy_decompress(&state->info);
  std::free(state);
  return decoded;
}

}  // namespace cesim::detail

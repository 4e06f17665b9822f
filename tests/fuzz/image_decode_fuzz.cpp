// Feeds arbitrary bytes to the shell image loader's decoders (BMP, JPEG, PNG, GIF): whatever the
// input, they must neither read outside it nor hand the sink a row before the picture's size or
// outside the picture, and a picture they accept must have been given every row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "shell/image_decode.h"

namespace {

class CheckingSink : public cesim::detail::ImageSink {
 public:
  bool Begin(int width, int height) override {
    if (begun_ || width <= 0 || height <= 0) std::abort();
    begun_ = true;
    width_ = width;
    height_ = height;
    rows_.assign(static_cast<size_t>(width) * height * 3, 0);
    given_.assign(static_cast<size_t>(height), false);
    return true;
  }
  void PutRow(int y, const uint8_t* rgb) override {
    Check(y);
    std::memcpy(rows_.data() + static_cast<size_t>(y) * width_ * 3, rgb, static_cast<size_t>(width_) * 3);
    given_[static_cast<size_t>(y)] = true;
  }
  void GetRow(int y, uint8_t* rgb) override {
    Check(y);
    std::memcpy(rgb, rows_.data() + static_cast<size_t>(y) * width_ * 3, static_cast<size_t>(width_) * 3);
  }
  bool Complete() const {
    for (bool given : given_) {
      if (!given) return false;
    }
    return begun_;
  }

 private:
  void Check(int y) const {
    if (!begun_ || y < 0 || y >= height_) std::abort();
  }
  bool begun_ = false;
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> rows_;
  std::vector<bool> given_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Smaller limits than the device's keep each run quick; the checks are the same.
  cesim::detail::DecodeLimits limits;
  limits.largestSide = 4096;
  limits.largestPixelCount = 1u << 20;
  CheckingSink sink;
  if (cesim::detail::DecodeImage(data, size, limits, sink) && !sink.Complete()) std::abort();
  return 0;
}

// A device for one test: the test fills an image through `image`, then boots it; the device
// is shut down and the image removed when the test ends.
#ifndef FOLDWISE_TESTS_BOOTED_DEVICE_H
#define FOLDWISE_TESTS_BOOTED_DEVICE_H

#include <string>

#include "cesim/automation.h"

namespace foldwise_test {

class BootedDevice {
 public:
  BootedDevice() = default;
  ~BootedDevice();
  BootedDevice(const BootedDevice&) = delete;
  BootedDevice& operator=(const BootedDevice&) = delete;

  // Writes the image and boots the device from it; false when the boot fails.
  bool Boot();

  cesim::ImageBuilder image;
};

// An absolute device path of exactly `length` characters below `folder` (which must be
// shorter), made of nested folder names of at most 100 characters, ending in a file name.
// `parent` receives the folder that holds the file.
std::u16string PathOfLength(const std::u16string& folder, size_t length, std::u16string* parent = nullptr);

}  // namespace foldwise_test

#endif

// A booted device per test, and long device paths for the MAX_PATH edge cases.
#include "booted_device.h"

namespace foldwise_test {

BootedDevice::~BootedDevice() { cesim::Shutdown(); }

bool BootedDevice::Boot() { return cesim::Boot(image.Write()); }

std::u16string PathOfLength(const std::u16string& folder, size_t length, std::u16string* parent) {
  std::u16string path = folder;
  // Folders of up to 100 characters while more than one name's worth is left, then the file.
  while (length > path.size() + 1 + 100) {
    const size_t room = length - path.size() - 1;
    const size_t name = room - 100 > 100 ? 100 : room - 100;  // leave at least 100 for the rest
    path += u"\\" + std::u16string(name < 1 ? 1 : name, u'd');
  }
  if (parent != nullptr) *parent = path;
  path += u"\\" + std::u16string(length - path.size() - 1, u'f');
  return path;
}

}  // namespace foldwise_test

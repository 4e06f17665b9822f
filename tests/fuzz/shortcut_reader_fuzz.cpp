// Feeds arbitrary files to the shortcut reader on a booted device: whatever a shortcut file
// holds, the command comes back terminated within the buffer, and empty when the read fails.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "cesim/automation.h"
#include "dialogs/shortcut_reader.h"

namespace {

const WCHAR kShortcut[] = u"\\Windows\\Start Menu\\fuzz.lnk";

cesim::ImageBuilder* g_image = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_image = new cesim::ImageBuilder();
  g_image->AddFolder(u"\\Windows\\Start Menu");
  g_image->Write();
  if (!cesim::Boot(g_image->Folder())) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FILE* file = _wfopen(kShortcut, u"wb");
  if (file == nullptr) std::abort();
  if (size > 0 && fwrite(data, 1, size, file) != size) std::abort();
  fclose(file);

  // A capacity from the input too, so that short buffers are tried as well as the usual one.
  int capacity = size > 0 && (data[0] & 1) ? 1 + data[0] % 16 : MAX_PATH;
  WCHAR command[MAX_PATH + 1];
  command[capacity] = 0x5A5A;  // must stay: nothing is written past the capacity
  BOOL read = ReadShortcutTarget(kShortcut, command, capacity);
  if (command[capacity] != 0x5A5A) std::abort();
  int length = 0;
  while (length < capacity && command[length] != 0) ++length;
  if (length >= capacity) std::abort();  // never unterminated
  if (!read && length != 0) std::abort();  // a failed read leaves the buffer empty
  return 0;
}

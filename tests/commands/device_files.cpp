// Reading the device's files from a test.
#include "device_files.h"

#include <algorithm>

#include "ceplatform.h"

namespace foldwise_test {

std::optional<std::u16string> FirstLine(const std::u16string& path) {
  FILE* stream = _wfopen(path.c_str(), u"r");
  if (stream == nullptr) return std::nullopt;
  WCHAR line[1024];
  std::u16string text;
  if (fgetws(line, 1024, stream) != nullptr) text = line;
  fclose(stream);
  return text;
}

std::vector<std::u16string> FolderNames(const std::u16string& folder) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + u"\\*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::u16string name = found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += u"\\";
    names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace foldwise_test

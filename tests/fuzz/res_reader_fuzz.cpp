// Feeds arbitrary bytes to the .res reader: whatever the input, it must neither read outside it
// nor report a record whose header or data lies outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "resources/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<cesim::detail::ResourceRecord> records = cesim::detail::ReadResourceFile(data, size);
  size_t previousEnd = 0;
  for (const cesim::detail::ResourceRecord& record : records) {
    // Records lie inside the input, in order, each header before its data.
    if (record.headerOffset < previousEnd || record.dataOffset < record.headerOffset + 32 ||
        record.dataOffset > size || record.dataSize > size - record.dataOffset || record.headerOffset % 4 != 0) {
      std::abort();
    }
    previousEnd = record.dataOffset + record.dataSize;
  }
  return 0;
}

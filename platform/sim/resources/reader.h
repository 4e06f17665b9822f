// Reads the compiled resource file format (.res): a sequence of resource records, each a header
// (data size, header size, type, name, data version, memory flags, language, version,
// characteristics) followed by its data, every record DWORD-aligned. Pure parsing over a byte
// range, with no device state, so that a fuzzer can drive it directly.
#ifndef CESIM_RESOURCES_READER_H
#define CESIM_RESOURCES_READER_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/byte_reader.h"

namespace cesim::detail {

struct ResourceRecord {
  OrdinalOrText type;
  OrdinalOrText name;
  uint32_t dataVersion = 0;
  uint16_t memoryFlags = 0;
  uint16_t language = 0;
  uint32_t version = 0;
  uint32_t characteristics = 0;
  size_t headerOffset = 0;  // where the record starts, from the start of the file
  size_t dataOffset = 0;    // where its data starts
  size_t dataSize = 0;
};

// The records of a .res image, in file order, without the leading empty record. A file that does
// not start with the empty 32-byte record is not a 32-bit resource file and yields nothing. The
// first record that does not fit the image (sizes running past the end, a header too small for
// its fields, a name without its terminator inside the header, misalignment) ends the reading:
// the records before it are kept. Nothing is ever read outside [data, data + size).
std::vector<ResourceRecord> ReadResourceFile(const uint8_t* data, size_t size);

}  // namespace cesim::detail

#endif

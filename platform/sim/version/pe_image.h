// Where a resource lies in a PE image: the DOS header and its PE signature, the COFF header, the
// optional header (PE32 and PE32+) with its resource directory entry, the section table that maps
// relative virtual addresses to file offsets, and the resource directory tree (type, name,
// language). Pure parsing over the file's bytes, every read bounded by them, so that a fuzzer can
// drive it.
#ifndef CESIM_VERSION_PE_IMAGE_H
#define CESIM_VERSION_PE_IMAGE_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/byte_reader.h"

namespace cesim::detail {

struct ResourceData {
  size_t offset = 0;  // in the file
  size_t size = 0;
  uint16_t language = 0;
};

// The data of the resource of this type and name (ordinals, or texts compared without ASCII
// letter case), in the first of the preferred languages the image has, else in its first
// language. Nothing for what is not a PE image, has no such resource, or whose headers, tables or
// data do not lie inside the file.
std::optional<ResourceData> FindPeResource(const uint8_t* file, size_t size, const OrdinalOrText& type,
                                           const OrdinalOrText& name,
                                           const std::vector<uint16_t>& preferredLanguages);

}  // namespace cesim::detail

#endif

// Feeds arbitrary bytes to the version resource reader two ways: as a whole file, which the PE
// reader must take apart without reading outside it, and as the RT_VERSION resource of a valid PE
// image made around them, which the PE reader must find and the version block reader must query
// (the root, the translation array, and the strings that the first translation names) without
// reading outside the resource or reporting a value that does not lie inside it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pe_builder.h"
#include "version/pe_image.h"
#include "version/version_block.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// Queries like the version dialog's, each checked against the resource's bounds.
void QueryLikeTheDialog(const std::vector<uint8_t>& resource) {
  const uint8_t* block = resource.data();
  const size_t size = resource.size();
  auto query = [&](const std::u16string& path) {
    std::optional<cesim::detail::VersionValue> value = cesim::detail::QueryVersionValue(block, size, path);
    if (value) {
      Check(value->offset <= size + 3);
      if (value->length > 0) {
        Check(value->offset < size);
        if (!value->text) Check(value->length <= size - value->offset);
      }
    }
    return value;
  };
  query(u"\\");
  query(u"\\StringFileInfo");
  std::optional<cesim::detail::VersionValue> translation = query(u"\\VarFileInfo\\Translation");
  if (!translation || translation->text || translation->length < 4) return;
  const uint8_t* pair = block + translation->offset;
  char name[16];
  std::snprintf(name, sizeof(name), "%04x%04x", pair[0] | (pair[1] << 8), pair[2] | (pair[3] << 8));
  const std::u16string table = u"\\StringFileInfo\\" + std::u16string(name, name + 8) + u"\\";
  for (const char16_t* key : {u"FileDescription", u"LegalCopyright", u"CompanyName", u"ProductName"}) {
    std::optional<cesim::detail::VersionValue> text = query(table + key);
    if (text && text->text && text->length > 0) {
      // A text value ends inside the resource.
      size_t at = text->offset;
      while (at + 1 < size && (block[at] | block[at + 1]) != 0) at += 2;
      Check(at + 1 < size);
    }
  }
}

void ReadFile(const uint8_t* data, size_t size) {
  cesim::detail::OrdinalOrText type;
  type.ordinal = 16;
  cesim::detail::OrdinalOrText name;
  name.ordinal = 1;
  std::optional<cesim::detail::ResourceData> found =
      cesim::detail::FindPeResource(data, size, type, name, {0x0000, 0x0409});
  if (!found) return;
  Check(found->offset <= size && found->size <= size - found->offset);
  QueryLikeTheDialog(std::vector<uint8_t>(data + found->offset, data + found->offset + found->size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // As a whole file, in a block of exactly its size.
  const std::vector<uint8_t> file(data, data + size);
  ReadFile(file.data(), file.size());

  // As the version resource of a PE image; an odd first byte makes it a PE32 one.
  foldwise_test::PeResource version;
  version.data.assign(reinterpret_cast<const char*>(data), size);
  const bool pe32Plus = size == 0 || (data[0] & 1) == 0;
  const std::string image = foldwise_test::BuildPeImage({version}, pe32Plus);
  const std::vector<uint8_t> wrapped(image.begin(), image.end());
  cesim::detail::OrdinalOrText type;
  type.ordinal = 16;
  cesim::detail::OrdinalOrText name;
  name.ordinal = 1;
  std::optional<cesim::detail::ResourceData> found =
      cesim::detail::FindPeResource(wrapped.data(), wrapped.size(), type, name, {0x0409});
  Check(found.has_value() && found->size == size);
  QueryLikeTheDialog(std::vector<uint8_t>(wrapped.begin() + found->offset, wrapped.begin() + found->offset + size));
  return 0;
}

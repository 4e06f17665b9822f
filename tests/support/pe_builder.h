// PE files made in memory for the version resource tests and the fuzz target: a DOS header, the PE
// signature and COFF header, an optional header (PE32 or PE32+) whose resource directory entry
// points into one ".rsrc" section, and in it a resource directory of numbered resources. Also
// version resources (VS_VERSIONINFO trees) made from nodes. Plain C++ with no device behind it.
#ifndef FOLDWISE_TESTS_PE_BUILDER_H
#define FOLDWISE_TESTS_PE_BUILDER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace foldwise_test {

struct PeResource {
  uint16_t type = 16;  // RT_VERSION
  uint16_t name = 1;   // VS_VERSION_INFO
  uint16_t language = 0x409;
  std::string data;
};

// Where the builder put the parts, for tests that spoil one of them.
struct PeLayout {
  size_t peOffset = 0;          // "PE\0\0"
  size_t optionalOffset = 0;    // the optional header
  size_t resourceEntryOffset = 0;  // the resource directory's RVA and size in the optional header
  size_t sectionTableOffset = 0;
  size_t sectionOffset = 0;     // the section's raw data: the resource directory's root
  uint32_t sectionRva = 0;
  std::vector<size_t> dataEntryOffsets;  // each resource's data entry (RVA, size, code page)
  std::vector<size_t> dataOffsets;       // each resource's data
};

// A PE file holding the resources, in the order given (the directory sorts them as the platform's
// tools do: by type, name and language).
std::string BuildPeImage(const std::vector<PeResource>& resources, bool pe32Plus = true, PeLayout* layout = nullptr);

// A block of a version resource. Text values are UTF-16 with a terminator (wValueLength counts
// characters); binary values are bytes.
struct VersionNode {
  std::u16string key;
  bool text = false;
  std::u16string textValue;
  std::string binaryValue;
  std::vector<VersionNode> children;
};

// The bytes of the block with its children, every part on a 32-bit boundary.
std::string EncodeVersionNode(const VersionNode& node);

// A VS_VERSIONINFO with a VS_FIXEDFILEINFO of the given file version, the strings under one
// translation (lang-codepage as 8 hexadecimal digits) and the translation array.
std::string VersionResource(uint32_t fileVersionMS, uint32_t fileVersionLS, const std::u16string& langCodepage,
                            const std::vector<std::pair<std::u16string, std::u16string>>& strings,
                            const std::vector<std::pair<uint16_t, uint16_t>>& translations);

}  // namespace foldwise_test

#endif

// The PE reader: headers, sections and the three levels of the resource directory, each structure
// read through a bounded reader of the file, so that offsets and counts from the file can never
// reach outside it.
#include "version/pe_image.h"

namespace cesim::detail {

namespace {

constexpr uint16_t kDosSignature = 0x5A4D;     // "MZ"
constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kCoffHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;
constexpr uint32_t kResourceDirectoryIndex = 2;
constexpr uint32_t kHighBit = 0x80000000u;

struct Section {
  uint32_t virtualAddress = 0;
  uint32_t rawSize = 0;
  uint32_t rawOffset = 0;
};

class Image {
 public:
  Image(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool ReadHeaders() {
    ByteReader file(data_, size_);
    uint16_t dos = 0;
    uint32_t peOffset = 0;
    if (!file.U16(&dos) || dos != kDosSignature || !file.Seek(0x3C) || !file.U32(&peOffset)) return false;
    ByteReader pe = file.Sub(peOffset, kCoffHeaderSize + 4);
    uint32_t signature = 0;
    uint16_t sectionCount = 0;
    uint16_t optionalSize = 0;
    pe.U32(&signature);
    pe.Skip(2);  // machine
    pe.U16(&sectionCount);
    pe.Skip(12);  // time stamp, symbol table, symbol count
    pe.U16(&optionalSize);
    if (pe.Failed() || signature != kPeSignature) return false;

    const size_t optionalOffset = static_cast<size_t>(peOffset) + 4 + kCoffHeaderSize;
    ByteReader optional = file.Sub(optionalOffset, optionalSize);
    uint16_t magic = 0;
    if (!optional.U16(&magic)) return false;
    size_t countAt = 0;
    if (magic == kPe32Magic) {
      countAt = 92;
    } else if (magic == kPe32PlusMagic) {
      countAt = 108;
    } else {
      return false;
    }
    uint32_t directoryCount = 0;
    if (!optional.Seek(countAt) || !optional.U32(&directoryCount)) return false;
    if (directoryCount > kResourceDirectoryIndex) {
      // The directories follow the count, eight bytes each.
      if (!optional.Skip(kResourceDirectoryIndex * 8) || !optional.U32(&resourceRva_) ||
          !optional.U32(&resourceSize_)) {
        return false;
      }
    }

    ByteReader table = file.Sub(optionalOffset + optionalSize, static_cast<size_t>(sectionCount) * kSectionHeaderSize);
    for (uint16_t i = 0; i < sectionCount; ++i) {
      Section section;
      table.Skip(12);  // name, virtual size
      table.U32(&section.virtualAddress);
      table.U32(&section.rawSize);
      table.U32(&section.rawOffset);
      table.Skip(16);
      if (table.Failed()) return false;
      sections_.push_back(section);
    }
    return true;
  }

  // The bytes of the file from a relative virtual address to the end of its section's raw data
  // (and of the file); a failed reader when the address lies in no section's raw data.
  ByteReader AtAddress(uint32_t rva, size_t* fileOffset) const {
    for (const Section& section : sections_) {
      if (rva < section.virtualAddress || rva - section.virtualAddress >= section.rawSize) continue;
      const size_t inSection = rva - section.virtualAddress;
      const size_t offset = static_cast<size_t>(section.rawOffset) + inSection;
      if (offset >= size_) break;
      size_t length = section.rawSize - inSection;
      if (length > size_ - offset) length = size_ - offset;
      *fileOffset = offset;
      return ByteReader(data_ + offset, length);
    }
    ByteReader none(nullptr, 0);
    none.Skip(1);  // fails it
    return none;
  }

  bool HasResources() const { return resourceRva_ != 0 && resourceSize_ != 0; }
  uint32_t ResourceRva() const { return resourceRva_; }

 private:
  const uint8_t* data_;
  size_t size_;
  uint32_t resourceRva_ = 0;
  uint32_t resourceSize_ = 0;
  std::vector<Section> sections_;
};

// The rest of a reader's bytes from an offset on; a failed reader when the offset lies beyond them.
ByteReader From(const ByteReader& bytes, size_t offset) {
  const size_t length = offset <= bytes.Remaining() ? bytes.Remaining() - offset : 0;
  return bytes.Sub(offset, length);
}

struct Entry {
  OrdinalOrText name;
  uint32_t target = 0;  // offset in the resource directory, with the high bit for a subdirectory
};

// The entries of the directory at `offset` of the resource directory `tree`; false when it or an
// entry's name does not fit.
bool ReadDirectory(const ByteReader& tree, uint32_t offset, std::vector<Entry>* entries) {
  ByteReader directory = From(tree, offset);
  uint16_t named = 0;
  uint16_t numbered = 0;
  directory.Skip(12);  // characteristics, time stamp, version
  directory.U16(&named);
  directory.U16(&numbered);
  if (directory.Failed()) return false;
  const size_t count = static_cast<size_t>(named) + numbered;
  for (size_t i = 0; i < count; ++i) {
    uint32_t nameField = 0;
    Entry entry;
    if (!directory.U32(&nameField) || !directory.U32(&entry.target)) return false;
    if (nameField & kHighBit) {
      // A counted UTF-16 name somewhere in the directory.
      ByteReader text = From(tree, nameField & ~kHighBit);
      uint16_t length = 0;
      if (!text.U16(&length)) return false;
      entry.name.isString = true;
      for (uint16_t k = 0; k < length; ++k) {
        uint16_t unit = 0;
        if (!text.U16(&unit)) return false;
        entry.name.text.push_back(static_cast<char16_t>(unit));
      }
    } else {
      entry.name.ordinal = static_cast<uint16_t>(nameField);
    }
    entries->push_back(entry);
  }
  return true;
}

char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

bool SameName(const OrdinalOrText& a, const OrdinalOrText& b) {
  if (a.isString != b.isString) return false;
  if (!a.isString) return a.ordinal == b.ordinal;
  if (a.text.size() != b.text.size()) return false;
  for (size_t i = 0; i < a.text.size(); ++i) {
    if (Upper(a.text[i]) != Upper(b.text[i])) return false;
  }
  return true;
}

// The subdirectory of the entry that has this name.
std::optional<uint32_t> Subdirectory(const std::vector<Entry>& entries, const OrdinalOrText& name) {
  for (const Entry& entry : entries) {
    if (SameName(entry.name, name)) {
      if (!(entry.target & kHighBit)) return std::nullopt;
      return entry.target & ~kHighBit;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<ResourceData> FindPeResource(const uint8_t* file, size_t size, const OrdinalOrText& type,
                                           const OrdinalOrText& name,
                                           const std::vector<uint16_t>& preferredLanguages) {
  if (file == nullptr) return std::nullopt;
  Image image(file, size);
  if (!image.ReadHeaders() || !image.HasResources()) return std::nullopt;
  size_t treeOffset = 0;
  const ByteReader tree = image.AtAddress(image.ResourceRva(), &treeOffset);
  if (tree.Failed()) return std::nullopt;

  std::vector<Entry> types;
  if (!ReadDirectory(tree, 0, &types)) return std::nullopt;
  std::optional<uint32_t> names = Subdirectory(types, type);
  std::vector<Entry> nameEntries;
  if (!names || !ReadDirectory(tree, *names, &nameEntries)) return std::nullopt;
  std::optional<uint32_t> languages = Subdirectory(nameEntries, name);
  std::vector<Entry> languageEntries;
  if (!languages || !ReadDirectory(tree, *languages, &languageEntries) || languageEntries.empty()) {
    return std::nullopt;
  }
  const Entry* chosen = &languageEntries.front();
  bool found = false;
  for (uint16_t language : preferredLanguages) {
    for (const Entry& entry : languageEntries) {
      if (!entry.name.isString && entry.name.ordinal == language) {
        chosen = &entry;
        found = true;
        break;
      }
    }
    if (found) break;
  }
  if (chosen->target & kHighBit) return std::nullopt;  // a language leads to data, not further

  ByteReader dataEntry = tree.Sub(chosen->target, 16);
  uint32_t dataRva = 0;
  uint32_t dataSize = 0;
  dataEntry.U32(&dataRva);
  dataEntry.U32(&dataSize);
  if (dataEntry.Failed()) return std::nullopt;
  ResourceData data;
  const ByteReader bytes = image.AtAddress(dataRva, &data.offset);
  if (bytes.Failed() || dataSize > bytes.Remaining()) return std::nullopt;
  data.size = dataSize;
  data.language = chosen->name.isString ? 0 : chosen->name.ordinal;
  return data;
}

}  // namespace cesim::detail

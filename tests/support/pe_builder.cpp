// The PE and version resource builders of the tests.
#include "pe_builder.h"

#include <algorithm>

namespace foldwise_test {

namespace {

void Put16(std::string& out, size_t at, uint16_t value) {
  out[at] = static_cast<char>(value & 0xFF);
  out[at + 1] = static_cast<char>(value >> 8);
}

void Put32(std::string& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void Append16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

void Append32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PadTo4(std::string& out) {
  while (out.size() % 4 != 0) out.push_back('\0');
}

constexpr uint32_t kSectionRva = 0x1000;
constexpr uint32_t kFileAlignment = 0x200;

// A directory header followed by its entries (name or id, offset with the high bit for a
// subdirectory).
void AppendDirectory(std::string& out, const std::vector<std::pair<uint32_t, uint32_t>>& entries) {
  Append32(out, 0);  // characteristics
  Append32(out, 0);  // time stamp
  Append16(out, 0);  // major version
  Append16(out, 0);  // minor version
  Append16(out, 0);  // named entries
  Append16(out, static_cast<uint16_t>(entries.size()));
  for (const auto& entry : entries) {
    Append32(out, entry.first);
    Append32(out, entry.second);
  }
}

}  // namespace

std::string BuildPeImage(const std::vector<PeResource>& given, bool pe32Plus, PeLayout* layout) {
  PeLayout where;
  std::vector<PeResource> resources = given;
  std::stable_sort(resources.begin(), resources.end(), [](const PeResource& a, const PeResource& b) {
    if (a.type != b.type) return a.type < b.type;
    if (a.name != b.name) return a.name < b.name;
    return a.language < b.language;
  });

  // The resource section: the three directory levels, the data entries, then the data.
  std::vector<uint16_t> types;
  for (const PeResource& r : resources) {
    if (std::find(types.begin(), types.end(), r.type) == types.end()) types.push_back(r.type);
  }
  // Sizes first, so that every offset is known when the directories are written.
  const size_t directorySize = 16;
  const size_t entrySize = 8;
  size_t offset = directorySize + types.size() * entrySize;
  std::vector<size_t> typeDirectory;
  std::vector<std::vector<uint16_t>> namesOfType;
  for (uint16_t type : types) {
    typeDirectory.push_back(offset);
    std::vector<uint16_t> names;
    for (const PeResource& r : resources) {
      if (r.type == type && std::find(names.begin(), names.end(), r.name) == names.end()) names.push_back(r.name);
    }
    offset += directorySize + names.size() * entrySize;
    namesOfType.push_back(names);
  }
  std::vector<std::vector<size_t>> nameDirectory(types.size());
  for (size_t t = 0; t < types.size(); ++t) {
    for (uint16_t name : namesOfType[t]) {
      nameDirectory[t].push_back(offset);
      size_t languages = 0;
      for (const PeResource& r : resources) languages += r.type == types[t] && r.name == name;
      offset += directorySize + languages * entrySize;
    }
  }
  std::vector<size_t> dataEntry(resources.size());
  for (size_t i = 0; i < resources.size(); ++i) {
    dataEntry[i] = offset;
    offset += 16;
  }
  std::vector<size_t> dataAt(resources.size());
  for (size_t i = 0; i < resources.size(); ++i) {
    dataAt[i] = offset;
    offset = (offset + resources[i].data.size() + 3) & ~static_cast<size_t>(3);
  }

  std::string section;
  std::vector<std::pair<uint32_t, uint32_t>> typeEntries;
  for (size_t t = 0; t < types.size(); ++t) typeEntries.emplace_back(types[t], 0x80000000u | typeDirectory[t]);
  AppendDirectory(section, typeEntries);
  for (size_t t = 0; t < types.size(); ++t) {
    std::vector<std::pair<uint32_t, uint32_t>> nameEntries;
    for (size_t n = 0; n < namesOfType[t].size(); ++n) {
      nameEntries.emplace_back(namesOfType[t][n], 0x80000000u | nameDirectory[t][n]);
    }
    AppendDirectory(section, nameEntries);
  }
  for (size_t t = 0; t < types.size(); ++t) {
    for (uint16_t name : namesOfType[t]) {
      std::vector<std::pair<uint32_t, uint32_t>> languageEntries;
      for (size_t i = 0; i < resources.size(); ++i) {
        if (resources[i].type == types[t] && resources[i].name == name) {
          languageEntries.emplace_back(resources[i].language, static_cast<uint32_t>(dataEntry[i]));
        }
      }
      AppendDirectory(section, languageEntries);
    }
  }
  for (size_t i = 0; i < resources.size(); ++i) {
    Append32(section, static_cast<uint32_t>(kSectionRva + dataAt[i]));
    Append32(section, static_cast<uint32_t>(resources[i].data.size()));
    Append32(section, 1200);  // code page
    Append32(section, 0);
  }
  for (const PeResource& r : resources) {
    section += r.data;
    PadTo4(section);
  }
  const size_t sectionSize = section.size();

  // Headers: DOS header with e_lfanew at 0x3C, PE signature at 0x80.
  std::string file(0x80, '\0');
  Put16(file, 0, 0x5A4D);
  Put32(file, 0x3C, 0x80);
  where.peOffset = file.size();
  Append32(file, 0x00004550);
  Append16(file, pe32Plus ? 0x8664 : 0x01C0);  // AMD64, or ARM as on a device
  Append16(file, 1);                           // one section
  Append32(file, 0);                           // time stamp
  Append32(file, 0);                           // symbol table
  Append32(file, 0);                           // symbols
  const uint16_t optionalSize = pe32Plus ? 240 : 224;
  Append16(file, optionalSize);
  Append16(file, 0x0102);  // executable, 32-bit machine
  where.optionalOffset = file.size();
  std::string optional(optionalSize, '\0');
  Put16(optional, 0, pe32Plus ? 0x20B : 0x10B);
  const size_t countAt = pe32Plus ? 108 : 92;
  Put32(optional, countAt, 16);
  where.resourceEntryOffset = where.optionalOffset + countAt + 4 + 2 * 8;
  Put32(optional, countAt + 4 + 2 * 8, kSectionRva);
  Put32(optional, countAt + 4 + 2 * 8 + 4, static_cast<uint32_t>(sectionSize));
  file += optional;
  where.sectionTableOffset = file.size();
  std::string header(40, '\0');
  header.replace(0, 5, ".rsrc");
  const uint32_t rawSize = static_cast<uint32_t>((sectionSize + kFileAlignment - 1) / kFileAlignment * kFileAlignment);
  const uint32_t rawOffset = kFileAlignment;
  Put32(header, 8, static_cast<uint32_t>(sectionSize));  // virtual size
  Put32(header, 12, kSectionRva);
  Put32(header, 16, rawSize);
  Put32(header, 20, rawOffset);
  Put32(header, 36, 0x40000040);  // initialised data, readable
  file += header;
  file.resize(rawOffset, '\0');
  where.sectionOffset = file.size();
  where.sectionRva = kSectionRva;
  file += section;
  file.resize(rawOffset + rawSize, '\0');
  for (size_t i = 0; i < resources.size(); ++i) {
    where.dataEntryOffsets.push_back(where.sectionOffset + dataEntry[i]);
    where.dataOffsets.push_back(where.sectionOffset + dataAt[i]);
  }
  if (layout != nullptr) *layout = where;
  return file;
}

std::string EncodeVersionNode(const VersionNode& node) {
  std::string out(6, '\0');
  for (char16_t c : node.key) Append16(out, c);
  Append16(out, 0);
  PadTo4(out);
  uint16_t valueLength = 0;
  if (node.text) {
    if (!node.textValue.empty()) {
      for (char16_t c : node.textValue) Append16(out, c);
      Append16(out, 0);
      valueLength = static_cast<uint16_t>(node.textValue.size() + 1);
    }
  } else {
    out += node.binaryValue;
    valueLength = static_cast<uint16_t>(node.binaryValue.size());
  }
  for (const VersionNode& child : node.children) {
    PadTo4(out);
    out += EncodeVersionNode(child);
  }
  Put16(out, 0, static_cast<uint16_t>(out.size()));
  Put16(out, 2, valueLength);
  Put16(out, 4, node.text ? 1 : 0);
  return out;
}

std::string VersionResource(uint32_t fileVersionMS, uint32_t fileVersionLS, const std::u16string& langCodepage,
                            const std::vector<std::pair<std::u16string, std::u16string>>& strings,
                            const std::vector<std::pair<uint16_t, uint16_t>>& translations) {
  std::string fixed;
  Append32(fixed, 0xFEEF04BD);  // signature
  Append32(fixed, 0x00010000);  // structure version
  Append32(fixed, fileVersionMS);
  Append32(fixed, fileVersionLS);
  Append32(fixed, fileVersionMS);  // product version
  Append32(fixed, fileVersionLS);
  Append32(fixed, 0x3F);  // flags mask
  Append32(fixed, 0);     // flags
  Append32(fixed, 0x4);   // VOS__WINDOWS32
  Append32(fixed, 0x1);   // VFT_APP
  Append32(fixed, 0);
  Append32(fixed, 0);
  Append32(fixed, 0);

  VersionNode table;
  table.key = langCodepage;
  table.text = true;
  for (const auto& s : strings) {
    VersionNode value;
    value.key = s.first;
    value.text = true;
    value.textValue = s.second;
    table.children.push_back(value);
  }
  VersionNode stringInfo;
  stringInfo.key = u"StringFileInfo";
  stringInfo.text = true;
  stringInfo.children.push_back(table);

  VersionNode translation;
  translation.key = u"Translation";
  for (const auto& t : translations) {
    Append16(translation.binaryValue, t.first);
    Append16(translation.binaryValue, t.second);
  }
  VersionNode varInfo;
  varInfo.key = u"VarFileInfo";
  varInfo.text = true;
  varInfo.children.push_back(translation);

  VersionNode root;
  root.key = u"VS_VERSION_INFO";
  root.binaryValue = fixed;
  root.children.push_back(stringInfo);
  root.children.push_back(varInfo);
  return EncodeVersionNode(root);
}

}  // namespace foldwise_test

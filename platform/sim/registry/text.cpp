// The registry file in REGEDIT4 text: key headers "[HKEY_LOCAL_MACHINE\\Explorer]", values
// "name"="text", dword:0000001f, hex:.., hex(N):.., @= for the default value, "[-key]" and
// "name"=- for removals. Quoted text is UTF-8; the bytes of hex(N) are the value's bytes as the
// device stores them (UTF-16LE for the string types).
#include <cctype>
#include <cstdio>

#include "cesim/automation.h"
#include "registry/store.h"
#include "sim/registry.h"

namespace cesim::detail {

namespace {

std::string TrimRight(const std::string& text) {
  size_t end = text.size();
  while (end > 0 && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(0, end);
}

std::string TrimLeft(const std::string& text) {
  size_t start = 0;
  while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
  return text.substr(start);
}

// Physical lines joined where a line ends in "\\" (the continuation of hex data).
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string pending;
  bool continuing = false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = TrimRight(text.substr(start, end - start));
    start = end + 1;
    if (continuing) line = TrimLeft(line);
    // Only hex data is ever continued: quoted text and key headers end in '"' and ']'.
    const bool continues = !line.empty() && line.back() == '\\';
    if (continues) line.pop_back();
    pending += line;
    continuing = continues;
    if (!continuing) {
      lines.push_back(pending);
      pending.clear();
    }
  }
  if (!pending.empty()) lines.push_back(pending);
  return lines;
}

// Reads a quoted text at text[pos] (which is '"'); pos ends past the closing quote.
bool ParseQuoted(const std::string& text, size_t& pos, std::string& out) {
  if (pos >= text.size() || text[pos] != '"') return false;
  ++pos;
  out.clear();
  while (pos < text.size()) {
    const char c = text[pos++];
    if (c == '"') return true;
    if (c == '\\' && pos < text.size()) {
      const char next = text[pos++];
      if (next == 'n') {
        out += '\n';
      } else if (next == 'r') {
        out += '\r';
      } else {
        out += next;
      }
      continue;
    }
    out += c;
  }
  return false;  // no closing quote
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexNumber(const std::string& text, uint32_t maximumDigits, uint32_t& value) {
  if (text.empty() || text.size() > maximumDigits) return false;
  value = 0;
  for (char c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    value = value * 16 + static_cast<uint32_t>(digit);
  }
  return true;
}

bool ParseHexBytes(const std::string& text, std::vector<uint8_t>& bytes) {
  bytes.clear();
  std::string compact;
  for (char c : text) {
    if (!std::isspace(static_cast<unsigned char>(c))) compact += c;
  }
  if (compact.empty()) return true;
  size_t pos = 0;
  while (pos < compact.size()) {
    size_t comma = compact.find(',', pos);
    if (comma == std::string::npos) comma = compact.size();
    uint32_t byte = 0;
    if (!ParseHexNumber(compact.substr(pos, comma - pos), 2, byte)) return false;
    bytes.push_back(static_cast<uint8_t>(byte));
    pos = comma + 1;
    if (comma + 1 == compact.size()) return false;  // a trailing comma
  }
  return true;
}

std::vector<uint8_t> StringBytes(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  bytes.reserve((text.size() + 1) * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// The key for a header's path ("HKEY_LOCAL_MACHINE\\Explorer"), created when asked to.
std::shared_ptr<RegistryKey> KeyForHeader(const std::string& path, bool create) {
  const size_t slash = path.find('\\');
  const HKEY root = RegistryRootByName(path.substr(0, slash));
  if (root == nullptr) return nullptr;
  const std::vector<std::u16string> names =
      SplitKeyPath(slash == std::string::npos ? std::u16string() : Widen(path.substr(slash + 1)));
  if (create) return CreateSubkey(RegistryRoot(root), names, nullptr);
  return FindSubkey(RegistryRoot(root), names);
}

void ParseValueLine(RegistryKey& key, const std::string& line) {
  size_t pos = 0;
  std::string name;
  if (line[0] == '@') {
    pos = 1;
  } else if (!ParseQuoted(line, pos, name)) {
    return;
  }
  while (pos < line.size() && line[pos] == ' ') ++pos;
  if (pos >= line.size() || line[pos] != '=') return;
  ++pos;
  while (pos < line.size() && line[pos] == ' ') ++pos;
  const std::string data = TrimRight(line.substr(pos));
  const std::u16string valueName = Widen(name);
  if (data == "-") {
    RemoveValue(key, valueName);
    return;
  }
  if (!data.empty() && data[0] == '"') {
    size_t at = 0;
    std::string text;
    if (!ParseQuoted(data, at, text) || at != data.size()) return;
    SetValue(key, valueName, REG_SZ, StringBytes(Widen(text)));
    return;
  }
  if (data.compare(0, 6, "dword:") == 0) {
    uint32_t number = 0;
    if (!ParseHexNumber(data.substr(6), 8, number)) return;
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(number), static_cast<uint8_t>(number >> 8),
                                  static_cast<uint8_t>(number >> 16), static_cast<uint8_t>(number >> 24)};
    SetValue(key, valueName, REG_DWORD, bytes);
    return;
  }
  DWORD type = REG_BINARY;
  std::string hex;
  if (data.compare(0, 4, "hex:") == 0) {
    hex = data.substr(4);
  } else if (data.compare(0, 4, "hex(") == 0) {
    const size_t close = data.find("):", 4);
    uint32_t number = 0;
    if (close == std::string::npos || !ParseHexNumber(data.substr(4, close - 4), 8, number)) return;
    type = number;
    hex = data.substr(close + 2);
  } else {
    return;
  }
  std::vector<uint8_t> bytes;
  if (!ParseHexBytes(hex, bytes)) return;
  SetValue(key, valueName, type, std::move(bytes));
}

// Whether REG_SZ bytes read back as the same bytes from a quoted text: one terminator at the
// end, nothing else zero, well-formed UTF-16.
bool IsPlainString(const std::vector<uint8_t>& data, std::u16string& text) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  text.clear();
  for (size_t i = 0; i + 2 < data.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) return false;
    text += c;
  }
  if (data[data.size() - 2] != 0 || data[data.size() - 1] != 0) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

std::string Quote(const std::u16string& text) {
  std::string out = "\"";
  for (char c : Narrow(text)) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string HexData(const std::string& prefix, const std::vector<uint8_t>& data) {
  std::string out = prefix;
  size_t lineLength = prefix.size();
  for (size_t i = 0; i < data.size(); ++i) {
    char byte[4];
    std::snprintf(byte, sizeof(byte), "%02x", data[i]);
    out += byte;
    lineLength += 2;
    if (i + 1 < data.size()) {
      out += ',';
      ++lineLength;
      if (lineLength > 76) {
        out += "\\\n  ";
        lineLength = 2;
      }
    }
  }
  return out;
}

std::string ValueLine(const RegistryValueEntry& value) {
  std::string line = value.name.empty() ? std::string("@") : Quote(value.name);
  line += '=';
  std::u16string text;
  if (value.type == REG_SZ && IsPlainString(value.data, text)) return line + Quote(text);
  if (value.type == REG_DWORD && value.data.size() == 4) {
    const uint32_t number = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                            (static_cast<uint32_t>(value.data[3]) << 24);
    char digits[16];
    std::snprintf(digits, sizeof(digits), "dword:%08x", number);
    return line + digits;
  }
  if (value.type == REG_BINARY) return HexData(line + "hex:", value.data);
  char prefix[24];
  std::snprintf(prefix, sizeof(prefix), "hex(%x):", value.type);
  return HexData(line + prefix, value.data);
}

void WriteKey(const RegistryKey& key, const std::string& path, bool isRoot, std::string& out) {
  if (!isRoot || !key.values.empty()) {
    out += "[" + path + "]\n";
    for (const RegistryValueEntry& value : key.values) out += ValueLine(value) + "\n";
    out += "\n";
  }
  for (const std::shared_ptr<RegistryKey>& child : key.children) {
    WriteKey(*child, path + "\\" + Narrow(child->name), false, out);
  }
}

}  // namespace

void LoadRegistryText(const std::string& text) {
  ClearRegistry();
  std::shared_ptr<RegistryKey> current;
  for (std::string line : LogicalLines(text)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = TrimLeft(line);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = nullptr;
      const size_t close = line.rfind(']');
      if (close == std::string::npos || close < 2) continue;
      std::string path = line.substr(1, close - 1);
      if (path[0] == '-') {
        path.erase(0, 1);
        std::shared_ptr<RegistryKey> doomed = KeyForHeader(path, false);
        if (doomed && doomed->parent != nullptr) RemoveChild(doomed->parent, doomed.get());
        continue;
      }
      current = KeyForHeader(path, true);
      continue;
    }
    if (current && (line[0] == '"' || line[0] == '@')) ParseValueLine(*current, line);
  }
}

std::string RegistryText() {
  std::string out = "REGEDIT4\n\n";
  for (HKEY root : RegistryRootHandles()) {
    WriteKey(*RegistryRoot(root), RegistryRootName(root), true, out);
  }
  return out;
}

}  // namespace cesim::detail

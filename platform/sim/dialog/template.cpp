// Reading plain dialog templates with every read checked against the bytes that may be read.
#include "dialog/template.h"

#include <cstdint>
#include <limits>
#include <utility>

#include "core/byte_reader.h"
#include "resources/resources.h"
#include "sim/dialog.h"

namespace cesim::detail {

namespace {

// Longest text a template field may hold; a field that runs on without a terminator is
// malformed.
constexpr size_t kMaxTemplateText = 1024;

// A name's text may hold one unit more than other texts: its first unit is the one that tells it
// from none and from an ordinal.
constexpr size_t kMaxTemplateName = kMaxTemplateText + 1;

// A menu, class or title field: 0x0000 for none, else an ordinal or a text.
bool ReadName(ByteReader& reader, TemplateName* name) {
  uint16_t first = 0;
  if (reader.PeekU16(&first) && first == 0x0000) return reader.Skip(2);
  OrdinalOrText field;
  if (!reader.ReadOrdinalOrText(kMaxTemplateName, &field)) return false;
  *name = std::move(field);
  return true;
}

bool PredefinedClass(WORD ordinal, std::u16string* name) {
  switch (ordinal) {
    case 0x0080: *name = u"Button"; return true;
    case 0x0081: *name = u"Edit"; return true;
    case 0x0082: *name = u"Static"; return true;
    case 0x0083: *name = u"ListBox"; return true;
    case 0x0084: *name = u"ScrollBar"; return true;
    case 0x0085: *name = u"ComboBox"; return true;
    default: return false;
  }
}

bool ReadItem(ByteReader& reader, DialogItemTemplate* item) {
  // Items start on a DWORD boundary of memory.
  if (!reader.AlignToDword(nullptr)) return false;
  if (!reader.U32(&item->style) || !reader.U32(&item->exStyle) || !reader.I16(&item->x) ||
      !reader.I16(&item->y) || !reader.I16(&item->cx) || !reader.I16(&item->cy) || !reader.U16(&item->id)) {
    return false;
  }
  TemplateName cls;
  if (!ReadName(reader, &cls) || !cls) return false;
  if (!cls->isString) {
    if (!PredefinedClass(cls->ordinal, &item->className)) return false;
  } else {
    item->className = cls->text;
  }
  if (!ReadName(reader, &item->title)) return false;
  // Creation data: a size word that counts itself, then the data.
  const void* data = reader.Here();
  WORD size = 0;
  if (!reader.U16(&size)) return false;
  if (size > 2) {
    item->creationData = data;
    if (!reader.Skip(size - 2u)) return false;
  }
  return true;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t limit) {
  if (data == nullptr) return std::nullopt;
  ByteReader reader(data, limit);
  DialogTemplate result;
  WORD count = 0;
  if (!reader.U32(&result.style) || !reader.U32(&result.exStyle)) return std::nullopt;
  // An extended template starts with version 1 and the signature 0xFFFF.
  if ((result.style & 0xFFFF) == 1 && (result.style >> 16) == 0xFFFF) return std::nullopt;
  if (!reader.U16(&count) || !reader.I16(&result.x) || !reader.I16(&result.y) || !reader.I16(&result.cx) ||
      !reader.I16(&result.cy)) {
    return std::nullopt;
  }
  if (!ReadName(reader, &result.menu) || !ReadName(reader, &result.windowClass)) return std::nullopt;
  TemplateName title;
  if (!ReadName(reader, &title)) return std::nullopt;
  result.title = title && title->isString ? title->text : std::u16string();
  if ((result.style & DS_SETFONT) != 0) {
    if (!reader.U16(&result.pointSize) || !reader.Text(kMaxTemplateText, &result.faceName)) return std::nullopt;
  }
  result.items.reserve(count);
  for (WORD i = 0; i < count; ++i) {
    DialogItemTemplate item;
    if (!ReadItem(reader, &item)) return std::nullopt;
    result.items.push_back(item);
  }
  return result;
}

size_t TemplateReadLimit(const void* data) {
  std::optional<size_t> bytes = ResourceBytesAt(data);
  return bytes ? *bytes : std::numeric_limits<size_t>::max();
}

}  // namespace cesim::detail

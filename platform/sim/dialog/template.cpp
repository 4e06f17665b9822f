// Reading plain dialog templates with every read checked against the bytes that may be read.
#include "dialog/template.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "resources/resources.h"
#include "sim/dialog.h"

namespace cesim::detail {

namespace {

// Longest text a template field may hold; a field that runs on without a terminator is
// malformed.
constexpr size_t kMaxTemplateText = 1024;

class TemplateReader {
 public:
  TemplateReader(const void* data, size_t limit) : base_(static_cast<const uint8_t*>(data)), limit_(limit) {}

  bool Word(WORD* value) {
    if (!Fits(2)) return Fail();
    std::memcpy(value, base_ + offset_, 2);
    offset_ += 2;
    return true;
  }

  bool Dword(DWORD* value) {
    if (!Fits(4)) return Fail();
    std::memcpy(value, base_ + offset_, 4);
    offset_ += 4;
    return true;
  }

  bool Short(short* value) {
    WORD word = 0;
    if (!Word(&word)) return false;
    *value = static_cast<short>(word);
    return true;
  }

  bool Text(std::u16string* text) {
    text->clear();
    for (size_t i = 0; i <= kMaxTemplateText; ++i) {
      WORD c = 0;
      if (!Word(&c)) return false;
      if (c == 0) return true;
      text->push_back(static_cast<char16_t>(c));
    }
    return Fail();
  }

  // A menu, class or title field: 0x0000 none, 0xFFFF and an ordinal, or a text.
  bool Name(TemplateName* name) {
    WORD first = 0;
    if (!Word(&first)) return false;
    if (first == 0x0000) return true;
    name->present = true;
    if (first == 0xFFFF) {
      name->isOrdinal = true;
      return Word(&name->ordinal);
    }
    name->text.push_back(static_cast<char16_t>(first));
    std::u16string rest;
    if (!Text(&rest)) return false;
    name->text += rest;
    return true;
  }

  bool Skip(size_t bytes) {
    if (!Fits(bytes)) return Fail();
    offset_ += bytes;
    return true;
  }

  // Items start on a DWORD boundary of memory.
  bool AlignToDword() {
    uintptr_t address = reinterpret_cast<uintptr_t>(base_) + offset_;
    size_t padding = (4 - (address & 3)) & 3;
    if (padding == 0) return true;
    return Skip(padding);
  }

  const void* Here() const { return base_ + offset_; }
  bool Failed() const { return failed_; }

 private:
  bool Fits(size_t bytes) const { return !failed_ && offset_ <= limit_ && bytes <= limit_ - offset_; }
  bool Fail() {
    failed_ = true;
    return false;
  }

  const uint8_t* base_;
  size_t limit_;
  size_t offset_ = 0;
  bool failed_ = false;
};

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

bool ReadItem(TemplateReader& reader, DialogItemTemplate* item) {
  if (!reader.AlignToDword()) return false;
  if (!reader.Dword(&item->style) || !reader.Dword(&item->exStyle) || !reader.Short(&item->x) ||
      !reader.Short(&item->y) || !reader.Short(&item->cx) || !reader.Short(&item->cy) || !reader.Word(&item->id)) {
    return false;
  }
  TemplateName cls;
  if (!reader.Name(&cls) || !cls.present) return false;
  if (cls.isOrdinal) {
    if (!PredefinedClass(cls.ordinal, &item->className)) return false;
  } else {
    item->className = cls.text;
  }
  if (!reader.Name(&item->title)) return false;
  // Creation data: a size word that counts itself, then the data.
  const void* data = reader.Here();
  WORD size = 0;
  if (!reader.Word(&size)) return false;
  if (size > 2) {
    item->creationData = data;
    if (!reader.Skip(size - 2u)) return false;
  }
  return true;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t limit) {
  if (data == nullptr) return std::nullopt;
  TemplateReader reader(data, limit);
  DialogTemplate result;
  WORD count = 0;
  if (!reader.Dword(&result.style) || !reader.Dword(&result.exStyle)) return std::nullopt;
  // An extended template starts with version 1 and the signature 0xFFFF.
  if ((result.style & 0xFFFF) == 1 && (result.style >> 16) == 0xFFFF) return std::nullopt;
  if (!reader.Word(&count) || !reader.Short(&result.x) || !reader.Short(&result.y) || !reader.Short(&result.cx) ||
      !reader.Short(&result.cy)) {
    return std::nullopt;
  }
  if (!reader.Name(&result.menu) || !reader.Name(&result.windowClass)) return std::nullopt;
  TemplateName title;
  if (!reader.Name(&title)) return std::nullopt;
  result.title = title.isOrdinal ? std::u16string() : title.text;
  if ((result.style & DS_SETFONT) != 0) {
    if (!reader.Word(&result.pointSize) || !reader.Text(&result.faceName)) return std::nullopt;
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

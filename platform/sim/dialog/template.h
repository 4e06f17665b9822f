// Plain dialog templates (DLGTEMPLATE followed by DLGITEMTEMPLATE records) read out of memory.
// Every read is bounded: by the size of the loaded resource the template lies in when there is
// one, and always by the template's own counts and by a cap on each text.
#ifndef CESIM_DIALOG_TEMPLATE_H
#define CESIM_DIALOG_TEMPLATE_H

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "sim/types.h"

namespace cesim::detail {

// A menu, class or title field of a template: none (0x0000), or an ordinal or a text.
using TemplateName = std::optional<OrdinalOrText>;

struct DialogItemTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  WORD id = 0;
  std::u16string className;  // predefined ordinals turned into their class names
  TemplateName title;
  const void* creationData = nullptr;  // the size word and what follows it, or null
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD exStyle = 0;
  short x = 0;
  short y = 0;
  short cx = 0;
  short cy = 0;
  TemplateName menu;
  TemplateName windowClass;  // not present: the dialog class
  std::u16string title;
  WORD pointSize = 0;        // DS_SETFONT only
  std::u16string faceName;
  std::vector<DialogItemTemplate> items;
};

// Reads a plain template; nothing when it is malformed, runs past `limit` bytes, names a
// predefined class the device does not have, or is an extended template.
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t limit);

// How far a template at this address may be read: the rest of the loaded resource it lies in,
// or, for a template an application built in its own memory, no bound but its own counts.
size_t TemplateReadLimit(const void* data);

}  // namespace cesim::detail

#endif

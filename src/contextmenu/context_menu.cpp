// The context menu object: site and selection, the five commands in the Explorer's menu, and
// their verb texts. InvokeCommand is in menu_commands.cpp.
#include "contextmenu/context_menu.h"

#include "contextmenu/drop_list.h"
#include "module/class_id.h"
#include "module/module_state.h"
#include "resources/resource_ids.h"
#include "resources/strings.h"

namespace {

// Where an entry goes in the host's menu: a fixed position from the top, or the end.
const UINT kAtEnd = static_cast<UINT>(-1);

struct MenuEntry {
  BOOL separator;
  CommandOffset offset;
  UINT stringId;
  UINT position;
  BOOL programsOnly;
};

// The module's entries in the order they are inserted. QueryContextMenu and GetCommandString
// both read this table; the properties item's text is formatted with the selected file name.
const MenuEntry kMenuEntries[] = {
    {FALSE, kCommandCopyPath, IDS_COPY_PATH, 2, FALSE},
    {FALSE, kCommandOpenWithParameters, IDS_OPEN_WITH_PARAMETERS, 0, TRUE},
    {FALSE, kCommandSendShortcut, IDS_SEND_SHORTCUT, kAtEnd, TRUE},
    {TRUE, kCommandCount, 0, kAtEnd, FALSE},
    {FALSE, kCommandOpenWithProgram, IDS_OPEN_WITH_PROGRAM, kAtEnd, FALSE},
    {TRUE, kCommandCount, 0, kAtEnd, FALSE},
    {FALSE, kCommandProperties, IDS_PROPERTY, kAtEnd, FALSE},
};
const int kMenuEntryCount = sizeof(kMenuEntries) / sizeof(kMenuEntries[0]);

// Room for "Property (%s)..." with a file name of up to 259 characters.
const int kPropertiesTextSize = 276;

}  // namespace

void* ContextMenu::operator new(size_t size) throw() { return LocalAlloc(LPTR, size); }
void ContextMenu::operator delete(void* block) { LocalFree(block); }

ContextMenu::ContextMenu() : references_(0), site_(NULL), firstCommandId_(0) {
  selectedPath_[0] = 0;
  ++g_module.liveObjects;
}

ContextMenu::~ContextMenu() {
  if (site_ != NULL) site_->Release();
  --g_module.liveObjects;
}

ContextMenu* ContextMenu::Create() { return new ContextMenu(); }

// --- IUnknown, shared by both interfaces ---

STDMETHODIMP ContextMenu::QueryInterface(REFIID iid, void** out) {
  if (out == NULL) return E_POINTER;
  *out = NULL;
  if (SameGuid(iid, IID_IUnknown) || SameGuid(iid, IID_IContextMenu)) {
    *out = static_cast<IContextMenu*>(this);
  } else if (SameGuid(iid, IID_IObjectWithSite)) {
    *out = static_cast<IObjectWithSite*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) ContextMenu::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) ContextMenu::Release() {
  ULONG count = --references_;
  if (count == 0) delete this;
  return count;
}

// --- IObjectWithSite ---

STDMETHODIMP ContextMenu::SetSite(IUnknown* site) {
  // The new reference is taken before the old one is given up, so setting the same site again
  // keeps it alive.
  if (site != NULL) site->AddRef();
  if (site_ != NULL) site_->Release();
  site_ = site;
  selectedPath_[0] = 0;
  if (site == NULL) return S_OK;

  IDataObject* data = NULL;
  if (FAILED(site->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data))) || data == NULL) {
    return STG_E_INVALIDPARAMETER;
  }
  FORMATETC format = {CF_HDROP, NULL, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium;
  medium.tymed = TYMED_HGLOBAL;
  medium.hGlobal = NULL;
  medium.pUnkForRelease = NULL;
  if (FAILED(data->GetData(&format, &medium))) {
    data->Release();
    return STG_E_INVALIDPARAMETER;
  }
  const BYTE* block = static_cast<const BYTE*>(GlobalLock(medium.hGlobal));
  if (block != NULL) {
    ReadFirstDropPath(block, GlobalSize(medium.hGlobal), selectedPath_);
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  data->Release();
  return S_OK;
}

STDMETHODIMP ContextMenu::GetSite(REFIID iid, void** out) {
  if (out == NULL) return E_POINTER;
  if (site_ == NULL) {
    *out = NULL;
    return E_FAIL;
  }
  return site_->QueryInterface(iid, out);
}

// --- IContextMenu ---

BOOL ContextMenu::SelectionIsProgram() const {
  // A failed attribute query (all bits set) counts as a folder.
  if (GetFileAttributesW(selectedPath_) & FILE_ATTRIBUTE_DIRECTORY) return FALSE;
  const WCHAR* dot = wcsrchr(selectedPath_, TEXT('.'));
  return dot != NULL && _wcsicmp(dot, TEXT(".exe")) == 0;
}

void ContextMenu::InsertCommand(HMENU menu, UINT position, CommandOffset offset, LPCWSTR text) {
  InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING, firstCommandId_ + offset, text);
}

STDMETHODIMP ContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) {
  (void)index;
  (void)flags;
  if (lastId < firstId) return E_INVALIDARG;
  IDataObject* data = NULL;
  if (FAILED(GetSite(IID_IDataObject, reinterpret_cast<void**>(&data)))) return E_NO_SELECTION;
  if (data != NULL) data->Release();

  firstCommandId_ = firstId;
  BOOL program = SelectionIsProgram();
  for (int i = 0; i < kMenuEntryCount; ++i) {
    const MenuEntry& entry = kMenuEntries[i];
    if (entry.programsOnly && !program) continue;
    if (entry.separator) {
      InsertMenuW(menu, entry.position, MF_BYPOSITION | MF_SEPARATOR, 0, NULL);
    } else if (entry.offset == kCommandProperties) {
      // The file name is the text after the last "\"; an empty selection gives an empty name.
      const WCHAR* slash = wcsrchr(selectedPath_, TEXT('\\'));
      const WCHAR* name = slash != NULL ? slash + 1 : selectedPath_;
      WCHAR text[kPropertiesTextSize];
      _snwprintf(text, kPropertiesTextSize - 1, GetResourceString(entry.stringId), name);
      text[kPropertiesTextSize - 1] = 0;
      InsertCommand(menu, entry.position, entry.offset, text);
    } else {
      InsertCommand(menu, entry.position, entry.offset, GetResourceString(entry.stringId));
    }
  }
  return kCommandCount;
}

STDMETHODIMP ContextMenu::GetCommandString(UINT_PTR commandId, UINT type, UINT* reserved, LPSTR text, UINT size) {
  (void)reserved;
  if (type != GCS_VERBA) return E_NOTIMPL;
  if (commandId < firstCommandId_ || commandId > firstCommandId_ + (kCommandCount - 1)) return E_FAIL;
  if (text != NULL) _snprintf(text, size, "%d", static_cast<int>(commandId - firstCommandId_));
  return S_OK;
}

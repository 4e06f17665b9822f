// The shell's context menu extension object: takes the first selected path from its site's
// data object and adds the module's five commands to the Explorer's context menu.
#ifndef FOLDWISE_CONTEXT_MENU_H
#define FOLDWISE_CONTEXT_MENU_H

#include "ceplatform.h"

// Returned by QueryContextMenu when the object has no site that yields a data object.
#define E_NO_SELECTION ((HRESULT)0x800004E1L)

// Command offsets from the first command identifier.
enum CommandOffset {
  kCommandCopyPath = 0,
  kCommandProperties = 1,
  kCommandOpenWithParameters = 2,
  kCommandSendShortcut = 3,
  kCommandOpenWithProgram = 4,
  kCommandCount = 5
};

class ContextMenu : public IContextMenu, public IObjectWithSite {
 public:
  // A new object with reference count 0 and no site, counted as live; null when memory runs out.
  static ContextMenu* Create();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out);
  STDMETHODIMP_(ULONG) AddRef();
  STDMETHODIMP_(ULONG) Release();
  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags);
  STDMETHODIMP InvokeCommand(LPCMINVOKECOMMANDINFO info);
  STDMETHODIMP GetCommandString(UINT_PTR commandId, UINT type, UINT* reserved, LPSTR text, UINT size);
  // IObjectWithSite
  STDMETHODIMP SetSite(IUnknown* site);
  STDMETHODIMP GetSite(REFIID iid, void** out);

  static void* operator new(size_t size) throw();
  static void operator delete(void* block);

 private:
  ContextMenu();
  virtual ~ContextMenu();
  void ReadSelectedPath(IDataObject* data);
  BOOL SelectionIsProgram() const;
  void InsertCommand(HMENU menu, UINT position, CommandOffset offset, LPCWSTR text);

  ULONG references_;
  IUnknown* site_;
  WCHAR selectedPath_[MAX_PATH];
  UINT firstCommandId_;
};

#endif

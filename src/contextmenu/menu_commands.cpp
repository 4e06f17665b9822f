// InvokeCommand: the chosen command, found from its verb text, run on the selected path.
#include "contextmenu/context_menu.h"
#include "contextmenu/menu_commands.h"
#include "dialogs/file_dialogs.h"

namespace {

// The verb is the command offset as decimal text, as GetCommandString gives it. A verb whose
// high-order bits are zero is no address but the offset itself, as callers of the shell may
// pass it; reading it as text would touch memory at a small address.
UINT VerbOffset(LPCSTR verb) {
  UINT_PTR value = reinterpret_cast<UINT_PTR>(verb);
  if ((value >> 16) == 0) return static_cast<UINT>(value);
  return static_cast<UINT>(atoi(verb));
}

}  // namespace

STDMETHODIMP ContextMenu::InvokeCommand(LPCMINVOKECOMMANDINFO info) {
  if (info == NULL) return E_POINTER;
  if (info->cbSize != sizeof(CMINVOKECOMMANDINFO)) return E_INVALIDARG;
  // Negative offsets compare as large unsigned numbers and do nothing, like any other unknown one.
  UINT offset = VerbOffset(info->lpVerb);
  // Without a selected path (a site whose data named no file) no command has anything to act on.
  if (offset >= kCommandCount || selectedPath_[0] == 0) return S_OK;

  HWND owner = info->hwnd;
  switch (offset) {
    case kCommandCopyPath:
      CopyPathToClipboard(owner, selectedPath_);
      break;
    case kCommandProperties:
      ShowPropertiesDialog(owner, selectedPath_);
      break;
    case kCommandOpenWithParameters:
      ShowParametersDialog(owner, selectedPath_);
      break;
    case kCommandSendShortcut:
      SendShortcutToPrograms(owner, selectedPath_);
      break;
    case kCommandOpenWithProgram:
      ShowProgramDialog(owner, selectedPath_);
      break;
    default:
      break;
  }
  return S_OK;
}

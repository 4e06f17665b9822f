// How the Explorer shows an item's context menu: its own items, then every context menu handler
// registered for the item's kind, each given the selection through a data object.
#ifndef FEXPLORE_CONTEXT_MENU_HOST_H
#define FEXPLORE_CONTEXT_MENU_HOST_H

#include "ceplatform.h"

// The Explorer's own items, in order; handlers add theirs from kFirstHandlerCommand on.
enum ExplorerCommand {
  kCommandOpen = 1,
  kCommandCut = 2,
  kCommandCopy = 3,
  kCommandDelete = 4,
  kCommandRename = 5,
  kFirstHandlerCommand = 0x1000,
  kLastHandlerCommand = 0x7FFF
};

// One handler's object, alive while the menu is shown.
struct LoadedHandler {
  HMODULE module;
  IContextMenu* menu;
  HRESULT queryResult;  // what QueryContextMenu answered
  UINT firstCommand;    // the first identifier it was given
  UINT commandCount;    // how many identifiers from there on it took
};

// A shown context menu. Close() releases the handlers' objects and destroys the menu.
struct ContextMenuSession {
  HMENU menu;
  LoadedHandler handlers[4];
  int handlerCount;
  int handlersRefused;  // handlers registered but whose module or object could not be had
};

// Builds the context menu for a path: the Explorer's items, then the handlers registered under
// HKEY_CLASSES_ROOT "*" (files) or "Folder" (folders) "\shellex\ContextMenuHandlers", each
// given its own range of identifiers from kFirstHandlerCommand on. The Explorer keeps no file
// clipboard, so Cut and Copy are there but greyed.
BOOL OpenContextMenu(LPCWSTR path, ContextMenuSession* session);
void CloseContextMenu(ContextMenuSession* session);

// Runs a chosen handler command: asks the handler that owns the identifier for its verb text
// (GetCommandString with the identifier as chosen) and invokes it with that verb, owned by
// `owner`. FALSE when no handler owns the identifier or it gave no verb.
BOOL InvokeHandlerCommand(ContextMenuSession* session, UINT command, HWND owner, HRESULT* result = NULL);

#endif

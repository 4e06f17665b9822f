// The module state: every module-wide variable, zeroed when the module is loaded and never
// freed. Each variable is written by one part of the module, named beside it.
#ifndef FOLDWISE_MODULE_STATE_H
#define FOLDWISE_MODULE_STATE_H

#include "ceplatform.h"

// Optional core-library entry points, looked up by name at load; null where the device lacks
// them, and then never called.
typedef BOOL(WINAPI* GetGestureInfoFunc)(HANDLE gestureInfo, void* info);
typedef BOOL(WINAPI* SetLayeredWindowAttributesFunc)(HWND window, COLORREF key, BYTE alpha, DWORD flags);

struct ModuleState {
  HINSTANCE instance;                                     // module entry
  LONG liveObjects;                                       // class factory, context menu object
  GetGestureInfoFunc getGestureInfo;                      // module entry
  SetLayeredWindowAttributesFunc setLayeredWindowAttributes;  // module entry
  WCHAR suppressedPath[MAX_PATH];                         // replacement table
  BOOL rootListingSeen;                                   // replacement table
  HWND frameWindow;                                       // frame window extension
  WNDPROC framePreviousProc;                              // frame window extension
  WNDPROC panePreviousProc;                               // list pane extension
  HWND listView;                                          // list pane extension
  HWND overlayWindow;                                     // frame window extension
  BOOL overlayCreated;                                    // frame window extension
  BOOL overlayLayered;                                    // frame window extension
  BYTE overlayAlphaStep;                                  // frame window extension
  int overlayOffsetX;                                     // image preview
  int overlayOffsetY;                                     // image preview
  int lastPaneWidth;                                      // list pane extension
  BOOL paneWidthChanged;                                  // list pane extension
  HMENU viewOptionsMenu;                                  // frame window extension
  HWND folderTree;                                        // Change Folder dialog
  HWND folderDialogClosing;     // Change Folder dialog: the dialog that has posted itself WM_CLOSE
  HWND folderDialogDestroying;  // Change Folder dialog: the dialog whose destruction has begun
  HWND folderTreeUnselected;    // Change Folder dialog: the tree that must lose the selection its focus gives
  LPCWSTR propertiesPath;                                 // properties dialog
  WIN32_FIND_DATAW propertiesFind;                        // properties dialog: the snapshot at opening
  BOOL propertiesFound;                                   // properties dialog: the snapshot is the item's
  HWND propertiesName;                                    // properties dialog
  HWND propertiesTarget;                                  // properties dialog
  HWND propertiesReadOnly;                                // properties dialog
  HWND propertiesHidden;                                  // properties dialog
  HWND propertiesModified;                                // properties dialog
  LPCWSTR versionPath;                                    // version dialog
  void* versionBlock;                                     // version dialog: owned until WM_DESTROY
  DWORD versionBlockSize;                                 // version dialog
  LPCWSTR parametersPath;  // Open with Parameters dialog: the program it starts, the caller's path
  LPCWSTR programDialogPath;  // Open with Program dialog: the item it opens, the caller's path
  WCHAR emptyPath[1];                                     // nobody: always empty
};

extern ModuleState g_module;

#endif

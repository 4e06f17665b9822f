// The table of the device's parts, in boot order, and the walk over it: forwards at boot,
// backwards at shutdown (the loader ends the modules while the windows they made still exist, for
// example). The device's own window classes are a part of their own, registered in a fixed order
// right after the window system has been emptied, so that their atoms are the same at every boot.
#include "core/parts.h"

#include <iterator>

#include "clipboard/clipboard.h"
#include "controls/button/button.h"
#include "controls/combobox/combobox.h"
#include "controls/edit/edit.h"
#include "controls/header/header.h"
#include "controls/imagelist/imagelist.h"
#include "controls/listview/listview.h"
#include "controls/static/static.h"
#include "controls/toolbar/toolbar.h"
#include "controls/treeview/treeview.h"
#include "core/handles.h"
#include "core/memory.h"
#include "dialog/defproc.h"
#include "files/attributes.h"
#include "files/find.h"
#include "files/folder_names.h"
#include "files/volumes.h"
#include "gdi/objects.h"
#include "loader/launch.h"
#include "loader/loader.h"
#include "loader/system_modules.h"
#include "menu/store.h"
#include "message_box/message_box.h"
#include "registry/store.h"
#include "resources/resources.h"
#include "shell/menu_bar.h"
#include "shell/system_images.h"
#include "version/version.h"
#include "window/icons.h"
#include "window/system.h"

namespace cesim::detail {

namespace {

// Registers the predefined classes at boot, in this order; at shutdown the window system's reset
// has dropped them with every other class.
void RegisterPredefinedClasses(Phase phase) {
  if (phase != Phase::Boot) return;
  RegisterButtonClass();
  RegisterEditClass();
  RegisterStaticClass();
  RegisterComboBoxClass();
  RegisterDialogClass();
  RegisterTreeViewClass();
  RegisterHeaderClass();
  RegisterListViewClass();
  RegisterToolbarClass();
  RegisterMenuBarClass();
}

struct Part {
  const char* name;
  void (*reset)(Phase phase);
};

const Part kParts[] = {
    {"registry handles", &ResetRegistryHandles},
    {"registry", &ResetRegistry},
    {"storage volumes", &ResetStorageVolumes},
    {"file attributes", &ResetFileAttributes},
    {"folder searches", &ResetFolderSearches},
    {"folder names", &ResetHostFolderNames},
    {"heap", &ResetHeap},
    {"kernel handles", &ResetKernelHandles},
    {"resources", &ResetResources},
    {"version blocks", &ResetVersionBlocks},
    {"window system", &ResetWindowSystem},
    {"predefined window classes", &RegisterPredefinedClasses},
    {"menus", &ResetMenus},
    {"graphics objects", &ResetGraphics},
    {"icons", &ResetIcons},
    {"image lists", &ResetImageLists},
    {"system image lists", &ResetSystemImages},
    {"clipboard", &ResetClipboard},
    {"message boxes", &ResetMessageBoxes},
    {"loader", &ResetLoader},
    {"launch log", &ResetLaunches},
    {"system modules", &ResetSystemModules},
    {"core library state", &ResetCoreLibraryState},
};

}  // namespace

void ResetParts(Phase phase) {
  if (phase == Phase::Boot) {
    for (const Part& part : kParts) part.reset(phase);
  } else {
    for (auto it = std::rbegin(kParts); it != std::rend(kParts); ++it) it->reset(phase);
  }
}

}  // namespace cesim::detail

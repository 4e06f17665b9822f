// The one platform header of module code: the Windows CE API as the module sees it.
// On a Windows CE SDK it is the SDK's own headers; on desktop Windows the desktop headers
// plus the CE-only calls that platform/desktop implements; on Linux cesim's declarations.
#ifndef FOLDWISE_CEPLATFORM_H
#define FOLDWISE_CEPLATFORM_H

#if defined(_WIN32_WCE)
#include <windows.h>
#include <commctrl.h>
#include <aygshell.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include "ceshell_ordinals.h"
#elif defined(_WIN32)
#include "desktop/ce_desktop.h"
#include "ceshell_ordinals.h"
#else
// One header per subsystem of cesim, the base types first.
#include "sim/types.h"
#include "sim/core.h"
#include "sim/crt.h"
#include "sim/registry.h"
#include "sim/files.h"
#include "sim/loader.h"
#include "sim/resources.h"
#include "sim/version.h"
#include "sim/time.h"
#include "sim/locale.h"
#include "sim/com.h"
#include "sim/window.h"
#include "sim/gdi.h"
#include "sim/message.h"
#include "sim/input.h"
#include "sim/dialog.h"
#include "sim/menu.h"
#include "sim/metrics.h"
#include "sim/controls.h"
#include "sim/commctrl.h"
#include "sim/clipboard.h"
#include "sim/message_box.h"
#include "sim/shell.h"
#endif

#endif

// The menus that the shell's modules carry, shared by "ceshell" (menu 107) and "shellres" (menu
// 8915): the first pop-up menu is the Explorer's list pane menu, the second its item menu. Both
// modules use the same command identifiers; the pane menu's item at position 1 ("Select All")
// identifies it and a separator follows at position 2.
#ifndef CESIM_LOADER_SYSTEM_SHELL_MENU_IDS_H
#define CESIM_LOADER_SYSTEM_SHELL_MENU_IDS_H

#define IDM_CESHELL_EXPLORER 107
#define IDM_SHELLRES_EXPLORER 8915

#define IDC_SHELL_NEWFOLDER 20480
#define IDC_SHELL_SELECTALL 20481
#define IDC_SHELL_PASTE 20482
#define IDC_SHELL_PASTESHORTCUT 20483
#define IDC_SHELL_REFRESH 20484
#define IDC_SHELL_CUT 20496
#define IDC_SHELL_COPY 20497
#define IDC_SHELL_RENAME 20498
#define IDC_SHELL_DELETE 20499
#define IDC_SHELL_PROPERTIES 20500

#endif

// The shell of Windows CE as its SDK declares it: the shell calls of the core library (special
// folders, shortcuts, file information, starting programs and documents), the calls of the shell
// library (aygshell: dialog set-up, gestures, image loading), and the ordinal exports of the shell
// library, each in a block of its own.
#ifndef CESIM_FACE_SHELL_H
#define CESIM_FACE_SHELL_H

#include "sim/commctrl.h"
#include "sim/registry.h"
#include "sim/types.h"

#define ERROR_NO_UNICODE_TRANSLATION 1113L
#define ERROR_NO_ASSOCIATION 1155L

// ---------------------------------------------------------------------------------------------
// Special folders.

#define CSIDL_DESKTOP 0x0000
#define CSIDL_PROGRAMS 0x0002
#define CSIDL_CONTROLS 0x0003
#define CSIDL_PRINTERS 0x0004
#define CSIDL_PERSONAL 0x0005
#define CSIDL_FAVORITES 0x0006
#define CSIDL_STARTUP 0x0007
#define CSIDL_RECENT 0x0008
#define CSIDL_BITBUCKET 0x000A
#define CSIDL_STARTMENU 0x000B
#define CSIDL_MYMUSIC 0x000D
#define CSIDL_MYVIDEO 0x000E
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_DRIVES 0x0011
#define CSIDL_NETWORK 0x0012
#define CSIDL_FONTS 0x0014
#define CSIDL_TEMPLATES 0x0015
#define CSIDL_APPDATA 0x001A
#define CSIDL_WINDOWS 0x0024
#define CSIDL_PROGRAM_FILES 0x0026
#define CSIDL_MYPICTURES 0x0027
#define CSIDL_FLAG_CREATE 0x8000

// lpszPath receives the folder (MAX_PATH characters). TRUE when the folder exists or was made
// (fCreate); otherwise FALSE and an empty path. Virtual folders fail.
CESIM_API BOOL WINAPI SHGetSpecialFolderPath(HWND hwndOwner, LPWSTR lpszPath, int nFolder, BOOL fCreate);
#define SHGetSpecialFolderPathW SHGetSpecialFolderPath

// ---------------------------------------------------------------------------------------------
// Shortcuts: a text file holding the count of the target's characters, "#" and the target.

// TRUE (the SDK declares the result as a DWORD) when the shortcut was made; FALSE when a file of
// that name exists, its folder is missing or the target does not fit (256 characters with the
// terminator).
CESIM_API DWORD WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget);

// ---------------------------------------------------------------------------------------------
// File information.

struct SHFILEINFO {
  HICON hIcon;
  int iIcon;
  DWORD dwAttributes;
  WCHAR szDisplayName[MAX_PATH];
  WCHAR szTypeName[80];
};
typedef SHFILEINFO SHFILEINFOW;
typedef SHFILEINFO* LPSHFILEINFO;

#define SHGFI_LARGEICON 0x00000000
#define SHGFI_SMALLICON 0x00000001
#define SHGFI_OPENICON 0x00000002
#define SHGFI_SHELLICONSIZE 0x00000004
#define SHGFI_PIDL 0x00000008
#define SHGFI_USEFILEATTRIBUTES 0x00000010
#define SHGFI_ICON 0x00000100
#define SHGFI_DISPLAYNAME 0x00000200
#define SHGFI_TYPENAME 0x00000400
#define SHGFI_ATTRIBUTES 0x00000800
#define SHGFI_ICONLOCATION 0x00001000
#define SHGFI_EXETYPE 0x00002000
#define SHGFI_SYSICONINDEX 0x00004000
#define SHGFI_LINKOVERLAY 0x00008000
#define SHGFI_SELECTED 0x00010000
#define SHGFI_ATTR_SPECIFIED 0x00020000

// Item attributes (SHGFI_ATTRIBUTES), as IShellFolder::GetAttributesOf gives them.
#define SFGAO_CANCOPY 0x00000001L
#define SFGAO_CANMOVE 0x00000002L
#define SFGAO_CANLINK 0x00000004L
#define SFGAO_CANRENAME 0x00000010L
#define SFGAO_CANDELETE 0x00000020L
#define SFGAO_HASPROPSHEET 0x00000040L
#define SFGAO_LINK 0x00010000L
#define SFGAO_READONLY 0x00040000L
#define SFGAO_GHOSTED 0x00080000L
#define SFGAO_FILESYSANCESTOR 0x10000000L
#define SFGAO_FOLDER 0x20000000L
#define SFGAO_FILESYSTEM 0x40000000L
#define SFGAO_HASSUBFOLDER 0x80000000L

// With SHGFI_SYSICONINDEX the result is the system image list (of small icons with
// SHGFI_SMALLICON); otherwise nonzero on success. An icon given out with SHGFI_ICON belongs to the
// caller (DestroyIcon). cbFileInfo must be sizeof(SHFILEINFO).
CESIM_API DWORD_PTR WINAPI SHGetFileInfo(LPCWSTR pszPath, DWORD dwFileAttributes, SHFILEINFO* psfi, UINT cbFileInfo,
                                         UINT uFlags);
#define SHGetFileInfoW SHGetFileInfo

// ---------------------------------------------------------------------------------------------
// Starting programs and opening documents.

struct SHELLEXECUTEINFO {
  DWORD cbSize;
  ULONG fMask;
  HWND hwnd;
  LPCWSTR lpVerb;
  LPCWSTR lpFile;
  LPCWSTR lpParameters;
  LPCWSTR lpDirectory;
  int nShow;
  HINSTANCE hInstApp;
  LPVOID lpIDList;
  LPCWSTR lpClass;
  HKEY hkeyClass;
  DWORD dwHotKey;
  union {
    HANDLE hIcon;
    HANDLE hMonitor;
  };
  HANDLE hProcess;
};
typedef SHELLEXECUTEINFO SHELLEXECUTEINFOW;
typedef SHELLEXECUTEINFO* LPSHELLEXECUTEINFO;
typedef SHELLEXECUTEINFO* LPSHELLEXECUTEINFOW;

#define SEE_MASK_CLASSNAME 0x00000001
#define SEE_MASK_CLASSKEY 0x00000003
#define SEE_MASK_IDLIST 0x00000004
#define SEE_MASK_INVOKEIDLIST 0x0000000C
#define SEE_MASK_ICON 0x00000010
#define SEE_MASK_HOTKEY 0x00000020
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_CONNECTNETDRV 0x00000080
#define SEE_MASK_FLAG_DDEWAIT 0x00000100
#define SEE_MASK_DOENVSUBST 0x00000200
#define SEE_MASK_FLAG_NO_UI 0x00000400

// hInstApp on failure (greater than 32 on success).
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31
#define SE_ERR_DLLNOTFOUND 32

// A program is started with the parameters; a document is opened with the command of its type
// ("HKEY_CLASSES_ROOT\\<type>\\shell\\<verb>\\command", %1 standing for the document). FALSE and
// the error (GetLastError, hInstApp) when the file or its association is missing; the shell
// shows the error unless SEE_MASK_FLAG_NO_UI is given.
CESIM_API BOOL WINAPI ShellExecuteEx(LPSHELLEXECUTEINFO lpExecInfo);
#define ShellExecuteExW ShellExecuteEx

// ---------------------------------------------------------------------------------------------
// Full-screen dialogs (aygshell).

struct SHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
};
typedef SHINITDLGINFO* PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010
#define SHIDIF_EMPTYMENU 0x0020
#define SHIDIF_WANTSCROLLBAR 0x0040

// Sizes the dialog to the work area (leaving the menu bar's place at the bottom unless
// SHIDIF_FULLSCREENNOMENUBAR), puts an OK button on its caption (SHIDIF_DONEBUTTON:
// WS_EX_CAPTIONOKBTN, a caption added when it has none) and gives it an empty menu bar
// (SHIDIF_EMPTYMENU). Called from WM_INITDIALOG.
CESIM_API BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);

// ---------------------------------------------------------------------------------------------
// SHRecognizeGesture: called while a control handles the press of the stylus (WM_LBUTTONDOWN) or
// of the action button (WM_KEYDOWN), it follows the press until it is released, moves or has
// lasted long enough to be a context-menu gesture.

// The device's structure is 20 bytes (32-bit handles); callers set cbSize to sizeof(SHRGINFO).
struct SHRGINFO {
  DWORD cbSize;
  HWND hwndClient;  // the window that calls
  POINT ptDown;     // the press, in hwndClient's client coordinates
  DWORD dwFlags;
};
typedef SHRGINFO* PSHRGINFO;

// dwFlags: return GN_CONTEXTMENU (else a WM_NOTIFY of GN_CONTEXTMENU goes to hwndClient), or send
// the notification to hwndClient's parent; wait longer than usual; draw no feedback.
#define SHRG_RETURNCMD 0x00000001
#define SHRG_NOTIFYPARENT 0x00000002
#define SHRG_LONGDELAY 0x00000008
#define SHRG_NOANIMATION 0x00000010

// The context-menu gesture: SHRecognizeGesture's result with SHRG_RETURNCMD, else the code of the
// WM_NOTIFY (an NMRGINFO with the press in screen coordinates) that it sends.
#define GN_CONTEXTMENU 1000

CESIM_API DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg);

// ---------------------------------------------------------------------------------------------
// Image loading (aygshell).

// Reads an image file (BMP, JPEG, PNG or GIF) and gives a new bitmap of its picture, or null when
// the file cannot be read as an image. The caller deletes the bitmap with DeleteObject.
CESIM_API HBITMAP WINAPI SHLoadImageFile(LPCTSTR pszFileName);

// ---------------------------------------------------------------------------------------------
// The shell library's ordinal exports ("ceshell").

#include "ceshell_ordinals.h"

#endif

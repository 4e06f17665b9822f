// cesim's automation API: what tests and tools use to build device images, boot a device,
// start the emulated process and look at the device from outside, as a user or a desktop
// tool would. It never reaches into a loaded module.
#ifndef CESIM_AUTOMATION_H
#define CESIM_AUTOMATION_H

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/types.h"

namespace cesim {

// The byte that cesim writes over every byte of an output the platform documents as undefined
// (a registry value's buffer after ERROR_MORE_DATA, the find data of a failed search); as
// UTF-16 text it reads as U+CCCC units, as a DWORD 0xCCCCCCCC.
constexpr uint8_t kUndefinedOutputByte = 0xCC;

// Converts between the device's UTF-16 text and UTF-8 for printing and test messages.
std::string Narrow(const std::u16string& text);
std::u16string Widen(const std::string& text);
// Narrow's UTF-8 of `length` units of `text`, added to the end of `out`.
void AppendNarrow(std::string& out, const char16_t* text, size_t length);

// Builds a device image folder: the file tree under files/, registry.reg (REGEDIT4 text) and
// device.ini (screen, time zone, storage volumes, optional core-library entry points, CE-only
// file attributes, module mappings, input). The folder is temporary and removed with the builder
// unless Keep() was called.
class ImageBuilder {
 public:
  ImageBuilder();                                   // a fresh temporary folder
  explicit ImageBuilder(const std::string& folder);  // an existing or new folder, kept
  ~ImageBuilder();
  ImageBuilder(const ImageBuilder&) = delete;
  ImageBuilder& operator=(const ImageBuilder&) = delete;

  const std::string& Folder() const { return folder_; }
  void Keep() { owned_ = false; }

  // Paths are device paths such as u"\\Windows\\Fonts"; parent folders are made as needed.
  ImageBuilder& AddFolder(const std::u16string& path, DWORD ceAttributes = 0);
  ImageBuilder& AddFile(const std::u16string& path, const std::string& contents = std::string(),
                        DWORD ceAttributes = 0);
  // CE-only attributes that a Linux file system cannot hold: FILE_ATTRIBUTE_INROM,
  // FILE_ATTRIBUTE_ROMMODULE, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM,
  // FILE_ATTRIBUTE_TEMPORARY (mount folder), FILE_ATTRIBUTE_READONLY.
  ImageBuilder& SetAttributes(const std::u16string& path, DWORD ceAttributes);
  // Appends REGEDIT4 text (without the "REGEDIT4" header line) to the registry file.
  ImageBuilder& AddRegistry(const std::string& regedit4Text);
  ImageBuilder& SetScreen(int width, int height);
  // A taskbar of that height at the top of the screen: the work area is the screen below it.
  ImageBuilder& SetTaskbarHeight(int pixels);
  // GetAsyncKeyState's low bit, which the device documents as not valid: poisoned, it is set on
  // every call; otherwise it tells whether the key was pressed since the last call.
  ImageBuilder& SetAsyncKeyLowBitPoisoned(bool poisoned);
  // The display's bits per pixel: 16 (5-6-5, the default), 24 or 32.
  ImageBuilder& SetScreenDepth(int bitsPerPixel);
  ImageBuilder& SetTimeZoneBias(int minutesWestOfUtc);
  // The device's UTC time when it boots, "YYYY-MM-DD hh:mm:ss"; the virtual clock moves it on.
  ImageBuilder& SetBootTime(const std::string& utc);
  // A key of the device's locale ([locale]: lcid, shortdate, longdate, yearmonth, time, am, pm,
  // era, days, shortdays, months, shortmonths).
  ImageBuilder& SetLocale(const std::string& key, const std::string& value);
  // A storage volume: the folder is a mount folder with the given free and total bytes, whose
  // file system filters a folder-only search (FindExSearchLimitToDirectories) or, as a storage
  // card's by default, ignores it. The root u"\\" describes the object store instead (no mount
  // folder; it filters unless told otherwise).
  ImageBuilder& AddVolume(const std::u16string& mountFolder, uint64_t freeBytes, uint64_t totalBytes,
                          bool filtersFolders = false);
  // The free and total bytes of the object store (the root's volume), which filters folder-only
  // searches.
  ImageBuilder& SetObjectStore(uint64_t freeBytes, uint64_t totalBytes);
  // Whether the core library exports an optional entry point ("GetGestureInfo",
  // "SetLayeredWindowAttributes"). By default both are present.
  ImageBuilder& SetCoreExport(const std::string& name, bool present);
  // Moves a special folder of the shell ("CSIDL_PROGRAMS") to another device path.
  ImageBuilder& SetShellFolder(const std::string& csidlName, const std::u16string& path);
  // Whether the device has one of its system modules, "ceshell" (the shell library) or
  // "shellres" (the shell's resources). By default it has "ceshell" and not "shellres".
  ImageBuilder& SetSystemModule(const std::string& name, bool present);
  // Maps a device module path (u"\\Windows\\foldwise.dll") to a real shared library.
  ImageBuilder& AddModule(const std::u16string& devicePath, const std::string& hostLibrary);
  // Puts the built programs that [programs] of the image's device.ini names into its file tree:
  // each key is a device path, each value the name of a file in `programsFolder` (the build's
  // sample programs), copied byte for byte. False, with the missing file's name, when one is not
  // there.
  bool AddPrograms(const std::string& programsFolder, std::string* missing = nullptr);

  // Gives every file and folder now in the image the time at which the image says the device
  // boots as its last-write time, as files put onto a device before it started have; a copy of
  // a sample image otherwise carries the host's time of the copy, different on every run.
  ImageBuilder& StampFilesWithBootTime();

  // Writes device.ini and registry.reg; returns the folder.
  const std::string& Write();

 private:
  std::string folder_;
  bool owned_ = false;
  std::string registry_;
  std::map<std::string, std::map<std::string, std::string>> settings_;
};

// Boots the one device of this process from an image folder. Any device booted before is shut
// down first: windows, modules, handles and the emulated process are gone, and the new device
// starts from the image as it is on disk. Returns false when the image cannot be read.
bool Boot(const std::string& imageFolder);
// Shuts the device down: unloads every module (DLL_PROCESS_DETACH), frees all handles.
void Shutdown();
bool IsBooted();

// Starts the emulated process with the given program path; GetModuleFileNameW(NULL) gives it.
// The previous emulated process ends (its modules are unloaded).
void StartProcess(const std::u16string& programPath);
std::u16string ProgramPath();

// Loads a module into the emulated process as the process itself would (LoadLibraryW).
HMODULE LoadModule(const std::u16string& devicePath);
void FreeModule(HMODULE module);

// How many memory blocks (LocalAlloc, GlobalAlloc, CoTaskMemAlloc) are allocated and not freed,
// leaving out those that the clipboard owns: a block handed to SetClipboardData is the
// clipboard's from then on, counted by ClipboardMemoryBlocks until the clipboard is emptied.
size_t LiveMemoryBlocks();
size_t ClipboardMemoryBlocks();

// ---------------------------------------------------------------------------------------------
// The clipboard, as another application on the device sees it.

struct ClipboardView {
  bool open = false;                    // by the program or by another application
  bool heldByAnotherApplication = false;
  HWND openWindow = nullptr;            // the window it is open for
  HWND owner = nullptr;                 // the window that emptied it last
  std::vector<UINT> formats;            // in the order they were placed
  std::vector<UINT> delayedFormats;     // of those, the ones the owner is still to render
};
ClipboardView ReadClipboard();
// The CF_UNICODETEXT text, read as another application pastes it (a delayed text is rendered by
// its owner first); nothing when there is none or the program has the clipboard open.
std::optional<std::u16string> ClipboardText();
// Another application holds the clipboard open for `holder` (any window; it need not be the
// program's): the program's OpenClipboard fails until the holder lets go, after
// `refusalsBeforeLettingGo` refused opens, or at ReleaseClipboard when that is 0. A holder that
// never lets go while the program retries without end is reported and stops the test, as the
// device would hang. False when the program has the clipboard open.
bool HoldClipboard(HWND holder, int refusalsBeforeLettingGo = 0);
bool ReleaseClipboard();
// Another application copies a text (CF_UNICODETEXT) with `owner` as the clipboard's new owner.
bool CopyToClipboard(HWND owner, const std::u16string& text);

// ---------------------------------------------------------------------------------------------
// Icons and image lists. Nothing is drawn: a picture is known by what it shows ("document",
// "folder", "open folder", "program", "storage card", or an icon location such as
// "\\Windows\\calc.exe,0" for a program's own icon or a file type's DefaultIcon).

// Icons handed out (SHGetFileInfo with SHGFI_ICON, ImageList_GetIcon) and not destroyed.
size_t LiveIcons();
std::optional<std::u16string> IconPicture(HICON icon);
std::optional<std::vector<std::u16string>> ImageListPictures(HIMAGELIST list);

// Programs that the device was asked to start (CreateProcessW, ShellExecuteEx), in order since
// boot. Nothing is run on this host: a start is a row of this log.
struct LaunchRecord {
  std::u16string programPath;  // as the device found it: "\\Windows\\fexplore.exe"
  std::u16string commandLine;  // the arguments as given; empty when none were
  DWORD time = 0;              // the device's clock when it started
  std::string call;            // "CreateProcessW", "ShellExecuteEx"
  DWORD creationFlags = 0;
  // What ShellExecuteEx was asked, as given (empty for CreateProcessW): the verb ("open" when it
  // got none), the file (a program, a document, a folder, a shortcut or a ":NAME" command) and the
  // parameters. A document's start names the program of its type and its expanded command line.
  std::u16string verb;
  std::u16string file;
  std::u16string parameters;
};
std::vector<LaunchRecord> LaunchLog();
// How many process and thread handles that the device handed out are not closed.
size_t OpenKernelHandles();

// A menu as the user would read it, one row per item from the top.
struct MenuRow {
  UINT id = 0;            // the command identifier (0 for pop-up items)
  std::u16string text;    // as inserted, "&" prefixes included
  bool separator = false;
  bool checked = false;
  bool radio = false;     // checked with a radio mark (MFT_RADIOCHECK)
  bool grayed = false;    // MF_GRAYED or MF_DISABLED
  bool popup = false;
  HMENU submenu = nullptr;
};
// The rows of a menu; empty for an invalid handle.
std::vector<MenuRow> ReadMenu(HMENU menu);

// Registry, read from outside. Keys are written as "HKEY_LOCAL_MACHINE\\Explorer".
struct RegistryValue {
  DWORD type = 0;
  std::vector<uint8_t> data;
};
std::optional<RegistryValue> ReadRegistryValue(const std::string& key, const std::u16string& name);
std::optional<DWORD> ReadRegistryDword(const std::string& key, const std::u16string& name);
std::optional<std::u16string> ReadRegistryString(const std::string& key, const std::u16string& name);
bool RegistryKeyExists(const std::string& key);
// How many times RegFlushKey wrote the registry file back since boot.
int RegistryFlushCount();
// The registry file of the booted image, as text.
std::string RegistryFileText();

// Counters that show how the device was used since boot, for tests of laziness.
struct Counters {
  int folderListings = 0;  // FindFirstFile(Ex)W calls that listed a folder
};
Counters ReadCounters();

// ---------------------------------------------------------------------------------------------
// Graphics: the GDI objects alive, the pixel memory of bitmaps, and the pixels of a bitmap.

// GDI objects alive now, stock objects not counted: calls that balance leave the counts as they
// found them.
struct GdiObjectCounts {
  size_t deviceContexts = 0;
  size_t bitmaps = 0;
  size_t others = 0;  // brushes, pens, fonts and palettes
};
GdiObjectCounts LiveGdiObjects();

// Bytes of pixel memory that the bitmaps alive now hold, and the most held at once since boot
// or since the peak was last reset.
struct BitmapMemory {
  size_t liveBytes = 0;
  size_t peakBytes = 0;
};
BitmapMemory ReadBitmapMemory();
void ResetPeakBitmapMemory();

// A bitmap's picture as the device shows it: each pixel's colour as RGB(r, g, b), the top row
// first. Empty for a handle that is no live bitmap.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  bool dibSection = false;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + x]; }
};
std::optional<BitmapPixels> ReadBitmap(HBITMAP bitmap);

}  // namespace cesim

#endif

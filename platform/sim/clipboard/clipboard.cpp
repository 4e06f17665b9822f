// The clipboard of the device: one for all its applications. An application opens it for one of
// its windows (or none) and may then empty it, which makes that window the owner, place data in
// formats and read them. Memory blocks placed on it belong to it from then on and are freed when
// it is emptied. A format placed without data is rendered by the owner when someone asks for it.
// Another application (automation) can hold the clipboard open, so that the program's opens fail.
#include "clipboard/clipboard.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "core/memory.h"
#include "sim/clipboard.h"
#include "sim/core.h"
#include "sim/message.h"
#include "sim/window.h"
#include "window/table.h"

namespace cesim::detail {

namespace {

// A program that retries a clipboard held by a window that never lets go spins for ever on the
// device; this many refusals in a row stop it here.
constexpr long kEndlessRefusals = 1000000;

enum class Opener { None, Program, Another };

struct Entry {
  UINT format = 0;
  HANDLE data = nullptr;  // null: the owner renders it when it is asked for
};

struct Clipboard {
  Opener opener = Opener::None;
  HWND openWindow = nullptr;
  HWND owner = nullptr;
  std::vector<Entry> entries;
  int refusalsLeft = 0;       // another application lets go after this many refused opens (0: never)
  long refusalsInARow = 0;
  int rendering = 0;          // WM_RENDERFORMAT calls under way: the owner may place data unopened
};

Clipboard& Board() {
  static Clipboard board;
  return board;
}

// Formats whose data is an object handle, not a memory block of the heap.
bool IsObjectFormat(UINT format) {
  return format == CF_BITMAP || format == CF_PALETTE || format == CF_ENHMETAFILE ||
         (format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
}

Entry* FindEntry(UINT format) {
  for (Entry& entry : Board().entries) {
    if (entry.format == format) return &entry;
  }
  return nullptr;
}

// Frees a block the clipboard holds, unless another format still shares it.
void ReleaseData(UINT format, HANDLE data) {
  if (data == nullptr || IsObjectFormat(format)) return;
  for (const Entry& entry : Board().entries) {
    if (entry.data == data && entry.format != format) return;
  }
  FreeClipboardBlock(data);
}

// A window that goes away no longer owns the clipboard (what it had yet to render is gone) nor
// keeps it open.
void WindowGone(HWND hwnd) {
  Clipboard& board = Board();
  if (hwnd == nullptr) return;
  if (board.owner == hwnd) {
    board.owner = nullptr;
    board.entries.erase(std::remove_if(board.entries.begin(), board.entries.end(),
                                       [](const Entry& entry) { return entry.data == nullptr; }),
                        board.entries.end());
  }
  if (board.opener == Opener::Program && board.openWindow == hwnd) {
    board.opener = Opener::None;
    board.openWindow = nullptr;
  }
}

Clipboard& Watched() {
  AddWindowRemovedObserver(&WindowGone);
  return Board();
}

bool OpenByProgram() { return Watched().opener == Opener::Program; }

// Empties the clipboard for a new owner: WM_DESTROYCLIPBOARD to the one before, then its data goes.
void EmptyFor(HWND newOwner) {
  HWND previous = Board().owner;
  if (previous != nullptr && FindWindowRecord(previous) != nullptr) SendMessageW(previous, WM_DESTROYCLIPBOARD, 0, 0);
  Clipboard& board = Board();
  std::vector<Entry> entries;
  entries.swap(board.entries);
  // A block placed for two formats is freed once: the second look finds it gone.
  for (const Entry& entry : entries) {
    if (entry.data != nullptr && !IsObjectFormat(entry.format)) FreeClipboardBlock(entry.data);
  }
  board.owner = newOwner;
}

// Places data; the clipboard takes a memory block over. False (and the error) when it cannot.
bool Place(UINT format, HANDLE data) {
  if (data != nullptr && !IsObjectFormat(format) && !ClipboardHoldsBlock(data) && !GiveBlockToClipboard(data)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  if (Entry* existing = FindEntry(format)) {
    HANDLE old = existing->data;
    existing->data = data;
    if (old != data) ReleaseData(format, old);
    return true;
  }
  Board().entries.push_back(Entry{format, data});
  return true;
}

// Asks the owner to render a delayed format; the data it placed, or null.
HANDLE Render(UINT format) {
  HWND owner = Board().owner;
  if (owner == nullptr || FindWindowRecord(owner) == nullptr) return nullptr;
  ++Board().rendering;
  SendMessageW(owner, WM_RENDERFORMAT, format, 0);
  --Board().rendering;
  Entry* entry = FindEntry(format);
  return entry != nullptr ? entry->data : nullptr;
}

}  // namespace

bool HoldClipboardOpen(HWND holder, int refusals) {
  Clipboard& board = Watched();
  if (board.opener == Opener::Program) return false;
  board.opener = Opener::Another;
  board.openWindow = holder;
  board.refusalsLeft = refusals > 0 ? refusals : 0;
  board.refusalsInARow = 0;
  return true;
}

bool ReleaseHeldClipboard() {
  Clipboard& board = Watched();
  if (board.opener != Opener::Another) return false;
  board.opener = Opener::None;
  board.openWindow = nullptr;
  board.refusalsInARow = 0;
  return true;
}

bool CopyTextAsAnotherApplication(HWND owner, const std::u16string& text) {
  Clipboard& board = Watched();
  if (board.opener == Opener::Program) return false;
  const bool wasHeld = board.opener == Opener::Another;
  HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(WCHAR));
  if (block == nullptr) return false;
  std::copy(text.begin(), text.end(), static_cast<WCHAR*>(block));
  // The other application has the clipboard open while it copies: the program cannot open it.
  if (!wasHeld) {
    board.opener = Opener::Another;
    board.openWindow = owner;
    board.refusalsLeft = 0;
  }
  EmptyFor(owner);
  Place(CF_UNICODETEXT, block);
  if (!wasHeld) {
    Board().opener = Opener::None;
    Board().openWindow = nullptr;
  }
  return true;
}

ClipboardContents ReadClipboardContents() {
  const Clipboard& board = Watched();
  ClipboardContents contents;
  contents.open = board.opener != Opener::None;
  contents.heldByAnother = board.opener == Opener::Another;
  contents.openWindow = board.openWindow;
  contents.owner = board.owner;
  for (const Entry& entry : board.entries) {
    contents.formats.push_back(entry.format);
    if (entry.data == nullptr) contents.delayed.push_back(entry.format);
  }
  return contents;
}

std::optional<std::u16string> ReadClipboardText() {
  if (OpenByProgram()) return std::nullopt;
  Entry* entry = FindEntry(CF_UNICODETEXT);
  if (entry == nullptr) return std::nullopt;
  HANDLE data = entry->data != nullptr ? entry->data : Render(CF_UNICODETEXT);
  if (data == nullptr) return std::nullopt;
  const SIZE_T size = GlobalSize(data);
  const WCHAR* text = static_cast<const WCHAR*>(GlobalLock(data));
  if (text == nullptr) return std::nullopt;
  std::u16string result;
  for (SIZE_T i = 0; i < size / sizeof(WCHAR) && text[i] != 0; ++i) result.push_back(text[i]);
  GlobalUnlock(data);
  return result;
}

void ResetClipboard(Phase) { Board() = Clipboard(); }

}  // namespace cesim::detail

using cesim::detail::Board;
using cesim::detail::Opener;

BOOL WINAPI OpenClipboard(HWND hWndNewOwner) {
  cesim::detail::Clipboard& board = cesim::detail::Watched();
  if (hWndNewOwner != nullptr && cesim::detail::WindowOrFail(hWndNewOwner) == nullptr) return FALSE;
  if (board.opener == Opener::Another) {
    SetLastError(ERROR_ACCESS_DENIED);
    if (board.refusalsLeft > 0 && --board.refusalsLeft == 0) {
      // The other application closes the clipboard after this refusal.
      board.opener = Opener::None;
      board.openWindow = nullptr;
      board.refusalsInARow = 0;
    } else if (++board.refusalsInARow >= cesim::detail::kEndlessRefusals) {
      std::fprintf(stderr,
                   "cesim: OpenClipboard was refused %ld times in a row while window %p of another application "
                   "held the clipboard and never let go; on the device the caller would retry for ever\n",
                   board.refusalsInARow, static_cast<void*>(board.openWindow));
      std::fflush(stderr);
      std::abort();
    }
    return FALSE;
  }
  if (board.opener == Opener::Program) {
    // The window that has it open may open it again; any other is refused.
    if (board.openWindow == hWndNewOwner) return TRUE;
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  board.opener = Opener::Program;
  board.openWindow = hWndNewOwner;
  return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
  if (!cesim::detail::OpenByProgram()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  Board().opener = Opener::None;
  Board().openWindow = nullptr;
  return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
  if (!cesim::detail::OpenByProgram()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return FALSE;
  }
  cesim::detail::EmptyFor(Board().openWindow);
  return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
  // The owner answering WM_RENDERFORMAT places the data without opening the clipboard.
  if (uFormat == 0 || (!cesim::detail::OpenByProgram() && Board().rendering == 0)) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  if (!cesim::detail::Place(uFormat, hMem)) return nullptr;
  return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
  if (!cesim::detail::OpenByProgram()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return nullptr;
  }
  cesim::detail::Entry* entry = cesim::detail::FindEntry(uFormat);
  if (entry == nullptr) return nullptr;
  return entry->data != nullptr ? entry->data : cesim::detail::Render(uFormat);
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
  cesim::detail::Watched();
  return format != 0 && cesim::detail::FindEntry(format) != nullptr;
}

int WINAPI CountClipboardFormats(void) { return static_cast<int>(cesim::detail::Watched().entries.size()); }

UINT WINAPI EnumClipboardFormats(UINT format) {
  if (!cesim::detail::OpenByProgram()) {
    SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
    return 0;
  }
  SetLastError(ERROR_SUCCESS);
  const auto& entries = Board().entries;
  if (format == 0) return entries.empty() ? 0 : entries.front().format;
  for (size_t i = 0; i + 1 < entries.size(); ++i) {
    if (entries[i].format == format) return entries[i + 1].format;
  }
  return 0;
}

HWND WINAPI GetClipboardOwner(void) { return cesim::detail::Watched().owner; }

HWND WINAPI GetOpenClipboardWindow(void) {
  const cesim::detail::Clipboard& board = cesim::detail::Watched();
  return board.opener == Opener::None ? nullptr : board.openWindow;
}

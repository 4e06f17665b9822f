// The records of window classes and live windows, their handles and the z-order of siblings.
#include "window/table.h"

#include "cesim/automation.h"
#include "core/case_fold.h"
#include "sim/core.h"
#include "sim/window.h"
#include "window/metrics.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace cesim::detail {

namespace {

// The records of the windows found last, by handle, so that the windows a message goes back and
// forth between are found without searching the table. A record lives until its window is
// removed, which takes it out here too.
struct RecentWindow {
  uintptr_t value = 0;
  Window* window = nullptr;
};
constexpr size_t kRecentWindows = 8;  // handles go up by 4: consecutive windows take their own slots

struct Table {
  std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
  std::vector<std::shared_ptr<WindowClass>> classes;
  ATOM nextAtom = 0xC000;
  RecentWindow recent[kRecentWindows];
};

RecentWindow& RecentSlot(Table& table, uintptr_t value) { return table.recent[(value >> 2) % kRecentWindows]; }

Table& State() {
  static Table table;
  return table;
}

// Handles are never reused, not even across boots, so that a stale handle stays stale.
uintptr_t& NextHandleValue() {
  static uintptr_t next = 0x00010020;
  return next;
}

constexpr uintptr_t kDesktopValue = 0x00010010;

std::vector<void (*)(HWND)>& RemovedObservers() {
  static std::vector<void (*)(HWND)> observers;
  return observers;
}

void Unlink(Window& window) {
  Window* parent = FindWindowRecord(window.parent);
  if (parent == nullptr) return;
  auto& siblings = parent->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window.handle), siblings.end());
}

// Topmost windows stay above the others among top-level siblings.
bool IsTopmost(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  return w != nullptr && IsTopLevel(*w) && (w->exStyle & WS_EX_TOPMOST) != 0;
}

}  // namespace

HWND DesktopHandle() { return reinterpret_cast<HWND>(kDesktopValue); }

Window& Desktop() {
  Table& table = State();
  auto it = table.windows.find(kDesktopValue);
  if (it == table.windows.end()) {
    auto desktop = std::make_unique<Window>();
    desktop->handle = DesktopHandle();
    desktop->style = WS_VISIBLE;
    desktop->rect = {0, 0, ScreenWidth(), ScreenHeight()};
    it = table.windows.emplace(kDesktopValue, std::move(desktop)).first;
  }
  return *it->second;
}

Window* FindWindowRecord(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  if (hwnd == DesktopHandle()) return &Desktop();
  Table& table = State();
  const uintptr_t value = reinterpret_cast<uintptr_t>(hwnd);
  RecentWindow& recent = RecentSlot(table, value);
  if (recent.value == value && recent.window != nullptr) return recent.window;
  auto it = table.windows.find(value);
  if (it == table.windows.end()) return nullptr;
  recent.value = value;
  recent.window = it->second.get();
  return recent.window;
}

Window* WindowOrFail(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

bool IsTopLevel(const Window& window) { return window.parent == DesktopHandle(); }

HWND TopLevelOf(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  while (w != nullptr && w->handle != DesktopHandle() && !IsTopLevel(*w)) {
    w = FindWindowRecord(w->parent);
  }
  if (w == nullptr || w->handle == DesktopHandle()) return nullptr;
  return w->handle;
}

std::vector<HWND> SelfAndDescendants(HWND hwnd) {
  std::vector<HWND> result;
  if (FindWindowRecord(hwnd) == nullptr) return result;
  result.push_back(hwnd);
  for (size_t i = 0; i < result.size(); ++i) {
    Window* w = FindWindowRecord(result[i]);
    if (w == nullptr) continue;
    for (HWND child : w->children) result.push_back(child);
  }
  return result;
}

bool IsSelfOrDescendant(HWND ancestor, HWND hwnd) {
  if (ancestor == nullptr) return false;
  Window* w = FindWindowRecord(hwnd);
  while (w != nullptr) {
    if (w->handle == ancestor) return true;
    if (w->handle == DesktopHandle()) return false;
    w = FindWindowRecord(w->parent);
  }
  return false;
}

std::vector<HWND> TopLevelWindows() { return Desktop().children; }

HWND AddWindow(std::unique_ptr<Window> window) {
  uintptr_t value = NextHandleValue();
  NextHandleValue() += 4;
  HWND handle = reinterpret_cast<HWND>(value);
  window->handle = handle;
  if (window->cls) window->cls->windowCount++;
  HWND parent = window->parent;
  State().windows.emplace(value, std::move(window));
  Window* parentRecord = FindWindowRecord(parent);
  if (parentRecord != nullptr) parentRecord->children.insert(parentRecord->children.begin(), handle);
  // A new top-level window comes on top; a new child goes below its siblings, so that children
  // stay in the order they were created in (a dialog's tab order).
  PlaceInZOrder(handle, parent == DesktopHandle() ? HWND_TOP : HWND_BOTTOM);
  return handle;
}

void RemoveWindow(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr || hwnd == DesktopHandle()) return;
  // Children first, so that each observer still sees a consistent parent.
  std::vector<HWND> children = w->children;
  for (HWND child : children) RemoveWindow(child);
  w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  Unlink(*w);
  if (w->cls) w->cls->windowCount--;
  // Owned windows lose their owner with it (DestroyWindow destroys them first).
  for (HWND top : TopLevelWindows()) {
    Window* t = FindWindowRecord(top);
    if (t != nullptr && t->owner == hwnd) t->owner = nullptr;
  }
  Table& table = State();
  const uintptr_t value = reinterpret_cast<uintptr_t>(hwnd);
  RecentWindow& recent = RecentSlot(table, value);
  if (recent.value == value) recent = RecentWindow();
  table.windows.erase(value);
  for (void (*observer)(HWND) : RemovedObservers()) observer(hwnd);
}

void PlaceInZOrder(HWND hwnd, HWND insertAfter) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  Window* parent = FindWindowRecord(w->parent);
  if (parent == nullptr) return;
  auto& siblings = parent->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), hwnd), siblings.end());
  bool topmost = IsTopLevel(*w) && (w->exStyle & WS_EX_TOPMOST) != 0;
  auto bandBegin = siblings.begin();
  auto bandEnd = siblings.end();
  if (IsTopLevel(*w)) {
    // Siblings split into the topmost band (first) and the others.
    auto split = std::find_if(siblings.begin(), siblings.end(), [](HWND s) { return !IsTopmost(s); });
    if (topmost) {
      bandEnd = split;
    } else {
      bandBegin = split;
    }
  }
  auto position = bandBegin;
  if (insertAfter == HWND_BOTTOM) {
    position = bandEnd;
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST && insertAfter != HWND_NOTOPMOST) {
    auto after = std::find(bandBegin, bandEnd, insertAfter);
    position = after == bandEnd ? bandBegin : after + 1;
  }
  siblings.insert(position, hwnd);
}

void BringToTop(HWND hwnd) {
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return;
  PlaceInZOrder(hwnd, HWND_TOP);
  if (!IsTopLevel(*w)) return;
  // Owned windows stay above their owner, in the order they had among themselves.
  std::vector<HWND> owned;
  for (HWND top : TopLevelWindows()) {
    Window* t = FindWindowRecord(top);
    if (t != nullptr && t->owner == hwnd) owned.push_back(top);
  }
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) BringToTop(*it);
}

void AddWindowRemovedObserver(void (*removed)(HWND hwnd)) {
  auto& observers = RemovedObservers();
  if (std::find(observers.begin(), observers.end(), removed) == observers.end()) observers.push_back(removed);
}

std::shared_ptr<WindowClass> FindClass(LPCWSTR nameOrAtom) {
  if (nameOrAtom == nullptr) return nullptr;
  Table& table = State();
  if (IS_INTRESOURCE(nameOrAtom)) {
    ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
    for (const auto& cls : table.classes) {
      if (cls->atom == atom) return cls;
    }
    return nullptr;
  }
  std::u16string name = TextOf(nameOrAtom);
  for (const auto& cls : table.classes) {
    if (SameFolded(cls->name, name)) return cls;
  }
  return nullptr;
}

ATOM AddClass(std::shared_ptr<WindowClass> cls) {
  Table& table = State();
  if (table.nextAtom == 0xFFFF) return 0;
  cls->atom = table.nextAtom++;
  table.classes.push_back(std::move(cls));
  return table.classes.back()->atom;
}

bool RemoveClass(const std::shared_ptr<WindowClass>& cls) {
  auto& classes = State().classes;
  auto it = std::find(classes.begin(), classes.end(), cls);
  if (it == classes.end()) return false;
  classes.erase(it);
  return true;
}

std::string DescribeForReport(HWND hwnd) {
  char handle[32];
  std::snprintf(handle, sizeof(handle), "%p", static_cast<void*>(hwnd));
  Window* w = FindWindowRecord(hwnd);
  if (w == nullptr) return std::string("window ") + handle + " (gone)";
  return std::string("window ") + handle + " of class \"" + (w->cls ? Narrow(w->cls->name) : std::string()) +
         "\" titled \"" + Narrow(w->text) + "\"";
}

std::u16string TextOf(LPCWSTR text) { return text == nullptr ? std::u16string() : std::u16string(text); }

std::u16string BoundedText(LPCWSTR text, size_t maxLength) {
  if (text == nullptr) return std::u16string();
  size_t length = 0;
  while (length < maxLength && text[length] != 0) ++length;
  return std::u16string(text, length);
}

// Called by the window system's reset: forgets every window and class.
void ResetWindowTable() {
  Table& table = State();
  // Observers see every window go, so that per-window state is dropped too.
  std::vector<uintptr_t> handles;
  for (const auto& entry : table.windows) {
    if (entry.first != kDesktopValue) handles.push_back(entry.first);
  }
  table.windows.clear();
  for (RecentWindow& recent : table.recent) recent = RecentWindow();
  for (uintptr_t value : handles) {
    for (void (*observer)(HWND) : RemovedObservers()) observer(reinterpret_cast<HWND>(value));
  }
  table.classes.clear();
  table.nextAtom = 0xC000;
}

}  // namespace cesim::detail

// The list pane tests' small Explorer: its windows, its folder listing and item records, and the
// log of what reaches its procedures.
#include "pane_host.h"

#include <cstdio>
#include <cstring>

#include "cesim/automation.h"
#include "cesim/ui.h"

namespace foldwise_test {

const int kHostColumnWidths[4] = {100, 40, 40, 50};

namespace {

PaneHost* g_host = nullptr;

const int kTableFindFirst = 2;
const int kTableFindNext = 3;
const int kTableCreateWindow = 4;

// The host's item record: the 32-bit attributes at byte 10, the path at byte 26 (files) or at
// byte 30 behind a mark that is no backslash (folders).
const size_t kAttributesOffset = 10;
const size_t kPathOffset = 26;
const size_t kFolderPathOffset = 30;

std::vector<unsigned char>* MakeRecord(const std::u16string& path, DWORD attributes) {
  const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const size_t offset = folder ? kFolderPathOffset : kPathOffset;
  auto* record = new std::vector<unsigned char>(offset + (path.size() + 1) * sizeof(char16_t), 0);
  for (int i = 0; i < 4; ++i) (*record)[kAttributesOffset + i] = static_cast<unsigned char>(attributes >> (8 * i));
  if (folder) (*record)[kPathOffset] = 1;
  std::memcpy(record->data() + offset, path.c_str(), (path.size() + 1) * sizeof(char16_t));
  return record;
}

std::u16string RecordPath(LPARAM record) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(record);
  char16_t first;
  std::memcpy(&first, bytes + kPathOffset, sizeof(first));
  return reinterpret_cast<const char16_t*>(bytes + (first == u'\\' ? kPathOffset : kFolderPathOffset));
}

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%x", value);
  return text;
}

void WriteLastLocation(const std::u16string& folder) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Microsoft\\File Explorer", 0, 0, &key) != ERROR_SUCCESS) return;
  DWORD index = 0;
  RegSetValueExW(key, u"LastLocation", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&index), sizeof(index));
  RegSetValueExW(key, u"LocalPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>((folder.size() + 1) * sizeof(char16_t)));
  RegCloseKey(key);
}

HMENU LoadHostPaneMenu() {
  HMODULE shellres = GetModuleHandleW(u"shellres");
  if (shellres != nullptr) return LoadMenuW(shellres, MAKEINTRESOURCEW(8915));
  HMODULE ceshell = GetModuleHandleW(u"ceshell");
  return ceshell != nullptr ? LoadMenuW(ceshell, MAKEINTRESOURCEW(107)) : nullptr;
}

}  // namespace

bool PaneHost::Start(HMODULE module, const std::u16string& folder) {
  g_host = this;
  void* const* table = reinterpret_cast<void* const*>(GetProcAddressW(module, MAKEINTRESOURCEW(1)));
  if (table == nullptr) return false;
  findFirst_ = reinterpret_cast<FindFirstFunc>(table[kTableFindFirst]);
  findNext_ = reinterpret_cast<FindNextFunc>(table[kTableFindNext]);
  createWindow_ = reinterpret_cast<CreateWindowFunc>(table[kTableCreateWindow]);

  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW frameClass = {};
  frameClass.lpfnWndProc = FrameProc;
  frameClass.hInstance = instance;
  frameClass.lpszClassName = u"FEXPLORE";
  if (RegisterClassW(&frameClass) == 0) return false;
  WNDCLASSW paneClass = {};
  paneClass.lpfnWndProc = PaneProc;
  paneClass.hInstance = instance;
  paneClass.lpszClassName = u"TestPane";
  ATOM paneAtom = RegisterClassW(&paneClass);
  if (paneAtom == 0) return false;

  paneMenu = LoadHostPaneMenu();
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  frame = createWindow_(0, u"FEXPLORE", u"Explorer", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                        instance, nullptr);
  if (frame == nullptr) return false;
  RECT client;
  GetClientRect(frame, &client);
  int top = 0;
  if (withToolbar) {
    const int kToolbarHeight = 24;
    toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT, 0, 0, client.right,
                              kToolbarHeight, frame, nullptr, instance, nullptr);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBBUTTON buttons[2] = {};
    for (int i = 0; i < 2; ++i) {
      buttons[i].idCommand = 100 + i;
      buttons[i].fsState = TBSTATE_ENABLED;
      buttons[i].fsStyle = TBSTYLE_BUTTON | TBSTYLE_DROPDOWN;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, 2, reinterpret_cast<LPARAM>(buttons));
    top = kToolbarHeight;
  }
  pane = createWindow_(0, MAKEINTATOM(paneAtom), nullptr, WS_CHILD | WS_VISIBLE, 0, top, client.right,
                       client.bottom - top, frame, nullptr, instance, nullptr);
  if (pane == nullptr || list == nullptr) return false;
  ShowFolder(folder);
  cesim::Activate(frame);
  SetFocus(list);
  cesim::PumpMessages();
  log.Clear();
  return true;
}

PaneHost::~PaneHost() {
  if (g_host == this) g_host = nullptr;
  FreeRecords();
}

void PaneHost::FreeRecords() {
  for (auto* record : records_) delete record;
  records_.clear();
}

void PaneHost::CreateList(HWND parent) {
  RECT client;
  GetClientRect(parent, &client);
  list = createWindow_(0, u"SysListView32", nullptr,
                       WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS, 0, 0,
                       client.right, client.bottom, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (list == nullptr) return;
  static const char16_t* const kTitles[4] = {u"Name", u"Size", u"Type", u"Date"};
  for (int i = 0; i < 4; ++i) {
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = kHostColumnWidths[i];
    column.pszText = const_cast<LPWSTR>(kTitles[i]);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
}

void PaneHost::ShowFolder(const std::u16string& folder) {
  folder_ = folder;
  WriteLastLocation(folder);
  Refill();
}

void PaneHost::Refill() {
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  FreeRecords();
  const std::u16string prefix = folder_ == u"\\" ? std::u16string() : folder_;
  const std::u16string pattern = prefix + listingPattern;
  WIN32_FIND_DATAW entry;
  HANDLE search = findFirst_(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::u16string name = entry.cFileName;
    if (name == u"." || name == u"..") continue;
    AddItem(prefix + u"\\" + name, entry.dwFileAttributes);
  } while (findNext_(search, &entry));
  FindClose(search);
}

int PaneHost::AddItem(const std::u16string& path, DWORD attributes) {
  auto* record = MakeRecord(path, attributes);
  records_.push_back(record);
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_PARAM;
  item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  item.pszText = LPSTR_TEXTCALLBACKW;
  item.lParam = reinterpret_cast<LPARAM>(record->data());
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int PaneHost::ItemOf(const std::u16string& path) const {
  const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = i;
    if (SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && item.lParam != 0 &&
        RecordPath(item.lParam) == path) {
      return i;
    }
  }
  return -1;
}

void PaneHost::OpenPaneMenu(POINT screen) {
  HMENU popup = GetSubMenu(paneMenu, 0);
  if (popup != nullptr) TrackPopupMenu(popup, TPM_LEFTALIGN, screen.x, screen.y, 0, pane, nullptr);
}

void PaneHost::OnPaneSize(int width) {
  RECT client;
  GetClientRect(pane, &client);
  MoveWindow(list, 0, 0, client.right, client.bottom, TRUE);
  // The host gives column 0 what the other columns leave of a new width.
  if (lastPaneWidth_ >= 0 && width != lastPaneWidth_) {
    int others = 0;
    for (int i = 1; i < 4; ++i) others += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0));
    int first = client.right - others - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(first > 40 ? first : 40, 0));
  }
  lastPaneWidth_ = width;
}

void PaneHost::AnswerDisplayInfo(NMLVDISPINFOW* info) {
  if ((info->item.mask & LVIF_TEXT) == 0 || info->item.lParam == 0) return;
  std::u16string text;
  if (info->item.iSubItem == 0) {
    const std::u16string path = RecordPath(info->item.lParam);
    text = path.substr(path.rfind(u'\\') + 1);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    const size_t dot = text.rfind(u'.');
    const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (!hostShowsExtensions && !folder && dot != std::u16string::npos) text.resize(dot);
  }
  if (hostTextInOwnBuffer) {
    ownText_ = text;
    info->item.pszText = const_cast<LPWSTR>(ownText_.c_str());
    return;
  }
  if (info->item.pszText == nullptr || info->item.cchTextMax <= 0) return;
  const size_t room = static_cast<size_t>(info->item.cchTextMax) - 1;
  const size_t length = text.size() < room ? text.size() : room;
  std::memcpy(info->item.pszText, text.c_str(), length * sizeof(char16_t));
  info->item.pszText[length] = 0;
}

LRESULT CALLBACK PaneHost::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PaneHost* host = g_host;
  if (host != nullptr && host->frame == hwnd) {
    switch (message) {
      case 5237: {
        const std::u16string folder = reinterpret_cast<const char16_t*>(lParam);
        host->log.lines.push_back("frame navigate " + cesim::Narrow(folder));
        host->ShowFolder(folder);
        return 0;
      }
      case WM_COMMAND:
        host->log.lines.push_back("frame command " + std::to_string(LOWORD(wParam)));
        return 0;
      case WM_SIZE:
        if (host->pane != nullptr) {
          RECT pane;
          GetWindowRect(host->pane, &pane);
          POINT corner = {pane.left, pane.top};
          ScreenToClient(hwnd, &corner);
          MoveWindow(host->pane, 0, corner.y, LOWORD(lParam), HIWORD(lParam) - corner.y, TRUE);
        }
        return 0;
      default:
        break;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK PaneHost::PaneProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  PaneHost* host = g_host;
  if (host == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (host->paneProbe && host->pane == hwnd) host->paneProbe(message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      host->pane = hwnd;
      host->CreateList(hwnd);
      return 0;
    case WM_SIZE:
      if (host->list != nullptr) host->OnPaneSize(LOWORD(lParam));
      return 0;
    case WM_COMMAND:
      host->log.lines.push_back("pane command " + std::to_string(LOWORD(wParam)));
      if (LOWORD(wParam) == 28006) host->Refill();
      return 0;
    case WM_TIMER:
      host->log.lines.push_back("pane timer " + std::to_string(wParam) + " at " + std::to_string(cesim::Now()));
      return 0;
    case WM_CONTEXTMENU: {
      POINT at = {static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
      host->log.lines.push_back("pane context menu " + std::to_string(at.x) + "," + std::to_string(at.y));
      host->OpenPaneMenu(at);
      return 0;
    }
    case WM_GESTURE:
      host->log.lines.push_back("pane gesture " + std::to_string(wParam));
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_NOTIFY: {
      NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == LVN_GETDISPINFOW) {
        host->AnswerDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(lParam));
      } else if (header->code == LVN_KEYDOWN) {
        host->log.lines.push_back("pane key " + Hex(reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey));
      } else if (header->code == LVN_BEGINLABELEDITW) {
        host->log.lines.push_back("pane rename begins");
      } else if (header->code == LVN_DELETEALLITEMS) {
        return FALSE;
      }
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace foldwise_test

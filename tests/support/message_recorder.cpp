// The message recorder: subclassing procedure, nesting depth, table comparison and the
// side-by-side report.
#include "message_recorder.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace foldwise_test {

namespace {

struct Subclass {
  MessageRecorder* recorder = nullptr;
  WNDPROC previous = nullptr;
};

std::map<HWND, Subclass>& Subclasses() {
  static std::map<HWND, Subclass> subclasses;
  return subclasses;
}

int& Depth() {
  static int depth = 0;
  return depth;
}

MessageRecorder*& ActiveRecorder() {
  static MessageRecorder* active = nullptr;
  return active;
}

std::string Hex(unsigned long long value) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", value);
  return text;
}

struct Name {
  UINT value;
  const char* name;
};

constexpr Name kMessages[] = {
    {WM_NULL, "WM_NULL"}, {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"},
    {WM_SIZE, "WM_SIZE"}, {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"},
    {WM_KILLFOCUS, "WM_KILLFOCUS"}, {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"},
    {WM_GETTEXT, "WM_GETTEXT"}, {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"}, {WM_CLOSE, "WM_CLOSE"},
    {WM_QUIT, "WM_QUIT"}, {WM_CANCELMODE, "WM_CANCELMODE"}, {WM_NEXTDLGCTL, "WM_NEXTDLGCTL"},
    {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NOTIFY, "WM_NOTIFY"}, {WM_GETDLGCODE, "WM_GETDLGCODE"},
    {WM_KEYDOWN, "WM_KEYDOWN"}, {WM_KEYUP, "WM_KEYUP"}, {WM_CHAR, "WM_CHAR"}, {WM_INITDIALOG, "WM_INITDIALOG"},
    {WM_COMMAND, "WM_COMMAND"}, {WM_TIMER, "WM_TIMER"}, {WM_VSCROLL, "WM_VSCROLL"},
    {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"}, {WM_LBUTTONUP, "WM_LBUTTONUP"}, {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
    {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"}, {WM_SYSCHAR, "WM_SYSCHAR"}, {DM_GETDEFID, "DM_GETDEFID"},
    {DM_SETDEFID, "DM_SETDEFID"}, {WM_USER, "WM_USER"}, {WM_APP, "WM_APP"},
    {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
    {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_PAINT, "WM_PAINT"},
    {WM_SETCURSOR, "WM_SETCURSOR"}, {WM_ENTERIDLE, "WM_ENTERIDLE"}, {WM_GESTURE, "WM_GESTURE"},
    {WM_SETTINGCHANGE, "WM_SETTINGCHANGE"},
    {BM_GETCHECK, "BM_GETCHECK"}, {BM_SETCHECK, "BM_SETCHECK"}, {BM_GETSTATE, "BM_GETSTATE"},
    {BM_SETSTATE, "BM_SETSTATE"}, {BM_SETSTYLE, "BM_SETSTYLE"}, {BM_CLICK, "BM_CLICK"}, {EM_GETSEL, "EM_GETSEL"},
    {EM_SETSEL, "EM_SETSEL"}, {EM_LIMITTEXT, "EM_LIMITTEXT"}, {EM_REPLACESEL, "EM_REPLACESEL"},
    {TVM_INSERTITEMW, "TVM_INSERTITEMW"}, {TVM_DELETEITEM, "TVM_DELETEITEM"}, {TVM_EXPAND, "TVM_EXPAND"},
    {TVM_GETITEMRECT, "TVM_GETITEMRECT"}, {TVM_GETCOUNT, "TVM_GETCOUNT"}, {TVM_GETNEXTITEM, "TVM_GETNEXTITEM"},
    {TVM_SELECTITEM, "TVM_SELECTITEM"}, {TVM_GETITEMW, "TVM_GETITEMW"}, {TVM_SETITEMW, "TVM_SETITEMW"},
    {TVM_HITTEST, "TVM_HITTEST"}, {TVM_ENSUREVISIBLE, "TVM_ENSUREVISIBLE"},
    {WM_INITMENUPOPUP, "WM_INITMENUPOPUP"}, {WM_ENTERMENULOOP, "WM_ENTERMENULOOP"},
    {WM_EXITMENULOOP, "WM_EXITMENULOOP"}, {WM_ENTERIDLE, "WM_ENTERIDLE"},
    {TB_ADDBUTTONSW, "TB_ADDBUTTONSW"}, {TB_INSERTBUTTONW, "TB_INSERTBUTTONW"}, {TB_GETBUTTON, "TB_GETBUTTON"},
    {TB_SETBUTTONINFOW, "TB_SETBUTTONINFOW"}, {TB_GETBUTTONINFOW, "TB_GETBUTTONINFOW"},
    {WM_STYLECHANGED, "WM_STYLECHANGED"},
    {LVM_INSERTITEMW, "LVM_INSERTITEMW"}, {LVM_DELETEITEM, "LVM_DELETEITEM"},
    {LVM_DELETEALLITEMS, "LVM_DELETEALLITEMS"}, {LVM_GETITEMW, "LVM_GETITEMW"}, {LVM_SETITEMW, "LVM_SETITEMW"},
    {LVM_SETITEMSTATE, "LVM_SETITEMSTATE"}, {LVM_GETITEMSTATE, "LVM_GETITEMSTATE"},
    {LVM_EDITLABELW, "LVM_EDITLABELW"}, {LVM_SETCOLUMNWIDTH, "LVM_SETCOLUMNWIDTH"},
    {HDM_INSERTITEMW, "HDM_INSERTITEMW"}, {HDM_GETITEMW, "HDM_GETITEMW"}, {HDM_SETITEMW, "HDM_SETITEMW"},
    {HDM_LAYOUT, "HDM_LAYOUT"}, {HDM_GETITEMRECT, "HDM_GETITEMRECT"},
};

constexpr Name kNotifications[] = {
    {NM_CLICK, "NM_CLICK"}, {NM_DBLCLK, "NM_DBLCLK"}, {NM_RETURN, "NM_RETURN"}, {NM_SETFOCUS, "NM_SETFOCUS"},
    {NM_KILLFOCUS, "NM_KILLFOCUS"}, {NM_RECOGNIZEGESTURE, "NM_RECOGNIZEGESTURE"}, {GN_CONTEXTMENU, "GN_CONTEXTMENU"},
    {TVN_SELCHANGINGW, "TVN_SELCHANGINGW"}, {TVN_SELCHANGEDW, "TVN_SELCHANGEDW"},
    {TVN_GETDISPINFOW, "TVN_GETDISPINFOW"}, {TVN_ITEMEXPANDINGW, "TVN_ITEMEXPANDINGW"},
    {TVN_ITEMEXPANDEDW, "TVN_ITEMEXPANDEDW"}, {TVN_BEGINDRAGW, "TVN_BEGINDRAGW"},
    {TVN_DELETEITEMW, "TVN_DELETEITEMW"}, {TVN_KEYDOWN, "TVN_KEYDOWN"},
    {TBN_BEGINDRAG, "TBN_BEGINDRAG"}, {TBN_ENDDRAG, "TBN_ENDDRAG"}, {TBN_DROPDOWN, "TBN_DROPDOWN"},
    {NM_RCLICK, "NM_RCLICK"}, {NM_RELEASEDCAPTURE, "NM_RELEASEDCAPTURE"},
    {LVN_ITEMCHANGING, "LVN_ITEMCHANGING"}, {LVN_ITEMCHANGED, "LVN_ITEMCHANGED"},
    {LVN_INSERTITEM, "LVN_INSERTITEM"}, {LVN_DELETEITEM, "LVN_DELETEITEM"},
    {LVN_DELETEALLITEMS, "LVN_DELETEALLITEMS"}, {LVN_COLUMNCLICK, "LVN_COLUMNCLICK"},
    {LVN_BEGINDRAG, "LVN_BEGINDRAG"}, {LVN_ITEMACTIVATE, "LVN_ITEMACTIVATE"}, {LVN_KEYDOWN, "LVN_KEYDOWN"},
    {LVN_BEGINLABELEDITW, "LVN_BEGINLABELEDITW"}, {LVN_ENDLABELEDITW, "LVN_ENDLABELEDITW"},
    {LVN_GETDISPINFOW, "LVN_GETDISPINFOW"},
    {HDN_ITEMCHANGINGW, "HDN_ITEMCHANGINGW"}, {HDN_ITEMCHANGEDW, "HDN_ITEMCHANGEDW"},
    {HDN_ITEMCLICKW, "HDN_ITEMCLICKW"}, {HDN_ITEMDBLCLICKW, "HDN_ITEMDBLCLICKW"},
    {HDN_DIVIDERDBLCLICKW, "HDN_DIVIDERDBLCLICKW"}, {HDN_BEGINTRACKW, "HDN_BEGINTRACKW"},
    {HDN_ENDTRACKW, "HDN_ENDTRACKW"}, {HDN_TRACKW, "HDN_TRACKW"}, {HDN_GETDISPINFOW, "HDN_GETDISPINFOW"},
};

std::string Describe(const RecordedMessage& r, const std::string& window) {
  std::string text = window + " " + MessageName(r.message);
  if (r.message == WM_NOTIFY) {
    text += " " + NotifyName(r.notifyCode);
    if (!r.detail.empty()) text += " [" + r.detail + "]";
  } else {
    text += " wp=" + Hex(r.wParam) + " lp=" + Hex(static_cast<unsigned long long>(r.lParam));
  }
  return text + " depth " + std::to_string(r.depth);
}

std::string DescribeField(const char* label, const Field& f) {
  switch (f.kind()) {
    case Field::Kind::Any: return "";
    case Field::Kind::Value: return std::string(" ") + label + "=" + Hex(static_cast<unsigned long long>(f.value()));
    case Field::Kind::Window: return std::string(" ") + label + "=" + f.name();
    case Field::Kind::Code: return " " + NotifyName(static_cast<UINT>(f.value()));
  }
  return "";
}

std::string Describe(const ExpectedMessage& e) {
  std::string text = e.window + " " + MessageName(e.message) + DescribeField("wp", e.wParam) + DescribeField("lp", e.lParam);
  if (e.detail) text += " [" + *e.detail + "]";
  if (e.depth) text += " depth " + std::to_string(*e.depth);
  if (e.optional) text += " (optional)";
  return text;
}

}  // namespace

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = Subclasses().find(hwnd);
  if (it == Subclasses().end()) return DefWindowProcW(hwnd, message, wParam, lParam);
  Subclass subclass = it->second;
  if (subclass.recorder != nullptr) subclass.recorder->Record(hwnd, message, wParam, lParam);
  ++Depth();
  LRESULT result = CallWindowProcW(subclass.previous, hwnd, message, wParam, lParam);
  --Depth();
  return result;
}

MessageRecorder::MessageRecorder() : previousActive_(ActiveRecorder()) { ActiveRecorder() = this; }

MessageRecorder::~MessageRecorder() {
  // Windows that are still alive get their procedures back.
  for (auto it = Subclasses().begin(); it != Subclasses().end();) {
    if (it->second.recorder != this) {
      ++it;
      continue;
    }
    if (IsWindow(it->first) &&
        GetWindowLongW(it->first, GWL_WNDPROC) == reinterpret_cast<LONG_PTR>(&RecorderProc)) {
      SetWindowLongW(it->first, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
    }
    it = Subclasses().erase(it);
  }
  ActiveRecorder() = previousActive_;
}

void MessageRecorder::Watch(HWND hwnd, const std::string& name) {
  names_[hwnd] = name;
  Subclass subclass;
  subclass.recorder = this;
  subclass.previous =
      reinterpret_cast<WNDPROC>(SetWindowLongW(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RecorderProc)));
  Subclasses()[hwnd] = subclass;
}

void MessageRecorder::Name(HWND hwnd, const std::string& name) { names_[hwnd] = name; }

MessageRecorder::Scope::~Scope() { --Depth(); }

MessageRecorder::Scope MessageRecorder::Enter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Record(hwnd, message, wParam, lParam);
  ++Depth();
  return Scope();
}

MessageRecorder* MessageRecorder::Active() { return ActiveRecorder(); }

void MessageRecorder::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!only_.empty() && only_.count(message) == 0) return;
  if (ignored_.count(message) != 0) return;
  if (message == WM_NOTIFY && !onlyCodes_.empty() &&
      (lParam == 0 || onlyCodes_.count(reinterpret_cast<const NMHDR*>(lParam)->code) == 0)) {
    return;
  }
  RecordedMessage r;
  r.window = NameOf(hwnd);
  r.hwnd = hwnd;
  r.message = message;
  r.wParam = wParam;
  r.lParam = lParam;
  if (message == WM_NOTIFY && lParam != 0) {
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    r.notifyCode = hdr->code;
    if (describe_) r.detail = describe_(*hdr);
  }
  r.depth = Depth();
  recorded_.push_back(r);
}

std::string MessageRecorder::NameOf(HWND hwnd) const {
  auto it = names_.find(hwnd);
  return it != names_.end() ? it->second : Hex(reinterpret_cast<uintptr_t>(hwnd));
}

bool MessageRecorder::FieldMatches(const Field& f, long long value, const RecordedMessage& r) const {
  switch (f.kind()) {
    case Field::Kind::Any: return true;
    case Field::Kind::Value: return f.value() == value;
    case Field::Kind::Code: return r.message == WM_NOTIFY && r.notifyCode == static_cast<UINT>(f.value());
    case Field::Kind::Window:
      for (const auto& entry : names_) {
        if (entry.second == f.name()) return reinterpret_cast<long long>(entry.first) == value;
      }
      return false;
  }
  return false;
}

bool MessageRecorder::Matches(const ExpectedMessage& e, const RecordedMessage& r) const {
  if (e.window != NameOf(r.hwnd) || e.message != r.message) return false;
  if (!FieldMatches(e.wParam, static_cast<long long>(r.wParam), r)) return false;
  if (!FieldMatches(e.lParam, static_cast<long long>(r.lParam), r)) return false;
  if (e.detail && *e.detail != r.detail) return false;
  return !e.depth || *e.depth == r.depth;
}

::testing::AssertionResult MessageRecorder::Sequence(const std::vector<ExpectedMessage>& expected) const {
  // Walk both lists; an optional row that does not match is skipped.
  std::vector<std::pair<std::string, std::string>> rows;
  bool ok = true;
  size_t e = 0;
  size_t r = 0;
  while (e < expected.size() || r < recorded_.size()) {
    if (e < expected.size() && r < recorded_.size() && Matches(expected[e], recorded_[r])) {
      rows.emplace_back("  " + Describe(expected[e]), Describe(recorded_[r], NameOf(recorded_[r].hwnd)));
      ++e;
      ++r;
    } else if (e < expected.size() && expected[e].optional) {
      rows.emplace_back("  " + Describe(expected[e]), "");
      ++e;
    } else {
      ok = false;
      rows.emplace_back("! " + (e < expected.size() ? Describe(expected[e]) : std::string("(nothing)")),
                        r < recorded_.size() ? Describe(recorded_[r], NameOf(recorded_[r].hwnd)) : std::string("(nothing)"));
      if (e < expected.size()) ++e;
      if (r < recorded_.size()) ++r;
    }
  }
  if (ok) return ::testing::AssertionSuccess();
  size_t width = 10;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::ostringstream report;
  report << "message sequence differs (! marks the rows that differ)\n";
  report << std::string("  expected") << std::string(width - 8, ' ') << " | actual\n";
  for (const auto& row : rows) report << row.first << std::string(width - row.first.size(), ' ') << " | " << row.second << "\n";
  return ::testing::AssertionFailure() << report.str();
}

std::string MessageName(UINT message) {
  for (const Name& n : kMessages) {
    if (n.value == message) return n.name;
  }
  return Hex(message);
}

std::string NotifyName(UINT code) {
  for (const Name& n : kNotifications) {
    if (n.value == code) return n.name;
  }
  return std::to_string(static_cast<int>(code));
}

LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageRecorder* recorder = MessageRecorder::Active();
  if (recorder == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  auto scope = recorder->Enter(hwnd, message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace foldwise_test

// Command steps: a command of an item's context menu chosen and run as the Explorer runs it (its
// context-menu host invokes the handler that owns the item), and the user's actions in the
// dialogs and message boxes the command opens. A command's dialog is modal: while its loop waits
// for the user, the script's next lines run inside it, as long as they act on a dialog.
#include <cstdio>
#include <set>
#include <vector>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "context_menu_host.h"
#include "script_runner.h"
#include "session.h"
#include "steps.h"

namespace fexplore_sim {
namespace {

const std::set<std::string> kDialogSteps = {"dialog-show", "dialog-type", "dialog-check", "dialog-tap",
                                            "dialog-pick", "dialog-ok",   "dialog-cancel", "answer"};

// Whether a command runs now, and where its dialog steps print.
bool g_commandRunning = false;
std::ostream* g_out = nullptr;

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The dialog on top of the others (a dialog that another one opened lies over it).
HWND TopDialog() {
  cesim::WindowQuery query;
  query.className = u"Dialog";
  for (HWND dialog : cesim::FindWindows(query)) {
    if (IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

std::u16string WindowText(HWND hwnd) {
  WCHAR text[1024] = {};
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

// A text as one line: line breaks shown as " / ".
std::string OneLine(const std::u16string& text) {
  std::string line;
  std::string narrow = cesim::Narrow(text);
  for (size_t i = 0; i < narrow.size(); ++i) {
    if (narrow[i] == '\r') continue;
    if (narrow[i] == '\n') line += " / ";
    else line.push_back(narrow[i]);
  }
  return line;
}

std::string Quoted(const std::u16string& text) { return "\"" + OneLine(text) + "\""; }

std::u16string ComboEntry(HWND combo, int index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length < 0) return std::u16string();
  std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

bool IsClass(const std::u16string& className, const std::u16string& wanted) {
  if (className.size() != wanted.size()) return false;
  for (size_t i = 0; i < wanted.size(); ++i) {
    char16_t a = className[i], b = wanted[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b - u'A' + u'a');
    if (a != b) return false;
  }
  return true;
}

// One control as the user reads it, behind its identifier.
void PrintControl(const cesim::WindowDescription& control, std::ostream& out) {
  if (!control.visible) return;
  if (control.id == 0xFFFF) out << "    [-] ";  // a label without an identifier
  else out << "    [" << control.id << "] ";
  HWND hwnd = control.handle;
  const std::u16string text = WindowText(hwnd);
  if (IsClass(control.className, u"static")) {
    std::optional<cesim::StaticImage> image = cesim::ShownImage(hwnd);
    if (image && image->icon != nullptr) {
      std::optional<std::u16string> picture = cesim::IconPicture(image->icon);
      out << "icon " << (picture ? cesim::Narrow(*picture) : std::string("(unknown picture)"));
    } else {
      out << Quoted(text);
    }
  } else if (IsClass(control.className, u"edit")) {
    out << "field " << Quoted(text);
    if (control.style & ES_READONLY) out << " (read-only)";
  } else if (IsClass(control.className, u"button")) {
    const DWORD type = control.style & BS_TYPEMASK;
    if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE) {
      out << (SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? "[x] " : "[ ] ") << Quoted(text);
    } else if (type == BS_GROUPBOX) {
      out << "group " << Quoted(text);
    } else {
      out << "button " << Quoted(text);
    }
  } else if (IsClass(control.className, u"combobox")) {
    const int count = static_cast<int>(SendMessageW(hwnd, CB_GETCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
    out << "drop-down list " << (selected >= 0 ? Quoted(ComboEntry(hwnd, selected)) : std::string("(none chosen)"))
        << ", " << count << " entries";
    if (!control.enabled) out << " (disabled)";
    out << "\n";
    for (int i = 0; i < count; ++i) out << "      " << (i == selected ? "* " : "  ") << OneLine(ComboEntry(hwnd, i)) << "\n";
    return;
  } else if (IsClass(control.className, WC_LISTVIEWW)) {
    out << "list\n";
    std::string rows = cesim::DumpListView(hwnd);
    size_t start = 0;
    while (start < rows.size()) {
      size_t end = rows.find('\n', start);
      if (end == std::string::npos) end = rows.size();
      out << "      " << rows.substr(start, end - start) << "\n";
      start = end + 1;
    }
    return;
  } else {
    out << cesim::Narrow(control.className) << " " << Quoted(text);
  }
  if (!control.enabled) out << " (disabled)";
  out << "\n";
}

void PrintDialog(HWND dialog, std::ostream& out) {
  cesim::WindowDescription description = cesim::Describe(dialog);
  out << "  Dialog " << Quoted(description.text);
  if (description.exStyle & WS_EX_CAPTIONOKBTN) out << ", OK in its title bar";
  out << ":\n";
  for (const cesim::WindowDescription& control : description.children) PrintControl(control, out);
}

std::string ButtonName(int button) {
  switch (button) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    default: return std::to_string(button);
  }
}

void PrintMessageBox(const cesim::MessageBoxView& box, std::ostream& out) {
  out << "  Message box " << Quoted(box.caption) << ": " << Quoted(box.text) << "\n   ";
  for (int button : box.buttons) {
    out << " [" << ButtonName(button) << "]";
    if (button == box.defaultButton) out << " (default)";
  }
  out << "\n";
}

// Ends what the user left open when the script has no step for it: the box's Cancel (or its
// last button), the dialog's Cancel.
void CloseLeftOpen(std::ostream& out) {
  if (std::optional<cesim::MessageBoxView> box = cesim::ShownMessageBox()) {
    int button = box->buttons.empty() ? IDCANCEL : box->buttons.back();
    for (int candidate : box->buttons) {
      if (candidate == IDCANCEL) button = IDCANCEL;
    }
    out << "  (the script has no answer for the message box " << Quoted(box->text) << ": "
        << ButtonName(button) << " is tapped)\n";
    cesim::PressMessageBoxButton(button);
    return;
  }
  if (HWND dialog = TopDialog()) {
    out << "  (the script leaves the dialog " << Quoted(WindowText(dialog)) << " open: it is cancelled)\n";
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

void QueueDialogTurn();

// One moment the command's modal loop waits for the user: the script's next line acts there
// when it is a dialog step; otherwise what is open is closed.
void DialogTurn() {
  if (!g_commandRunning) return;
  if (!cesim::ShownMessageBox() && TopDialog() == nullptr) return;
  if (kDialogSteps.count(NextCommand()) > 0) {
    if (!RunNextLine()) {
      CloseLeftOpen(*g_out);
    }
  } else {
    CloseLeftOpen(*g_out);
  }
  QueueDialogTurn();
}

void QueueDialogTurn() { cesim::WhenIdle(DialogTurn); }

// "command \My Documents\Letter.doc > Copy Path": the item's text as shown, or its start.
void RunCommand(const std::string& argument, std::ostream& out) {
  size_t arrow = argument.rfind('>');
  if (arrow == std::string::npos) {
    out << "  (name the command after \">\")\n";
    return;
  }
  const std::string path = Trim(argument.substr(0, arrow));
  const std::string wanted = Trim(argument.substr(arrow + 1));
  ContextMenuSession session = {};
  std::u16string devicePath = cesim::Widen(path);
  if (!OpenContextMenu(devicePath.c_str(), &session)) {
    out << "  (no context menu for " << path << ")\n";
    return;
  }
  UINT chosen = 0;
  std::string chosenText;
  for (const cesim::MenuRow& row : cesim::ReadMenu(session.menu)) {
    if (row.separator || row.id < kFirstHandlerCommand) continue;
    const std::string text = ShownText(row.text);
    if (text == wanted || (chosen == 0 && text.compare(0, wanted.size(), wanted) == 0)) {
      chosen = row.id;
      chosenText = text;
      if (text == wanted) break;
    }
  }
  if (chosen == 0 || wanted.empty()) {
    out << "  (no extension command \"" << wanted << "\" in the context menu of " << path << ")\n";
    CloseContextMenu(&session);
    return;
  }
  out << "  Chosen from the context menu of " << path << ": " << chosenText << "\n";
  g_commandRunning = true;
  g_out = &out;
  QueueDialogTurn();
  HRESULT result = E_FAIL;
  const BOOL invoked = InvokeHandlerCommand(&session, chosen, Frame(), &result);
  g_commandRunning = false;
  CloseContextMenu(&session);
  if (!invoked) {
    out << "  (the command could not be invoked)\n";
  } else {
    char text[32];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(result));
    out << "  The command returned " << (result == S_OK ? std::string("S_OK") : std::string(text)) << ".\n";
  }
  // The Explorer handles what the command caused (a folder that changed under it).
  if (Frame() != nullptr) ActInExplorer(std::vector<std::function<void()>>(), out);
}

// "dialog-type 1001 New name.doc", "dialog-pick 1010 Notes": the identifier, then the text.
bool SplitIdentifier(const std::string& argument, int* id, std::string* rest) {
  size_t space = argument.find(' ');
  std::string number = argument.substr(0, space);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return false;
  *id = std::stoi(number);
  *rest = space == std::string::npos ? std::string() : Trim(argument.substr(space));
  return true;
}

void TapControl(HWND control) { cesim::TapClient(control, POINT{3, 3}); }

bool DialogStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "answer") {
    int button = 0;
    for (int candidate : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
      if (ButtonName(candidate) == argument) button = candidate;
    }
    if (button == 0) return false;
    std::optional<cesim::MessageBoxView> box = cesim::ShownMessageBox();
    if (!box) {
      out << "  (no message box is shown)\n";
      return true;
    }
    PrintMessageBox(*box, out);
    if (!cesim::PressMessageBoxButton(button)) out << "  (the message box has no " << argument << " button)\n";
    else out << "  " << argument << " is tapped.\n";
    return true;
  }
  if (command == "dialog-show" && !argument.empty()) return false;
  if (std::optional<cesim::MessageBoxView> box = cesim::ShownMessageBox()) {
    if (command == "dialog-show") {
      PrintMessageBox(*box, out);
      return true;
    }
  }
  HWND dialog = TopDialog();
  if (dialog == nullptr) {
    out << "  (no dialog is open)\n";
    return true;
  }
  if (command == "dialog-show") {
    PrintDialog(dialog, out);
    return true;
  }
  if (command == "dialog-ok") {
    if (cesim::TapCaptionOkButton(dialog)) {
      out << "  OK is tapped in the title bar.\n";
    } else if (HWND ok = GetDlgItem(dialog, IDOK)) {
      TapControl(ok);
      out << "  " << Quoted(WindowText(ok)) << " is tapped.\n";
    } else {
      out << "  (the dialog has no OK button)\n";
    }
    return true;
  }
  if (command == "dialog-cancel") {
    if (HWND cancel = GetDlgItem(dialog, IDCANCEL)) {
      TapControl(cancel);
      out << "  " << Quoted(WindowText(cancel)) << " is tapped.\n";
    } else {
      cesim::PressKey(VK_ESCAPE);
      out << "  Escape is pressed.\n";
    }
    return true;
  }
  int id = 0;
  std::string text;
  if (!SplitIdentifier(argument, &id, &text)) return false;
  HWND control = GetDlgItem(dialog, id);
  if (control == nullptr || !IsWindowVisible(control)) {
    out << "  (the dialog shows no control " << id << ")\n";
    return true;
  }
  if (command == "dialog-tap" || command == "dialog-check") {
    if (!text.empty()) return false;
    // The tap reaches the control once the dialog's loop takes it; dialog-show reads the mark.
    TapControl(control);
    out << "  " << Quoted(WindowText(control)) << " is tapped.\n";
    return true;
  }
  if (command == "dialog-type") {
    // Tap the field, go to its end, take its text away and type the new one.
    const size_t length = WindowText(control).size();
    TapControl(control);
    cesim::PressKey(VK_END);
    for (size_t i = 0; i < length; ++i) cesim::PressKey(VK_BACK);
    cesim::TypeText(cesim::Widen(text));
    // The keys reach the field once the dialog's loop takes them; dialog-show reads the result.
    out << "  Typed into [" << id << "]: " << Quoted(cesim::Widen(text)) << "\n";
    return true;
  }
  if (command == "dialog-pick") {
    cesim::WindowDescription description = cesim::Describe(control);
    std::u16string label = cesim::Widen(text);
    if (IsClass(description.className, u"combobox")) {
      const LRESULT wanted =
          SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(label.c_str()));
      if (wanted == CB_ERR) {
        out << "  (the list has no entry " << text << ")\n";
        return true;
      }
      LRESULT at = SendMessageW(control, CB_GETCURSEL, 0, 0);
      if (at == CB_ERR) at = 0;
      // The tap drops the list; the arrows move through it and Enter takes the entry.
      TapControl(control);
      for (; at < wanted; ++at) cesim::PressKey(VK_DOWN);
      for (; at > wanted; --at) cesim::PressKey(VK_UP);
      cesim::PressKey(VK_RETURN);
    } else if (IsClass(description.className, WC_LISTVIEWW)) {
      const int item = FindListItem(control, text);
      if (item < 0) {
        out << "  (the list has no entry " << text << ")\n";
        return true;
      }
      SendMessageW(control, LVM_ENSUREVISIBLE, item, FALSE);
      if (!cesim::TapListItem(control, item)) {
        out << "  (the entry " << text << " is not on the screen)\n";
        return true;
      }
    } else {
      return false;
    }
    out << "  " << text << " is picked.\n";
    return true;
  }
  return false;
}

}  // namespace

bool RunCommandStep(const std::string& command, const std::string& argument, std::ostream& out) {
  if (command == "command" && !argument.empty()) {
    RunCommand(argument, out);
    return true;
  }
  if (kDialogSteps.count(command) > 0) return DialogStep(command, argument, out);
  return false;
}

}  // namespace fexplore_sim

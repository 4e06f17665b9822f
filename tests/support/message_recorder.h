// Records the messages that windows under test receive, in the order they arrive and with how
// deeply each is nested inside the handling of another, and compares them with an expected table.
// Windows are watched by subclassing them (SetWindowLongW GWL_WNDPROC, the previous procedure
// called with CallWindowProcW); procedures the test writes itself record through Enter. On a
// mismatch the failure shows the expected and the actual rows side by side.
#ifndef FOLDWISE_TESTS_MESSAGE_RECORDER_H
#define FOLDWISE_TESTS_MESSAGE_RECORDER_H

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ceplatform.h"

namespace foldwise_test {

// An expected value of a message field: anything, a number, a watched window by its name, or
// (for WM_NOTIFY's lParam) a notification code.
class Field {
 public:
  Field() = default;  // anything
  Field(long long value) : kind_(Kind::Value), value_(value) {}  // NOLINT: tables read better
  static Field Window(const std::string& name) {
    Field f;
    f.kind_ = Kind::Window;
    f.name_ = name;
    return f;
  }
  static Field Code(UINT code) {
    Field f;
    f.kind_ = Kind::Code;
    f.value_ = static_cast<long long>(code);
    return f;
  }

  enum class Kind { Any, Value, Window, Code };
  Kind kind() const { return kind_; }
  long long value() const { return value_; }
  const std::string& name() const { return name_; }

 private:
  Kind kind_ = Kind::Any;
  long long value_ = 0;
  std::string name_;
};

// Shorthands for tables.
inline Field Any() { return Field(); }
inline Field Wnd(const std::string& name) { return Field::Window(name); }
inline Field Code(UINT code) { return Field::Code(code); }

struct ExpectedMessage {
  std::string window;  // the name the window was watched or named under (also when that was after
                       // the message came, for messages of a window's creation)
  UINT message = 0;
  Field wParam;
  Field lParam;
  std::optional<int> depth;  // 0: not nested in another recorded message
  bool optional = false;     // may be missing
  // WM_NOTIFY: the notification's fields as the test's describer writes them down.
  std::optional<std::string> detail = std::nullopt;
};

struct RecordedMessage {
  std::string window;  // the name the window had when the message came
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  UINT notifyCode = 0;  // WM_NOTIFY: the notification code
  std::string detail;   // WM_NOTIFY: the describer's account of its fields, taken as it came
  int depth = 0;
};

class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  // Subclasses a window and records what it receives under `name`.
  void Watch(HWND hwnd, const std::string& name);
  // Gives a window a name for tables without watching it (a window a test procedure handles).
  void Name(HWND hwnd, const std::string& name);

  // Records a message that a test's own procedure received; the rest of the scope counts as
  // nested handling.
  class Scope {
   public:
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    friend class MessageRecorder;
    Scope() = default;
  };
  Scope Enter(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Writes down the fields of each recorded notification while it is being sent (its structure
  // lives on the sender's stack), for tables that compare them.
  void DescribeNotifications(std::function<std::string(const NMHDR&)> describe) { describe_ = std::move(describe); }

  // Records only these messages (all when empty) and never these.
  void Only(std::set<UINT> messages) { only_ = std::move(messages); }
  void Ignore(std::set<UINT> messages) { ignored_ = std::move(messages); }
  // Records WM_NOTIFY only with these notification codes (all when empty): a real control also
  // sends custom-draw and tooltip notifications that a table about its behaviour leaves out.
  void OnlyNotifications(std::set<UINT> codes) { onlyCodes_ = std::move(codes); }

  void Flush() { recorded_.clear(); }
  const std::vector<RecordedMessage>& Recorded() const { return recorded_; }

  // Compares what was recorded since the last Flush with the table.
  ::testing::AssertionResult Sequence(const std::vector<ExpectedMessage>& expected) const;

  // The recorder of the running test, for procedures that a test registers.
  static MessageRecorder* Active();

 private:
  friend LRESULT CALLBACK RecorderProc(HWND, UINT, WPARAM, LPARAM);
  void Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  std::string NameOf(HWND hwnd) const;
  bool Matches(const ExpectedMessage& e, const RecordedMessage& r) const;
  bool FieldMatches(const Field& f, long long value, const RecordedMessage& r) const;

  std::map<HWND, std::string> names_;
  std::vector<RecordedMessage> recorded_;
  std::set<UINT> only_;
  std::set<UINT> ignored_;
  std::function<std::string(const NMHDR&)> describe_;
  std::set<UINT> onlyCodes_;
  MessageRecorder* previousActive_ = nullptr;
};

// Names of messages and notification codes, for failure messages.
std::string MessageName(UINT message);
std::string NotifyName(UINT code);

// A window procedure that records every message in the active recorder, then hands it to
// DefWindowProcW: the procedure of the plain windows that message tests create.
LRESULT CALLBACK RecordingWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace foldwise_test

#endif

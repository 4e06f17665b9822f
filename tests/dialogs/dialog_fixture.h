// The properties and version dialogs as the user meets them: the context menu's properties
// command run through InvokeCommand, each user action queued for a moment the dialog's modal loop
// waits, and the dialog's fields read as the user reads them.
#ifndef FOLDWISE_TESTS_DIALOGS_DIALOG_FIXTURE_H
#define FOLDWISE_TESTS_DIALOGS_DIALOG_FIXTURE_H

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "command_fixture.h"

namespace foldwise_test {

// The properties dialog's fields.
struct PropertiesView {
  bool found = false;
  std::u16string name;
  bool nameReadOnly = false;
  bool targetShown = false;
  std::u16string target;
  bool targetReadOnly = false;
  bool versionButtonShown = false;
  std::u16string type;
  std::u16string sizeLabel;
  std::u16string size;
  bool modifiedShown = false;
  std::u16string modified;
  bool readOnlyChecked = false;
  bool readOnlyEnabled = false;
  bool hiddenChecked = false;
  bool hiddenEnabled = false;
  std::optional<std::u16string> icon;  // what the icon shows
  RECT rect = {0, 0, 0, 0};
  bool doneButton = false;
};

// The version dialog's fields.
struct VersionView {
  bool found = false;
  std::u16string caption;
  std::u16string fileVersion;
  std::u16string description;
  std::u16string copyright;
  std::vector<std::u16string> keys;  // the list's entries from the top
  int selected = -1;
  std::u16string value;
  bool valueReadOnly = false;
  RECT rect = {0, 0, 0, 0};
  bool doneButton = false;
};

class DialogTest : public CommandTest {
 protected:
  // A user action, given the dialog on top when it runs (the version dialog over the
  // properties dialog).
  using Step = std::function<void(HWND dialog)>;

  // Runs the properties command on the path; each step runs at one moment the dialog on top
  // waits for the user. The steps must end the dialog (Done, Cancel). InvokeCommand's result.
  HRESULT OpenProperties(const std::u16string& path, const std::vector<Step>& steps);
  // Opens the properties, reads them and taps Done.
  PropertiesView PropertiesOf(const std::u16string& path);

  // The dialog on top: the last of the chain of dialogs owned by the Explorer's window.
  HWND TopDialog() const;

  static PropertiesView ReadProperties(HWND dialog);
  static VersionView ReadVersion(HWND dialog);

  // The user's actions.
  static void TapDone(HWND dialog);
  static void PressEscape(HWND dialog);
  static void TapItem(HWND dialog, int id);
  // Taps the field, goes to its end, takes its text away and types the new one.
  static void ReplaceText(HWND dialog, int id, const std::u16string& text);
  // Picks an entry of the drop-down list by the arrow keys, from the one shown.
  static void PickListEntry(HWND dialog, int id, const std::u16string& label);

  // The host file of a device file in the image, before boot.
  std::string HostFile(const std::u16string& path) const;
  // Sets the last change of a file in the image (before boot) to a UTC time in seconds since 1970.
  void SetModified(const std::u16string& path, long long utcSeconds) const;
};

// A dialog control's text.
std::u16string ItemText(HWND dialog, int id);

}  // namespace foldwise_test

#endif

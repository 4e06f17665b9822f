// A device with the module loaded and a context menu object whose site hands out one selected
// path, driven as the Explorer drives it: the menu filled, then a command run by its verb text.
#ifndef FOLDWISE_TESTS_COMMANDS_COMMAND_FIXTURE_H
#define FOLDWISE_TESTS_COMMANDS_COMMAND_FIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "data_object_double.h"
#include "module_fixture.h"

namespace foldwise_test {

class CommandTest : public ModuleTest {
 protected:
  static constexpr UINT kFirst = 100;

  void TearDown() override;

  // Boots, loads the module, creates an owner window, then a context menu object with a site for
  // `path` and fills a menu with it. False when any step failed.
  bool Select(const std::u16string& path);
  // InvokeCommand with the verb text as the Explorer passes it, the owner window as the record's.
  HRESULT Invoke(const char* verb);
  // The whole road for one command: Select, then Invoke. The result of InvokeCommand.
  HRESULT Run(const std::u16string& path, const char* verb);
  // Run, with the next message box answered by that button.
  HRESULT RunAnswering(const std::u16string& path, const char* verb, int button);

  // The dialog that the owner window owns now, or null.
  HWND OwnedDialog() const;
  // Queues the user's steps for the waits of the modal loop, one step a wait, in order.
  static void InDialog(std::vector<std::function<void()>> steps);

  // A shortcut file as the device writes it: the target's length in characters, "#" and the target.
  static std::string ShortcutFile(const std::string& target) { return std::to_string(target.size()) + "#" + target; }

  // An invocation record of the platform's own size, for the owner window.
  CMINVOKECOMMANDINFO Record(const char* verb) const;

  HWND owner = nullptr;
  IContextMenu* menu = nullptr;

 private:
  std::unique_ptr<DataObjectDouble> data_;
  std::unique_ptr<SiteDouble> site_;
  HMENU hostMenu_ = nullptr;
};

}  // namespace foldwise_test

#endif

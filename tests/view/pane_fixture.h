// A device with the module loaded into the Explorer's process and a small Explorer whose frame
// and list pane the module extends through its replacement table. Each test boots its own.
#ifndef FOLDWISE_TESTS_PANE_FIXTURE_H
#define FOLDWISE_TESTS_PANE_FIXTURE_H

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "module_fixture.h"
#include "pane_host.h"

namespace foldwise_test {

// Registry lines of the Explorer's machine key, "Explorer" under HKEY_LOCAL_MACHINE.
std::string ExplorerDword(const std::string& name, DWORD value);
std::string ExplorerWidths(const std::string& name, const std::vector<int>& widths);

class PaneTest : public ModuleTest {
 protected:
  void SetUp() override;

  // Boots with these values of the Explorer's machine key and the host showing `folder`, which
  // is also its last location, and starts the small Explorer.
  void Start(const std::string& explorerValues = "", const std::u16string& folder = u"\\My Documents");

  HWND Header() const;
  int ColumnWidth(int column) const;
  std::vector<int> ColumnWidths() const;
  // The record of column widths kept for a screen shape ("ClumnWidth", "ClumnWidthLS"); empty
  // when there is none.
  std::vector<int> KeptWidths(const std::u16string& name) const;
  std::optional<DWORD> ExplorerNumber(const std::u16string& name) const;
  // The host's last location, as it would have written it after showing another folder.
  void SetLastLocation(const std::u16string& path);

  // Indexes and states of the host's list.
  int Item(const std::u16string& path) const;
  UINT ItemState(int item) const;
  void FocusAndSelect(int item);
  // A screen point in the middle of an item's label.
  POINT ItemPoint(int item) const;

  int SmallIcon() const { return GetSystemMetrics(SM_CXSMICON); }

  PaneHost host;
};

}  // namespace foldwise_test

#endif

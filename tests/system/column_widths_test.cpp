// Column widths in the Explorer's list: the widths kept for the screen's shape are put on the
// columns at start-up, and a width the user gives a column is held within its limits and kept
// for that shape only.
#include "system_test.h"
#include "view/commands.h"

namespace system_test {
namespace {

typedef std::vector<int> Widths;

class ColumnWidthsTest : public SystemTest {
 protected:
  // The record of the screen's shape right now, and that of the other shape.
  static Text RecordOfThisShape() {
    return GetSystemMetrics(SM_CXSCREEN) > GetSystemMetrics(SM_CYSCREEN) ? TEXT("ClumnWidthLS") : TEXT("ClumnWidth");
  }
  static Text RecordOfTheOtherShape() {
    return RecordOfThisShape() == TEXT("ClumnWidth") ? TEXT("ClumnWidthLS") : TEXT("ClumnWidth");
  }

  static std::vector<BYTE> Record(const Widths& widths) {
    std::vector<BYTE> data;
    for (int width : widths) {
      data.push_back(static_cast<BYTE>(width & 0xFF));
      data.push_back(static_cast<BYTE>((width >> 8) & 0xFF));
    }
    return data;
  }
  static Widths Kept(const Text& record) {
    const std::vector<BYTE> data = ExplorerValue(record);
    Widths widths;
    for (size_t i = 0; i + 1 < data.size(); i += 2) widths.push_back(data[i] | (data[i + 1] << 8));
    if (data.size() != 8) widths.push_back(-static_cast<int>(data.size()));  // shows a record of another length
    return widths;
  }

  HWND Header() const { return reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)); }
  Widths Shown() const {
    Widths widths;
    for (int column = 0; column < 4; ++column) {
      HDITEMW item = {};
      item.mask = HDI_WIDTH;
      widths.push_back(SendMessageW(Header(), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item)) ? item.cxy : -1);
    }
    return widths;
  }
  // The user drags the border of `column` until it is `width` wide.
  void Drag(int column, int width) {
    HDITEMW item = {};
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SendMessageW(Header(), HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&item));
    host.Pump();
  }
};

TEST_F(ColumnWidthsTest, TheKeptWidthsOfTheShapeComeBackAndANewWidthIsHeldWithinItsLimitsAndKept) {
  host.AddFile(TEXT("\\Docs\\Letter.txt"), "Dear");
  const DWORD detailWithHeader = LIST_STYLE_DETAIL_HEADER;
  SetExplorerValue(TEXT("ListStyle"), REG_DWORD,
                   std::vector<BYTE>(reinterpret_cast<const BYTE*>(&detailWithHeader),
                                     reinterpret_cast<const BYTE*>(&detailWithHeader) + 4));
  SetExplorerValue(RecordOfThisShape(), REG_BINARY, Record({120, 40, 40, 60}));
  SetExplorerValue(RecordOfTheOtherShape(), REG_BINARY, Record({100, 50, 50, 50}));
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Docs")));
  ASSERT_NE(Header(), nullptr);
  EXPECT_EQ(Shown(), (Widths{120, 40, 40, 60}));
  EXPECT_EQ(Kept(RecordOfThisShape()), (Widths{120, 40, 40, 60})) << "start-up keeps nothing again";

  // The module sees the user's widths only where the list view passes its header's changes on
  // to the pane, as the device's does.
  conformance::KnownWineDifference("list-passes-header-item-changes-on",
                                   "dlls/comctl32/tests/listview.c, test_header_notification2", [&] {
    // Narrower than two small icons snaps to two; a hidden column stays hidden; both are kept.
    const int icon = GetSystemMetrics(SM_CXSMICON);
    Drag(1, icon);
    Drag(3, 0);
    EXPECT_EQ(Shown(), (Widths{120, 2 * icon, 40, 0}));
    EXPECT_EQ(Kept(RecordOfThisShape()), (Widths{120, 2 * icon, 40, 0}));
    // The first report for column 0 since the pane got its width puts the kept widths back, as
    // after the host resized column 0 itself; after it, column 0 never gets narrower than three
    // small icons, and that is kept.
    Drag(0, icon);
    EXPECT_EQ(Shown(), (Widths{120, 2 * icon, 40, 0}));
    Drag(0, icon);
    EXPECT_EQ(Shown()[0], 3 * icon);
    EXPECT_EQ(Kept(RecordOfThisShape())[0], 3 * icon);
    EXPECT_EQ(Kept(RecordOfTheOtherShape()), (Widths{100, 50, 50, 50})) << "the other shape's widths stay";
  });
}

}  // namespace
}  // namespace system_test

// The image preview: with the preview on, a picture file that gains the focus in the list is shown
// in the overlay over the list's lower right corner once the preview's wait is over; a file that
// is no picture takes it away.
#include <string>

#include "system_test.h"

#include "view/commands.h"

namespace system_test {
namespace {

// A picture file of one colour in the plain 24-bit BMP form, rows bottom-up, each padded to a
// whole number of 32-bit words.
std::string BmpFile(int width, int height, unsigned char red, unsigned char green, unsigned char blue) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int pixelBytes = rowBytes * height;
  std::string file;
  auto put16 = [&file](unsigned value) {
    file += static_cast<char>(value & 0xFF);
    file += static_cast<char>((value >> 8) & 0xFF);
  };
  auto put32 = [&put16](unsigned value) {
    put16(value & 0xFFFF);
    put16(value >> 16);
  };
  file += "BM";
  put32(14 + 40 + pixelBytes);
  put32(0);
  put32(14 + 40);
  put32(40);
  put32(static_cast<unsigned>(width));
  put32(static_cast<unsigned>(height));
  put16(1);
  put16(24);
  put32(0);  // BI_RGB
  put32(static_cast<unsigned>(pixelBytes));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      row += static_cast<char>(blue);
      row += static_cast<char>(green);
      row += static_cast<char>(red);
    }
    row.resize(static_cast<size_t>(rowBytes), '\0');
    file += row;
  }
  return file;
}

class PreviewTest : public SystemTest {
 protected:
  HWND Overlay() const { return GetDlgItem(frame, OVERLAY_CONTROL_ID); }
};

TEST_F(PreviewTest, AFocusedPictureIsShownAfterTheWaitAndAFileThatIsNoPictureTakesItAway) {
  host.AddFile(TEXT("\\Pictures\\Note.txt"), "no picture");
  host.AddFile(TEXT("\\Pictures\\Red.bmp"), BmpFile(40, 30, 255, 0, 0));
  SetExplorerValue(TEXT("Preview"), REG_DWORD, {1, 0, 0, 0});
  // The list in rows, one item below the other.
  SetExplorerValue(TEXT("ListStyle"), REG_DWORD, {LIST_STYLE_DETAIL & 0xFF, LIST_STYLE_DETAIL >> 8, 0, 0});
  ASSERT_TRUE(StartExplorerIn(TEXT("\\Pictures")));
  EXPECT_EQ(ListedNames(), (std::vector<Text>{TEXT("Note"), TEXT("Red")}));
  HWND overlay = Overlay();
  ASSERT_NE(overlay, nullptr) << "the frame has no overlay";
  EXPECT_FALSE(IsWindowVisible(overlay));

  TapListedItem(TEXT("Red"));
  // Nothing is shown before the wait is over.
  EXPECT_FALSE(IsWindowVisible(overlay));
  host.AdvanceTime(PREVIEW_DELAY_MS + 100);
  ASSERT_TRUE(IsWindowVisible(overlay)) << "the focused picture is not shown";
  EXPECT_NE(SendMessageW(overlay, STM_GETIMAGE, IMAGE_BITMAP, 0), 0) << "the overlay shows no bitmap";
  // A picture smaller than the list is shown at its own size, over the list's lower right corner.
  RECT client = {};
  GetClientRect(overlay, &client);
  EXPECT_EQ(client.right, 40);
  EXPECT_EQ(client.bottom, 30);
  RECT placed = {};
  RECT listed = {};
  GetWindowRect(overlay, &placed);
  GetWindowRect(list, &listed);
  EXPECT_EQ(placed.right, listed.right);
  EXPECT_EQ(placed.bottom, listed.bottom);

  // The focus goes to the text file: the overlay goes at once and stays away after the wait.
  TapListedItem(TEXT("Note"));
  EXPECT_FALSE(IsWindowVisible(overlay));
  host.AdvanceTime(PREVIEW_DELAY_MS + 100);
  EXPECT_FALSE(IsWindowVisible(overlay));
}

}  // namespace
}  // namespace system_test

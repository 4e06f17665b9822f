// The preview step: the focused file scaled into three quarters of the list's width and its
// whole height, as a 16-bit picture in the overlay at the list's lower right corner.
#include <gtest/gtest.h>

#include <string>

#include "cesim/automation.h"
#include "cesim/ui.h"
#include "image_files.h"
#include "pane_fixture.h"
#include "view/commands.h"

namespace foldwise_test {
namespace {

class ImagePreviewTest : public PaneTest {
 protected:
  void AddPicture(const std::u16string& path, int width, int height) {
    device.image.AddFile(path, EncodePng(Picture(width, height, Rgb{200, 40, 40}), PngKind::Rgb));
  }

  // Starts with the preview on and the list 240 by 200 pixels, so that the fit box is 180 by 200.
  void StartWithSmallList() {
    Start(ExplorerDword("Preview", 1) + ExplorerDword("ListStyle", LIST_STYLE_DETAIL_HEADER));
    SetWindowPos(host.list, nullptr, 0, 0, 240, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  // Focuses the item and lets the preview's wait run out.
  void Preview(const std::u16string& path) {
    FocusAndSelect(Item(path));
    cesim::AdvanceClock(PREVIEW_DELAY_MS);
  }

  HWND Overlay() const { return GetDlgItem(host.frame, OVERLAY_CONTROL_ID); }

  SIZE OverlayClient() const {
    RECT client = {};
    GetClientRect(Overlay(), &client);
    return SIZE{client.right, client.bottom};
  }

  HBITMAP Shown() const { return reinterpret_cast<HBITMAP>(SendMessageW(Overlay(), STM_GETIMAGE, IMAGE_BITMAP, 0)); }
};

TEST_F(ImagePreviewTest, ALargePictureIsFittedToTheBoxsWidthOrHeight) {
  AddPicture(u"\\My Documents\\wide.png", 400, 300);
  AddPicture(u"\\My Documents\\tall.png", 100, 400);
  StartWithSmallList();
  Preview(u"\\My Documents\\wide.png");
  ASSERT_TRUE(IsWindowVisible(Overlay()));
  EXPECT_EQ(OverlayClient().cx, 180);
  EXPECT_EQ(OverlayClient().cy, 135);
  Preview(u"\\My Documents\\tall.png");
  EXPECT_EQ(OverlayClient().cx, 50);
  EXPECT_EQ(OverlayClient().cy, 200);
}

TEST_F(ImagePreviewTest, ASmallPictureKeepsItsSize) {
  AddPicture(u"\\My Documents\\small.png", 60, 40);
  StartWithSmallList();
  Preview(u"\\My Documents\\small.png");
  EXPECT_EQ(OverlayClient().cx, 60);
  EXPECT_EQ(OverlayClient().cy, 40);
}

TEST_F(ImagePreviewTest, TheOverlaysLowerRightCornerIsTheListsAndItsPictureIsSixteenBitsInWholeWords) {
  AddPicture(u"\\My Documents\\wide.png", 540, 400);  // fitted to the box's width: 180 by 133
  StartWithSmallList();
  Preview(u"\\My Documents\\wide.png");
  HWND overlay = Overlay();
  RECT list = {};
  RECT outer = {};
  GetWindowRect(host.list, &list);
  GetWindowRect(overlay, &outer);
  EXPECT_EQ(outer.right, list.right);
  EXPECT_EQ(outer.bottom, list.bottom);
  std::optional<cesim::BitmapPixels> pixels = cesim::ReadBitmap(Shown());
  ASSERT_TRUE(pixels.has_value());
  EXPECT_EQ(pixels->bitsPerPixel, 16);
  EXPECT_EQ(OverlayClient().cx, 180);
  EXPECT_EQ(OverlayClient().cy, 133);
  EXPECT_EQ(pixels->width, 180);
}

TEST_F(ImagePreviewTest, AnOddWidthGivesAPictureOneColumnWiderThanTheOverlayShows) {
  AddPicture(u"\\My Documents\\odd.png", 135, 100);
  StartWithSmallList();
  Preview(u"\\My Documents\\odd.png");
  EXPECT_EQ(OverlayClient().cx, 135);
  std::optional<cesim::BitmapPixels> pixels = cesim::ReadBitmap(Shown());
  ASSERT_TRUE(pixels.has_value());
  EXPECT_EQ(pixels->width, 136);
  EXPECT_EQ(pixels->height, 100);
}

TEST_F(ImagePreviewTest, AFileThatIsNoPictureHidesTheShownPreview) {
  AddPicture(u"\\My Documents\\photo.png", 60, 40);
  StartWithSmallList();
  Preview(u"\\My Documents\\photo.png");
  ASSERT_TRUE(IsWindowVisible(Overlay()));
  Preview(u"\\My Documents\\Notes.txt");
  EXPECT_FALSE(IsWindowVisible(Overlay()));
}

TEST_F(ImagePreviewTest, AnyTimerOfThePaneRunsTheStep) {
  AddPicture(u"\\My Documents\\photo.png", 60, 40);
  StartWithSmallList();
  FocusAndSelect(Item(u"\\My Documents\\photo.png"));
  KillTimer(host.pane, PREVIEW_TIMER_ID);
  SendMessageW(host.pane, WM_TIMER, 77, 0);
  EXPECT_TRUE(IsWindowVisible(Overlay()));
}

TEST_F(ImagePreviewTest, WithoutAFocusedItemTheOverlayStaysAsItIs) {
  AddPicture(u"\\My Documents\\photo.png", 60, 40);
  StartWithSmallList();
  Preview(u"\\My Documents\\photo.png");
  ASSERT_TRUE(IsWindowVisible(Overlay()));
  LVITEMW change = {};
  change.stateMask = LVIS_FOCUSED;
  SendMessageW(host.list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&change));
  ShowWindow(Overlay(), SW_SHOWNA);  // the focus change hid it; the step must not touch it
  SendMessageW(host.pane, WM_TIMER, PREVIEW_TIMER_ID, 0);
  EXPECT_TRUE(IsWindowVisible(Overlay()));
}

TEST_F(ImagePreviewTest, OnlyTheShownPictureOutlivesAPreview) {
  AddPicture(u"\\My Documents\\one.png", 300, 300);
  AddPicture(u"\\My Documents\\two.png", 50, 50);
  StartWithSmallList();
  Preview(u"\\My Documents\\one.png");
  cesim::GdiObjectCounts first = cesim::LiveGdiObjects();
  for (int round = 0; round < 3; ++round) {
    Preview(u"\\My Documents\\two.png");
    Preview(u"\\My Documents\\one.png");
  }
  cesim::GdiObjectCounts after = cesim::LiveGdiObjects();
  EXPECT_EQ(after.bitmaps, first.bitmaps);
  EXPECT_EQ(after.deviceContexts, first.deviceContexts);
}

}  // namespace
}  // namespace foldwise_test

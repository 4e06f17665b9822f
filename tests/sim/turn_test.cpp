// Turning the device and the system metrics that follow the screen. When the screen turns, the
// device resizes the windows that fill the screen and sends each of them WM_SIZE, then sends the
// top-level windows WM_SETTINGCHANGE; child windows are not told ("How Applications Detect and
// Respond to Screen Rotation", Windows Mobile and Windows Embedded CE; WM_SETTINGCHANGE,
// Windows CE 5.0: wParam SETTINGCHANGE_RESET). Desktop Windows turns no screens this way.
#include <gtest/gtest.h>

#include <fstream>

#include "booted_device.h"
#include "ceplatform.h"
#include "cesim/ui.h"
#include "message_recorder.h"

namespace {

using foldwise_test::Any;
using foldwise_test::MessageRecorder;

class TurnTest : public ::testing::Test {
 protected:
  void Boot() {
    ASSERT_TRUE(device.Boot());
    WNDCLASSW cls = {};
    cls.lpfnWndProc = &foldwise_test::RecordingWindowProc;
    cls.lpszClassName = u"Recording";
    ASSERT_NE(RegisterClassW(&cls), 0);
  }

  static HWND Window(RECT r, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr) {
    return CreateWindowExW(0, u"Recording", u"", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           nullptr, nullptr, nullptr);
  }

  static RECT RectOf(HWND hwnd) {
    RECT r = {};
    GetWindowRect(hwnd, &r);
    return r;
  }

  foldwise_test::BootedDevice device;
};

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(TurnTest, TurningSwapsTheScreenAndTheMetricsThatFollowIt) {
  Boot();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
  cesim::TurnDevice();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 240 - GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 320);
  RECT desktop;
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  EXPECT_TRUE(Same(desktop, RECT{0, 0, 320, 240}));
  // Sizes that are not the screen's stay.
  EXPECT_EQ(GetSystemMetrics(SM_CXICONSPACING), 75);
  EXPECT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
  cesim::TurnDevice();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 320);
}

TEST_F(TurnTest, TheWorkAreaIsTheScreenBelowTheTaskbarAndTurnsWithIt) {
  device.image.SetTaskbarHeight(26);
  Boot();
  RECT work = {};
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_TRUE(Same(work, RECT{0, 26, 240, 320}));
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 294 - GetSystemMetrics(SM_CYCAPTION));
  cesim::TurnDevice();
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_TRUE(Same(work, RECT{0, 26, 320, 240}));
  EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
  SetLastError(0);
  EXPECT_FALSE(SystemParametersInfoW(12345, 0, &work, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(TurnTest, FullScreenWindowsAreResizedFirstThenEveryTopLevelWindowIsTold) {
  device.image.SetTaskbarHeight(26);
  Boot();
  HWND screen = Window({0, 0, 240, 320});
  HWND work = Window({0, 26, 240, 320});
  HWND small = Window({10, 40, 110, 140});
  HWND hidden = Window({0, 0, 240, 320}, WS_POPUP);
  HWND child = Window({0, 0, 240, 320}, WS_CHILD | WS_VISIBLE, screen);
  MessageRecorder recorder;
  recorder.Name(screen, "screen");
  recorder.Name(work, "work");
  recorder.Name(small, "small");
  recorder.Name(hidden, "hidden");
  recorder.Name(child, "child");
  recorder.Only({WM_WINDOWPOSCHANGED, WM_SIZE, WM_MOVE, WM_SETTINGCHANGE});
  cesim::TurnDevice();
  // The windows in z-order: the last made on top.
  EXPECT_TRUE(recorder.Sequence({
      {"hidden", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"hidden", WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 240), 1},
      {"work", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"work", WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 214), 1},
      {"screen", WM_WINDOWPOSCHANGED, 0, Any(), 0},
      {"screen", WM_SIZE, SIZE_RESTORED, MAKELPARAM(320, 240), 1},
      {"hidden", WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, 0},
      {"small", WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, 0},
      {"work", WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, 0},
      {"screen", WM_SETTINGCHANGE, SETTINGCHANGE_RESET, 0, 0},
  }));
  EXPECT_TRUE(Same(RectOf(screen), RECT{0, 0, 320, 240}));
  EXPECT_TRUE(Same(RectOf(work), RECT{0, 26, 320, 240}));
  EXPECT_TRUE(Same(RectOf(small), RECT{10, 40, 110, 140}));
  EXPECT_TRUE(Same(RectOf(child), RECT{0, 0, 240, 320}));  // its parent lays it out, if it wants
}

TEST_F(TurnTest, ResizingKeepsActivationAndZOrder) {
  Boot();
  HWND back = Window({0, 0, 240, 320});
  HWND front = Window({0, 0, 240, 320});
  ASSERT_EQ(GetActiveWindow(), front);
  cesim::TurnDevice();
  EXPECT_EQ(GetActiveWindow(), front);
  EXPECT_EQ(GetWindow(front, GW_HWNDNEXT), back);
}

TEST_F(TurnTest, AWindowMadeWhileTheOthersAreToldIsNotResized) {
  Boot();
  static HWND made = nullptr;
  struct Maker {
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_SETTINGCHANGE && made == nullptr) {
        // Made for the old screen's size, after the new one was set.
        made = CreateWindowExW(0, u"Recording", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr,
                               nullptr, nullptr);
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    }
  };
  WNDCLASSW cls = {};
  cls.lpfnWndProc = &Maker::Proc;
  cls.lpszClassName = u"Maker";
  ASSERT_NE(RegisterClassW(&cls), 0);
  CreateWindowExW(0, u"Maker", u"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  cesim::TurnDevice();
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(Same(RectOf(made), RECT{0, 0, 240, 320}));
}

TEST_F(TurnTest, AnotherDisplaySizeResizesTheSameWay) {
  Boot();
  HWND screen = Window({0, 0, 240, 320});
  cesim::SetScreenSize(480, 640);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
  EXPECT_TRUE(Same(RectOf(screen), RECT{0, 0, 480, 640}));
  cesim::SetScreenSize(0, 100);  // no display has no pixels: nothing changes
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 480);
}

TEST_F(TurnTest, ANewBootStartsFromTheImagesScreen) {
  device.image.SetScreen(320, 240);
  Boot();
  cesim::TurnDevice();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  cesim::Shutdown();
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 240);
}

// The metrics that window layouts read, with the values of the sample 240 x 320 handheld at 96 dots
// per inch.
TEST_F(TurnTest, TheMetricsOfA96DpiHandheld) {
  Boot();
  struct Row {
    int index;
    int value;
  };
  const Row rows[] = {
      {SM_CXSCREEN, 240},      {SM_CYSCREEN, 320},      {SM_CXICONSPACING, 75}, {SM_CYICONSPACING, 75},
      {SM_CXSMICON, 16},       {SM_CYSMICON, 16},       {SM_CXBORDER, 1},       {SM_CYBORDER, 1},
      {SM_CXVSCROLL, 13},      {SM_CYHSCROLL, 13},      {SM_CXICON, 32},        {SM_CYICON, 32},
      {SM_CXEDGE, 2},          {SM_CYEDGE, 2},          {SM_CYCAPTION, 20},
  };
  for (const Row& row : rows) EXPECT_EQ(GetSystemMetrics(row.index), row.value) << "index " << row.index;
}

TEST_F(TurnTest, AnImagesMetricsDoNotOverrideTheScreenWhichFollowsTheDisplay) {
  Boot();
  cesim::Shutdown();
  {
    std::ofstream settings(device.image.Folder() + "/device.ini", std::ios::app);
    settings << "\n[metrics]\nSM_CXSCREEN=100\nSM_CXVSCROLL=19\n";
  }
  ASSERT_TRUE(cesim::Boot(device.image.Folder()));
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 240);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 19);
  cesim::TurnDevice();
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 320);
}

}  // namespace

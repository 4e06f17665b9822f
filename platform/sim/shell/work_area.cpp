// The work area from the screen's size and the image's taskbar.
#include "shell/work_area.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/device.h"
#include "window/metrics.h"

namespace cesim::detail {

RECT ShellWorkArea() {
  int taskbar = 0;
  if (std::optional<std::string> value = SettingValue("screen", "taskbar")) {
    char* end = nullptr;
    const long number = std::strtol(value->c_str(), &end, 10);
    if (end != value->c_str() && *end == 0 && number >= 0 && number <= 8192) taskbar = static_cast<int>(number);
  }
  RECT area = {0, std::min(taskbar, ScreenHeight()), ScreenWidth(), ScreenHeight()};
  return area;
}

}  // namespace cesim::detail

// The device locale from [locale]: lcid, shortdate, longdate, yearmonth, time, am, pm, era, and
// the comma-separated name lists days, shortdays (seven, from Sunday), months, shortmonths
// (twelve). A key that is missing or does not parse keeps the United States English value.
#include "locale/device_locale.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "cesim/automation.h"
#include "core/device.h"
#include "sim/locale.h"
#include "sim/resources.h"

namespace cesim::detail {

namespace {

void ReadText(const char* key, std::u16string& value) {
  std::optional<std::string> text = SettingValue("locale", key);
  if (text && !text->empty()) value = Widen(*text);
}

template <size_t N>
void ReadNames(const char* key, std::array<std::u16string, N>& names) {
  std::optional<std::string> text = SettingValue("locale", key);
  if (!text) return;
  std::vector<std::u16string> parts;
  size_t start = 0;
  for (;;) {
    const size_t comma = text->find(',', start);
    std::string part = text->substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    while (!part.empty() && part.front() == ' ') part.erase(part.begin());
    while (!part.empty() && part.back() == ' ') part.pop_back();
    parts.push_back(Widen(part));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (parts.size() != N) return;
  for (const std::u16string& part : parts) {
    if (part.empty()) return;
  }
  for (size_t i = 0; i < N; ++i) names[i] = parts[i];
}

}  // namespace

DeviceLocale CurrentLocale() {
  DeviceLocale locale;
  if (std::optional<std::string> text = SettingValue("locale", "lcid")) {
    char* end = nullptr;
    const unsigned long lcid = std::strtoul(text->c_str(), &end, 0);
    // A language identifier of a real language, with the default sort.
    if (end != nullptr && *end == 0 && !text->empty() && lcid > 0 && lcid <= 0xFFFF &&
        PRIMARYLANGID(lcid) != 0) {
      locale.lcid = static_cast<LCID>(lcid);
    }
  }
  ReadText("shortdate", locale.shortDate);
  ReadText("longdate", locale.longDate);
  ReadText("yearmonth", locale.yearMonth);
  ReadText("time", locale.time);
  ReadText("am", locale.am);
  ReadText("pm", locale.pm);
  ReadText("era", locale.era);
  ReadNames("days", locale.days);
  ReadNames("shortdays", locale.shortDays);
  ReadNames("months", locale.months);
  ReadNames("shortmonths", locale.shortMonths);
  return locale;
}

bool IsDeviceLocale(LCID lcid) {
  return lcid == LOCALE_USER_DEFAULT || lcid == LOCALE_SYSTEM_DEFAULT || lcid == LOCALE_NEUTRAL ||
         lcid == CurrentLocale().lcid;
}

}  // namespace cesim::detail

using namespace cesim::detail;

LCID WINAPI GetUserDefaultLCID(void) { return CurrentLocale().lcid; }
LCID WINAPI GetSystemDefaultLCID(void) { return CurrentLocale().lcid; }
LANGID WINAPI GetUserDefaultLangID(void) { return LANGIDFROMLCID(CurrentLocale().lcid); }
LANGID WINAPI GetSystemDefaultLangID(void) { return LANGIDFROMLCID(CurrentLocale().lcid); }

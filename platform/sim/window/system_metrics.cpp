// GetSystemMetrics of the booted device: the screen as it is now (the image's [screen] at boot,
// then as the device turns), the other metrics with the values of a 96-dpi handheld, each of
// which an image may change in [metrics] ("SM_CXVSCROLL=13" or "2=13"); and the work area through
// SystemParametersInfoW.
#include <cstdlib>
#include <iterator>
#include <string>

#include "core/device.h"
#include "sim/core.h"
#include "sim/metrics.h"
#include "window/metrics.h"

namespace {

struct Metric {
  int index;
  const char* name;
  int value;  // -1: follows the screen
};

constexpr Metric kMetrics[] = {
    {SM_CXSCREEN, "SM_CXSCREEN", -1},     {SM_CYSCREEN, "SM_CYSCREEN", -1},
    {SM_CXVSCROLL, "SM_CXVSCROLL", 13},   {SM_CYHSCROLL, "SM_CYHSCROLL", 13},
    {SM_CYCAPTION, "SM_CYCAPTION", 20},   {SM_CXBORDER, "SM_CXBORDER", 1},
    {SM_CYBORDER, "SM_CYBORDER", 1},      {SM_CXDLGFRAME, "SM_CXDLGFRAME", 3},
    {SM_CYDLGFRAME, "SM_CYDLGFRAME", 3},  {SM_CYVTHUMB, "SM_CYVTHUMB", 13},
    {SM_CXHTHUMB, "SM_CXHTHUMB", 13},     {SM_CXICON, "SM_CXICON", 32},
    {SM_CYICON, "SM_CYICON", 32},         {SM_CXCURSOR, "SM_CXCURSOR", 32},
    {SM_CYCURSOR, "SM_CYCURSOR", 32},     {SM_CYMENU, "SM_CYMENU", 23},
    {SM_CXFULLSCREEN, "SM_CXFULLSCREEN", -1}, {SM_CYFULLSCREEN, "SM_CYFULLSCREEN", -1},
    {SM_CYVSCROLL, "SM_CYVSCROLL", 13},   {SM_CXHSCROLL, "SM_CXHSCROLL", 13},
    {SM_DEBUG, "SM_DEBUG", 0},            {SM_CXDOUBLECLK, "SM_CXDOUBLECLK", 4},
    {SM_CYDOUBLECLK, "SM_CYDOUBLECLK", 4}, {SM_CXICONSPACING, "SM_CXICONSPACING", 75},
    {SM_CYICONSPACING, "SM_CYICONSPACING", 75}, {SM_CXEDGE, "SM_CXEDGE", 2},
    {SM_CYEDGE, "SM_CYEDGE", 2},          {SM_CXSMICON, "SM_CXSMICON", 16},
    {SM_CYSMICON, "SM_CYSMICON", 16},     {SM_XVIRTUALSCREEN, "SM_XVIRTUALSCREEN", 0},
    {SM_YVIRTUALSCREEN, "SM_YVIRTUALSCREEN", 0}, {SM_CXVIRTUALSCREEN, "SM_CXVIRTUALSCREEN", -1},
    {SM_CYVIRTUALSCREEN, "SM_CYVIRTUALSCREEN", -1}, {SM_CMONITORS, "SM_CMONITORS", 1},
    {SM_SAMEDISPLAYFORMAT, "SM_SAMEDISPLAYFORMAT", 1},
};


// A whole number from a settings value; nothing for text that is not one.
bool ParseNumber(const std::optional<std::string>& text, int& value) {
  if (!text || text->empty()) return false;
  char* end = nullptr;
  const long number = std::strtol(text->c_str(), &end, 10);
  if (end == nullptr || *end != 0 || number < -1000000 || number > 1000000) return false;
  value = static_cast<int>(number);
  return true;
}

// The value of each metric of the table, as the image sets it or by default: read from the
// settings at its first use after boot, as they stay the same while the device runs.
struct ImageMetrics {
  bool known[std::size(kMetrics)] = {};
  int values[std::size(kMetrics)] = {};
};

ImageMetrics& Stored() {
  static ImageMetrics metrics;
  return metrics;
}

int ImageMetric(size_t slot) {
  ImageMetrics& metrics = Stored();
  if (!metrics.known[slot]) {
    const Metric& metric = kMetrics[slot];
    int value = 0;
    if (!ParseNumber(cesim::detail::SettingValue("metrics", metric.name), value) &&
        !ParseNumber(cesim::detail::SettingValue("metrics", std::to_string(metric.index)), value)) {
      value = metric.value;
    }
    metrics.values[slot] = value;
    metrics.known[slot] = true;
  }
  return metrics.values[slot];
}

int DerivedMetric(int index) {
  const int width = cesim::detail::ScreenWidth();
  const int height = cesim::detail::ScreenHeight();
  const RECT work = cesim::detail::WorkArea();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
      return width;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return height;
    // The client area of a window that fills the work area below its caption.
    case SM_CXFULLSCREEN:
      return work.right - work.left;
    case SM_CYFULLSCREEN:
      return work.bottom - work.top - GetSystemMetrics(SM_CYCAPTION);
    default:
      return 0;
  }
}

}  // namespace

namespace cesim::detail {

void ResetSystemMetrics() { Stored() = ImageMetrics(); }

}  // namespace cesim::detail

int WINAPI GetSystemMetrics(int nIndex) {
  for (size_t slot = 0; slot < std::size(kMetrics); ++slot) {
    if (kMetrics[slot].index != nIndex) continue;
    // The screen's own metrics follow the screen as it is now.
    if (kMetrics[slot].value < 0) return DerivedMetric(nIndex);
    return ImageMetric(slot);
  }
  return 0;  // an index the device does not know
}

BOOL WINAPI SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
  (void)uiParam;
  (void)fWinIni;
  if (uiAction == SPI_GETWORKAREA && pvParam != nullptr) {
    *static_cast<RECT*>(pvParam) = cesim::detail::WorkArea();
    return TRUE;
  }
  // Other system parameters are not modelled.
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

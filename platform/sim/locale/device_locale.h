// The device's one locale, the user's and the system's alike, from [locale] in the image's
// settings: its identifier, its date and time format pictures, the time markers and the names of
// days and months. Without settings the device is a United States English one.
#ifndef CESIM_LOCALE_DEVICE_LOCALE_H
#define CESIM_LOCALE_DEVICE_LOCALE_H

#include <array>
#include <string>

#include "sim/types.h"

namespace cesim::detail {

struct DeviceLocale {
  LCID lcid = 0x0409;
  std::u16string shortDate = u"M/d/yyyy";
  std::u16string longDate = u"dddd, MMMM dd, yyyy";
  std::u16string yearMonth = u"MMMM, yyyy";
  std::u16string time = u"h:mm:ss tt";
  std::u16string am = u"AM";
  std::u16string pm = u"PM";
  std::u16string era = u"A.D.";
  // From Sunday; from January.
  std::array<std::u16string, 7> days = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday",
                                        u"Thursday", u"Friday", u"Saturday"};
  std::array<std::u16string, 7> shortDays = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  std::array<std::u16string, 12> months = {u"January", u"February", u"March",     u"April",
                                           u"May",     u"June",     u"July",      u"August",
                                           u"September", u"October", u"November", u"December"};
  std::array<std::u16string, 12> shortMonths = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};
};

// The locale of the booted device, read from its settings.
DeviceLocale CurrentLocale();
// Whether an identifier names the device's locale: itself, or the user, system or neutral
// default.
bool IsDeviceLocale(LCID lcid);

}  // namespace cesim::detail

#endif

// Dialog units in pixels: the horizontal unit is a quarter of the dialog's base width, the
// vertical one an eighth of its base height, rounded half away from zero as MulDiv rounds.
#ifndef CESIM_DIALOG_UNITS_H
#define CESIM_DIALOG_UNITS_H

namespace cesim::detail {

constexpr int kDialogUnitsPerBaseX = 4;
constexpr int kDialogUnitsPerBaseY = 8;

inline int DialogUnitsToPixels(int value, int baseUnit, int unitsPerBase) {
  const long long product = static_cast<long long>(value) * baseUnit;
  const long long half = unitsPerBase / 2;
  return static_cast<int>(product >= 0 ? (product + half) / unitsPerBase : (product - half) / unitsPerBase);
}

inline int DialogUnitsToPixelsX(int value, int baseX) { return DialogUnitsToPixels(value, baseX, kDialogUnitsPerBaseX); }
inline int DialogUnitsToPixelsY(int value, int baseY) { return DialogUnitsToPixels(value, baseY, kDialogUnitsPerBaseY); }

}  // namespace cesim::detail

#endif

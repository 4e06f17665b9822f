#!/usr/bin/env bash
# Pictures of the desktop Explorer with the module: cross-builds fexplore.exe, foldwise.dll and the
# tour driver fexplore-shots.exe, puts the sample device onto the system drive of a fresh Wine
# prefix (the device's paths carry no drive letter, so \My Documents is C:\My Documents there),
# registers the module as the sample registry does, and plays the tour under Wine on a virtual X
# display with a desktop of the device's screen size. Writes the PNG pictures to the folder given
# (docs/pictures unless one is given) and lists them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
pictures=$(realpath -m "${1:-docs/pictures}")
build=${FOLDWISE_WIN_BUILD_DIR:-build-win}
device=examples/device

bash scripts/setup-deps.sh --screenshots
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFOLDWISE_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build "$build" -j2 --target foldwise fexplore shellres fexplore-shots sample_programs

# A prefix of its own, made afresh each time, so that nothing of an earlier tour shows.
state=$(realpath -m "$build/screenshots")
bash cmake/wine-session.sh stop "$state" wine
rm -rf "$state"
trap 'bash "$root/cmake/wine-session.sh" stop "$state" wine' EXIT
screen=$(awk -F= '/^\[screen\]/{s=1; next} /^\[/{s=0} s && $1=="width"{w=$2} s && $1=="height"{h=$2} END{print w "x" h}' \
  "$device/device.ini")
FOLDWISE_WINE_DESKTOP=$screen bash cmake/wine-session.sh start "$state" wine
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export DISPLAY=:$(tr -d '[:space:]' <"$state/display")
drive=$WINEPREFIX/drive_c

# Where an entry of the sample's files (./Windows/..., as find gives it) lies on the prefix's
# drive: the device's \Windows is the prefix's own windows folder (the Linux file system tells
# the two spellings apart, Wine would take the one spelt as asked).
on_drive() { printf '%s/%s' "$drive" "$(sed 's|^\./Windows|windows|; s|^\./||' <<<"$1")"; }
# The sample files, without the image's stand-ins for the programs and the font in ROM (the real
# Explorer comes from the build; the prefix has its own fonts), each with the device's boot time.
boot=$(awk -F= '/^\[clock\]/{s=1; next} /^\[/{s=0} s && $1=="boot"{print $2}' "$device/device.ini")
(cd "$device/files" && find . -mindepth 1 ! -path './Windows/fexplore.exe' ! -path './Windows/Fonts/*' -print0) |
  while IFS= read -r -d '' entry; do
    target=$(on_drive "$entry")
    if [ -d "$device/files/$entry" ]; then
      mkdir -p "$target"
    else
      cp "$device/files/$entry" "$target"
    fi
    touch -d "$boot" "$target"
  done
# A folder's time changed as its entries went in: the folders once more, deepest first.
(cd "$device/files" && find . -mindepth 1 -depth -type d -print0) |
  while IFS= read -r -d '' entry; do
    touch -d "$boot" "$(on_drive "$entry")"
  done
# The sample programs where the image's [programs] section puts them.
awk -F= '/^\[programs\]/{s=1; next} /^\[/{s=0} s && /=/{print $1 "=" $2}' "$device/device.ini" |
  while IFS='=' read -r place program; do
    target=$drive/$(tr '\\' / <<<"${place#\\}")
    mkdir -p "$(dirname "$target")"
    cp "$build/examples/programs/$program" "$target"
    touch -d "$boot" "$target" "$(dirname "$target")"
  done
# The desktop's Programs folder, which the shell gives for the device's, gets the sample's shortcuts.
programs=$(find "$drive/users" -type d -path '*/Start Menu/Programs' | head -n 1)
cp "$device/files/Windows/Start Menu/Programs/"*.lnk "$programs/"
cp "$build/explorer/fexplore.exe" "$drive/windows/fexplore.exe"
cp "$build/src/foldwise.dll" "$drive/windows/foldwise.dll"
cp "$build/platform/desktop/shellres.dll" "$drive/windows/shellres.dll"
wine regedit /S "$(winepath -w "$root/$device/registry.reg")" </dev/null

mkdir -p "$pictures"
rm -f "$pictures"/*.png
wine "$build/tools/fexplore-shots/fexplore-shots.exe" 'C:\windows\fexplore.exe' "$(winepath -w "$pictures")" </dev/null
echo "pictures in $pictures:"
ls "$pictures"

#!/usr/bin/env bash
# The session that Windows test programs run in under Wine: `start STATE WINE` makes the Wine
# prefix STATE/prefix once (wineboot), starts a virtual X display and a wineserver that stays up
# between the programs; `stop STATE WINE` ends both. Only the processes started here are ended,
# by the ids they left in STATE. FOLDWISE_WINE_DESKTOP (WIDTHxHEIGHT, 1024x768 unless set) is the
# size of the virtual display and of the virtual desktop of a prefix made here: the two are of one
# size, as the pointer cannot reach a desktop window smaller than the display.
set -euo pipefail
action=$1
state=$(realpath -m "$2")
wine=$3
desktop=${FOLDWISE_WINE_DESKTOP:-1024x768}
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
wineserver=$(dirname "$(readlink -f "$(command -v "$wine")")")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

case $action in
start)
  mkdir -p "$state"
  if [ -s "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    echo "virtual display :$(cat "$state/display") is up already"
  else
    rm -f "$state/display"
    # Xvfb writes its display number to fd 3 once it accepts clients.
    Xvfb -displayfd 3 -screen 0 "${desktop}x24" -nolisten tcp 3>"$state/display" >"$state/xvfb.log" 2>&1 &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do
      [ -s "$state/display" ] && break
      sleep 0.1
    done
    if [ ! -s "$state/display" ]; then
      echo "Xvfb did not start:" >&2
      cat "$state/xvfb.log" >&2
      exit 1
    fi
    echo "virtual display :$(cat "$state/display")"
  fi
  export DISPLAY=:$(tr -d '[:space:]' <"$state/display")
  # Everything started here outlives this script: none of it may hold CTest's output pipes.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "making the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init </dev/null >"$state/wineboot.log" 2>&1
    # One virtual desktop for every program: its windows live inside one X window, so that
    # no window manager is needed (winex11 would wait for one whenever a window is hidden).
    "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$state/wineboot.log" 2>&1
    "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f </dev/null \
      >>"$state/wineboot.log" 2>&1
    # The server that wineboot started writes the registry out as it ends.
    "$wineserver" -w
  fi
  # A persistent server, so that the programs do not each pay for starting it. It fails (and
  # changes nothing) when one runs for this prefix already.
  "$wineserver" -p </dev/null >"$state/wineserver.log" 2>&1 || true
  # The first program of a session starts the desktop and the services, which stay up with the
  # server; started here, they write to a log instead of a test's output.
  "$wine" cmd.exe /c exit </dev/null >"$state/desktop.log" 2>&1
  echo "Wine is ready in $WINEPREFIX"
  ;;
stop)
  "$wineserver" -k 2>/dev/null || true
  if [ -s "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
  fi
  ;;
*)
  echo "usage: $0 start|stop STATE WINE" >&2
  exit 2
  ;;
esac

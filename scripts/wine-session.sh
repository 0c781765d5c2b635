# Sourced: gives this shell a Wine prefix of the build's own, code page 936, a
# display (Xvfb when there is none or when asked for) and one wineserver kept
# up until the shell exits.
#   CORVANEL_PREFIX   the prefix folder (default: build/windows/wineprefix)
#   CORVANEL_XVFB=1   always start a private Xvfb

corvanel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${CORVANEL_PREFIX:-$corvanel_root/build/windows/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export LC_ALL=zh_CN.UTF-8

corvanel_cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${corvanel_xvfb_pid:-}" ] && kill "$corvanel_xvfb_pid" 2>/dev/null || true
}
trap corvanel_cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ "${CORVANEL_XVFB:-0}" = 1 ]; then
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  corvanel_xvfb_pid=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Without Mono and Gecko: nothing here needs them, and their installer would ask.
  WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" wineboot -i >/dev/null 2>&1
  # Wine draws the window frames itself, so screenshots show title bars.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
fi
# One server for the whole session, and its services started here with no
# pipe of a test runner to inherit (a captured pipe kept open would hang it).
wineserver -p </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1

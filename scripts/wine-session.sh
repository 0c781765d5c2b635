# Sourced: gives this shell a Wine prefix of the build's own for one desktop,
# a display (Xvfb when there is none or when asked for) and one wineserver
# kept up until the shell exits.
#   CORVANEL_DESKTOP  the desktop the prefix shows (default zh-CN):
#                       zh-CN      Chinese (PRC), code page 936, 96 DPI
#                       zh-CN-144  the same at 144 DPI (150 % display scale)
#                       en-US      English, code page 1252, 96 DPI
#                       zh-TW      Chinese (Taiwan), code page 950, 96 DPI
#   CORVANEL_PREFIX   the prefix folder (default: build/windows/wineprefix, and
#                     build/windows/wineprefix-<desktop> for the other desktops)
#   CORVANEL_XVFB=1   always start a private Xvfb

corvanel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CORVANEL_DESKTOP=${CORVANEL_DESKTOP:-zh-CN}
corvanel_prefix_name=wineprefix-$CORVANEL_DESKTOP
corvanel_dpi=96
case "$CORVANEL_DESKTOP" in
  zh-CN) corvanel_locale=zh_CN.UTF-8 corvanel_codepage=936 corvanel_prefix_name=wineprefix ;;
  zh-CN-144) corvanel_locale=zh_CN.UTF-8 corvanel_codepage=936 corvanel_dpi=144 ;;
  en-US) corvanel_locale=en_US.UTF-8 corvanel_codepage=1252 ;;
  zh-TW) corvanel_locale=zh_TW.UTF-8 corvanel_codepage=950 ;;
  *) echo "wine-session.sh: unknown desktop $CORVANEL_DESKTOP" >&2; return 2 ;;
esac
export WINEPREFIX=${CORVANEL_PREFIX:-$corvanel_root/build/windows/$corvanel_prefix_name}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
# The ANSI code page follows the locale.
export LC_ALL=$corvanel_locale

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

corvanel_reg() { wine reg add "$@" /f >/dev/null 2>&1; }

# Fonts that a user's Windows has and a new prefix lacks.
# - Marlett draws the caption buttons (else the close box is the letter "r").
#   Debian's Wine looks for its own fonts in /usr/share/fonts/ rather than in
#   /usr/share/wine/fonts/ where they are, so no prefix has it: give it a copy.
# - Chinese (PRC) Windows draws 宋体 (SimSun), and the GUI font MS Shell Dlg,
#   which it substitutes by SimSun, in a Song face. Wine has none and falls back
#   to a Hei face: with code page 936, those names are replaced by the Song face
#   AR PL SungtiL GB, whose lines are as high as SimSun's. At 96 DPI, Windows
#   draws SimSun's dialog sizes from its bitmaps, without smoothing, and so is
#   the stand-in drawn (fonts-936.conf). The program still asks for the fonts
#   it asks for.
if [ "$corvanel_codepage" = 936 ] && [ "$corvanel_dpi" = 96 ]; then
  export FONTCONFIG_FILE="$corvanel_root/scripts/fonts-936.conf"
fi
corvanel_prefix_fonts() {
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  if [ "$corvanel_codepage" = 936 ]; then
    local face
    for face in SimSun 宋体 NSimSun 新宋体; do
      corvanel_reg 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'AR PL SungtiL GB'
    done
  fi
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Without Mono and Gecko: nothing here needs them, and their installer would ask.
  WINEDLLOVERRIDES="mscoree,mshtml=;$WINEDLLOVERRIDES" wineboot -i >/dev/null 2>&1
  # Wine draws the window frames itself, so screenshots show title bars.
  corvanel_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
  if [ "$corvanel_dpi" != 96 ]; then
    corvanel_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$corvanel_dpi"
    # As on Windows 10, a program's manifest decides its DPI awareness; without
    # this value Wine makes every program per-monitor aware.
    corvanel_reg 'HKCU\Control Panel\Desktop' /v DpiScalingVer /t REG_DWORD /d 0x1018
  fi
  if [ "$corvanel_codepage" = 1252 ]; then
    # English Windows links Chinese glyphs into its dialog font (Tahoma, which
    # "MS Shell Dlg" stands for) and has 宋体 installed; Wine does neither by
    # itself. Here both draw Chinese in the face the zh-CN prefix falls back to.
    corvanel_reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei'
    corvanel_reg 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Zen Hei'
  fi
  wineserver -w
fi
# Also for a prefix made before the fonts were added.
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  corvanel_prefix_fonts
  wineserver -w
fi
# One server for the whole session, and its services started here with no
# pipe of a test runner to inherit (a captured pipe kept open would hang it).
wineserver -p </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1

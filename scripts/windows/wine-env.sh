# Sourced by the Wine checks: a fresh 64-bit Wine prefix in a folder of its own, a virtual
# display for the windows, and a Chinese font standing in for the Windows fonts the program
# asks for (宋体, 微软雅黑). wine_cleanup ends Wine and the display and removes the folder.

# Makes the prefix in $1/prefix. winemenubuilder off: the Start menu links of the prefix stay
# out of the desktop of this machine.
wine_prefix() {
  wine_work="$1"
  export WINEPREFIX="$wine_work/prefix" WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
}

# Starts a virtual display of 1366x768 and points DISPLAY at it.
wine_display() {
  local display=$((100 + RANDOM % 400))
  Xvfb ":$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
  wine_xvfb=$!
  export DISPLAY=":$display"
}

wine_chinese_font() {
  cp /usr/share/fonts/truetype/wqy/wqy-microhei.ttc "$WINEPREFIX/drive_c/windows/Fonts/"
  local family
  for family in SimSun 宋体 NSimSun "Microsoft YaHei" 微软雅黑 SimHei 黑体; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /d "WenQuanYi Micro Hei" /f >/dev/null
  done
}

wine_cleanup() {
  wineserver -k 2>/dev/null || true
  [ -z "${wine_xvfb:-}" ] || kill "$wine_xvfb" 2>/dev/null || true
  [ -z "${wine_work:-}" ] || rm -rf "$wine_work"
}

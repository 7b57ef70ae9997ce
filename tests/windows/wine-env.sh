# The environment the Windows build runs in under wine, for the tests and the
# benchmarks (sourced): one prefix under the build folder, made on first use,
# in which "Courier New" is Liberation Mono and sound plays into a null output.
# Needs WINDOWS_BUILD (the cross build's folder).
export WINEPREFIX="$WINDOWS_BUILD/wineprefix"
export WINEDEBUG=-all
# No mono or gecko installer may ask anything.
export WINEDLLOVERRIDES="mscoree,mshtml="
export ALSA_CONFIG_PATH="/usr/share/alsa/alsa.conf:$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/null-asound.conf"
export GLUMBO_MSGBOX=log
export LIBGL_ALWAYS_SOFTWARE=1

# wine_prefix_ready [DPI]: makes $WINEPREFIX once (for the user $USER, whose
# profile folder is C:\users\$USER), with the screen at DPI (LogPixels; 96
# unless given).
wine_prefix_ready() {
  local dpi=${1:-96}
  if [ -f "$WINEPREFIX/glumbo-prefix-ready" ]; then
    return 0
  fi
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  # The game's letters are laid out for Courier New; Liberation Mono has its metrics.
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Courier New" /d "Liberation Mono" /f >/dev/null 2>&1
  if [ "$dpi" != 96 ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  wineserver -w
  touch "$WINEPREFIX/glumbo-prefix-ready"
}

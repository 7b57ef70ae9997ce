#!/usr/bin/env bash
# The Windows build under wine: the backend's unit tests, the whole game from
# the portable zip unpacked into folders named Año\José\ゲーム (window, menu
# picture, Escape, settings written and read back, F12), the autoplayer's trace
# from that folder against the Linux build's, pictures of the game, the
# installer, and a second prefix for a user called José on a 144-DPI screen.
# Run inside an X server (the Makefile runs it under xvfb-run).
# usage: run-wine-tests.sh WINDOWS_BUILD NATIVE_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
WINDOWS_BUILD=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)
# shellcheck source=tests/windows/wine-env.sh
source "$here/wine-env.sh"
run="$WINDOWS_BUILD/run"
scratch="$WINDOWS_BUILD/wine-tests"
pictures="$WINDOWS_BUILD/pictures"
rm -rf "$scratch"
mkdir -p "$scratch" "$pictures"
passed=0
failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# The width and height of a PNG, from its header.
png_size() { python3 -c 'import struct,sys; print("%dx%d" % struct.unpack(">II", open(sys.argv[1],"rb").read(24)[16:24]))' "$1" 2>/dev/null || echo none; }

wine_prefix_ready

# 1. The backend's unit tests (googletest): first with every full-screen mode
# refused, then the full screen the display takes (its own size).
tests_exe="$WINDOWS_BUILD/tests/glumbo-win32-tests.exe"
screen=$(xdpyinfo 2>/dev/null | sed -n 's/^ *dimensions: *\([0-9]*x[0-9]*\) pixels.*/\1/p' | head -1)
if GLUMBO_REFUSE_FULLSCREEN=1 wine "$tests_exe" --gtest_filter='-AcceptedFullScreen.*' >"$scratch/unit.log" 2>&1 &&
   GLUMBO_TEST_SCREEN=$screen wine "$tests_exe" --gtest_filter='AcceptedFullScreen.*' >>"$scratch/unit.log" 2>&1; then
  pass "backend unit tests ($(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$scratch/unit.log" | paste -sd+))"
else
  fail "backend unit tests" "see below"
  grep -E '^\[  FAILED|Failure|Expected|Which is' "$scratch/unit.log" | head -40
fi

# The system keys through the window procedure, traced by wine: a lone Alt,
# F10 and Alt+Enter must never reach the system as the menu key (SC_KEYMENU,
# f100), which enters the modal menu mode on Windows (wine's X11 driver ignores
# it, so the frozen frames themselves cannot be seen under wine) and beeps.
WINEDEBUG=+win GLUMBO_REFUSE_FULLSCREEN=1 wine "$tests_exe" \
  --gtest_filter='Win32Window.ALoneAlt*:Win32Window.F12AsksForAPicture*' >"$scratch/keymenu.log" 2>&1 || true
keymenus=$(grep -c 'WM_SYSCOMMAND f100' "$scratch/keymenu.log" || true)
if grep -q '^\[  PASSED  \] 2 tests' "$scratch/keymenu.log" && [ "$keymenus" = 0 ]; then
  pass "a lone Alt, F10 and Alt+Enter never reach the system's menu key (SC_KEYMENU)"
else
  fail "system keys" "$keymenus SC_KEYMENU commands reached the default window procedure"
fi

# The newest F12 picture in a prefix's pictures folder for a user.
newest_picture() { find "$WINEPREFIX/drive_c/users/$1/Pictures/Glumbo3D" -name '*.png' -printf '%T@ %p\n' 2>/dev/null | sort -n | tail -1 | cut -d' ' -f2-; }

# Starts glumbo3d.exe from a folder, waits until its menu draws, runs the
# actions given (a function name, called with the window's id), presses
# Escape and waits for its end. Sets game_status and drawing.
play_and_quit() {
  local exe=$1 dir=$2 actions=${3:-}
  game_status=none
  drawing=no
  (cd "$dir" && wine "$exe" >"$scratch/game.log" 2>&1; echo $? >"$scratch/game.status") &
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Glumbo 3D$' 2>/dev/null | head -1 || true)
  if [ -z "$window" ]; then
    game_status=no-window
    wineserver -k >/dev/null 2>&1 || true
    wait || true
    return
  fi
  # The window shows before the fonts and the menu are made: wait until two
  # pictures of it half a second apart differ (the menu's models turn).
  for _ in $(seq 1 20); do
    sleep 0.5
    xwd -id "$window" -silent >"$scratch/a.xwd" 2>/dev/null || continue
    sleep 0.5
    xwd -id "$window" -silent >"$scratch/b.xwd" 2>/dev/null || continue
    cmp -s "$scratch/a.xwd" "$scratch/b.xwd" || { drawing=yes; break; }
  done
  if [ -n "$actions" ]; then
    "$actions" "$window"
    window=$(xdotool search --onlyvisible --name '^Glumbo 3D$' 2>/dev/null | head -1 || true)
  fi
  # Held as a person holds it: a press and release within one slow frame would cancel out.
  xdotool windowfocus --sync "$window" keydown Escape 2>/dev/null || true
  for _ in $(seq 1 100); do
    [ -f "$scratch/game.status" ] && break
    sleep 0.2
  done
  xdotool keyup Escape 2>/dev/null || true
  if [ -f "$scratch/game.status" ]; then
    game_status=$(cat "$scratch/game.status")
  else
    game_status=still-running
    wineserver -k >/dev/null 2>&1 || true
  fi
  wait || true
  rm -f "$scratch/game.status"
}

press_f12() {
  xdotool windowfocus --sync "$1" key F12 2>/dev/null || true
  sleep 2
}

# 2. The portable copy, unpacked from its zip into folders of any name: it
# starts, keeps config.dat beside its data, and reads it back.
zip_file=$(ls "$WINDOWS_BUILD"/package/glumbo3d-*-windows.zip | head -1)
unpacked="$scratch/Año/José/ゲーム"
mkdir -p "$unpacked"
unzip -q "$zip_file" -d "$unpacked"
portable="$unpacked/Glumbo3D"
play_and_quit glumbo3d.exe "$portable"
if [ "$game_status" = 0 ]; then pass "glumbo3d.exe from Año\\José\\ゲーム quits on Escape with status 0"; else fail "glumbo3d.exe" "status $game_status: $(head -5 "$scratch/game.log")"; fi
# Every box is also written on stderr as "[caption] text": a clean run shows none.
if ! grep -q '^\[' "$scratch/game.log"; then pass "no message box from start to teardown"; else fail "message boxes" "$(grep '^\[' "$scratch/game.log")"; fi
if [ "$drawing" = yes ]; then pass "the menu draws its turning models"; else fail "menu" "the window's picture never changed"; fi
size=$(stat -c %s "$portable/config.dat" 2>/dev/null || echo none)
if [ "$size" = 20 ]; then pass "config.dat of 20 bytes beside the data in Año\\José\\ゲーム"; else fail "config.dat" "size $size"; fi

# The settings are read back: a file asking for 800 x 600 opens an 800 x 600
# window (its F12 picture) and is written back unchanged.
python3 -c 'import struct,sys; f=open(sys.argv[1],"r+b"); f.write(struct.pack("<ii",800,600))' "$portable/config.dat"
user=${USER:-$(id -un)}
play_and_quit glumbo3d.exe "$portable" press_f12
shot=$(newest_picture "$user")
read_back=$(python3 -c 'import struct,sys; print("%dx%d" % struct.unpack("<ii", open(sys.argv[1],"rb").read(8)))' "$portable/config.dat" 2>/dev/null || echo none)
if [ "$game_status" = 0 ] && [ "$read_back" = 800x600 ] && [ -n "$shot" ] && [ "$(png_size "$shot")" = 800x600 ]; then
  pass "config.dat read back from Año\\José\\ゲーム: an 800x600 window, its F12 picture $(stat -c %s "$shot") bytes"
else
  fail "settings read back" "status $game_status, file $read_back, picture '$shot' $(png_size "$shot")"
fi

# 3. The autoplayer through the whole game, from the same folder: the same
# trace as the Linux build's.
cp "$run/glumbo-replay.exe" "$portable/"
"$native/glumbo-replay" --data "$native/run" --bot --no-render --seed 1 --step 2 --frames 40000 \
  --trace "$scratch/linux.trace" >/dev/null 2>&1 || true
(cd "$portable" && wine glumbo-replay.exe --data . --bot --no-render --seed 1 --step 2 --frames 40000 \
  --trace "$scratch/windows.trace") >"$scratch/bot.log" 2>&1 || true
if grep -q "bot completed" "$scratch/bot.log" && tr -d '\r' <"$scratch/windows.trace" | cmp -s - "$scratch/linux.trace"; then
  pass "the autoplayer's whole game from Año\\José\\ゲーム gives the Linux trace ($(wc -l <"$scratch/linux.trace") frames)"
else
  fail "autoplayer trace" "differs from the Linux build's: $(tail -3 "$scratch/bot.log")"
fi

# 4. Pictures of the game under wine: menu, level map, play.
printf '100 down Space\n103 up Space\n400 down Return\n404 up Return\n520 down Left\n522 up Left\n' >"$scratch/keys.txt"
if wine "$run/glumbo-replay.exe" --data "$run" --frames 600 --step 2 --seed 4 --script "$scratch/keys.txt" \
     --shot "60:$pictures/menu.png" --shot "300:$pictures/level-map.png" --shot "590:$pictures/play.png" \
     >"$scratch/shots.log" 2>&1 && [ -s "$pictures/menu.png" ] && [ -s "$pictures/play.png" ]; then
  pass "pictures of the menu, the level map and play in $pictures ($(stat -c %s "$pictures/play.png") bytes for play)"
else
  fail "pictures" "$(tail -3 "$scratch/shots.log")"
fi

# 5. The installer: its version information, a silent install with the
# uninstall entry, no install while the game runs, no stale files after an
# install over an older one, the installed game, a silent uninstall.
installer=$(ls "$WINDOWS_BUILD"/package/glumbo3d-*-setup.exe 2>/dev/null | head -1 || true)
version=$(sed -n 's/^project(glumbo3d VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glumbo3D'
reg_value() { wine reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n {$1=""; $2=""; sub(/^ +/, ""); print}'; }
installed="$WINEPREFIX/drive_c/Program Files/Glumbo 3D"
# While the game runs, the installer gives up (status 2) and leaves it alone.
install_while_running() {
  local before
  before=$(stat -c %Y "$installed/glumbo3d.exe")
  running_status=0
  wine "$installer" /S >/dev/null 2>&1 || running_status=$?
  [ "$(stat -c %Y "$installed/glumbo3d.exe")" = "$before" ] && running_kept=yes || running_kept=no
}
if [ -n "$installer" ]; then
  file_version=$(python3 - "$installer" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
ms, ls = struct.unpack("<II", data[at + 8:at + 16]) if at >= 0 else (0, 0)
names = all(s.encode("utf-16-le") in data for s in ("CompanyName", "ProductName", "FileDescription"))
print("%d.%d.%d.%d%s" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF, "" if names else " (no names)"))
PY
)
  if [ "$file_version" = "$(echo "$version.0.0.0" | cut -d. -f1-4)" ]; then
    pass "setup.exe carries version information ($file_version)"
  else
    fail "setup.exe version information" "$file_version"
  fi
  wine "$installer" /S >"$scratch/install.log" 2>&1 || true
  wineserver -w
  appdata="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Glumbo3D"
  rm -f "$appdata/config.dat"
  menu_entry=$(find "$WINEPREFIX/drive_c" -iname 'Glumbo 3D.lnk' -path '*Start Menu*' 2>/dev/null | head -1)
  if [ -f "$installed/glumbo3d.exe" ] && [ -f "$installed/uninstall.exe" ] && [ -n "$menu_entry" ] &&
     [ -f "$installed/README.txt" ]; then
    pass "the installer puts the game, its README, its uninstaller and a Start-menu entry in place"
  else
    fail "installer" "missing files under $installed or no Start-menu entry"
  fi
  entry="$(reg_value Publisher)|$(reg_value DisplayVersion)|$(reg_value DisplayIcon)|$(reg_value EstimatedSize)"
  size_kb=$(( $(reg_value EstimatedSize) ))
  if [[ "$entry" == "Glumbo 3D|$version|"*'glumbo3d.exe,0|0x'* ]] && [ "$size_kb" -gt 1000 ]; then
    pass "the uninstall entry shows publisher, version $version, icon and size ($size_kb KB)"
  else
    fail "uninstall entry" "$entry"
  fi
  # An older version's files (planted here) are gone after an install over it.
  echo old >"$installed/pantallas/paredes99.txt"
  echo old >"$installed/texturas/vieja.bmp"
  wine "$installer" /S >>"$scratch/install.log" 2>&1 || true
  wineserver -w
  if [ ! -e "$installed/pantallas/paredes99.txt" ] && [ ! -e "$installed/texturas/vieja.bmp" ] &&
     [ -f "$installed/pantallas/paredes1.txt" ] && [ -f "$installed/glumbo3d.exe" ]; then
    pass "installing over an older version leaves none of its files"
  else
    fail "install over an older version" "stale files left: $(ls "$installed/pantallas/paredes99.txt" "$installed/texturas/vieja.bmp" 2>/dev/null)"
  fi
  play_and_quit glumbo3d.exe "$installed" install_while_running
  if [ "$game_status" = 0 ] && [ "$(stat -c %s "$appdata/config.dat" 2>/dev/null)" = 20 ] && [ ! -f "$installed/config.dat" ]; then
    pass "the installed game starts, quits, and keeps its settings in %APPDATA%\\Glumbo3D"
  else
    fail "installed game" "status $game_status, settings $(ls "$appdata" 2>/dev/null)"
  fi
  if [ "$running_status" = 2 ] && [ "$running_kept" = yes ]; then
    pass "the installer refuses to install while the game runs (status 2)"
  else
    fail "install while running" "status $running_status, game file kept: $running_kept"
  fi
  wine "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
  wineserver -w
  sleep 1
  if [ ! -f "$installed/glumbo3d.exe" ] && [ -z "$(reg_value DisplayName)" ]; then
    pass "the uninstaller removes the game and its entry"
  else
    fail "uninstaller" "game or entry still there"
  fi
else
  fail "installer" "no installer in $WINDOWS_BUILD/package"
fi
wineserver -k >/dev/null 2>&1 || true

# 6. A player called José on a screen at 144 DPI (150 %): a prefix of his own.
# The backend's window and folder tests there, then the installed game: a
# 960 x 720 window, his settings in his %APPDATA%, F12 in his pictures folder.
export USER=José WINEPREFIX="$WINDOWS_BUILD/wineprefix-jose"
installed="$WINEPREFIX/drive_c/Program Files/Glumbo 3D"
wine_prefix_ready 144
if GLUMBO_REFUSE_FULLSCREEN=1 GLUMBO_TEST_DPI=144 wine "$tests_exe" --gtest_filter='Win32Window.*:Win32Locations.*' \
     >"$scratch/unit-jose.log" 2>&1; then
  pass "window and folder unit tests for José at 144 DPI ($(sed -n 's/^client area at 144 DPI: //p' "$scratch/unit-jose.log" | head -1 | tr -d '\r'), $(grep -o '[0-9]* tests\? from [0-9]* test suites\? ran' "$scratch/unit-jose.log"))"
else
  fail "unit tests for José at 144 DPI" "see below"
  grep -E '^\[  FAILED|Failure|Expected|Which is' "$scratch/unit-jose.log" | head -20
fi
if [ -n "$installer" ]; then
  wine "$installer" /S >"$scratch/install-jose.log" 2>&1 || true
  wineserver -w
  play_and_quit glumbo3d.exe "$installed" press_f12
  jose_settings="$WINEPREFIX/drive_c/users/José/AppData/Roaming/Glumbo3D/config.dat"
  shot=$(newest_picture José)
  strays=$(find "$WINEPREFIX/drive_c/users" -maxdepth 1 -name 'Jos*' ! -name 'José' 2>/dev/null)
  if [ "$game_status" = 0 ] && [ "$(stat -c %s "$jose_settings" 2>/dev/null)" = 20 ] && [ -n "$shot" ] && [ -z "$strays" ]; then
    pass "José's installed game keeps config.dat in C:\\users\\José\\AppData\\Roaming\\Glumbo3D, F12 in his pictures"
  else
    fail "José's installed game" "status $game_status, settings $(stat -c %s "$jose_settings" 2>/dev/null), picture '$shot', strays '$strays'"
  fi
  if [ "$(png_size "$shot")" = 960x720 ]; then
    pass "at 144 DPI the game opens a 960x720 client area (its F12 picture)"
  else
    fail "144 DPI" "picture $(png_size "$shot")"
  fi
  # The autoplayer's won game keeps its record in José's table, which the
  # installed game then lists from his %APPDATA% by itself.
  jose_folder=$(dirname "$jose_settings")
  (cd "$jose_folder" && wine "$run/glumbo-replay.exe" --data "$installed" --bot --no-render --seed 1 --step 2 \
     --frames 40000 --records-file records.dat) >"$scratch/bot-jose.log" 2>&1 || true
  (cd "$installed" && wine glumbo3d.exe --records) >"$scratch/records-jose.txt" 2>&1 || true
  if grep -q '^Glumbo 3D records 1' "$jose_folder/records.dat" 2>/dev/null && grep -q ' BOT 9999 ' "$jose_folder/records.dat" &&
     grep -q 'BOT' "$scratch/records-jose.txt" && [ -z "$(find "$jose_folder" -name '*.tmp')" ]; then
    pass "José's won game is kept in C:\\users\\José\\AppData\\Roaming\\Glumbo3D\\records.dat and listed by the installed game"
  else
    fail "José's records" "$(tail -2 "$scratch/bot-jose.log" | tr -d '\r'); $(tr -d '\r' <"$scratch/records-jose.txt" | head -3)"
  fi
fi

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

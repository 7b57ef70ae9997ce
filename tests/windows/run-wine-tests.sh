#!/usr/bin/env bash
# The Windows build under wine: the backend's unit tests, the whole game
# (window, menu picture, Escape, settings file), the autoplayer's trace against
# the Linux build's, the recorded runs, pictures of the game, and the installer.
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

# Starts glumbo3d.exe from a folder, takes a picture of its menu, presses
# Escape and waits for its end. Sets game_status and the picture's red count.
play_and_quit() {
  local exe=$1 dir=$2 picture=$3
  game_status=none
  red=0
  (cd "$dir" && wine "$exe" >"$scratch/game.log" 2>&1; echo $? >"$scratch/game.status") &
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Glumbo 3D$' 2>/dev/null | head -1 || true)
  if [ -z "$window" ]; then
    game_status=no-window
    wineserver -k >/dev/null 2>&1 || true
    wait || true
    return
  fi
  # The window shows before the fonts and the menu are made: look until the title is drawn.
  for _ in $(seq 1 20); do
    sleep 1
    if xwd -id "$window" -silent >"$scratch/menu.xwd" 2>/dev/null; then
      red=$(python3 "$here/xwd_picture.py" "$scratch/menu.xwd" "$picture" | awk '{print $2}')
      [ "${red:-0}" -gt 500 ] && break
    fi
  done
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

# 2. The whole game from a portable copy: it keeps config.dat beside its data.
portable="$scratch/portable"
mkdir -p "$portable"
cp -r "$run/glumbo3d.exe" "$run/pantallas" "$run/texturas" "$run/sonidos" "$portable/"
play_and_quit glumbo3d.exe "$portable" "$pictures/menu-window.png"
if [ "$game_status" = 0 ]; then pass "glumbo3d.exe quits on Escape with status 0"; else fail "glumbo3d.exe" "status $game_status"; fi
# Every box is also written on stderr as "[caption] text": a clean run shows none.
if ! grep -q '^\[' "$scratch/game.log"; then pass "no message box from start to teardown"; else fail "message boxes" "$(grep '^\[' "$scratch/game.log")"; fi
if [ "${red:-0}" -gt 500 ]; then pass "the menu's title letters are red ($red pixels)"; else fail "menu picture" "$red red pixels"; fi
size=$(stat -c %s "$portable/config.dat" 2>/dev/null || echo none)
if [ "$size" = 20 ]; then pass "config.dat of 20 bytes beside the data"; else fail "config.dat" "size $size"; fi

# 3. The autoplayer through the whole game: the same trace as the Linux build's.
"$native/glumbo-replay" --data "$native/run" --bot --no-render --seed 1 --step 2 --frames 40000 \
  --trace "$scratch/linux.trace" >/dev/null 2>&1 || true
wine "$run/glumbo-replay.exe" --data "$run" --bot --no-render --seed 1 --step 2 --frames 40000 \
  --trace "$scratch/windows.trace" >"$scratch/bot.log" 2>&1 || true
if grep -q "bot completed" "$scratch/bot.log" && tr -d '\r' <"$scratch/windows.trace" | cmp -s - "$scratch/linux.trace"; then
  pass "the autoplayer's whole game gives the Linux trace ($(wc -l <"$scratch/linux.trace") frames)"
else
  fail "autoplayer trace" "differs from the Linux build's"
fi

# 4. The recorded runs replay identically.
grep '^[a-z]' "$root/tests/replays/runs.txt" | while read -r name options; do
  args=(--data "$run" --trace "$scratch/$name.trace")
  [ -f "$root/tests/replays/$name.keys" ] && args+=(--script "$root/tests/replays/$name.keys")
  # shellcheck disable=SC2086
  wine "$run/glumbo-replay.exe" "${args[@]}" $options >/dev/null 2>&1 || true
  if tr -d '\r' <"$scratch/$name.trace" 2>/dev/null | cmp -s - "$root/tests/replays/$name.trace"; then
    echo "PASS recorded run $name"
  else
    echo "FAIL recorded run $name: trace differs"
  fi
done >"$scratch/replays.log"
cat "$scratch/replays.log"
passed=$((passed + $(grep -c '^PASS' "$scratch/replays.log" || true)))
failed=$((failed + $(grep -c '^FAIL' "$scratch/replays.log" || true)))

# 5. Pictures of the game under wine: menu, level map, play.
printf '100 down Space\n103 up Space\n400 down Return\n404 up Return\n520 down Left\n522 up Left\n' >"$scratch/keys.txt"
if wine "$run/glumbo-replay.exe" --data "$run" --frames 600 --step 2 --seed 4 --script "$scratch/keys.txt" \
     --shot "60:$pictures/menu.png" --shot "300:$pictures/level-map.png" --shot "590:$pictures/play.png" \
     >"$scratch/shots.log" 2>&1 && [ -s "$pictures/menu.png" ] && [ -s "$pictures/play.png" ]; then
  pass "pictures of the menu, the level map and play in $pictures"
else
  fail "pictures" "$(tail -3 "$scratch/shots.log")"
fi

# 6. The installer: silent install, the installed game starts and quits, silent uninstall.
installer=$(ls "$WINDOWS_BUILD"/package/glumbo3d-*-setup.exe 2>/dev/null | head -1 || true)
if [ -n "$installer" ]; then
  wine "$installer" /S >"$scratch/install.log" 2>&1 || true
  wineserver -w
  installed="$WINEPREFIX/drive_c/Program Files/Glumbo 3D"
  appdata="$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/AppData/Roaming/Glumbo3D"
  rm -f "$appdata/config.dat"
  menu_entry=$(find "$WINEPREFIX/drive_c" -iname 'Glumbo 3D.lnk' -path '*Start Menu*' 2>/dev/null | head -1)
  if [ -f "$installed/glumbo3d.exe" ] && [ -f "$installed/uninstall.exe" ] && [ -n "$menu_entry" ]; then
    pass "the installer puts the game, its uninstaller and a Start-menu entry in place"
  else
    fail "installer" "missing files under $installed or no Start-menu entry"
  fi
  play_and_quit glumbo3d.exe "$installed" "$pictures/menu-installed.png"
  if [ "$game_status" = 0 ] && [ "$(stat -c %s "$appdata/config.dat" 2>/dev/null)" = 20 ] && [ ! -f "$installed/config.dat" ]; then
    pass "the installed game starts, quits, and keeps its settings in %APPDATA%\\Glumbo3D"
  else
    fail "installed game" "status $game_status, settings $(ls "$appdata" 2>/dev/null)"
  fi
  wine "$installed/uninstall.exe" /S >/dev/null 2>&1 || true
  wineserver -w
  sleep 1
  if [ ! -f "$installed/glumbo3d.exe" ]; then pass "the uninstaller removes the game"; else fail "uninstaller" "game still there"; fi
else
  fail "installer" "no installer in $WINDOWS_BUILD/package"
fi

echo "wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

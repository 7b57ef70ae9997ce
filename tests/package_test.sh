#!/usr/bin/env bash
# Builds the Debian package from the build tree, has lintian check it, unpacks
# it and plays the unpacked game from another folder on the current X display:
# it must find its data in Debian's games layout, quit on Escape with status 0
# and keep its settings in the player's folder. Also the command line and the
# manual page.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
. "$source_dir/tests/quit_on_escape.sh"

cpack --config "$build/CPackConfig.cmake" -B "$work/cpack" -D CPACK_OUTPUT_FILE_PREFIX="$work/out" >"$work/cpack.txt" 2>&1 || { cat "$work/cpack.txt"; fail "cpack"; }
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb=${debs[0]}
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "glumbo3d_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# The control fields a package manager shows and resolves.
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The font and libGL, which the game opens by name, and what shlibdeps found in the binary.
for needed in fonts-liberation libgl1 libsdl2 libfreetype libfontconfig libglu libc6 libstdc++; do
  [[ ",$depends" == *[\ ,]$needed* ]] || fail "Depends lacks $needed"
done
description=$(dpkg-deb -f "$deb" Description)
[ "$(printf '%s\n' "$description" | wc -l)" -ge 5 ] || fail "no long description: $description"

# Lintian: errors and warnings fail the test; what else it says is shown.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.txt" 2>&1 || { cat "$work/lintian.txt"; fail "lintian"; }
grep -v 'running with root privileges' "$work/lintian.txt" | sed 's/^/lintian: /' || true

root=$work/root
dpkg-deb -x "$deb" "$root"
for f in usr/games/glumbo3d usr/share/games/glumbo3d/pantallas/paredes1.txt \
         usr/share/games/glumbo3d/texturas/vida.bmp usr/share/games/glumbo3d/sonidos/opening.wav \
         usr/share/applications/glumbo3d.desktop usr/share/metainfo/org.glumbo3d.Glumbo3D.metainfo.xml \
         usr/share/doc/glumbo3d/copyright usr/share/doc/glumbo3d/changelog.gz usr/share/man/man6/glumbo3d.6.gz; do
  [ -f "$root/$f" ] || fail "not in the package: $f"
done
[ ! -e "$root/usr/bin" ] && [ ! -e "$root/usr/share/glumbo3d" ] || fail "the plain install layout is in the package"
# Each icon is a PNG of the size its folder names (width and height from the header).
for size in 16 24 32 48 64 128 256; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/glumbo3d.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done
# The package's history names its version: a new version needs its entries.
[ "$(dpkg-parsechangelog -l "$source_dir/packaging/changelog" -S Version)" = "$version" ] ||
  fail "packaging/changelog does not begin with version $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.glumbo3d.Glumbo3D.metainfo.xml" ||
  fail "the AppStream metadata lists no release $version"

# The manual page renders without a warning.
man_out=$(MANWIDTH=80 man --warnings -P cat -l "$root/usr/share/man/man6/glumbo3d.6.gz" 2>"$work/man.txt")
[ ! -s "$work/man.txt" ] || { cat "$work/man.txt"; fail "manual page warnings"; }
[[ "$man_out" == *glumbo3d* ]] || fail "the manual page rendered empty"

# The command line, with no display at all: nothing may need a window.
game=$root/usr/games/glumbo3d
[ "$(env -u DISPLAY "$game" --version)" = "glumbo3d $version" ] || fail "--version: $(env -u DISPLAY "$game" --version)"
env -u DISPLAY "$game" --help >"$work/help.txt" 2>"$work/help.err" || fail "--help exit status $?"
grep -q '^Usage: glumbo3d' "$work/help.txt" && grep -q Escape "$work/help.txt" && [ ! -s "$work/help.err" ] ||
  fail "--help output"
status=0
env -u DISPLAY "$game" --fullscreen >"$work/bad.txt" 2>"$work/bad.err" || status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/bad.txt" ] && grep -q '^Usage: glumbo3d' "$work/bad.err" ||
  fail "an unknown option gave status $status, stdout '$(cat "$work/bad.txt")', stderr '$(cat "$work/bad.err")'"

# With no display at all, the game says so and ends (with status 0, as for
# its other start-up failures) instead of playing on unseen.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log timeout 30 "$game" >/dev/null 2>"$work/nodisplay.err" || status=$?
[ "$status" -ne 124 ] && grep -q '^video: no display' "$work/nodisplay.err" ||
  fail "with no display: status $status, stderr '$(cat "$work/nodisplay.err")'"

# The unpacked game, started from an unrelated folder.
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
XDG_CONFIG_HOME="$work/config" run_game_until_escape "$work/stderr.txt" "$game" || fail "playing the unpacked game"
[ "$game_status" -eq 0 ] || { cat "$work/stderr.txt"; fail "exit status $game_status"; }
grep -q "data in $root/usr/games/../share/games/glumbo3d," "$work/stderr.txt" ||
  { cat "$work/stderr.txt"; fail "data not found where expected"; }
config="$work/config/glumbo3d/config.dat"
[ -f "$config" ] && [ "$(stat -c %s "$config")" -eq 20 ] || fail "no 20-byte $config"
for stray in "$root/usr/share/games/glumbo3d/config.dat" "$root/usr/games/config.dat" "$work/elsewhere/config.dat"; do
  [ ! -e "$stray" ] || fail "config.dat written in $stray"
done
echo "the unpacked game found its data, quit on Escape, kept its settings in $config"

#!/usr/bin/env bash
# Installs the game into a temporary prefix, starts the installed program from
# an unrelated folder on the current X display, sends it Escape, and checks that
# it found its data, ended with status 0 and wrote its 20-byte settings file.
# Every folder is under Año/José/, as a Spanish player's are; a copy of the
# run directory there keeps its settings beside its data.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
top=$(mktemp -d)
trap 'rm -rf "$top"' EXIT
work="$top/Año/José"
mkdir -p "$work"

cmake --install "$build" --prefix "$work/prefix" >/dev/null
for f in bin/glumbo3d share/glumbo3d/pantallas/paredes1.txt share/glumbo3d/texturas/vida.bmp \
         share/glumbo3d/sonidos/opening.wav share/applications/glumbo3d.desktop \
         share/metainfo/org.glumbo3d.Glumbo3D.metainfo.xml share/icons/hicolor/64x64/apps/glumbo3d.png; do
  [ -e "$work/prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$work/prefix/share/applications/glumbo3d.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$work/prefix/share/metainfo/org.glumbo3d.Glumbo3D.metainfo.xml" >/dev/null
fi

mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
. "$here/quit_on_escape.sh"
XDG_CONFIG_HOME="$work/config" run_game_until_escape "$work/stderr.txt" "$work/prefix/bin/glumbo3d"
[ "$game_status" -eq 0 ] || { echo "exit status $game_status"; cat "$work/stderr.txt"; exit 1; }
grep -q "data in $work/prefix/bin/../share/glumbo3d" "$work/stderr.txt" || { echo "data not found where expected:"; cat "$work/stderr.txt"; exit 1; }
# The install prefix is writable here, yet an installed copy keeps its
# settings in the player's folder.
config="$work/config/glumbo3d/config.dat"
[ -e "$config" ] && [ "$(stat -c %s "$config")" -eq 20 ] || { echo "no 20-byte $config"; exit 1; }
for stray in "$work/prefix/share/glumbo3d/config.dat" "$work/elsewhere/config.dat"; do
  [ ! -e "$stray" ] || { echo "config.dat written in $stray"; exit 1; }
done
echo "installed game found its data, quit on Escape, wrote a 20-byte config.dat in its settings folder"

# A run directory (the program with its data beside it) in the same folders,
# started from elsewhere: its settings stay beside its data.
mkdir -p "$work/run"
cp -r "$build/run/glumbo3d" "$build/run/pantallas" "$build/run/texturas" "$build/run/sonidos" "$work/run/"
XDG_CONFIG_HOME="$work/config2" run_game_until_escape "$work/stderr2.txt" "$work/run/glumbo3d"
[ "$game_status" -eq 0 ] || { echo "run directory: exit status $game_status"; cat "$work/stderr2.txt"; exit 1; }
[ "$(stat -c %s "$work/run/config.dat" 2>/dev/null)" = 20 ] && [ ! -e "$work/config2" ] ||
  { echo "run directory: no 20-byte config.dat beside its data"; cat "$work/stderr2.txt"; exit 1; }
echo "the run directory in $work/run kept its 20-byte config.dat beside its data"

#!/usr/bin/env bash
# Installs the game into a temporary prefix, starts the installed program from
# an unrelated folder on the current X display, sends it Escape, and checks that
# it found its data, ended with status 0 and wrote its 20-byte settings file.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
pid=

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
XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log "$work/prefix/bin/glumbo3d" 2>"$work/stderr.txt" &
pid=$!

# Wait for the game's window, then press Escape in it until the game ends.
sent=0
for _ in $(seq 1 150); do
  kill -0 "$pid" 2>/dev/null || break
  window=$(xdotool search --onlyvisible --name '^Glumbo 3D$' 2>/dev/null | tail -n 1 || true)
  if [ -n "$window" ]; then
    # The release may reach a window that the press has already closed:
    # xdotool then fails, and that is the success we wait for.
    xdotool key --window "$window" Escape >/dev/null 2>&1 || true
    sent=1
  fi
  sleep 0.2
done
if [ "$sent" -eq 0 ]; then
  echo "could not send Escape to the game's window"
  cat "$work/stderr.txt"
  exit 1
fi
status=0
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "the game did not end on Escape"
  exit 1
fi
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || { echo "exit status $status"; cat "$work/stderr.txt"; exit 1; }
grep -q "data in $work/prefix/bin/../share/glumbo3d" "$work/stderr.txt" || { echo "data not found where expected:"; cat "$work/stderr.txt"; exit 1; }
# The install prefix is writable here, yet an installed copy keeps its
# settings in the player's folder.
config="$work/config/glumbo3d/config.dat"
[ -e "$config" ] && [ "$(stat -c %s "$config")" -eq 20 ] || { echo "no 20-byte $config"; exit 1; }
for stray in "$work/prefix/share/glumbo3d/config.dat" "$work/elsewhere/config.dat"; do
  [ ! -e "$stray" ] || { echo "config.dat written in $stray"; exit 1; }
done
echo "installed game found its data, quit on Escape, wrote a 20-byte config.dat in its settings folder"

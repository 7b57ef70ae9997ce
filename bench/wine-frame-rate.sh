#!/usr/bin/env bash
# The frame rate of the Windows build under wine against the Linux build, on
# the same level, sizes and frames, in one run: the autoplayer plays level 7
# (3000 level frames at a step of 1 tick, seed 1) at 640 x 480 and 1024 x 768,
# the two builds taking turns so that both see the same load.
# Needs `make windows` (it makes both builds). Run inside an X server:
#   xvfb-run -a -s "-screen 0 1280x1024x24" bash bench/wine-frame-rate.sh
# usage: wine-frame-rate.sh [NATIVE_BUILD] [WINDOWS_BUILD] [PASSES]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
native=$(cd "${1:-$root/build}" && pwd)
WINDOWS_BUILD=$(cd "${2:-$root/build-windows}" && pwd)
passes=${3:-2}
# shellcheck source=tests/windows/wine-env.sh
source "$root/tests/windows/wine-env.sh"
export SDL_AUDIODRIVER=dummy
wine_prefix_ready
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

options=(--bot --step 1 --seed 1 --start-level 7 --culling on --level-frames 3000 --frames 100000)
rate() {  # prints "fps frames-per-processor-second" from a replay's summary
  sed -n 's/^level frames [0-9]*, \([0-9.]*\) fps.*/\1/p; s/^level processor time .*, \([0-9.]*\) frames per processor second/\1/p' |
    paste -sd' '
}
echo "| Size | Pass | Linux fps (per CPU s) | wine fps (per CPU s) | wine / Linux | load |"
echo "|---|---|---|---|---|---|"
for size in 640x480 1024x768; do
  for pass in $(seq 1 "$passes"); do
    read -r lfps lcpu < <("$native/glumbo-replay" --data "$native/run" --size "$size" "${options[@]}" 2>/dev/null | rate)
    read -r wfps wcpu < <(wine "$WINDOWS_BUILD/run/glumbo-replay.exe" --data "$WINDOWS_BUILD/run" --size "$size" \
                            "${options[@]}" 2>/dev/null | tr -d '\r' | rate)
    ratio=$(awk -v w="$wfps" -v l="$lfps" 'BEGIN { printf "%.0f %%", 100 * w / l }')
    echo "| ${size/x/ x } | $pass | $lfps ($lcpu) | $wfps ($wcpu) | $ratio | $(cut -d' ' -f1 /proc/loadavg) |"
  done
done

#!/usr/bin/env bash
# Records the state traces of the recorded runs (tests/replays/runs.txt) again,
# after a change to the game's behaviour that is meant. Review the diff of
# tests/replays/*.trace before committing it.
# usage: tools/record-replays.sh [BUILD_DIR]   (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
tool=$build/glumbo-replay
data=$build/run
dir=$root/tests/replays
if [ ! -x "$tool" ]; then
  echo "record-replays: no $tool; build the glumbo-replay target first" >&2
  exit 1
fi
export GLUMBO_MSGBOX=log SDL_AUDIODRIVER=dummy
run=()
if [ -z "${DISPLAY:-}" ]; then
  run=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
fi
grep '^[a-z]' "$dir/runs.txt" | while read -r name options; do
  args=(--data "$data" --trace "$dir/$name.trace")
  if [ -f "$dir/$name.keys" ]; then
    args+=(--script "$dir/$name.keys")
  fi
  # shellcheck disable=SC2086
  if ! "${run[@]}" "$tool" "${args[@]}" $options >/dev/null 2>&1; then
    echo "record-replays: $name did not run to its end" >&2
    exit 1
  fi
  echo "$name: $(wc -l <"$dir/$name.trace") lines"
done

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time on its
# committed seed corpus, plus any seeds its build makes (the game's own sounds).
# A crash fails the run; its input is copied into the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
build=${FUZZ_BUILD_DIR:-build-fuzz}

shopt -s nullglob
targets=()
for f in tests/fuzz/fuzz_*.cpp; do
  targets+=("$(basename "$f" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets"
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DGLUMBO_FUZZ=ON -DGLUMBO_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

status=0
for t in "${targets[@]}"; do
  corpus="tests/fuzz/corpus/$t"
  mkdir -p "$corpus"
  work="$build/fuzz-work/$t"
  rm -rf "$work"
  mkdir -p "$work/new"
  echo "fuzz: $t for ${seconds}s"
  seeds=()
  [ -d "$build/tests/fuzz/seeds/$t" ] && seeds=("$PWD/$build/tests/fuzz/seeds/$t")
  if ! (cd "$work" && "$OLDPWD/$build/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 new "$OLDPWD/$corpus" "${seeds[@]}" >log.txt 2>&1); then
    echo "fuzz: $t FAILED"
    tail -n 40 "$work/log.txt"
    for crash in "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-*; do
      cp "$crash" "$corpus/"
      echo "fuzz: input kept as $corpus/$(basename "$crash")"
    done
    status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$work/log.txt" | tail -n 2 || true
  fi
done
exit $status

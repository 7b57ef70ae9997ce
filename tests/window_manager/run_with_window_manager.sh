#!/usr/bin/env bash
# Runs a test program on a display of its own with a window manager, which is
# what enforces a window's size limits and carries out full-screen requests.
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  # The manager is ready once it has claimed the screen.
  for _ in $(seq 1 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  status=0
  "$@" || status=$?
  kill "$wm" 2>/dev/null || true
  exit $status
' run-with-window-manager "$@"

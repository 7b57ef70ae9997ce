# Sourced by the tests that start the real game: starts it, waits for its
# window on the current X display, presses Escape in it until it ends, and
# leaves its exit status in $game_status. Usage:
#   run_game_until_escape STDERR_FILE PROGRAM [ARGS...]
# The caller sets the environment (XDG_CONFIG_HOME, the working folder).
run_game_until_escape() {
  local stderr_file=$1
  shift
  SDL_AUDIODRIVER=dummy GLUMBO_MSGBOX=log "$@" 2>"$stderr_file" &
  local pid=$! sent=0 window
  game_status=
  for _ in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    # Only this game's own window: other tests may have one open too.
    window=$(xdotool search --onlyvisible --pid "$pid" --name '^Glumbo 3D$' 2>/dev/null | tail -n 1 || true)
    if [ -n "$window" ]; then
      # The release may reach a window that the press has already closed:
      # xdotool then fails, and that is the success we wait for.
      xdotool key --window "$window" Escape >/dev/null 2>&1 || true
      sent=1
    fi
    sleep 0.2
  done
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    wait "$pid" || true
    echo "the game did not end on Escape (window seen: $sent)"
    cat "$stderr_file"
    return 1
  fi
  game_status=0
  wait "$pid" || game_status=$?
  if [ "$sent" -eq 0 ]; then
    echo "the game ended (status $game_status) before its window could be found"
    cat "$stderr_file"
    return 1
  fi
}

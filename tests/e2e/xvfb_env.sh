# Sourced (by bash) by the scripts that run the game under a private X server. Defines:
#   start_xvfb SIZE [LOG]   starts Xvfb with one screen of SIZE (WIDTHxHEIGHT, 24-bit) on a
#                           display it picks itself (other users' servers may hold the low
#                           numbers), waits until it accepts clients, sets XVFB_PID and
#                           exports DISPLAY; returns 1 when it did not start within 30 s.
#                           Its output goes to LOG (default /dev/null).
#   stop_xvfb               ends that server (only it) and waits for it.
#   wait_for_window SECONDS SEARCH...
#                           blocks on X events until a visible window matching
#                           `xdotool search SEARCH...` is mapped, for at most SECONDS, and
#                           prints the ids found; returns non-zero when none appeared.
#   need_xvfb_tools         skips the check (exit 77) when Xvfb or xdotool is missing.
#   fresh_game_folder BIN DEST
#                           copies the game's data (dat/ and cg/ beside the program in BIN)
#                           into DEST without a profile, so a run never touches the build's
#                           my.dat and starts as a first run.
XVFB_PID=

start_xvfb() {
  local size=$1 log=${2:-/dev/null} fd number
  # Xvfb writes the number of the display it chose to this pipe once it accepts clients.
  exec {fd}<> <(:)
  Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp > "$log" 2>&1 &
  XVFB_PID=$!
  if ! read -r -t 30 number <&"$fd"; then
    exec {fd}<&-
    return 1
  fi
  exec {fd}<&-
  export DISPLAY=":$number"
}

stop_xvfb() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2> /dev/null || true
    wait "$XVFB_PID" 2> /dev/null || true
    XVFB_PID=
  fi
}

wait_for_window() {
  local seconds=$1
  shift
  timeout "$seconds" xdotool search --sync --onlyvisible "$@"
}

need_xvfb_tools() {
  local tool
  for tool in Xvfb xdotool; do
    command -v "$tool" > /dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
  done
}

fresh_game_folder() {
  mkdir -p "$2"
  cp -r "$1/dat" "$1/cg" "$2/"
  rm -f "$2/dat/my.dat"*
}

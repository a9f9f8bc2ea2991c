#!/usr/bin/env bash
# The accessibility checks over the real AT-SPI bus: a private session bus, accessibility
# bus and X server, then a program checked as a screen reader sees it.
#
#   a11y_test.sh PROGRAM        the demo window (a11y_demo): see a11y_check.py
#   a11y_test.sh --game GAME    the game from a fresh profile with a fixed seed, played
#                               through a single and a compatibility reading by accessible
#                               actions alone: see a11y_game_check.py
#
# With ORCA_LOG=FILE, Orca runs beside it (speech through speech-dispatcher and espeak-ng)
# with its debug log in FILE, and the check also fails unless Orca spoke every line (the
# game: its first three lines, and the run ends there). What it says is recorded from a
# private PulseAudio null sink into ORCA_WAV (default FILE.wav): speech-dispatcher hangs
# Orca when it has no sound server to play into. The game's own sound goes to another sink.
# Skipped (exit 77) when Xvfb, the AT-SPI bus launcher or python3-pyatspi is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
game=
if [ "$1" = --game ]; then
  game=$2
else
  program=$1
  lines=("こんにちは、わたしはうらないし。" "なまえを入れてね" "CLICK HERE")
fi

launcher=/usr/libexec/at-spi-bus-launcher
if ! command -v Xvfb > /dev/null || [ ! -x "$launcher" ] || ! command -v dbus-run-session > /dev/null ||
   ! /usr/bin/python3 -c 'import pyatspi' 2> /dev/null; then
  echo "SKIP: needs xvfb, at-spi2-core, dbus and python3-pyatspi"
  exit 77
fi

if [ -n "${ORCA_LOG:-}" ] && [ -z "${ORCA_WAV:-}" ]; then
  export ORCA_WAV=$ORCA_LOG.wav
fi
if [ -z "${A11Y_INSIDE_SESSION:-}" ]; then
  if [ -n "${ORCA_WAV:-}" ]; then
    [ -n "$game" ] && export EXTRA_SINK=gamesink
    source "$here/pulse_env.sh"
    need_tools
    start_pulse
    start_recording "$ORCA_WAV.raw"
    trap 'stop_recording; stop_pulse' EXIT
  fi
  export A11Y_INSIDE_SESSION=1
  status=0
  dbus-run-session -- "$0" "$@" || status=$?
  if [ -n "${ORCA_WAV:-}" ]; then
    stop_recording
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$ORCA_WAV.raw" "$ORCA_WAV" &&
      rm -f "$ORCA_WAV.raw" "$ORCA_WAV.raw.head" "$ORCA_WAV.raw.tail"
  fi
  exit $status
fi

source "$here/xvfb_env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/pomuri-a11y.XXXXXX")
if [ -z "${ORCA_WAV:-}" ]; then  # otherwise the sound server's, which Orca's speech needs
  export XDG_RUNTIME_DIR=$work/run
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
start_xvfb 640x480 "$work/xvfb.log" || { echo "FAIL: Xvfb did not start"; exit 1; }
"$launcher" --launch-immediately > "$work/launcher.log" 2>&1 &
launcher_pid=$!
orca_pid=
cleanup() {
  [ -n "$orca_pid" ] && kill "$orca_pid" 2> /dev/null || true
  [ -f "$work/speechd.pid" ] && kill "$(cat "$work/speechd.pid")" 2> /dev/null || true
  kill "$launcher_pid" 2> /dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT
gdbus wait --session --timeout 30 org.a11y.Bus || { echo "FAIL: no accessibility bus"; exit 1; }

if [ -n "${ORCA_LOG:-}" ]; then
  command -v orca > /dev/null || { echo "FAIL: ORCA_LOG given but orca is not installed"; exit 1; }
  # Orca refuses to start beside another Orca of the same user, on any session.
  if pgrep -u "$(id -u)" -x orca > /dev/null; then
    echo "FAIL: another Orca of this user is running"
    exit 1
  fi
  # Orca's log written line by line, so that the check can wait for each line to be said.
  mkdir "$work/orca-site"
  cat > "$work/orca-site/sitecustomize.py" << 'PY'
import builtins, os
_open = builtins.open
def _line_buffered_log(file, mode="r", buffering=-1, *args, **kwargs):
    if file == os.environ.get("ORCA_LOG") and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)
builtins.open = _line_buffered_log
PY
  # Orca speaks in the language of its LANG: the lines are Japanese. The locale need not be
  # installed for Orca (Python must then not coerce it to C.UTF-8, which would hide LANG),
  # but Speech Dispatcher, which Orca would start with it, refuses to: it is started first,
  # in the session's own locale, and ended with the check.
  speech-dispatcher --spawn --pid-file "$work/speechd.pid" --communication-method unix_socket \
    --socket-path "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"
  LANG=ja_JP.UTF-8 PYTHONCOERCECLOCALE=0 PYTHONPATH=$work/orca-site \
    orca -d braille -d braille-monitor --debug-file="$ORCA_LOG" > "$work/orca.out" 2>&1 &
  orca_pid=$!
  export A11Y_WAIT_FOR=orca
fi
status=0
if [ -n "$game" ]; then
  # A first run: a fresh home and a copy of the assets without a profile. Its sound plays
  # nowhere, or with Orca into a sink of its own, out of Orca's recording.
  fresh_game_folder "$(dirname "$game")" "$work/game"
  mkdir "$work/home"
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share \
    XDG_CACHE_HOME=$work/home/.cache XDG_STATE_HOME=$work/home/.local/state \
    WAVEMIX_OUTPUT=null PULSE_SINK=gamesink \
    /usr/bin/python3 "$here/a11y_game_check.py" "$game" --seed 7 --data-dir "$work/game" || status=$?
else
  /usr/bin/python3 "$here/a11y_check.py" "$program" "${lines[@]}" || status=$?
fi
if [ -n "$orca_pid" ]; then
  # Orca's log has a line as its speech begins: the recording goes on until a second of
  # silence on the sink.
  timeout 30 parec -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=1 |
    sox -t raw -r 44100 -e signed -b 16 -c 1 - -n silence 0 1 1.0 1% 2> /dev/null || true
  # Orca left idle a while may not end on a plain kill.
  kill "$orca_pid" 2> /dev/null || true
  timeout 10 tail --pid="$orca_pid" -f /dev/null || kill -KILL "$orca_pid" 2> /dev/null || true
  wait "$orca_pid" 2> /dev/null || true
  orca_pid=
fi
exit $status

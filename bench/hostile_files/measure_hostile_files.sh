#!/usr/bin/env bash
# Peak memory, time to the window and time to close of the game with hostile things in
# place of its files: links to /dev/zero and /dev/urandom, named pipes with no writer, a
# folder, JPEGs whose headers claim 20000 × 20000, a wave claiming 1 Hz.
#
#   bench/hostile_files/measure_hostile_files.sh [build/bin/pomuri]
#
# Each case runs on its own copy of the program folder under Xvfb with sound to the null
# device: the first window (a box or the main window) is looked for every 0.1 s for up to
# 10 s and timed from the start, boxes are answered with Return, then (for the wave cases)
# NEW GAME is clicked, and the game gets SIGTERM (its orderly close), which is timed too.
# Peak memory is /usr/bin/time -v's "Maximum resident set size". Needs Xvfb, xdotool.
set -euo pipefail
program=$(realpath "${1:-build/bin/pomuri}")
# The folder holding the program is copied whole: a wrong path must not copy "/".
[ -f "$program" ] && [ -x "$program" ] || { echo "no game program at $program" >&2; exit 2; }
work=$(mktemp -d)
. "$(dirname "$0")/../../tests/e2e/xvfb_env.sh"
cleanup() { stop_xvfb; rm -rf "$work"; }
trap cleanup EXIT
start_xvfb 800x600 || { echo "Xvfb did not start" >&2; exit 1; }

# 10 000 bytes of 8-bit mono sound whose header says 1 Hz.
slow_wave() {
  python3 - "$1" <<'PY'
import struct, sys
data = bytes([128]) * 10000
fmt = struct.pack('<HHIIHH', 1, 1, 1, 1, 1, 8)
body = b'WAVE' + b'fmt ' + struct.pack('<I', 16) + fmt + b'data' + struct.pack('<I', len(data)) + data
open(sys.argv[1], 'wb').write(b'RIFF' + struct.pack('<I', len(body)) + body)
PY
}
# The picture unchanged but for the frame header's height and width: 20000 × 20000.
huge_jpeg() {
  python3 - "$1" <<'PY'
import sys
b = bytearray(open(sys.argv[1], 'rb').read())
for marker in (b'\xff\xc0', b'\xff\xc2'):
    at = b.find(marker)
    if at >= 0:
        b[at + 5:at + 9] = b'\x4e\x20\x4e\x20'
        break
open(sys.argv[1], 'wb').write(b)
PY
}

prepare() {  # case folder
  local case=$1 bin=$2
  case $case in
    plain) ;;
    zero-wave) ln -sf /dev/zero "$bin/dat/guitar.wav"; ln -sf /dev/zero "$bin/dat/start.wav" ;;
    urandom-wave) ln -sf /dev/urandom "$bin/dat/guitar.wav"; ln -sf /dev/urandom "$bin/dat/start.wav" ;;
    zero-name) ln -sf /dev/zero "$bin/dat/name.dat" ;;
    urandom-name) ln -sf /dev/urandom "$bin/dat/name.dat" ;;
    folder-name) rm "$bin/dat/name.dat"; mkdir "$bin/dat/name.dat" ;;
    fifo-mydat) mkfifo "$bin/dat/my.dat" ;;
    fifo-name) rm "$bin/dat/name.dat"; mkfifo "$bin/dat/name.dat" ;;
    fifo-wave) rm "$bin/dat/guitar.wav" "$bin/dat/start.wav"; mkfifo "$bin/dat/guitar.wav" "$bin/dat/start.wav" ;;
    fifo-title) rm "$bin/cg/1.jpg"; mkfifo "$bin/cg/1.jpg" ;;
    huge-jpeg) for n in 1 2 3; do huge_jpeg "$bin/cg/$n.jpg"; done ;;
    slow-wave)  # a 44.1 kHz stereo session, where 1 Hz would become 880 MB
      slow_wave "$bin/dat/guitar.wav"; slow_wave "$bin/dat/start.wav"
      printf '[default]\nSamplesPerSec=44\nWaveBlocks=4\nWaveBlockLen=2048\n' > "$bin/WAVEMIX.INI" ;;
  esac
}

printf '%-13s %10s %10s %10s %6s %s\n' case "peak MB" "window s" "close s" boxes status
for case in plain zero-wave urandom-wave zero-name urandom-name folder-name fifo-mydat fifo-name \
            fifo-wave fifo-title huge-jpeg slow-wave; do
  bin=$work/$case/bin
  mkdir -p "$work/$case/home"
  cp -r "$(dirname "$program")" "$bin"
  rm -f "$bin/dat/my.dat"
  prepare "$case" "$bin"
  start=$(date +%s.%N)
  HOME=$work/$case/home XDG_DATA_HOME=$work/$case/home/data XDG_CONFIG_HOME=$work/$case/home/config \
    WAVEMIX_OUTPUT=null /usr/bin/time -v -o "$work/$case/time" \
    timeout -s KILL 30 "$bin/$(basename "$program")" 2>"$work/$case/stderr" &
  runner=$!
  # The first window (a start-up box or the main window) is timed; boxes are answered with
  # Return until the main window shows, so that every start-up step runs.
  window="" first="" boxes=0
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'ver1\.0' 2>/dev/null | head -n 1 || true)
    box=$(xdotool search --onlyvisible --class pomuri 2>/dev/null | grep -vx "${window:-none}" | head -n 1 || true)
    [ -z "$first" ] && [ -n "$window$box" ] && first=$(date +%s.%N)
    if [ -n "$box" ]; then xdotool key --window "$box" Return 2>/dev/null || true; boxes=$((boxes + 1)); fi
    [ -n "$window" ] && [ -z "$box" ] && break
    sleep 0.1
  done
  shown=${first:-}
  if [ -n "$window" ]; then
    sleep 2  # the start-up jingle and title frames
    case $case in *wave*)
      xdotool mousemove --window "$window" 292 304 click 1 2>/dev/null || true
      sleep 1 ;;
    esac
  fi
  # time → timeout → the game
  limiter=$(pgrep -P "$runner" -n || true)
  game=$( [ -n "$limiter" ] && pgrep -P "$limiter" -n || true)
  closing=$(date +%s.%N)
  if [ -n "$game" ]; then kill -TERM "$game" 2>/dev/null || true; fi
  wait "$runner" && status=0 || status=$?
  closed=$(date +%s.%N)
  peak=$(awk -F': ' '/Maximum resident set size/ {printf "%.0f", $2 / 1024}' "$work/$case/time")
  window_s=$( [ -n "$shown" ] && printf '%.2f' "$(echo "$shown - $start" | bc)" || echo "none")
  printf '%-13s %10s %10s %10.2f %6s %s\n' "$case" "$peak" "$window_s" "$(echo "$closed - $closing" | bc)" "$boxes" "$status"
  # The game's own lines, without the toolkit's and the sound library's start-up chatter.
  grep -v -e '^QStandardPaths' -e '^ALSA lib' -e '^\s*$' "$work/$case/stderr" | sed 's/^/    stderr: /' | head -n 3 || true
  kill -0 "$XVFB_PID" || { echo "Xvfb ended" >&2; exit 1; }
done

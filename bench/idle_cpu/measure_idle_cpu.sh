#!/usr/bin/env bash
# CPU used by the game while it waits: 10 s on the title screen, then 10 s in a chat
# waiting for a click. A busy wait would use a whole core (100 %); the waits sleep until
# the next event, so only the two 50 ms timers and the title animation cost anything.
#
#   bench/idle_cpu/measure_idle_cpu.sh [build/bin/pomuri] [seconds]
#
# Needs Xvfb and xdotool. Sound goes to the null device.
set -euo pipefail
program=$(realpath "${1:-build/bin/pomuri}")
seconds=${2:-10}
display=:$((RANDOM % 400 + 500))
hz=$(getconf CLK_TCK)

Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
home=$(mktemp -d)
cleanup() { kill "$game" "$xvfb" 2>/dev/null || true; rm -rf "$home"; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A copy of the assets so the run never touches the build's my.dat.
cp -r "$(dirname "$program")" "$home/bin"
HOME=$home XDG_DATA_HOME=$home/data WAVEMIX_OUTPUT=null "$home/bin/$(basename "$program")" &
game=$!
window=""
for _ in $(seq 100); do
  window=$(xdotool search --pid "$game" --onlyvisible 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the game window did not appear" >&2; exit 1; }
sleep 1  # let start-up finish before measuring

ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
measure() {  # label
  local before after
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v label="$1" \
    'BEGIN { printf "%-28s %6.2f %% of one core (%d ticks in %d s)\n", label, 100 * t / hz / s, t, s }'
}

measure "title screen"
# NEW GAME lies at (232, 288) 121 × 33 in the window; the first chat line then waits.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 290)) $((Y + 304)) click 1
sleep 1
measure "chat, waiting for a click"

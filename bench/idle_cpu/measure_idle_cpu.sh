#!/usr/bin/env bash
# CPU used by the game while it waits: 10 s on the title screen, then 10 s in a chat
# waiting for a click. A busy wait would use a whole core (100 %); the waits sleep until
# the next event, so only the two 50 ms timers and the title animation cost anything.
#
#   bench/idle_cpu/measure_idle_cpu.sh [build/bin/pomuri] [seconds] [null|pulse]
#
# Needs Xvfb and xdotool. With "null" (the default) sound goes to the null device. With
# "pulse" it takes the real path: ALSA "default" into a private PulseAudio null sink
# (tests/e2e/pulse_env.sh), FluidSynth playing the tune into the same server; the title
# screen is then measured while the tune plays and again once it has ended (its stream is
# gone from the server), before the chat. With FIRST_WINDOW_ONLY=1 it stops after the first
# window (bench/idle_cpu/compare_builds.sh).
set -euo pipefail
program=$(realpath "${1:-build/bin/pomuri}")
# The folder holding the program is copied whole: a wrong path must not copy "/".
[ -f "$program" ] && [ -x "$program" ] || { echo "no game program at $program" >&2; exit 2; }
seconds=${2:-10}
sound=${3:-null}
hz=$(getconf CLK_TCK)
game=""
home=$(mktemp -d)
. "$(dirname "$0")/../../tests/e2e/xvfb_env.sh"
cleanup() {
  kill $game 2>/dev/null || true
  wait $game 2>/dev/null || true  # it saves its profile on the way out
  stop_xvfb
  rm -rf "$home" || true
  if [ "$sound" = pulse ]; then stop_pulse; fi
}
trap cleanup EXIT
output=null
if [ "$sound" = pulse ]; then
  here=$(cd "$(dirname "$0")" && pwd)
  set +u
  . "$here/../../tests/e2e/pulse_env.sh"
  need_tools
  start_pulse
  set -u
  output=alsa
fi

start_xvfb 800x600 || { echo "Xvfb did not start" >&2; exit 1; }

# A copy of the assets so the run never touches the build's my.dat.
cp -r "$(dirname "$program")" "$home/bin"
# (pulse_env.sh has already given HOME a fresh folder, whose .asoundrc routes ALSA there.)
[ "$sound" = pulse ] || export HOME=$home
XDG_DATA_HOME=$home/data WAVEMIX_OUTPUT=$output "$home/bin/$(basename "$program")" &
game=$!
window=$(wait_for_window 10 --pid "$game" 2>/dev/null | head -n 1 || true)
[ -n "$window" ] || { echo "the game window did not appear" >&2; exit 1; }
sleep 1  # let start-up finish before measuring
server=""
if [ "$sound" = pulse ]; then server=$(cat "$XDG_RUNTIME_DIR/pulse/pid" 2>/dev/null || true); fi

ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
# "tid name ticks" for each thread of the game (names may hold spaces: cut at the last ')').
thread_ticks() {
  local f line
  for f in /proc/$game/task/*/stat; do
    line=$(cat "$f" 2>/dev/null) || continue
    local rest=${line##*) } head=${line%%) *}
    awk -v id="${head%% *}" -v name="${head#*(}" '{ print id, name, $12 + $13 }' <<< "$rest"
  done
}
server_ticks() { if [ -n "$server" ]; then awk '{print $14 + $15}' "/proc/$server/stat"; else echo 0; fi; }
measure() {  # label
  local before after threads_before server_before server_after
  threads_before=$(thread_ticks)
  server_before=$(server_ticks)
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  server_after=$(server_ticks)
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" -v label="$1" \
    'BEGIN { printf "%-28s %6.2f %% of one core (%d ticks in %d s)\n", label, 100 * t / hz / s, t, s }'
  [ "$sound" = pulse ] || return 0
  # Where it went: each thread that ran, and the sound server (not part of the game's figure).
  thread_ticks | awk -v hz="$hz" -v s="$seconds" -v before="$threads_before" '
    BEGIN { n = split(before, lines, "\n"); for (i = 1; i <= n; ++i) { split(lines[i], f, " "); was[f[1]] = f[3] } }
    { t = $NF - was[$1]; if (t > 0) { $NF = ""; printf "    thread %-22s %6.2f %%\n", $0, 100 * t / hz / s } }'
  awk -v t=$((server_after - server_before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "    sound server              %6.2f %%\n", 100 * t / hz / s }'
}

if [ "$sound" = pulse ]; then
  measure "title screen, tune playing"
  [ "${FIRST_WINDOW_ONLY:-0}" != 1 ] || exit 0
  wait_until_tune_ends || exit 1
  sleep 1
  measure "title screen, tune ended"
else
  measure "title screen"
fi
# NEW GAME lies at (232, 288) 121 × 33 in the window; the first chat line then waits.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 290)) $((Y + 304)) click 1
sleep 1
measure "chat, waiting for a click"

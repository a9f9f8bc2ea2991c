#!/bin/bash
# Sound after the sound server restarts mid-game, or starts after the game.
#
# pomuri runs under Xvfb into a private sound server's null sink. SERVER is
#   pulse           PulseAudio; the effects through ALSA's PulseAudio plug-in
#   pipewire        PipeWire; the effects through PipeWire's own ALSA plug-in
#   pipewire-pulse  PipeWire; the effects through ALSA's PulseAudio plug-in to pipewire-pulse
#   pipewire-nodefault  the same, but ALSA knows no "default": the game must find "pulse"
# (the tune through its own PulseAudio stream, or FluidSynth's ALSA driver). WHEN is
#   restart  while its greeting and tune play, the server is killed, left dead for DOWN
#            seconds and started again (time 0);
#   late     the game starts with no server at all, which is started DOWN seconds later
#            (time 0).
# The tune plays to the server's default sink, "nullsink"; ALSA's "default" is routed to a
# second null sink, "fxsink". FluidSynth may come back through its ALSA driver, so into
# fxsink too: the script watches the sink inputs every 50 ms, notes when the tune's stream
# (the only stereo one) and the effects' stream (mono) are back uncorked, and moves the
# tune's to nullsink. Both monitors are recorded from time 0 (fx.raw, tune.raw: s16le mono
# 44.1 kHz, kept in the work folder with KEEP=1); half a second later NEW GAME is clicked
# (start.wav on the mixer), at 1.5 s a click ends the first line (1.wav). The script prints
# when each stream is back and when each sink is first heard: the tune at a sample above
# 1/100 of full scale, the effects above 1/4 (the cues peak near full scale, the tune below
# 1/5, and up to 50 ms of the tune may reach fxsink before it is moved). Goal: both ≤ 3 s.
# Exit 77 when a program it needs is missing; 1 when either is not heard within 3 s.
#
# Usage: bench/recovery/measure_recovery.sh PATH/TO/pomuri [DOWN_SECONDS] [SERVER] [WHEN]
set -u
GAME=$(realpath "$1")
DOWN=${2:-2}
SERVER=${3:-pulse}
WHEN=${4:-restart}
BIN_DIR=$(dirname "$GAME")
HERE=$(cd "$(dirname "$0")" && pwd)
export EXTRA_SINK=fxsink EFFECTS_SINK=fxsink
case $SERVER in
  pulse) . "$HERE/../../tests/e2e/pulse_env.sh"; need_tools; use_alsa_route pulse ;;
  pipewire | pipewire-pulse | pipewire-nodefault)
    . "$HERE/../../tests/e2e/pipewire_env.sh"; need_pipewire_tools
    case $SERVER in
      pipewire) use_alsa_route pipewire ;;
      pipewire-pulse) use_alsa_route pulse ;;
      *) use_alsa_route nodefault ;;
    esac ;;
  *) echo "unknown server $SERVER (pulse, pipewire, pipewire-pulse, pipewire-nodefault)"; exit 2 ;;
esac
. "$HERE/../../tests/e2e/xvfb_env.sh"
need_xvfb_tools

GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
  stop_xvfb
  if [ "${KEEP:-0}" = 1 ]; then
    kill_server; echo "kept: $PULSE_WORK"
  else
    stop_server
  fi
}
trap cleanup EXIT
[ "$WHEN" = late ] || start_server
cd "$PULSE_WORK"
fresh_game_folder "$BIN_DIR" game
start_xvfb 1024x768 xvfb.log || { echo "FAIL: Xvfb did not start"; cat xvfb.log; exit 1; }
unset QT_QPA_PLATFORM

WAVEMIX_OUTPUT=alsa "$GAME" --seed 5 --data-dir "$PULSE_WORK/game" > game.log 2>&1 &
GAME_PID=$!
WIN=$(wait_for_window 20 --name "ポムリー" | head -1)
[ -n "$WIN" ] || { echo "FAIL: the game window did not appear"; exit 1; }
if [ "$WHEN" = late ]; then
  sleep "$DOWN"
else
  sleep 2
  echo "before the loss: $(pactl list sink-inputs short | wc -l) stream(s) playing"
  kill_server
  sleep "$DOWN"
fi
start_server
t0=$(date +%s%N)
parec -d fxsink.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=10 > fx.raw &
FX_PID=$!
parec -d nullsink.monitor --raw --format=s16le --rate=44100 --channels=1 --latency-msec=10 > tune.raw &
TUNE_PID=$!
( sleep 0.5; xdotool mousemove --window "$WIN" 292 304 click 1; sleep 1; xdotool mousemove --window "$WIN" 150 180 click 1 ) &
ms_since_t0() { echo $(( ($(date +%s%N) - t0) / 1000000 )); }
tune_ms=""; effects_ms=""
while [ "$(ms_since_t0)" -lt 6000 ]; do
  while read -r idx format; do
    case $format in
      *2ch*) [ -n "$tune_ms" ] || tune_ms=$(ms_since_t0); pactl move-sink-input "$idx" nullsink ;;
      *1ch*) [ -n "$effects_ms" ] || effects_ms=$(ms_since_t0) ;;
    esac
  done < <(pactl list sink-inputs | awk '
    /^Sink Input #/ { idx = substr($3, 2) } /Sample Spec[a-z]*:/ { format = $3 "_" $4 }
    /Corked: no/ { print idx, format }')
  sleep 0.05
done
echo "streams back (uncorked) after: tune ${tune_ms:-never} ms, effects ${effects_ms:-never} ms"
kill "$FX_PID" "$TUNE_PID"; wait "$FX_PID" "$TUNE_PID" 2> /dev/null
# A recording's first sample is taken after time 0 (the server has to start the stream),
# so the times printed are at most that lag early.
status=0
for what in fx tune; do
  first=$(python3 -c "
import array, sys
a = array.array('h'); a.frombytes(open(sys.argv[1], 'rb').read())
hit = next((i for i, x in enumerate(a) if abs(x) > int(sys.argv[2])), None)
print('' if hit is None else hit * 1000 // 44100)" $what.raw $([ $what = fx ] && echo 8192 || echo 327))
  name=$([ $what = fx ] && echo effects || echo tune)
  if [ -n "$first" ]; then
    echo "$name: heard $first ms after the server started"
    [ "$first" -le 3000 ] || status=1
  else
    echo "$name: not heard within 6 s"; status=1
  fi
done
grep "wave output" game.log
exit $status

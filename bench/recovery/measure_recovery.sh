#!/bin/bash
# Sound after the sound server restarts mid-game.
#
# pomuri runs under Xvfb into a private PulseAudio null sink; while its greeting and tune
# play, the daemon is killed, left dead for DOWN seconds and started again (time 0). Half a
# second later NEW GAME is clicked (start.wav on the mixer). The script then watches the
# server's sink inputs every 50 ms: for the tune (FluidSynth's own stream) and for the
# effects (the mixer's stream through ALSA's PulseAudio plug-in) it prints when the stream
# is back uncorked after time 0, and records 2 s of that stream alone from the monitor
# (parec --monitor-stream) to show it is heard, not only connected. Goal: both within 3 s.
# Exit 77 when Xvfb, xdotool or PulseAudio is missing; 1 when a stream does not come back.
#
# Usage: bench/recovery/measure_recovery.sh PATH/TO/pomuri [DOWN_SECONDS]
set -u
GAME=$(realpath "$1")
DOWN=${2:-2}
BIN_DIR=$(dirname "$GAME")
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../tests/e2e/pulse_env.sh"
. "$HERE/../../tests/e2e/xvfb_env.sh"
need_xvfb_tools
need_tools

GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2> /dev/null && wait "$GAME_PID" 2> /dev/null
  stop_xvfb
  stop_pulse
}
trap cleanup EXIT
start_pulse
cd "$PULSE_WORK"
fresh_game_folder "$BIN_DIR" game
start_xvfb 1024x768 xvfb.log || { echo "FAIL: Xvfb did not start"; cat xvfb.log; exit 1; }
unset QT_QPA_PLATFORM

WAVEMIX_OUTPUT=alsa "$GAME" --seed 5 --data-dir "$PULSE_WORK/game" > game.log 2>&1 &
GAME_PID=$!
WIN=$(wait_for_window 20 --name "ポムリー" | head -1)
[ -n "$WIN" ] || { echo "FAIL: the game window did not appear"; exit 1; }
sleep 2
echo "before the loss: $(pactl list sink-inputs short | wc -l) stream(s) playing"
pulseaudio --kill
sleep "$DOWN"
start_pulse
t0=$(date +%s%N)
ms_since_t0() { echo $(( ($(date +%s%N) - t0) / 1000000 )); }
( sleep 0.5; xdotool mousemove --window "$WIN" 292 304 click 1 ) &

# Prints the index of an uncorked sink input whose properties match PATTERN, if any.
stream_index() {
  pactl list sink-inputs | awk -v pat="$1" '
    /^Sink Input #/ { idx = substr($3, 2); corked = 0; hit = 0 }
    /Corked: yes/ { corked = 1 }
    $0 ~ pat { hit = 1 }
    /^$/ { if (idx != "" && hit && !corked) { print idx; exit } idx = "" }
    END { if (idx != "" && hit && !corked) print idx }'
}
tune_ms=""; effects_ms=""; tune_idx=""; effects_idx=""
while [ "$(ms_since_t0)" -lt 6000 ] && { [ -z "$tune_ms" ] || [ -z "$effects_ms" ]; }; do
  if [ -z "$tune_ms" ]; then
    tune_idx=$(stream_index 'application.name = "FluidSynth"')
    [ -n "$tune_idx" ] && tune_ms=$(ms_since_t0)
  fi
  if [ -z "$effects_ms" ]; then
    effects_idx=$(stream_index 'ALSA plug-in')
    [ -n "$effects_idx" ] && effects_ms=$(ms_since_t0)
  fi
  sleep 0.05
done

heard() {  # INDEX [CLICK_X CLICK_Y] -> "heard" when 2 s of that stream alone hold sound
  timeout 2 parec --monitor-stream="$1" --raw --format=s16le --rate=44100 --channels=1 > "stream$1.raw" 2> /dev/null &
  # The mixer's stream is corked again once its cue has played: give it another one.
  [ $# -gt 1 ] && { sleep 0.2; xdotool mousemove --window "$WIN" "$2" "$3" click 1; }
  wait $!
  python3 -c "import array,sys; a=array.array('h'); a.frombytes(open(sys.argv[1],'rb').read()); print('heard' if any(a) else 'silent')" "stream$1.raw"
}
status=0
for what in tune effects; do
  eval "ms=\$${what}_ms idx=\$${what}_idx"
  if [ -n "$ms" ]; then
    click=""; [ $what = effects ] && click="150 180"  # ends the first line: 1.wav
    echo "$what: stream back $ms ms after the server restarted; $(heard "$idx" $click)"
  else
    echo "$what: not back within 6 s"; status=1
  fi
done
grep "wave output" game.log
exit $status

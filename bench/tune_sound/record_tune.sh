#!/usr/bin/env bash
# Records the title tune as the game plays it: the game starts under Xvfb with its sound in
# a private PulseAudio null sink (tests/e2e/pulse_env.sh), and the sink's monitor is
# recorded (stereo, 16-bit, 44.1 kHz) from before the start until the tune's stream has
# left the server. The greeting jingle is in the first seconds.
#
#   bench/tune_sound/record_tune.sh build/bin/pomuri OUT.wav
set -euo pipefail
program=$(realpath "$1")
# The folder holding the program is copied whole: a wrong path must not copy "/".
[ -f "$program" ] && [ -x "$program" ] || { echo "no game program at $program" >&2; exit 2; }
out=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
set +u
. "$here/../../tests/e2e/pulse_env.sh"
. "$here/../../tests/e2e/xvfb_env.sh"
need_tools
start_pulse
set -u
game="" recorder=""
folder=$(mktemp -d)
cleanup() {
  kill $game $recorder 2>/dev/null || true
  wait $game $recorder 2>/dev/null || true
  stop_xvfb
  rm -rf "$folder"
  stop_pulse
}
trap cleanup EXIT
start_xvfb 800x600 || { echo "Xvfb did not start" >&2; exit 1; }
cp -r "$(dirname "$program")" "$folder/bin"
rm -f "$folder/bin/dat/my.dat"*
parec -d nullsink.monitor --file-format=wav --format=s16le --rate=44100 --channels=2 \
  --latency-msec=50 "$out" &
recorder=$!
sleep 1
XDG_DATA_HOME=$folder/data WAVEMIX_OUTPUT=alsa "$folder/bin/$(basename "$program")" &
game=$!
sleep 5
wait_until_tune_ends || exit 1
sleep 1
kill $recorder; wait $recorder 2>/dev/null || true; recorder=""
echo "$out: $(soxi -d "$out")"

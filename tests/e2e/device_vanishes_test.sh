#!/bin/sh
# The sound server goes away while the mixer plays through ALSA: the demo must neither hang
# nor crash. The stream reports what it held as played and then keeps time on the clock, so
# a play started afterwards still ends (its end message arrives) and the demo exits 0.
# Usage: device_vanishes_test.sh PATH/TO/wavemix_demo
set -u
DEMO=$1
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/pulse_env.sh"
need_tools
trap stop_pulse EXIT
start_pulse

cd "$PULSE_WORK"
sox -n -r 11025 -b 8 -e unsigned -c 1 tone.wav synth 0.8 sine 1000 vol 0.4
mkfifo demo.out
timeout 60 "$DEMO" --duration 4000 tone.wav:0:0:65535 tone.wav:1:1500:0:now > demo.out 2>&1 &
DEMO_PID=$!
# Stop the server as soon as the first play has started (reading the demo's own output).
: > demo.log
while IFS= read -r line; do
  echo "$line" >> demo.log
  case "$line" in
    "play 1:"*) pulseaudio --kill ;;
  esac
done < demo.out
wait "$DEMO_PID"
status=$?
cat demo.log
[ $status -eq 0 ] || { echo "FAIL: the demo exited with $status"; exit 1; }
grep -q "^device: ALSA default" demo.log || { echo "FAIL: the demo did not start on ALSA"; exit 1; }
grep -q "^ended: channel 1" demo.log || { echo "FAIL: the play after the loss never ended"; exit 1; }
echo "PASS"

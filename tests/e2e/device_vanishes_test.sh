#!/bin/bash
# The sound server goes away while the mixer plays through ALSA: the demo must neither hang
# nor crash. The stream reports what it held as played and then keeps time on the clock, so
# a play started afterwards still ends (its end message arrives) and the demo exits 0.
# The server is started again a second after its loss: the tone, still looping, must be
# heard again before the demo ends (FallbackWaveOut reopens the PCM while it plays).
# SERVER: pulse (default); pipewire (through PipeWire's ALSA plug-in, which answers every
# call with an underrun once its daemon is gone); pipewire-pulse (ALSA's PulseAudio
# plug-in to pipewire-pulse).
# Usage: device_vanishes_test.sh PATH/TO/wavemix_demo [SERVER]
set -u
DEMO=$1
SERVER=${2:-pulse}
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "$SERVER" = pulse ]; then
  . "$HERE/pulse_env.sh"
  need_tools
else
  . "$HERE/pipewire_env.sh"
  need_pipewire_tools
  if [ "$SERVER" = pipewire ]; then use_alsa_route pipewire; else use_alsa_route pulse; fi
fi
trap stop_server EXIT
start_server

cd "$PULSE_WORK"
sox -n -r 11025 -b 8 -e unsigned -c 1 tone.wav synth 0.8 sine 1000 vol 0.4
mkfifo demo.out
timeout 60 "$DEMO" --duration 5000 tone.wav:0:0:65535 tone.wav:1:1500:0:now > demo.out 2>&1 &
DEMO_PID=$!
# Stop the server as soon as the first play has started (reading the demo's own output).
: > demo.log
while IFS= read -r line; do
  echo "$line" >> demo.log
  case "$line" in
    "play 1:"*)
      kill_server
      sleep 1
      start_server
      start_recording rec.raw ;;
  esac
done < demo.out
wait "$DEMO_PID"
status=$?
stop_recording
cat demo.log
[ $status -eq 0 ] || { echo "FAIL: the demo exited with $status"; exit 1; }
grep -q "^device: ALSA default" demo.log || { echo "FAIL: the demo did not start on ALSA"; exit 1; }
grep -q "^ended: channel 1" demo.log || { echo "FAIL: the play after the loss never ended"; exit 1; }
peak=$(sox -t raw -r 44100 -e signed -b 16 -c 1 rec.raw -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
awk "BEGIN { exit !($peak > 0.1) }" || { echo "FAIL: nothing was heard after the server came back (peak $peak)"; exit 1; }
echo "PASS (peak after the restart: $peak)"

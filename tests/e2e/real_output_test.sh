#!/bin/bash
# Plays two overlapping tones through the mixer demo on ALSA "default" (routed to a private
# PulseAudio null sink), records the sink's monitor, and checks with sox that each tone is
# heard, at its time, for its whole length:
#   tone A: 1000 Hz, 0.8 s, 16-bit 22050 Hz file (converted on load), channel 0, at 0 ms
#   tone B: 3000 Hz, 0.8 s, 8-bit 11025 Hz file, channel 1, 400 ms later, spliced in at the
#           play position (flag "now": the blocks already queued are remixed and rewritten)
# Timing windows are generous (±120 ms): real audio runs on a shared machine.
# With "nodefault", the server is PipeWire with pipewire-pulse and ALSA knows no "default"
# PCM (a desktop without PipeWire's ALSA configuration): the demo must find "pulse" itself
# and say so on stderr.
# Usage: real_output_test.sh PATH/TO/wavemix_demo [nodefault]
set -u
DEMO=$1
ROUTE=${2:-}
HERE=$(cd "$(dirname "$0")" && pwd)
if [ "$ROUTE" = nodefault ]; then
  . "$HERE/pipewire_env.sh"
  need_pipewire_tools
  use_alsa_route nodefault
else
  . "$HERE/pulse_env.sh"
  need_tools
fi
trap stop_server EXIT
start_server

cd "$PULSE_WORK"
sox -n -r 22050 -b 16 -e signed -c 1 a.wav synth 0.8 sine 1000 vol 0.4
sox -n -r 11025 -b 8 -e unsigned -c 1 b.wav synth 0.8 sine 3000 vol 0.4

start_recording rec.raw
if ! timeout 60 "$DEMO" --duration 2200 a.wav:0 b.wav:1:400:0:now > demo.log 2>&1; then
  echo "FAIL: the demo failed"; cat demo.log; exit 1
fi
stop_recording
cat demo.log
grep -q "^device: ALSA default" demo.log || { echo "FAIL: the demo did not play on ALSA default"; exit 1; }
if [ "$ROUTE" = nodefault ]; then
  grep -q 'playing through the ALSA PCM "pulse"' demo.log || { echo "FAIL: no line names the PCM \"pulse\""; exit 1; }
fi
sox -t raw -r 44100 -e signed -b 16 -c 1 rec.raw rec.wav

failures=0
check() {  # check CONDITION MESSAGE
  if awk "BEGIN { exit !($1) }"; then echo "ok: $2"; else echo "FAIL: $2 ($1)"; failures=$((failures + 1)); fi
}
duration() { soxi -D "$1"; }
# Seconds of leading silence in one tone's band: where that tone starts.
band() { sox rec.wav "$2" sinc "$1"; }
onset() {
  sox "$1" lead.wav silence 1 0.005 3%
  awk "BEGIN { print $(duration "$1") - $(duration lead.wav) }"
}
# Length from the first to the last sound in the band.
span() {
  sox "$1" inner.wav silence 1 0.005 3% reverse silence 1 0.005 3% reverse
  duration inner.wav
}
rms() {  # rms BANDFILE START LENGTH
  sox "$1" -n trim "$2" "$3" stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

band 800-1200 a_band.wav
band 2700-3300 b_band.wav
a0=$(onset a_band.wav)
b0=$(onset b_band.wav)
echo "tone A starts at ${a0}s of the recording, tone B at ${b0}s; A lasts $(span a_band.wav)s, B $(span b_band.wav)s"

check "$(duration rec.wav) > $a0 + 1.5" "the recording covers both tones"
check "$b0 - $a0 > 0.28 && $b0 - $a0 < 0.52" "B starts about 400 ms after A"
check "$(span a_band.wav) > 0.75 && $(span a_band.wav) < 0.86" "A plays for its whole 0.8 s, across B's splice"
check "$(span b_band.wav) > 0.75 && $(span b_band.wav) < 0.86" "B plays for its whole 0.8 s"
w() { awk "BEGIN { print $1 }"; }
check "$(rms a_band.wav $(w "$a0 + 0.1") 0.15) > 0.1" "A is heard alone at first"
check "$(rms b_band.wav $(w "$a0 + 0.1") 0.15) < 0.02" "B is silent before its start"
check "$(rms a_band.wav $(w "$b0 + 0.1") 0.2) > 0.1" "A goes on while B plays"
check "$(rms b_band.wav $(w "$b0 + 0.1") 0.2) > 0.1" "B is heard together with A"
check "$(rms a_band.wav $(w "$a0 + 0.95") 0.1) < 0.02" "A has ended after 0.8 s"
check "$(rms b_band.wav $(w "$a0 + 0.95") 0.1) > 0.1" "B is still heard after A has ended"
check "$(rms b_band.wav $(w "$b0 + 0.95") 0.15) < 0.02" "B has ended after 0.8 s"

if [ $failures -ne 0 ]; then
  keep="${TMPDIR:-/tmp}/wavemix-e2e-failed.wav"
  cp rec.wav "$keep" && echo "recording kept in $keep"
  exit 1
fi
echo "PASS"
